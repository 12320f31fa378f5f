// A trackbar control (msctls_trackbar32).
#pragma once

#include <commctrl.h>

#include "Wnd.h"

class CSliderCtrl : public CWnd {
public:
    // Sets both ends of the range in one message; they must fit in 16 bits each.
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) const {
        SendMessage(TBM_SETRANGE, redraw, MAKELPARAM(minimum, maximum));
    }
};
