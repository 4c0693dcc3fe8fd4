#pragma once
// Bytes of a text as a file saved in UTF-8 or UTF-16 holds them, from u8"" and
// u"" literals, which -fexec-charset leaves as they are (plain literals are
// Shift-JIS).
#include <string>
#include <string_view>

namespace quorvenda::testing {

inline const std::string utf8Bom = "\xEF\xBB\xBF";
inline const std::string utf16LeBom = "\xFF\xFE";
inline const std::string utf16BeBom = "\xFE\xFF";

inline std::string utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

inline std::string utf16(std::u16string_view text, bool bigEndian = false) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace quorvenda::testing
