#include "DeviceContext.h"

HGDIOBJ CDC::SelectObject(HGDIOBJ object) const {
    return ::SelectObject(m_hDC, object);
}

BOOL CDC::TextOut(int x, int y, const char* text, int count) const {
    return ::TextOutA(m_hDC, x, y, text, count);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text,
                     UINT count) const {
    return ::ExtTextOutA(m_hDC, x, y, options, rect, text, count, nullptr);
}

SIZE CDC::GetTextExtent(const char* text, int count) const {
    SIZE size{};
    if (!::GetTextExtentPoint32A(m_hDC, text, count, &size))
        size = SIZE{};
    return size;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) const {
    return ::DrawIcon(m_hDC, x, y, icon);
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window->m_hWnd) {
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}
