#pragma once
#include <string>
#include <string_view>

namespace quorvenda {

// Shift-JIS (code page 932) bytes as UTF-8. A byte that starts no valid
// character becomes U+FFFD and the conversion goes on after it.
std::string shiftJisToUtf8(std::string_view text);

}  // namespace quorvenda
