/* hold-file PATH SECONDS: opens PATH the way an editor that locks its file
   does, with no sharing at all, so that every other open of it fails while
   this program runs. Prints "holding" once the file is open, then holds it
   for SECONDS (or until killed, when the system closes the handle) and
   prints "released". Exits 1 if the file cannot be opened. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

enum { noSharing = 0 };

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: hold-file PATH SECONDS\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, noSharing, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
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
