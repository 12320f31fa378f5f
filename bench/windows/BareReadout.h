// The level readout drawn with the system's calls alone: a new font and client-area context on
// every call; the area any readout covers, measured once, filled with the background colour; then
// the value's three characters, at (30, 30).
#pragma once

#include <windows.h>

void DrawReadoutBare(HWND window, int displayValue);
