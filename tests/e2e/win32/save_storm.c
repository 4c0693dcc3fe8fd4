/* save-storm PATH COUNT SOURCE: saves SOURCE's bytes over PATH COUNT times
   as the user's editors do, taking the three ways in turn: in place (opened
   for writing, others allowed to read, truncated); by writing a temporary
   file beside PATH and renaming it over PATH; and with a backup, by writing
   the temporary file, renaming PATH away to a backup and renaming the new
   file in, which a reader's open handle allows only if it shares delete
   access. Each backup has a name of its own, PATH.N~ for the Nth save, and
   is deleted after the save, as an editor's write backup is: a rename onto
   a backup still open in the reader would be refused whatever its sharing,
   as a rename over PATH is. Prints "in-place N failed M renamed N failed M backup N failed M":
   how many saves of each way were made and how many of them were refused.
   Exits 1 if any save failed. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

enum { maxSource = 1 << 20 };

static char content[maxSource];
static DWORD contentSize;

static BOOL writeAll(const char* path, DWORD sharing) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, sharing, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content, contentSize, &written, NULL) && written == contentSize;
    return CloseHandle(file) && ok;
}

static BOOL saveInPlace(const char* path) {
    return writeAll(path, FILE_SHARE_READ);
}

static BOOL saveByRename(const char* path, const char* temporary) {
    return writeAll(temporary, 0) && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING);
}

static BOOL saveWithBackup(const char* path, const char* temporary, long save) {
    char backup[MAX_PATH];
    if (snprintf(backup, sizeof backup, "%s.%ld~", path, save) >= (int)sizeof backup) return FALSE;
    const BOOL ok = writeAll(temporary, 0) && MoveFileA(path, backup) && MoveFileExA(temporary, path, 0);
    /* A reader may still hold the backup; sharing delete access, it lets it go. */
    DeleteFileA(backup);
    return ok;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: save-storm PATH COUNT SOURCE\n");
        return 2;
    }
    FILE* source = fopen(argv[3], "rb");
    if (!source) {
        fprintf(stderr, "cannot read %s\n", argv[3]);
        return 2;
    }
    contentSize = (DWORD)fread(content, 1, sizeof content, source);
    fclose(source);
    char temporary[MAX_PATH];
    if (snprintf(temporary, sizeof temporary, "%s.saving", argv[1]) >= (int)sizeof temporary) return 2;

    enum { inPlace, renamed, withBackup, ways };
    long count = strtol(argv[2], NULL, 10);
    long made[ways] = {0}, failed[ways] = {0};
    for (long i = 0; i < count; ++i) {
        const int way = (int)(i % ways);
        BOOL ok = way == inPlace   ? saveInPlace(argv[1])
                  : way == renamed ? saveByRename(argv[1], temporary)
                                   : saveWithBackup(argv[1], temporary, i);
        ++made[way];
        if (!ok) ++failed[way];
    }
    printf("in-place %ld failed %ld renamed %ld failed %ld backup %ld failed %ld\n", made[inPlace], failed[inPlace],
           made[renamed], failed[renamed], made[withBackup], failed[withBackup]);
    return failed[inPlace] + failed[renamed] + failed[withBackup] ? 1 : 0;
}
