#pragma once
// 32-bit two's-complement arithmetic that wraps instead of overflowing.
// The file formats allow any number, so products such as day * 300 must wrap
// with defined behaviour rather than trip signed-overflow UB.
#include <cstdint>

namespace quorvenda {

constexpr std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
// Truncating division by a positive constant divisor; INT_MIN / -1 cannot occur.
constexpr std::int32_t truncDiv(std::int32_t a, std::int32_t positiveDivisor) {
    return a / positiveDivisor;
}

// Truncates a double toward zero, saturating at the 32-bit range (and NaN to 0)
// so that out-of-range coordinates never become undefined conversions.
constexpr std::int32_t truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(v);
}

}  // namespace quorvenda
