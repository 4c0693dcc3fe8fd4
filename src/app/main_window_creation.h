#pragma once
// Where the main window opens, at every display scale, and the title it is created with. Portable, so
// that the windows standing in for the clock (the measuring baselines, the
// end-to-end tests' minimal window) open where it does, and the end-to-end
// tests take what they look for from here (tests/e2e/native/e2e_facts.cpp).

#include <optional>

#include "core/dpi_scale.h"

namespace quorvenda {

// The outer rectangle, frame included, in screen coordinates. Every start
// uses it: nothing of an earlier run's position or size is kept.
struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr WindowPlacement mainWindowPlacement{150, 100, 300, 440};

// The same place and size on a screen of `dpi`: where a 96-DPI window scaled
// by the system would stand, drawn sharp instead.
constexpr WindowPlacement mainWindowPlacementAt(int dpi) {
    const WindowPlacement& at = mainWindowPlacement;
    return {scaledToDpi(at.x, dpi), scaledToDpi(at.y, dpi), scaledToDpi(at.width, dpi), scaledToDpi(at.height, dpi)};
}

// The placement a rectangle of screen edges describes, or nothing when it is
// empty or inverted (or wider than any screen): such a suggestion leaves the
// window where it is.
constexpr std::optional<WindowPlacement> placementOfEdges(int left, int top, int right, int bottom) {
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    constexpr long long largest = 0x7FFFFFFF;
    if (width <= 0 || height <= 0 || width > largest || height > largest) return std::nullopt;
    return WindowPlacement{left, top, static_cast<int>(width), static_cast<int>(height)};
}

// Says that the title bar is rewritten every ten minutes; it stands until the first rewrite.
inline constexpr const char* creationTitle = "Quorvenda １０分毎にタイトルバーを書き直しています";

}  // namespace quorvenda
