#include "target_process.h"

#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { noTargetExitCode = 2 };

static int isProcessId(const char *spec)
{
    if (!*spec)
        return 0;
    for (const char *p = spec; *p; ++p)
        if (*p < '0' || *p > '9')
            return 0;
    return 1;
}

DWORD findTargetProcess(const char *spec)
{
    if (isProcessId(spec))
        return (DWORD)strtoul(spec, NULL, 10);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry = {.dwSize = sizeof entry};
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, spec) == 0)
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

struct WindowSearch {
    DWORD processId;
    HWND window;
};

static BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param)
{
    struct WindowSearch *search = (struct WindowSearch *)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER))
        return TRUE;
    search->window = hwnd;
    return FALSE;
}

HWND findProcessWindow(DWORD processId)
{
    struct WindowSearch search = {processId, NULL};
    EnumWindows(matchWindow, (LPARAM)&search);
    return search.window;
}

HWND findTargetWindow(const char *spec)
{
    DWORD processId = findTargetProcess(spec);
    return processId ? findProcessWindow(processId) : NULL;
}

int reportNoTarget(const char *what, const char *spec)
{
    fprintf(stderr, "no %s for '%s'\n", what, spec);
    return noTargetExitCode;
}
