#include "LevelReadout.h"

#include <algorithm>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "Levels.h"
#include "ReadoutText.h"

namespace {

// The widest and tallest of the readouts of every level and of the five blanks, in the font
// selected into `dc`. A substituted face can make a readout wider than the blanks.
SIZE MeasureReadoutArea(const CDC& dc) {
    SIZE area = dc.GetTextExtent(kReadoutClearing, kReadoutClearingLength);
    for (int level = 0; level < kLevelCount; ++level) {
        const ReadoutText text = FormatReadout(DisplayValueOf(level));
        const SIZE size = dc.GetTextExtent(text.buffer.data(), text.length);
        area.cx = std::max(area.cx, size.cx);
        area.cy = std::max(area.cy, size.cy);
    }
    return area;
}

// The area measured once per run: every call asks for the same font. Without that font (it could
// not be created) the text falls back to the context's default font, measured on each call.
SIZE ReadoutArea(const CDC& dc, bool readoutFontSelected) {
    static SIZE measured{};
    if (measured.cx > 0)
        return measured;
    const SIZE area = MeasureReadoutArea(dc);
    if (readoutFontSelected)
        measured = area;
    return area;
}

} // namespace

void RenderLevelReadout(CWnd& window, int displayValue) {
    // Declared before the context, so the context is released before the font is deleted.
    CFont font;
    const bool fontCreated =
        font.Attach(::CreateFontA(kReadoutFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kReadoutFontFace));
    // The context keeps its defaults: black text on an opaque white background.
    CClientDC dc(&window);
    const HGDIOBJ previousFont = dc.SelectObject(font);
    // Clears what any earlier readout covered, with the background colour, before the text.
    const SIZE area = ReadoutArea(dc, fontCreated);
    const RECT clearing{kReadoutX, kReadoutY, kReadoutX + area.cx, kReadoutY + area.cy};
    dc.ExtTextOut(kReadoutX, kReadoutY, ETO_OPAQUE, &clearing, "", 0);
    const ReadoutText text = FormatReadout(displayValue);
    dc.TextOut(kReadoutX, kReadoutY, text.buffer.data(), text.length);
    dc.SelectObject(previousFont);
}
