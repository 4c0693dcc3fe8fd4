#pragma once
// Every fixed colour of the dial, in one place: the colours of the event
// slots, the date hands, the day labels, the footer lines, the text shadows
// and the background. The hand colour alone comes from the colour settings
// file. The end-to-end tests look for these colours on the screen and take
// them from here too (tests/e2e/native/e2e_facts.cpp).
#include <array>

#include "core/colour.h"
#include "core/event_list.h"

namespace quorvenda {

// Slots 1 to 7: red, orange, yellow, green, cyan, blue, magenta. A slot's
// countdown line, dial tick, near-date marks and arc are all in its colour.
inline constexpr std::array<Colour, slotCount> slotColours{
    rgb(255, 0, 0),   rgb(255, 150, 0), rgb(255, 255, 0), rgb(0, 255, 0),
    rgb(0, 255, 255), rgb(0, 0, 255),   rgb(255, 0, 255),
};

// The colour of slot 1..7; black for any other number.
constexpr Colour slotColour(int slot) {
    return slot >= 1 && slot <= slotCount ? slotColours[static_cast<std::size_t>(slot - 1)] : black;
}

inline constexpr Colour monthHandColour = rgb(255, 255, 0);
inline constexpr Colour dayHandColour = rgb(0, 255, 0);
inline constexpr Colour dayLabelColour = rgb(0, 255, 0);
// The web-address and version lines at the bottom left.
inline constexpr Colour footerColour = rgb(250, 160, 160);
// Under every shadowed text, one pixel right and down.
inline constexpr Colour shadowColour = black;
// The off-screen bitmap's fill, the colour the colour key makes see-through.
inline constexpr Colour backgroundColour = white;

}  // namespace quorvenda
