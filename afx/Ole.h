// OLE support of the application's start-up.
#pragma once

#include <windows.h>

// Initialises OLE for the rest of the process's life; FALSE when that fails.
BOOL AfxOleInit();

// Lets dialogs host ActiveX controls. The program's dialogs host none: nothing to set up.
inline void AfxEnableControlContainer() {}

// The program's OLE class objects. It defines none, so registering them does nothing.
class COleObjectFactory {
public:
    // Registers the class objects with OLE, as an embedding or automation start needs.
    static BOOL RegisterAll() { return TRUE; }
    // Writes (or removes) the class objects' registry entries, as a normal start does.
    static BOOL UpdateRegistryAll(BOOL = TRUE) { return TRUE; }
};
