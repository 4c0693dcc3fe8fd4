/* text-extent TEXT: prints "width height" of TEXT in the system font, measured
   with GetTextExtentPoint32A on a screen device context as the clock measures
   its texts, so the tests lay the dial out with the fonts this machine has. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: text-extent TEXT\n");
        return 2;
    }
    HDC screen = GetDC(NULL);
    SIZE extent;
    if (!screen || !GetTextExtentPoint32A(screen, argv[1], (int)strlen(argv[1]), &extent)) {
        fprintf(stderr, "text-extent: cannot measure\n");
        return 1;
    }
    ReleaseDC(NULL, screen);
    printf("%ld %ld\n", extent.cx, extent.cy);
    return 0;
}
