#pragma once
#include <cstdint>
#include <string_view>

namespace quorvenda {

// The C atoi rule in the "C" locale: skip ASCII white space, one optional sign,
// ASCII digits up to the first other byte; no digits gives 0, and values beyond
// 32 bits wrap modulo 2^32 (with defined behaviour).
std::int32_t numberValue(std::string_view text);

}  // namespace quorvenda
