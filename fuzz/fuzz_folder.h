#pragma once
// One scratch directory per fuzzing process; each input is written to the real
// file name there so that the fuzzed code opens and reads it like the clock does.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/data_file.h"

namespace quorvenda::fuzzing {

inline const DataFolder& scratchFolder() {
    static const DataFolder folder = [] {
        char pattern[] = "/tmp/quorvenda-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return DataFolder{made != nullptr ? made : "/tmp"};
    }();
    return folder;
}

inline void writeFile(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(scratchFolder().pathOf(name).c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// Takes a little-endian 32-bit value off the front of the input (zero-padded when short).
inline std::int32_t takeInt(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(size > 0 ? *data : 0) << (8 * i);
        if (size > 0) ++data, --size;
    }
    return static_cast<std::int32_t>(v);
}

}  // namespace quorvenda::fuzzing
