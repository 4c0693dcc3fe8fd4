#include "core/shift_jis_table.h"

#include <array>
#include <cstddef>
#include <memory>

namespace quorvenda {

namespace {

struct CodeRun {
    char32_t firstCharacter;
    std::uint16_t firstCode;
    std::uint16_t count;
};

#include "core/shift_jis_table.inc"

using BmpTable = std::array<std::uint16_t, 0x10000>;

// The lead and trail bytes of the packed double-byte codes, in packing order.
constexpr int trailsPerLead = (0x7F - 0x40) + (0xFD - 0x80);
std::uint16_t doubleByteCodeAt(int index) {
    const int lead = index / trailsPerLead;
    const int trail = index % trailsPerLead;
    const int leadByte = lead < 0xA0 - 0x81 ? 0x81 + lead : 0xE0 + (lead - (0xA0 - 0x81));
    const int trailByte = trail < 0x7F - 0x40 ? 0x40 + trail : 0x80 + (trail - (0x7F - 0x40));
    return static_cast<std::uint16_t>(leadByte << 8 | trailByte);
}

// Unpacked once, on the first conversion: 128 KiB that only a UTF-8 or UTF-16
// data file ever touches.
std::unique_ptr<BmpTable> unpackTable() {
    auto table = std::make_unique<BmpTable>();
    std::array<std::uint8_t, 128> digitValue{};
    for (std::uint8_t value = 0; value < 64; ++value) {
        digitValue[static_cast<std::size_t>(packedAlphabet[value])] = value;
    }
    std::size_t at = 0;
    const auto nextNumber = [&at, &digitValue]() {
        std::uint32_t number = 0;
        for (int shift = 0;; shift += 5) {
            const int digit = digitValue[static_cast<std::size_t>(packedDoubleByteCodes[at++]) & 127];
            number |= static_cast<std::uint32_t>(digit & 31) << shift;
            if (digit < 32) return number;
        }
    };
    // `following` is the character after the last one placed; see make_shift_jis_table.py.
    std::uint32_t following = 0;
    int index = 0;
    while (packedDoubleByteCodes[at] != '\0') {
        const std::uint32_t number = nextNumber();
        std::uint32_t count = 1;
        if (number >= 2) {
            const std::uint32_t zigzag = number - 2;
            following += (zigzag & 1) != 0 ? ~(zigzag >> 1) : zigzag >> 1;  // modulo 2^32, as a signed step
        } else {
            count = nextNumber() + 1;
        }
        for (std::uint32_t i = 0; i < count; ++i, ++index) {
            if (number != 0) (*table)[following++ & 0xFFFF] = doubleByteCodeAt(index);
        }
    }
    for (std::uint16_t ascii = 0; ascii < 0x80; ++ascii) (*table)[ascii] = ascii;
    for (const CodeRun& run : extraCodeRuns) {
        for (std::uint16_t i = 0; i < run.count; ++i) {
            (*table)[run.firstCharacter + i] = static_cast<std::uint16_t>(run.firstCode + i);
        }
    }
    return table;
}

}  // namespace

const std::uint16_t* shiftJisCodesOfBmp() {
    static const std::unique_ptr<BmpTable> table = unpackTable();
    return table->data();
}

std::uint16_t shiftJisCodeOf(char32_t character) {
    if (character < 0x80) return static_cast<std::uint16_t>(character);
    return character <= 0xFFFF ? shiftJisCodesOfBmp()[character] : 0;
}

}  // namespace quorvenda
