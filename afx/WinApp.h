// The application object: the program defines exactly one, as a global, and the start-up runs its
// InitInstance.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // All the program's work. No message loop follows it, whatever it returns.
    virtual BOOL InitInstance() = 0;

    // The system draws dialog controls three-dimensional by itself: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    // Whether OLE started the program to embed one of its objects (/Embedding).
    BOOL RunEmbedded() const;
    // Whether OLE started the program for automation (/Automation).
    BOOL RunAutomated() const;
    // An icon of the system's standard size from the program's resources. The icon is shared and
    // must not be destroyed.
    HICON LoadIcon(UINT id) const;

    HINSTANCE m_hInstance = nullptr;
    // The command line without the program's name.
    LPSTR m_lpCmdLine = nullptr;
    // The window that owns the program's message boxes; cleared when that window is destroyed.
    CWnd* m_pMainWnd = nullptr;
};

// The program's application object.
CWinApp* AfxGetApp();

// Runs the application object's InitInstance; returns the process's exit code.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
