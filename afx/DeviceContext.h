// Device contexts for drawing on a window: the paint context of WM_PAINT and the client-area
// context, each released when its object goes.
#pragma once

#include <windows.h>

#include "GdiObject.h"
#include "Wnd.h"

class CDC {
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    // Selects `object` into the context and returns the object it replaces, to select back.
    HGDIOBJ SelectObject(const CGdiObject& object) const { return SelectObject(object.m_hObject); }
    HGDIOBJ SelectObject(HGDIOBJ object) const;
    BOOL TextOut(int x, int y, const char* text, int count) const;
    // With ETO_OPAQUE, `rect` is filled with the background colour before the text is drawn.
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text,
                    UINT count) const;
    // Width and height of the text in the selected font; {0, 0} when it cannot be measured.
    SIZE GetTextExtent(const char* text, int count) const;
    BOOL DrawIcon(int x, int y, HICON icon) const;

    HDC m_hDC = nullptr;

protected:
    CDC() = default;
    ~CDC() = default;
};

// BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// The window's client area, from GetDC to ReleaseDC.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC();

private:
    HWND m_hWnd;
};
