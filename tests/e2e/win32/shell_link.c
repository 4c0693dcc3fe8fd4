/* shell-link LINK.lnk: prints what the shortcut starts, as Explorer reads it
   through IShellLinkW, one line each in UTF-8: the target, the working
   folder, the arguments. Windows paths, as the shortcut holds them. */
#define COBJMACROS
#include <windows.h>
#include <shlobj.h>
#include <stdio.h>

static void printUtf8Line(const wchar_t* text) {
    char utf8[4 * MAX_PATH];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL) > 0) fputs(utf8, stdout);
    fputs("\n", stdout);
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        fputs("usage: shell-link LINK.lnk\n", stderr);
        return 2;
    }
    if (FAILED(CoInitialize(NULL))) return 1;
    IShellLinkW* link = NULL;
    IPersistFile* file = NULL;
    wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"", arguments[MAX_PATH] = L"";
    HRESULT result = CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkW, (void**)&link);
    if (SUCCEEDED(result)) result = IShellLinkW_QueryInterface(link, &IID_IPersistFile, (void**)&file);
    if (SUCCEEDED(result)) result = IPersistFile_Load(file, argv[1], STGM_READ);
    /* Raw path: the target as written, not resolved against this machine. */
    if (SUCCEEDED(result)) result = IShellLinkW_GetPath(link, target, MAX_PATH, NULL, SLGP_RAWPATH);
    if (SUCCEEDED(result)) result = IShellLinkW_GetWorkingDirectory(link, folder, MAX_PATH);
    if (SUCCEEDED(result)) result = IShellLinkW_GetArguments(link, arguments, MAX_PATH);
    if (file) IPersistFile_Release(file);
    if (link) IShellLinkW_Release(link);
    CoUninitialize();
    if (FAILED(result)) {
        fprintf(stderr, "shell-link: cannot read the shortcut (0x%08lx)\n", (unsigned long)result);
        return 1;
    }
    printUtf8Line(target);
    printUtf8Line(folder);
    printUtf8Line(arguments);
    return 0;
}
