/* gdicount PROCESS: prints the number of live GDI objects of another process.

   GetGuiResources answers 0 under Wine, but Wine keeps each process's GDI
   handle table where Windows does: the PEB points to it at offset 0xF8, it has
   65536 entries of 24 bytes, and an entry in use has a non-zero object type in
   byte 14. Counting those entries gives the live object count, stock objects
   included (they are constant, so differences are what matter). */
#include "target_process.h"

#include <winternl.h>
#include <stdio.h>
#include <stdlib.h>

enum {
    pebHandleTableOffset = 0xF8,
    handleCount = 65536,
    entrySize = 24,
    entryTypeOffset = 14,
};

static int readTableAddress(HANDLE process, ULONG_PTR* table) {
    PROCESS_BASIC_INFORMATION info;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, NULL) != 0) return 0;
    SIZE_T read = 0;
    return ReadProcessMemory(process, (const char*)info.PebBaseAddress + pebHandleTableOffset, table, sizeof *table,
                             &read) &&
           read == sizeof *table && *table != 0;
}

static long countLiveEntries(HANDLE process, ULONG_PTR table) {
    const SIZE_T tableSize = (SIZE_T)handleCount * entrySize;
    unsigned char* entries = malloc(tableSize);
    SIZE_T read = 0;
    long live = -1;
    if (entries && ReadProcessMemory(process, (LPCVOID)table, entries, tableSize, &read) && read == tableSize) {
        live = 0;
        for (SIZE_T i = 0; i < handleCount; ++i) live += entries[i * entrySize + entryTypeOffset] != 0;
    }
    free(entries);
    return live;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: gdicount PID|NAME.exe\n");
        return 2;
    }
    DWORD processId = findTargetProcess(argv[1]);
    if (!processId) return reportNoTarget("process", argv[1]);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return reportNoTarget("access to the process", argv[1]);
    ULONG_PTR table = 0;
    long live = readTableAddress(process, &table) ? countLiveEntries(process, table) : -1;
    CloseHandle(process);
    if (live < 0) return reportNoTarget("GDI handle table", argv[1]);
    printf("%ld\n", live);
    return 0;
}
