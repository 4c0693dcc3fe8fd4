// shift-jis-table-check: compares the clock's own Unicode-to-Shift-JIS table,
// built as the Windows program builds it, with WideCharToMultiByte(932) for
// every character of U+0080 to U+FFFF. Where Windows converts a character and
// back unchanged, the codes must be equal; elsewhere the table may only give
// what Windows' best fit gives, or the JIS X 0208 form of the three
// characters that Microsoft's table maps to other code points. Prints the
// count and the first mismatches; exits 1 on any.
#include <windows.h>

#include <cstdio>

#include "core/shift_jis_table.h"

namespace {

// The code WideCharToMultiByte gives, or 0 when it falls back to the default character.
unsigned windowsCode(wchar_t character, DWORD flags) {
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(932, flags, &character, 1, bytes, 2, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return 0;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    return n == 2 ? (lead << 8 | static_cast<unsigned char>(bytes[1])) : lead;
}

bool isJisForm(unsigned character, unsigned code) {
    return (character == 0x2016 && code == 0x8161) || (character == 0x2212 && code == 0x817C) ||
           (character == 0x301C && code == 0x8160);
}

}  // namespace

int main() {
    int mismatches = 0, roundTrips = 0;
    for (unsigned character = 0x80; character <= 0xFFFF; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF) continue;
        const unsigned ours = quorvenda::shiftJisCodeOf(static_cast<char32_t>(character));
        const unsigned exact = windowsCode(static_cast<wchar_t>(character), WC_NO_BEST_FIT_CHARS);
        const unsigned bestFit = windowsCode(static_cast<wchar_t>(character), 0);
        roundTrips += exact != 0;
        const bool agrees = exact != 0 ? ours == exact : ours == 0 || ours == bestFit || isJisForm(character, ours);
        if (!agrees && ++mismatches <= 20) {
            std::printf("U+%04X: table %04X, Windows %04X (best fit %04X)\n", character, ours, exact, bestFit);
        }
    }
    std::printf("%d characters Windows converts and back, %d mismatches\n", roundTrips, mismatches);
    return mismatches == 0 ? 0 : 1;
}
