#include "LevelReadout.h"

#include "DeviceContext.h"
#include "GdiObject.h"
#include "ReadoutText.h"

namespace {

// Client-area pixels of the text's top-left corner.
constexpr int kReadoutX = 30;
constexpr int kReadoutY = 30;
constexpr int kReadoutFontHeight = 40;
constexpr const char* kReadoutFontFace = "Colonna MT";

} // namespace

void RenderLevelReadout(CWnd& window, int displayValue) {
    // Declared before the context, so the context is released before the font is deleted.
    CFont font;
    font.Attach(::CreateFontA(kReadoutFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                              ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kReadoutFontFace));
    // The context keeps its defaults: black text on opaque white character cells.
    CClientDC dc(&window);
    const HGDIOBJ previousFont = dc.SelectObject(font);
    dc.TextOut(kReadoutX, kReadoutY, kReadoutClearing, kReadoutClearingLength);
    const ReadoutText text = FormatReadout(displayValue);
    dc.TextOut(kReadoutX, kReadoutY, text.buffer.data(), text.length);
    dc.SelectObject(previousFont);
}
