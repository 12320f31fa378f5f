// Quenlit.exe with the drag replay, standing in for it (the tool cannot time itself): the tool's
// start-up step for step and its dialog, CQuenlitDlg, whose window procedure also tells the replay
// when a paint has ended and hands it the replay's messages.
#include <cstdio>

#include "DragReplay.h"
#include "Ole.h"
#include "QuenlitDlg.h"
#include "WinApp.h"

namespace {

class CReplayedQuenlitDlg : public CQuenlitDlg {
public:
    const CDragReplay& Replay() const { return m_replay; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_replay.OnMessage(m_hWnd, message, wParam))
            return 0;
        const LRESULT result = CQuenlitDlg::WindowProc(message, wParam, lParam);
        if (message == WM_PAINT)
            m_replay.PaintEnded(m_hWnd);
        return result;
    }

private:
    CDragReplay m_replay;
};

// CQuenlitApp::InitInstance with the replayed dialog. An OLE failure goes to standard output: a
// message box would wait for someone to close it.
class CReplayApp : public CWinApp {
public:
    BOOL InitInstance() override {
        if (!AfxOleInit()) {
            std::puts("error=OLE initialization failed");
            return FALSE;
        }
        AfxEnableControlContainer();
        Enable3dControls();

        if (RunEmbedded() || RunAutomated())
            COleObjectFactory::RegisterAll();
        else
            COleObjectFactory::UpdateRegistryAll(TRUE);

        CReplayedQuenlitDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        dialog.Replay().Report();
        return FALSE;
    }
};

CReplayApp theApp;

} // namespace
