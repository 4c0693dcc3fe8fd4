#pragma once
// The program's texts are Shift-JIS bytes. Where one reaches Windows it is
// converted here, from code page 932 whatever the system's ANSI code page is,
// and handed to a wide (W) entry point: an ANSI call would read the bytes in
// the system's code page, which garbles them wherever that is not 932.
#include <windows.h>

#include <climits>
#include <string>
#include <string_view>

namespace quorvenda {

inline constexpr UINT shiftJisCodePage = 932;

// Every byte is converted, NULs included (a filter list holds several
// strings). A byte that starts no valid character becomes the code page's
// default character, as it does in an ANSI call under code page 932.
inline std::wstring utf16FromShiftJis(std::string_view text) {
    const int bytes = text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
    if (bytes == 0) return {};
    // Every character of code page 932 is one UTF-16 unit, and no character is
    // shorter than a byte: the byte count is always room enough.
    std::wstring wide(static_cast<std::size_t>(bytes), L'\0');
    const int units = MultiByteToWideChar(shiftJisCodePage, 0, text.data(), bytes, wide.data(), bytes);
    wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
    return wide;
}

// A NUL-terminated Shift-JIS text, or none.
inline std::wstring utf16FromShiftJis(const char* text) {
    return text != nullptr ? utf16FromShiftJis(std::string_view(text)) : std::wstring();
}

}  // namespace quorvenda
