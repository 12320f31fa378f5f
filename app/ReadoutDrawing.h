// The steps of the level readout's drawing, on any device context: RenderLevelReadout's on the
// window, a unit test's on a bitmap. Inline (MeasureReadoutArea, with its loop, by force), so that
// Quenlit.exe has them inside RenderLevelReadout: functions of their own would add code and unwind
// tables, which keep even an unused function in the executable.
#pragma once

#include <algorithm>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "Levels.h"
#include "ReadoutText.h"

// Gives `font` the readout's font; false when it cannot be created.
inline bool CreateReadoutFont(CFont& font) {
    return font.Attach(::CreateFontA(kReadoutFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                     kReadoutFontFace));
}

// The widest and tallest of the readouts of every level and of the five blanks, in the font
// selected into `dc`: the size of the clearing. A substituted face can make a readout wider than
// the blanks.
[[gnu::always_inline]] inline SIZE MeasureReadoutArea(const CDC& dc) {
    SIZE area = dc.GetTextExtent(kReadoutClearing, kReadoutClearingLength);
    for (int level = 0; level < kLevelCount; ++level) {
        const ReadoutText text = FormatReadout(DisplayValueOf(level));
        const SIZE size = dc.GetTextExtent(text.buffer.data(), text.length);
        area.cx = std::max(area.cx, size.cx);
        area.cy = std::max(area.cy, size.cy);
    }
    return area;
}

// Clears `area` at the readout's place with the context's background colour, which covers what
// any earlier readout covered, then draws the readout of `displayValue` there in the selected font.
inline void DrawLevelReadout(const CDC& dc, int displayValue, SIZE area) {
    const RECT clearing{kReadoutX, kReadoutY, kReadoutX + area.cx, kReadoutY + area.cy};
    dc.ExtTextOut(kReadoutX, kReadoutY, ETO_OPAQUE, &clearing, "", 0);
    const ReadoutText text = FormatReadout(displayValue);
    dc.TextOut(kReadoutX, kReadoutY, text.buffer.data(), text.length);
}
