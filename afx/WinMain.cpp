// The entry of the windowed program. The C runtime hands over the command line without the
// program's name and the show command of the start-up information (SW_SHOWDEFAULT without one).
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
