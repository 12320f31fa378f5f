#include "QuenlitApp.h"

#include "MessageBox.h"
#include "Ole.h"
#include "QuenlitDlg.h"
#include "resource.h"

namespace {

// The help context of a message box that shows a string resource.
constexpr UINT kStringHelpContext = static_cast<UINT>(-1);

} // namespace

CQuenlitApp theApp;

BOOL CQuenlitApp::InitInstance() {
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

    CQuenlitDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    // FALSE: the program ends here instead of running a message loop.
    return FALSE;
}
