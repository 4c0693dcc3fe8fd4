/* e2e-planted.dll: a DLL an attacker might leave in a user's data folder.
   Whenever a process loads it, it appends that process's executable path to
   a file beside itself (e2e-planted.dll gives e2e-planted.loaded), so a test
   sees whether, and by whom, this very copy was loaded. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char marker[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(instance, marker, MAX_PATH);
    char* dot = strrchr(marker, '.');
    if (length == 0 || length >= MAX_PATH || !dot) return TRUE;
    strcpy(dot, ".loaded");
    char loader[MAX_PATH];
    if (!GetModuleFileNameA(NULL, loader, sizeof loader)) strcpy(loader, "?");
    FILE* out = fopen(marker, "ab");
    if (out) {
        fprintf(out, "%s\n", loader);
        fclose(out);
    }
    return TRUE;
}
