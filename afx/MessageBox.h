// The application's message box: modal, owned by the main window (which it disables while open)
// and captioned with the application's title. An OK box without an icon gets the warning icon.
// Help contexts are accepted and ignored: the program has no help file.
#pragma once

#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpContext = 0);
// Shows the string resource `stringId`.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpContext = static_cast<UINT>(-1));
