#pragma once
#include <cstdint>

namespace quorvenda {

// A Windows COLORREF: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour white = rgb(255, 255, 255);

}  // namespace quorvenda
