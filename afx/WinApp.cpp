#include "WinApp.h"

#include "CommandLineSwitches.h"

namespace {

CWinApp* application = nullptr;

BOOL HasSwitch(LPCSTR commandLine, const char* name) {
    return commandLine && HasCommandLineSwitch(commandLine, name);
}

} // namespace

CWinApp::CWinApp() {
    application = this;
}

CWinApp::~CWinApp() {
    if (application == this)
        application = nullptr;
}

BOOL CWinApp::RunEmbedded() const {
    return HasSwitch(m_lpCmdLine, "Embedding");
}

BOOL CWinApp::RunAutomated() const {
    return HasSwitch(m_lpCmdLine, "Automation");
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp() {
    return application;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    CWinApp* app = AfxGetApp();
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine;
    app->InitInstance();
    return 0;
}
