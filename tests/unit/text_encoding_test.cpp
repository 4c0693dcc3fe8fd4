#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shift_jis_table.h"
#include "core/text_encoding.h"

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

TextEncoding encodingOf(const std::string& bytes) {
    return detectEncoding(bytes, true, nullptr, 1).encoding;
}

TEST(EncodingDetection, OrdinaryShiftJisTextIsNeverTakenForUtf8) {
    // Shift-JIS event lists as users write them, CR LF: kana, kanji (JIS
    // levels 1 and 2, NEC and IBM extensions), half-width katakana, full-width
    // digits and space, and every single double-byte character as a name.
    std::vector<std::string> names = {
        "会議", "打ち合わせ", "誕生日", "締め切り", "ミーティング", "カラオケ大会", "健康診断", "東京出張",
        "①資料提出", "Ⅱ期", "ABCセミナー", "　全角", "１２月", "麒麟", "齋藤", "髙橋", "﨑", "爲", "薔薇",
        "鸚鵡", "鶯", "ｶｲｷﾞ", "ﾐｰﾃｨﾝｸﾞ", "ﾃﾞｰﾄ", "ﾗﾝﾁ", "ﾊﾟｰﾃｨｰ", "ﾄﾞﾗｲﾌﾞ", "ｺﾝｻｰﾄ", "ﾒｰﾙ", "ｽｰﾊﾟｰ"};
    for (int lead = 0x81; lead <= 0xFC; lead = lead == 0x9F ? 0xE0 : lead + 1) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F) names.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    for (const std::string& name : names) {
        const std::string file = name + "\r\n1\r\n1\r\n2026\r\n12\r\n24\r\n" + name + "\r\n0\r\n1\r\n2027\r\n１\r\n5日\r\n";
        EXPECT_EQ(encodingOf(file), TextEncoding::shiftJis) << name;
    }
    // The one ambiguity: a name of nothing but half-width katakana in pairs
    // that happen to spell UTF-8 characters (ﾒｰ is U+04B0).
    EXPECT_EQ(encodingOf("ﾒｰ\r\n1\r\n1\r\n"), TextEncoding::utf8);
}

}  // namespace
}  // namespace quorvenda
