// The program's entry point: hardens DLL loading, then hands over to the application object.
#include <windows.h>

#include "app/framework/win32/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Load system DLLs (the common dialogs, the shell) from System32 only,
    // never from the current directory, which holds the user's data files.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return quorvenda::AfxWinMain(instance);
}
