#include "MessageBox.h"

#include <string>

#include "ApplicationTitle.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {

// Longer than any string of the program's resources.
constexpr int kStringBufferSize = 1024;

std::string ApplicationTitle() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ApplicationTitleFromPath(std::string_view(path, length));
}

UINT WithDefaultIcon(UINT type) {
    if ((type & MB_TYPEMASK) == MB_OK && (type & MB_ICONMASK) == 0)
        return type | MB_ICONEXCLAMATION;
    return type;
}

} // namespace

int AfxMessageBox(const char* text, UINT type, UINT) {
    const CWnd* mainWindow = AfxGetApp()->m_pMainWnd;
    const HWND owner = mainWindow ? mainWindow->m_hWnd : nullptr;
    return ::MessageBoxA(owner, text, ApplicationTitle().c_str(), WithDefaultIcon(type));
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpContext) {
    char text[kStringBufferSize] = "";
    ::LoadStringA(AfxGetApp()->m_hInstance, stringId, text, kStringBufferSize);
    return AfxMessageBox(text, type, helpContext);
}
