#include "render/win32/text_font.h"

#include "core/dpi_scale.h"
#include "core/win32/utf16_from_shift_jis.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {

namespace {

// A face name as the program keeps texts: in code page 932.
std::string shiftJisFromUtf16(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(shiftJisCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(shiftJisCodePage, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(bytes - 1));  // less the terminating NUL
    return out;
}

// Every field of a LOGFONTW, as CreateFont takes them.
FontSpec fontSpecOf(const LOGFONTW& f) {
    return FontSpec{static_cast<int>(f.lfHeight),
                    static_cast<int>(f.lfWidth),
                    static_cast<int>(f.lfEscapement),
                    static_cast<int>(f.lfOrientation),
                    static_cast<int>(f.lfWeight),
                    f.lfItalic != 0,
                    f.lfUnderline != 0,
                    f.lfStrikeOut != 0,
                    f.lfCharSet,
                    f.lfOutPrecision,
                    f.lfClipPrecision,
                    f.lfQuality,
                    f.lfPitchAndFamily,
                    shiftJisFromUtf16(f.lfFaceName)};
}

}  // namespace

CGdiObject makeTextFont(GdiApi& gdi, int windowDpi, int systemDpi, TextEdges edges, UINT ansiCodePage) {
    const std::optional<FontSpec> description = textFontSpec(windowDpi, systemDpi, edges, ansiCodePage);
    return description ? CFont(gdi, *description) : CFont(gdi);
}

std::optional<FontSpec> textFontSpec(int windowDpi, int systemDpi, TextEdges edges, UINT ansiCodePage) {
    const bool japaneseSystemFont = ansiCodePage == shiftJisCodePage;
    const bool atSystemDpi = windowDpi == systemDpi;
    const bool hardEdges = edges == TextEdges::hard;
    if (japaneseSystemFont && atSystemDpi && !hardEdges) return std::nullopt;
    LOGFONTW description{};
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof description, &description) == 0) return std::nullopt;
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
    return fontSpecOf(description);
}

}  // namespace quorvenda
