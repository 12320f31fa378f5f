// The floor of Quenlit.exe: the same dialog template under a bare dialog procedure, on raw Win32
// calls and the floors of the tool's operations (Floors.h). It makes the same file writes and
// driver calls and draws the same readout as the tool, with the least work: no class library, no
// controller, no OLE.
#include <windows.h>

#include <commctrl.h>

#include "BareReadout.h"
#include "DragReplay.h"
#include "Floors.h"
#include "Levels.h"
#include "SharedDirectory.h"
#include "resource.h"

namespace {

CFloorRun run(SharedDirectory);
int displayValue = 0;
CDragReplay replay;

// The tool's start-up: window icons, then film type, table, stored level, driver, row, "y", and
// the slider at the level.
BOOL OnInitDialog(HWND dialog) {
    const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON));
    ::SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const int level = run.Start();
    const HWND slider = ::GetDlgItem(dialog, IDC_LEVEL_SLIDER);
    ::SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, kLevelCount - 1));
    ::SendMessageA(slider, TBM_SETPOS, TRUE, level);
    displayValue = DisplayValueOf(level);
    return TRUE;
}

// A slider notification: store the slider's level, write its row, draw the readout.
void OnHScroll(HWND dialog, HWND slider) {
    const int level = static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0));
    run.LevelChanged(level);
    displayValue = DisplayValueOf(level);
    DrawReadoutBare(dialog, displayValue);
}

// A dialog's default painting (its background; the controls paint themselves), then the readout.
void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    ::BeginPaint(dialog, &paint);
    ::EndPaint(dialog, &paint);
    DrawReadoutBare(dialog, displayValue);
    replay.PaintEnded(dialog);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (replay.OnMessage(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_PAINT:
        OnPaint(dialog);
        return TRUE;
    case WM_HSCROLL:
        // The default handling follows, as in the tool.
        OnHScroll(dialog, reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_DESTROY:
        run.Stop();
        return FALSE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_BRIGHTNESS_DIALOG), nullptr, &DialogProc, 0);
    replay.Report();
    return 0;
}
