#include <gtest/gtest.h>

#include <cstdint>

#include "core/shift_jis_table.h"

namespace quorvenda {
namespace {

TEST(ShiftJisTable, GivesTheCodeWindowsGives) {
    struct Row {
        char32_t character;
        std::uint16_t code;  // 0: no Shift-JIS form
    };
    const Row rows[] = {
        {U'あ', 0x82A0}, {U'会', 0x89EF}, {U'ｶ', 0xB6}, {U'｡', 0xA1}, {U'ﾟ', 0xDF}, {U'Ω', 0x83B6},
        {U'≒', 0x81E0},  // also NEC row 13 (8790): the JIS X 0208 code wins
        {U'Ⅰ', 0x8754},  // also an IBM extension (FA4A): NEC row 13 wins
        {U'纊', 0xFA5C}, {U'ⅰ', 0xFA40},  // also NEC-selected (ED40, EEEF): the IBM extension wins
        {U'￢', 0x81CA}, {U'∵', 0x81E6},  // three codes each: the JIS X 0208 one
        {U'〜', 0x8160}, {U'¬', 0x81CA},  // JIS forms of characters Microsoft maps elsewhere
        {U'\uE000', 0xF040}, {U'\uE757', 0xF9FC},  // user-defined characters
        {U'\u0080', 0x80}, {U'\uF8F0', 0xA0}, {U'\uF8F3', 0xFF},
        {U'¥', 0}, {U'é', 0}, {U'€', 0}, {U'\uFEFF', 0}, {U'\uFFFD', 0}, {U'\uE758', 0}, {U'😀', 0}, {0x110000, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(shiftJisCodeOf(row.character), row.code) << std::hex << static_cast<unsigned>(row.character);
    }
}

}  // namespace
}  // namespace quorvenda
