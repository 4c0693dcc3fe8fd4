#pragma once
// Every length of the clock's design is given in pixels at 96 DPI. One rule
// turns such a length into pixels of a window at another DPI, the rule Win32's
// MulDiv applies: the exact product over 96, rounded half away from zero.
#include <cstdint>

namespace quorvenda {

inline constexpr int designDpi = 96;
// The display scales a window can have, 50 % to 1000 %.
inline constexpr int lowestDpi = 48;
inline constexpr int highestDpi = 960;

// The DPI to draw at for one the system reported: a DPI outside 48..960 (0
// from a failed call, or nonsense) is taken as 96.
constexpr int usableDpi(int dpi) {
    return dpi >= lowestDpi && dpi <= highestDpi ? dpi : designDpi;
}

// number × numerator ÷ denominator as MulDiv computes it: in 64 bits, rounded
// half away from zero; -1 for a zero denominator or a result beyond 32 bits.
constexpr std::int32_t mulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = (product >= 0 ? product + half : product - half) / divisor;
    return result > INT32_MAX || result < -INT32_MAX ? -1 : static_cast<std::int32_t>(result);
}

// A length of the design in pixels of a window at `dpi`.
constexpr int scaledToDpi(int designLength, int dpi) {
    return mulDiv(designLength, dpi, designDpi);
}

}  // namespace quorvenda
