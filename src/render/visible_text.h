#pragma once
// How much of a countdown line is worth handing to the text calls. A line
// starts at the window's left edge and is cut off at its right edge; no window
// is 64 KiB of glyphs wide, so a longer line (a name of many megabytes) is cut
// there instead of being measured and drawn whole, which would stall every
// repaint inside the platform's text calls. Its height is unchanged.
#include <cstddef>
#include <string>

namespace quorvenda {

inline constexpr std::size_t maxVisibleTextBytes = 64 * 1024;

// The longest prefix of at most maxVisibleTextBytes that ends on a Shift-JIS character boundary.
std::string visibleText(std::string text);

}  // namespace quorvenda
