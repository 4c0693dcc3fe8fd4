#pragma once
// Shift-JIS (code page 932) text as UTF-8, for the platforms whose text
// interfaces take UTF-8 (GTK, Pango, the trace tool's output).
#include <string>
#include <string_view>

namespace quorvenda {

// Decodes through the inverse of the core's own Shift-JIS table. A byte that
// starts no valid character becomes U+FFFD and the conversion goes on after it.
std::string utf8FromShiftJis(std::string_view shiftJis);

}  // namespace quorvenda
