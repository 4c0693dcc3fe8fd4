/* marker: a stand-in for the program a user launches. Each start appends, to
   a file next to its own executable (marker.exe gives marker.started), its
   command line, the number of parameters it was given and its current
   directory, then exits, so a test can see that, how and how often it was
   started.

   Paths and the command line are taken as UTF-16 and written as UTF-8, so the
   marker works from a folder with a Japanese name whatever the ANSI code
   page. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

enum { pathCapacity = 32768 };

/* Appends the UTF-16 text to the file as UTF-8. */
static void writeUtf8(FILE* out, const wchar_t* text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* utf8 = bytes > 0 ? malloc((size_t)bytes) : NULL;
    if (utf8 && WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, bytes, NULL, NULL) > 0) fputs(utf8, out);
    free(utf8);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    static wchar_t path[pathCapacity + 16];
    DWORD length = GetModuleFileNameW(NULL, path, pathCapacity);
    if (length == 0 || length >= pathCapacity) return 1;
    wchar_t* dot = wcsrchr(path, L'.');
    wcscpy(dot ? dot : path + length, L".started");
    static wchar_t directory[pathCapacity];
    if (!GetCurrentDirectoryW(pathCapacity, directory)) directory[0] = L'\0';
    FILE* out = _wfopen(path, L"ab"); /* binary: plain LF lines for the test */
    if (!out) return 1;
    fputs("command line: ", out);
    writeUtf8(out, GetCommandLineW());
    fprintf(out, "\nparameter count: %d\ncurrent directory: ", __argc - 1);
    writeUtf8(out, directory);
    fputs("\n", out);
    return fclose(out) == 0 ? 0 : 1;
}
