// The level readout: the display value drawn in large characters straight onto the window's client
// area. It keeps nothing; every call creates its font and takes its context anew.
#pragma once

#include "Wnd.h"

void RenderLevelReadout(CWnd& window, int displayValue);
