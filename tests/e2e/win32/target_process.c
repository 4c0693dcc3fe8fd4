#include "target_process.h"

#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { noTargetExitCode = 2 };

static int isProcessId(const char* target) {
    if (!*target) return 0;
    for (const char* p = target; *p; ++p)
        if (*p < '0' || *p > '9') return 0;
    return 1;
}

DWORD findTargetProcess(const char* target) {
    if (isProcessId(target)) return (DWORD)strtoul(target, NULL, 10);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {.dwSize = sizeof entry};
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, target) == 0) found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

struct WindowSearch {
    DWORD processId;
    HWND window;
};

static BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param) {
    struct WindowSearch* search = (struct WindowSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
    search->window = hwnd;
    return FALSE;
}

HWND findProcessWindow(DWORD processId) {
    struct WindowSearch search = {processId, NULL};
    EnumWindows(matchWindow, (LPARAM)&search);
    return search.window;
}

HWND findTargetWindow(const char* target) {
    DWORD processId = findTargetProcess(target);
    return processId ? findProcessWindow(processId) : NULL;
}

BOOL clientAreaOnScreen(HWND window, POINT* origin, LONG* width, LONG* height) {
    RECT client;
    origin->x = origin->y = 0;
    if (!GetClientRect(window, &client) || !ClientToScreen(window, origin)) return FALSE;
    *width = client.right;
    *height = client.bottom;
    return TRUE;
}

int reportNoTarget(const char* what, const char* target) {
    fprintf(stderr, "no %s for '%s'\n", what, target);
    return noTargetExitCode;
}
