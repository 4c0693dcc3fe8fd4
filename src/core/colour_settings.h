#pragma once
// The colour settings file: hand colour (lines 1-3), colour-key switch (line 4),
// opacity level (line 5), each parsed with the atoi rule.
#include <cstdint>

#include "core/colour.h"
#include "core/data_file.h"
#include "core/palette.h"

namespace quorvenda {

struct ColourSettings {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t colourKey = 0;
    std::int32_t opacityLevel = 100;
};

// Defaults when the file cannot be opened; missing lines of an opened file read as 0.
ColourSettings readColourSettings(const DataFolder& folder = {});

// Each component taken as its low 8 bits.
Colour handColour(const ColourSettings& s);
// Low 8 bits of 2 * level + 55: always odd, so never wholly invisible.
std::uint8_t windowAlpha(const ColourSettings& s);

inline constexpr std::uint32_t layeredColourKeyFlag = 0x1;  // LWA_COLORKEY
inline constexpr std::uint32_t layeredAlphaFlag = 0x2;      // LWA_ALPHA
std::uint32_t layeredWindowFlags(const ColourSettings& s);

// Keyed-out colour: the dial's own background.
inline constexpr Colour colourKey = backgroundColour;

}  // namespace quorvenda
