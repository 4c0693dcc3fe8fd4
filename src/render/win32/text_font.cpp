#include "render/win32/text_font.h"

#include "core/win32/utf16_from_shift_jis.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {

CGdiObject makeTextFont(GdiApi& gdi, UINT ansiCodePage) {
    if (ansiCodePage == shiftJisCodePage) return CGdiObject(gdi);
    LOGFONTW description{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof description, &description) == 0) return CGdiObject(gdi);
    description.lfCharSet = SHIFTJIS_CHARSET;
    // The system font's own face has no Japanese glyphs; the character set chooses the face.
    description.lfFaceName[0] = L'\0';
    return CGdiObject(gdi, toGdiObject(CreateFontIndirectW(&description)));
}

}  // namespace quorvenda
