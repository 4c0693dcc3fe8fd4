/* dialog-text CAPTION [CLASS TEXT]: prints the visible controls of the
   visible top-level window whose title is CAPTION, one line each: class name,
   a tab, the control's text. Shows what a message box says and which buttons
   it has, and what a file dialog's name box holds. Given CLASS and TEXT, it
   first puts TEXT into the first visible control of that class, as typing
   would (a file name with characters that xdotool cannot type into Wine).

   Caption and texts travel as UTF-16 (wide entry points) and are printed as
   UTF-8, so what is read does not depend on the ANSI code page of either
   process, nor on whether a font can show it. */
#include <windows.h>
#include <stdio.h>

enum { textCapacity = 1024, replyTimeoutMs = 2000 };

/* What to put where, for the optional set mode. */
struct NewText {
    const wchar_t* className;
    const wchar_t* text;
    BOOL done;
};

/* Writes the UTF-16 text to stdout as UTF-8. */
static void printUtf8(const wchar_t* text) {
    char utf8[4 * textCapacity];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    if (bytes > 0) fputs(utf8, stdout);
}

static BOOL CALLBACK printControl(HWND control, LPARAM param) {
    struct NewText* newText = (struct NewText*)param;
    if (!IsWindowVisible(control)) return TRUE;
    wchar_t className[256];
    wchar_t text[textCapacity];
    DWORD_PTR length = 0;
    if (!GetClassNameW(control, className, sizeof className / sizeof *className)) className[0] = L'\0';
    if (newText->className && !newText->done && lstrcmpiW(className, newText->className) == 0)
        newText->done = SendMessageTimeoutW(control, WM_SETTEXT, 0, (LPARAM)newText->text, SMTO_ABORTIFHUNG,
                                            replyTimeoutMs, &length) != 0;
    /* WM_GETTEXT, not GetWindowText: only the message reaches an edit
       control's own text in another process. */
    if (!SendMessageTimeoutW(control, WM_GETTEXT, textCapacity, (LPARAM)text, SMTO_ABORTIFHUNG, replyTimeoutMs,
                             &length))
        length = 0;
    text[length < textCapacity ? length : textCapacity - 1] = L'\0';
    printUtf8(className);
    fputs("\t", stdout);
    printUtf8(text);
    fputs("\n", stdout);
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 4) {
        fputs("usage: dialog-text CAPTION [CLASS TEXT]\n", stderr);
        return 2;
    }
    HWND window = FindWindowW(NULL, argv[1]);
    if (!window || !IsWindowVisible(window)) {
        fputs("no visible window with that title\n", stderr);
        return 2;
    }
    struct NewText newText = {argc == 4 ? argv[2] : NULL, argc == 4 ? argv[3] : NULL, FALSE};
    EnumChildWindows(window, printControl, (LPARAM)&newText);
    if (newText.className && !newText.done) {
        fputs("no visible control of that class took the text\n", stderr);
        return 1;
    }
    return 0;
}
