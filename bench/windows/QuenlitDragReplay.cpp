// Quenlit.exe with the drag replay, standing in for it (the tool cannot time itself): the tool's
// own start-up (CQuenlitAppT) running a subclass of its dialog, CQuenlitDlg, whose window
// procedure also tells the replay when a paint has ended and hands it the replay's messages.
#include "DragReplay.h"
#include "QuenlitApp.h"

namespace {

class CReplayedQuenlitDlg : public CQuenlitDlg {
public:
    // The dialog has ended: the figures.
    ~CReplayedQuenlitDlg() { m_replay.Report(); }

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

// The tool's start-up, running the replayed dialog. An OLE failure shows the tool's message box,
// which nobody closes: replays.sh's time limit ends the run, reported as unfinished.
CQuenlitAppT<CReplayedQuenlitDlg> theApp;

} // namespace
