// The level readout drawn with the system's calls alone, in the tool's place, font and text: a new
// font and client-area context on every call; the area any readout covers, measured once, filled
// with the background colour; then the value's text.
#pragma once

#include <windows.h>

void DrawReadoutBare(HWND window, int displayValue);
