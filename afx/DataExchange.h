// Dialog data exchange: ties a dialog's control objects to its controls.
#pragma once

#include "Wnd.h"

class CDataExchange {
public:
    explicit CDataExchange(CWnd* dialog) : m_pDlgWnd(dialog) {}

    CWnd* m_pDlgWnd;
};

// Attaches `control` to the dialog's control `id` on the first exchange; later exchanges leave it
// as it is.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
