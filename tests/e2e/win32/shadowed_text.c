/* shadowed-text TEXT RRGGBB OUT.ppm [SHADOW [HEIGHT]]: draws TEXT the way the
   clock draws a line of its text panel, and writes the picture as a binary
   PPM: a white bitmap exactly as large as the text's measured extent, the
   text in black at (SHADOW, SHADOW) (default 1, the distance at 96 DPI),
   then in colour RRGGBB at (0, 0), in transparent mode.

   The font is the stock system font's own description with the Japanese
   character set, which is what Japanese text needs where the ANSI code page
   is not 932 (under Wine with code page 1252 it maps to IPAGothic). With
   HEIGHT, it is an outline (TrueType) face of that character set and that
   cell height instead, as a window at another DPI than the system's needs;
   the picture's height is the height the face realises. The
   bitmap is compatible with the screen, as the clock's off-screen bitmap is,
   so text is rendered the same way. TEXT comes as UTF-16 from the command
   line, independent of the ANSI code page. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

/* height 0: the system font's own height. */
static HFONT createJapaneseSystemFont(int height) {
    LOGFONTW description;
    if (!GetObjectW(GetStockObject(SYSTEM_FONT), sizeof description, &description)) return NULL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfFaceName[0] = L'\0'; /* the character set chooses the face */
    if (height > 0) {
        description.lfHeight = height;
        description.lfWidth = 0;
        description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    }
    return CreateFontIndirectW(&description);
}

/* Writes the bitmap selected into dc as a top-down RGB PPM. */
static int writePpm(HDC dc, HBITMAP bitmap, int width, int height, const wchar_t* path) {
    BITMAPINFO info = {0};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; /* top-down rows */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    unsigned char* rows = malloc((size_t)stride * (size_t)height);
    if (!rows || GetDIBits(dc, bitmap, 0, (UINT)height, rows, &info, DIB_RGB_COLORS) != height) {
        free(rows);
        return 0;
    }
    FILE* out = _wfopen(path, L"wb");
    if (!out) {
        free(rows);
        return 0;
    }
    fprintf(out, "P6\n%d %d\n255\n", width, height);
    for (int y = 0; y < height; ++y) {
        const unsigned char* bgr = rows + (size_t)y * (size_t)stride;
        for (int x = 0; x < width; ++x) {
            const unsigned char rgb[3] = {bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]};
            fwrite(rgb, 1, sizeof rgb, out);
        }
    }
    free(rows);
    return fclose(out) == 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc > 6 || wcslen(argv[2]) != 6) {
        fputs("usage: shadowed-text TEXT RRGGBB OUT.ppm [SHADOW [HEIGHT]]\n", stderr);
        return 2;
    }
    const wchar_t* text = argv[1];
    const int length = (int)wcslen(text);
    const unsigned long rgb = wcstoul(argv[2], NULL, 16);
    const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);

    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HFONT font = createJapaneseSystemFont(argc == 6 ? _wtoi(argv[5]) : 0);
    if (!screen || !dc || !font) {
        fputs("no screen, memory DC or font\n", stderr);
        return 1;
    }
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent;
    if (!GetTextExtentPoint32W(dc, text, length, &extent) || extent.cx <= 0 || extent.cy <= 0) {
        fputs("the text has no extent\n", stderr);
        return 1;
    }
    HBITMAP bitmap = CreateCompatibleBitmap(screen, extent.cx, extent.cy);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const RECT all = {0, 0, extent.cx, extent.cy};
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, NULL, 0, NULL);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int shadow = argc >= 5 ? _wtoi(argv[4]) : 1;
    TextOutW(dc, shadow, shadow, text, length);
    SetTextColor(dc, colour);
    TextOutW(dc, 0, 0, text, length);
    SelectObject(dc, oldBitmap);
    const int written = writePpm(dc, bitmap, extent.cx, extent.cy, argv[3]);
    SelectObject(dc, oldFont);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    if (!written) {
        fputs("could not write the picture\n", stderr);
        return 1;
    }
    return 0;
}
