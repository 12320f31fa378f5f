#include "Dialog.h"

#include <commctrl.h>

#include "WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

INT_PTR CDialog::DoModal() {
    // Without this the slider's window class is not registered and the dialog cannot be created.
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
    return ::DialogBoxParamA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(m_templateId), owner,
                             &DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    CDataExchange exchange(this);
    DoDataExchange(&exchange);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(m_hWnd, LOWORD(wParam));
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The dialog manager's procedure sees WM_INITDIALOG, which carries the object. From then on the
// subclassed window hands every message to the object first; what it leaves to the dialog manager
// comes back here and gets the dialog manager's default handling.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(window);
    return dialog->Dispatch(message, wParam, lParam);
}
