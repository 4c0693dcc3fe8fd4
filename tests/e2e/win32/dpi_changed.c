/* dpi-changed PID|NAME.exe DPI LEFT TOP RIGHT BOTTOM | PID|NAME.exe DPI null:
   sends the process's window WM_DPICHANGED, as Windows does when the window
   moves to a monitor of another scale, with that suggested rectangle (or a
   null one). Wine passes lParam between processes as it is, so the RECT is
   written into the target process and its address there is sent. Prints
   the message's result. */
#include "target_process.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    const int withRect = argc == 7;
    if (!withRect && !(argc == 4 && strcmp(argv[3], "null") == 0)) {
        fprintf(stderr, "usage: dpi-changed PID|NAME.exe DPI LEFT TOP RIGHT BOTTOM | PID|NAME.exe DPI null\n");
        return 2;
    }
    const DWORD processId = findTargetProcess(argv[1]);
    HWND window = processId ? findProcessWindow(processId) : NULL;
    if (!window) return reportNoTarget("window", argv[1]);
    const WORD dpi = (WORD)strtol(argv[2], NULL, 10);
    void* remote = NULL;
    HANDLE process = NULL;
    if (withRect) {
        const RECT rect = {strtol(argv[3], NULL, 10), strtol(argv[4], NULL, 10), strtol(argv[5], NULL, 10),
                           strtol(argv[6], NULL, 10)};
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
        remote = process ? VirtualAllocEx(process, NULL, sizeof rect, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE) : NULL;
        if (!remote || !WriteProcessMemory(process, remote, &rect, sizeof rect, NULL)) {
            fprintf(stderr, "cannot write the rectangle into process %lu\n", (unsigned long)processId);
            return 1;
        }
    }
    const LRESULT result = SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)remote);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process) CloseHandle(process);
    printf("%ld\n", (long)result);
    return 0;
}
