/* hold-file PATH SECONDS [as-spreadsheet]: opens PATH the way an editor that
   locks its file does, with no sharing at all, so that every other open of
   it fails while this program runs; with as-spreadsheet, the way a
   spreadsheet keeps its document open instead: read and write access, others
   allowed to read. Prints "holding" once the file is open, then holds it for
   SECONDS (or until killed, when the system closes the handle) and prints
   "released". Exits 1 if the file cannot be opened. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { noSharing = 0 };

int main(int argc, char** argv) {
    int asSpreadsheet = argc == 4 && strcmp(argv[3], "as-spreadsheet") == 0;
    if (argc != 3 && !asSpreadsheet) {
        fprintf(stderr, "usage: hold-file PATH SECONDS [as-spreadsheet]\n");
        return 2;
    }
    DWORD access = asSpreadsheet ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    DWORD sharing = asSpreadsheet ? FILE_SHARE_READ : noSharing;
    HANDLE file = CreateFileA(argv[1], access, sharing, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    Sleep((DWORD)strtoul(argv[2], NULL, 10) * 1000);
    CloseHandle(file);
    printf("released\n");
    return 0;
}
