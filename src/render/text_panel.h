#pragma once
// The texts of a repaint: the countdown lines stacked at the top left, the
// two footer lines at the bottom left and the clock texts at the bottom right.
#include <array>
#include <optional>
#include <string>

#include "core/calendar.h"
#include "core/colour.h"
#include "core/event_list.h"
#include "quorvenda_version.h"
#include "render/dial_layout.h"
#include "render/gdi_objects.h"

namespace quorvenda {

using CountdownTexts = std::array<std::optional<std::string>, slotCount>;  // only slots with a countdown line

struct TextPanelInputs {
    const CountdownTexts& countdownTexts;
    const DialLayout& layout;
    const CalendarSnapshot& snapshot;
    Colour handColour;
};

// Extents are measured on `measuring` (the window's device context); the texts are drawn on `offscreen`.
void drawTextPanel(CDC& offscreen, const CDC& measuring, const TextPanelInputs& inputs);

inline constexpr const char* webAddressLine = "http://www.quorvenda.example/";
inline constexpr const char* versionLine = QUORVENDA_VERSION_TEXT;

}  // namespace quorvenda
