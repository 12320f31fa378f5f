// A dialog box from a resource template, run modally. OK and Cancel (Enter, Escape, the close box,
// Close on the system menu) end the run.
#pragma once

#include "DataExchange.h"
#include "Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Shows the dialog and returns when it has ended: IDOK or IDCANCEL, or -1 when the dialog
    // cannot be created.
    INT_PTR DoModal();

protected:
    // Attaches the dialog's control objects to its controls.
    virtual void DoDataExchange(CDataExchange* exchange) = 0;
    // Runs the first data exchange. TRUE gives the keyboard focus to the first tab stop.
    virtual BOOL OnInitDialog();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_parent;
};
