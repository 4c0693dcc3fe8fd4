#include "render/win32/text_font.h"

#include "core/dpi_scale.h"
#include "core/win32/utf16_from_shift_jis.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {

CGdiObject makeTextFont(GdiApi& gdi, int windowDpi, int systemDpi, UINT ansiCodePage) {
    const bool japaneseSystemFont = ansiCodePage == shiftJisCodePage;
    const bool atSystemDpi = windowDpi == systemDpi;
    if (japaneseSystemFont && atSystemDpi) return CGdiObject(gdi);
    LOGFONTW description{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof description, &description) == 0) return CGdiObject(gdi);
    if (!atSystemDpi) {
        description.lfHeight = mulDiv(description.lfHeight, windowDpi, systemDpi);
        description.lfWidth = mulDiv(description.lfWidth, windowDpi, systemDpi);
    }
    if (!japaneseSystemFont) {
        description.lfCharSet = SHIFTJIS_CHARSET;
        // The system font's own face has no Japanese glyphs; the character set chooses the face.
        description.lfFaceName[0] = L'\0';
    }
    return CGdiObject(gdi, toGdiObject(CreateFontIndirectW(&description)));
}

}  // namespace quorvenda
