/* remote-load-library PID|NAME.exe DLL: makes another process call
   LoadLibraryA(DLL) itself, on a thread started in it, so the DLL is looked
   for along that process's own search path, from its own current folder.
   Prints "loaded" or "not loaded" (the process's LoadLibraryA returned NULL);
   exits 0 either way, 1 if the thread could not be run. kernel32 lies at the
   same address in every process, so this process's LoadLibraryA is the
   target's too. */
#include "target_process.h"

#include <stdio.h>
#include <string.h>

static int runRemoteLoad(HANDLE process, const char* dll) {
    SIZE_T size = strlen(dll) + 1;
    void* remoteName = VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remoteName || !WriteProcessMemory(process, remoteName, dll, size, NULL)) return -1;
    LPTHREAD_START_ROUTINE loadLibrary =
        (LPTHREAD_START_ROUTINE)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    HANDLE thread = CreateRemoteThread(process, NULL, 0, loadLibrary, remoteName, 0, NULL);
    int result = -1;
    DWORD module = 0; /* the low 32 bits of the HMODULE: 0 only for NULL */
    if (thread && WaitForSingleObject(thread, 30000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &module))
        result = module != 0;
    if (thread) CloseHandle(thread);
    VirtualFreeEx(process, remoteName, 0, MEM_RELEASE);
    return result;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: remote-load-library PID|NAME.exe DLL\n");
        return 2;
    }
    DWORD processId = findTargetProcess(argv[1]);
    if (!processId) return reportNoTarget("process", argv[1]);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (!process) return reportNoTarget("process handle", argv[1]);
    int loaded = runRemoteLoad(process, argv[2]);
    CloseHandle(process);
    if (loaded < 0) {
        fprintf(stderr, "could not run LoadLibraryA in %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    printf(loaded ? "loaded\n" : "not loaded\n");
    return 0;
}
