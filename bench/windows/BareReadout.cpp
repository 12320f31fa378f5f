#include "BareReadout.h"

#include <charconv>
#include <cstring>

void DrawReadoutBare(HWND window, int displayValue) {
    const HFONT font = ::CreateFontA(40, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, "Colonna MT");
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previousFont = ::SelectObject(dc, font);
    ::TextOutA(dc, 30, 30, "     ", 5);
    // -10..10: at most three characters, blanks after them.
    char text[3];
    std::memset(text, ' ', sizeof text);
    std::to_chars(text, text + sizeof text, displayValue);
    ::TextOutA(dc, 30, 30, text, sizeof text);
    ::SelectObject(dc, previousFont);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
}
