/* dialog-text CAPTION: prints the visible controls of the visible top-level
   window whose title is CAPTION, one line each: class name, a tab, the
   control's text (Shift-JIS, as the program has it). Shows what a message box
   says and which buttons it has, and what a file dialog's name box holds. */
#include <windows.h>
#include <stdio.h>

enum { textCapacity = 1024, replyTimeoutMs = 2000 };

static BOOL CALLBACK printControl(HWND control, LPARAM param)
{
    (void)param;
    if (!IsWindowVisible(control))
        return TRUE;
    char className[256];
    char text[textCapacity];
    DWORD_PTR length = 0;
    if (!GetClassNameA(control, className, sizeof className))
        className[0] = '\0';
    /* WM_GETTEXT, not GetWindowText: only the message reaches an edit
       control's own text in another process. */
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, replyTimeoutMs,
                             &length))
        length = 0;
    text[length < sizeof text ? length : sizeof text - 1] = '\0';
    printf("%s\t%s\n", className, text);
    return TRUE;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: dialog-text CAPTION\n");
        return 2;
    }
    HWND window = FindWindowA(NULL, argv[1]);
    if (!window || !IsWindowVisible(window)) {
        fprintf(stderr, "no visible window titled '%s'\n", argv[1]);
        return 2;
    }
    EnumChildWindows(window, printControl, 0);
    return 0;
}
