#include "core/colour_settings.h"

#include "core/number_value.h"
#include "core/wrapping_int.h"

namespace quorvenda {

ColourSettings readColourSettings(const DataFolder& folder) {
    auto lines = readFirstLines(folder.pathOf(colourSettingsFileName), 5);
    if (!lines) return ColourSettings{};
    const auto& l = *lines;
    return ColourSettings{numberValue(l[0]), numberValue(l[1]), numberValue(l[2]), numberValue(l[3]),
                          numberValue(l[4])};
}

Colour handColour(const ColourSettings& s) {
    return rgb(static_cast<std::uint32_t>(s.red), static_cast<std::uint32_t>(s.green),
               static_cast<std::uint32_t>(s.blue));
}

std::uint8_t windowAlpha(const ColourSettings& s) {
    return static_cast<std::uint8_t>(wrapAdd(wrapMul(2, s.opacityLevel), 55) & 0xFF);
}

std::uint32_t layeredWindowFlags(const ColourSettings& s) {
    return s.colourKey == 1 ? (layeredColourKeyFlag | layeredAlphaFlag) : layeredAlphaFlag;
}

}  // namespace quorvenda
