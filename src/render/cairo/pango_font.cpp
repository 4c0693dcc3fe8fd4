#include "render/cairo/pango_font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/utf8_from_shift_jis.h"

namespace quorvenda {

namespace {

constexpr const char* japanese = "ja";
constexpr const char* fallbackFamily = "Sans";
constexpr int normalWeight = 400;
constexpr int lightestWeight = 100;
constexpr int boldestWeight = 1000;
// Heights beyond a screen's worth are clamped: Pango lays such fonts out at
// great cost and nothing of them would show.
constexpr int largestPixelHeight = 4096;
constexpr int measuringPixelHeight = 100;
constexpr double pointsPerInch = 72.0;
constexpr double defaultDesktopPoints = 10.0;

int gdiWeight(int weight) {
    return weight <= 0 ? normalWeight : std::clamp(weight, lightestWeight, boldestWeight);
}

bool coversJapanese(FcPattern* font) {
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch) return false;
    return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(japanese)) != FcLangDifferentLang;
}

// The family fontconfig matches for `family` with Japanese glyphs; empty when none.
std::string matchedFamily(const std::string& family, int weight, bool italic) {
    FcPatternPtr pattern(FcPatternCreate());
    if (!pattern) return {};
    if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(japanese));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    FcPatternPtr font(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* name = nullptr;
    if (!font || !coversJapanese(font.get()) || FcPatternGetString(font.get(), FC_FAMILY, 0, &name) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(name);
}

}  // namespace

int desktopFontPixelHeight(const PangoFontDescription* setting, int dpi, int scaleFactor) {
    const double size = pango_font_description_get_size(setting) / static_cast<double>(PANGO_SCALE);
    double pixels = 0;
    if (size <= 0) {
        pixels = defaultDesktopPoints * dpi / pointsPerInch;
    } else if (pango_font_description_get_size_is_absolute(setting)) {
        pixels = size * scaleFactor;
    } else {
        pixels = size * dpi / pointsPerInch;
    }
    return static_cast<int>(std::clamp(std::lround(pixels), 1L, static_cast<long>(largestPixelHeight)));
}

const std::string& JapaneseFontResolver::japaneseFamily(const std::string& family, int weight, bool italic) {
    const std::string key = family + '\n' + std::to_string(weight) + (italic ? "i" : "r");
    auto it = families_.find(key);
    if (it != families_.end()) return it->second;
    std::string resolved = matchedFamily(family, weight, italic);
    if (resolved.empty()) resolved = matchedFamily({}, weight, italic);  // the face asked for has no Japanese
    if (resolved.empty()) resolved = fallbackFamily;
    return families_.emplace(key, std::move(resolved)).first->second;
}

double JapaneseFontResolver::cellPerEm(const PangoFontDescription* description) {
    const std::string family = pango_font_description_get_family(description);
    auto it = cellRatios_.find(family);
    if (it != cellRatios_.end()) return it->second;
    PangoFontDescriptionPtr probe(pango_font_description_copy(description));
    pango_font_description_set_absolute_size(probe.get(), measuringPixelHeight * PANGO_SCALE);
    PangoFontMetricsPtr metrics(pango_context_get_metrics(context_, probe.get(), pango_language_from_string(japanese)));
    double ratio = 1;
    if (metrics) {
        const int cell = pango_font_metrics_get_ascent(metrics.get()) + pango_font_metrics_get_descent(metrics.get());
        if (cell > 0) ratio = static_cast<double>(cell) / (measuringPixelHeight * PANGO_SCALE);
    }
    return cellRatios_.emplace(family, ratio).first->second;
}

PangoFontDescriptionPtr JapaneseFontResolver::describe(const std::string& family, int height, int weight, bool italic,
                                                       int defaultPixelHeight) {
    weight = gdiWeight(weight);
    PangoFontDescriptionPtr description(pango_font_description_new());
    pango_font_description_set_family(description.get(), japaneseFamily(family, weight, italic).c_str());
    pango_font_description_set_weight(description.get(), static_cast<PangoWeight>(weight));
    pango_font_description_set_style(description.get(), italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    // Widened first: the magnitude of INT_MIN is no int.
    const long long wideHeight = height;
    double em = wideHeight == 0 ? defaultPixelHeight : static_cast<double>(std::llabs(wideHeight));
    if (wideHeight > 0) em /= cellPerEm(description.get());
    em = std::clamp(em, 1.0, static_cast<double>(largestPixelHeight));
    pango_font_description_set_absolute_size(description.get(), em * PANGO_SCALE);
    return description;
}

PangoFontDescriptionPtr JapaneseFontResolver::fontFor(const FontSpec& requested, int defaultPixelHeight) {
    return describe(utf8FromShiftJis(requested.faceName), requested.height, requested.weight, requested.italic,
                    defaultPixelHeight);
}

PangoFontDescriptionPtr JapaneseFontResolver::fontFor(const std::string& family, int pixelHeight) {
    return describe(family, -std::clamp(pixelHeight, 1, largestPixelHeight), normalWeight, false, pixelHeight);
}

}  // namespace quorvenda
