#include "Wnd.h"

#include "WinApp.h"

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM) {
    return Default();
}

LRESULT CWnd::Default() {
    return ::CallWindowProcA(m_originalProc, m_hWnd, m_current.message, m_current.wParam,
                             m_current.lParam);
}

void CWnd::SubclassWindow(HWND window) {
    m_hWnd = window;
    // The object goes into the window's user data before the first message can ask for it.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_originalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // A handler can run a nested message loop (a message box), which dispatches other messages
    // here; Default must still find this handler's message afterwards.
    const Message outer = m_current;
    m_current = {message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    if (message == WM_NCDESTROY)
        UnsubclassWindow();
    return result;
}

void CWnd::OnHScroll(UINT, UINT, HWND) {
    Default();
}

void CWnd::OnDestroy() {
    Default();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    return object->Dispatch(message, wParam, lParam);
}

// The window's last message has been handled: the object lets go of it.
void CWnd::UnsubclassWindow() {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_originalProc = nullptr;
    CWinApp* app = AfxGetApp();
    if (app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}
