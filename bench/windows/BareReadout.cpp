#include "BareReadout.h"

#include "Levels.h"
#include "ReadoutText.h"

namespace {

// The widest and tallest of the five blanks and the readouts of every level in the selected font,
// as the tool measures them: once, with the font created.
SIZE ReadoutArea(HDC dc) {
    static SIZE measured{};
    if (measured.cx > 0)
        return measured;
    SIZE area{};
    ::GetTextExtentPoint32A(dc, kReadoutClearing, kReadoutClearingLength, &area);
    for (int level = 0; level < kLevelCount; ++level) {
        const ReadoutText text = FormatReadout(DisplayValueOf(level));
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.buffer.data(), text.length, &size);
        area.cx = size.cx > area.cx ? size.cx : area.cx;
        area.cy = size.cy > area.cy ? size.cy : area.cy;
    }
    measured = area;
    return area;
}

} // namespace

void DrawReadoutBare(HWND window, int displayValue) {
    const HFONT font =
        ::CreateFontA(kReadoutFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, kReadoutFontFace);
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previousFont = ::SelectObject(dc, font);
    const SIZE area = ReadoutArea(dc);
    const RECT clearing{kReadoutX, kReadoutY, kReadoutX + area.cx, kReadoutY + area.cy};
    ::ExtTextOutA(dc, kReadoutX, kReadoutY, ETO_OPAQUE, &clearing, "", 0, nullptr);
    const ReadoutText text = FormatReadout(displayValue);
    ::TextOutA(dc, kReadoutX, kReadoutY, text.buffer.data(), text.length);
    ::SelectObject(dc, previousFont);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
}
