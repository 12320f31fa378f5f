#include "BareReadout.h"

#include <charconv>
#include <cstring>

namespace {

// The widest and tallest of the five blanks and the readouts -10..10 in the selected font, as the
// tool measures them: once, with the font created.
SIZE ReadoutArea(HDC dc) {
    static SIZE measured{};
    if (measured.cx > 0)
        return measured;
    SIZE area{};
    ::GetTextExtentPoint32A(dc, "     ", 5, &area);
    for (int value = -10; value <= 10; ++value) {
        char text[3];
        std::memset(text, ' ', sizeof text);
        std::to_chars(text, text + sizeof text, value);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text, sizeof text, &size);
        area.cx = size.cx > area.cx ? size.cx : area.cx;
        area.cy = size.cy > area.cy ? size.cy : area.cy;
    }
    measured = area;
    return area;
}

} // namespace

void DrawReadoutBare(HWND window, int displayValue) {
    const HFONT font = ::CreateFontA(40, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, "Colonna MT");
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previousFont = ::SelectObject(dc, font);
    const SIZE area = ReadoutArea(dc);
    const RECT clearing{30, 30, 30 + area.cx, 30 + area.cy};
    ::ExtTextOutA(dc, 30, 30, ETO_OPAQUE, &clearing, "", 0, nullptr);
    // -10..10: at most three characters, blanks after them.
    char text[3];
    std::memset(text, ' ', sizeof text);
    std::to_chars(text, text + sizeof text, displayValue);
    ::TextOutA(dc, 30, 30, text, sizeof text);
    ::SelectObject(dc, previousFont);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
}
