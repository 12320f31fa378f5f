// The application: starts OLE, takes the OLE registration step and runs the brightness dialog
// modally as its main window; the program ends when the dialog ends.
#pragma once

#include "WinApp.h"

class CQuenlitApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
