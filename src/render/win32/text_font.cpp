#include "render/win32/text_font.h"

#include "core/dpi_scale.h"
#include "core/win32/utf16_from_shift_jis.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {

CGdiObject makeTextFont(GdiApi& gdi, int windowDpi, int systemDpi, TextEdges edges, UINT ansiCodePage) {
    const bool japaneseSystemFont = ansiCodePage == shiftJisCodePage;
    const bool atSystemDpi = windowDpi == systemDpi;
    const bool hardEdges = edges == TextEdges::hard;
    if (japaneseSystemFont && atSystemDpi && !hardEdges) return CGdiObject(gdi);
    LOGFONTW description{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof description, &description) == 0) return CGdiObject(gdi);
    // Not smoothed against the white background, which the colour key cuts out.
    if (hardEdges) description.lfQuality = NONANTIALIASED_QUALITY;
    if (!japaneseSystemFont || !atSystemDpi) {
        // The character set chooses a Japanese face; the system font's own may have no Japanese glyphs.
        description.lfCharSet = SHIFTJIS_CHARSET;
        description.lfFaceName[0] = L'\0';
    }
    if (!atSystemDpi) {
        // The system font's face is a bitmap font, which GDI scales by whole
        // multiples only: an outline face comes out at the scaled height, its
        // width as the face has it at that height.
        description.lfHeight = mulDiv(description.lfHeight, windowDpi, systemDpi);
        description.lfWidth = 0;
        description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    }
    return CGdiObject(gdi, toGdiObject(CreateFontIndirectW(&description)));
}

}  // namespace quorvenda
