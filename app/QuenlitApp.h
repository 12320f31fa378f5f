// The application: starts OLE, takes the OLE registration step and runs the brightness dialog
// modally as its main window; the program ends when the dialog ends. The dialog's class is a
// parameter, so that the drag replay runs this same start-up with its subclass of CQuenlitDlg.
// Quenlit.exe's application is CQuenlitApp; its one object is in QuenlitApp.cpp.
#pragma once

#include "MessageBox.h"
#include "Ole.h"
#include "QuenlitDlg.h"
#include "WinApp.h"
#include "resource.h"

template <class TDialog> class CQuenlitAppT : public CWinApp {
public:
    BOOL InitInstance() override {
        if (!AfxOleInit()) {
            AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK, kStringHelpContext);
            return FALSE;
        }
        AfxEnableControlContainer();
        Enable3dControls();

        if (RunEmbedded() || RunAutomated())
            COleObjectFactory::RegisterAll();
        else
            COleObjectFactory::UpdateRegistryAll(TRUE);

        TDialog dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        // FALSE: the program ends here instead of running a message loop.
        return FALSE;
    }

private:
    // The help context of a message box that shows a string resource.
    static constexpr UINT kStringHelpContext = static_cast<UINT>(-1);
};

using CQuenlitApp = CQuenlitAppT<CQuenlitDlg>;
