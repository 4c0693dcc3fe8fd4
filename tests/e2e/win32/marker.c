/* marker: a stand-in for the program a user launches. Each start appends, to
   a file next to its own executable (marker.exe gives marker.started), its
   command line, the number of parameters it was given and its current
   directory, then exits, so a test can see that, how and how often it was
   started. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    char path[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char *dot = strrchr(path, '.');
    strcpy(dot ? dot : path + length, ".started");
    char directory[MAX_PATH];
    if (!GetCurrentDirectoryA(sizeof directory, directory))
        directory[0] = '\0';
    FILE *out = fopen(path, "ab"); /* binary: plain LF lines for the test */
    if (!out)
        return 1;
    fprintf(out, "command line: %s\nparameter count: %d\ncurrent directory: %s\n", GetCommandLineA(),
            __argc - 1, directory);
    return fclose(out) == 0 ? 0 : 1;
}
