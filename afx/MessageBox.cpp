#include "MessageBox.h"

#include <algorithm>

#include "ApplicationTitle.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {

// Longer than any string of the program's resources.
constexpr int kStringBufferSize = 1024;

// The title, a part of the executable's path, zero-terminated in `buffer`.
const char* ApplicationTitle(char (&buffer)[MAX_PATH]) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string_view title = ApplicationTitleFromPath(std::string_view(path, length));
    *std::copy(title.begin(), title.end(), buffer) = '\0';
    return buffer;
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
    char title[MAX_PATH];
    return ::MessageBoxA(owner, text, ApplicationTitle(title), WithDefaultIcon(type));
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpContext) {
    char text[kStringBufferSize] = "";
    ::LoadStringA(AfxGetApp()->m_hInstance, stringId, text, kStringBufferSize);
    return AfxMessageBox(text, type, helpContext);
}
