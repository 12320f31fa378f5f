// The level readout drawn with the system's calls alone: a new font and client-area context on
// every call, five blanks, then the value's three characters, at (30, 30).
#pragma once

#include <windows.h>

void DrawReadoutBare(HWND window, int displayValue);
