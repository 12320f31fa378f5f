#include "LevelReadout.h"

#include "ReadoutDrawing.h"

namespace {

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
    const bool fontCreated = CreateReadoutFont(font);
    // The context keeps its defaults: black text on an opaque white background.
    CClientDC dc(&window);
    const HGDIOBJ previousFont = dc.SelectObject(font);
    DrawLevelReadout(dc, displayValue, ReadoutArea(dc, fontCreated));
    dc.SelectObject(previousFont);
}
