#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/line_reader.h"
#include "encoded_text.h"

namespace quorvenda {
namespace {

using namespace testing;

std::vector<std::string> firstLines(const std::string& bytes, int count) {
    LineReader reader = lineReaderOver(bytes);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(reader.nextLine());
    return lines;
}

struct LineCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> expected;  // the first lines; further lines must read as empty
};

class LineReaderTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderTest, AppliesTextModeRules) {
    const auto& c = GetParam();
    const int count = static_cast<int>(c.expected.size()) + 2;
    auto lines = firstLines(c.bytes, count);
    for (std::size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_EQ(lines[i], c.expected[i]) << c.what << " line " << i + 1;
    EXPECT_EQ(lines[c.expected.size()], "") << c.what;
    EXPECT_EQ(lines[c.expected.size() + 1], "") << c.what;
}

TEST_P(LineReaderTest, GivesTheSameLinesWhateverTheChunkSize) {
    // The data files are read a chunk the size of the file at a time, so a
    // file that grows meanwhile, or a line end or a character split between
    // two chunks, must not change a single line; nor must telling the
    // encoding from a first chunk too short to decide.
    const auto& c = GetParam();
    const int count = static_cast<int>(c.expected.size()) + 2;
    const auto whole = firstLines(c.bytes, count);
    for (const std::size_t chunkSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}}) {
        std::size_t offset = 0;
        LineReader reader(TextSource{[&](char* buffer, std::size_t capacity) {
                                         EXPECT_LE(capacity, chunkSize);
                                         const std::size_t n = std::min(capacity, c.bytes.size() - offset);
                                         std::copy_n(c.bytes.data() + offset, n, buffer);
                                         offset += n;
                                         return n;
                                     },
                                     [&](std::uint64_t to) {
                                         offset = static_cast<std::size_t>(to);
                                         return true;
                                     },
                                     c.bytes.size()},
                          chunkSize);
        for (int i = 0; i < count; ++i) EXPECT_EQ(reader.nextLine(), whole[i]) << c.what << " chunk " << chunkSize;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, LineReaderTest,
    ::testing::Values(LineCase{"LF", "a\nb\n", {"a", "b"}}, LineCase{"CR LF", "a\r\nb\r\n", {"a", "b"}},
                      LineCase{"last line without LF", "a\nb", {"a", "b"}},
                      LineCase{"lone CRs stay", "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}}, LineCase{"empty file", "", {}},
                      LineCase{"one byte", "x", {"x"}}, LineCase{"blank lines", "\n\r\n\n", {"", "", ""}},
                      LineCase{"Ctrl-Z ends the file",
                               "a\nb\x1A"
                               "c\nd\n",
                               {"a", "b"}},
                      LineCase{"Ctrl-Z at the start",
                               "\x1A"
                               "a\n",
                               {}},
                      LineCase{"NUL bytes are ordinary",
                               std::string("a\0b\n\0\n", 6),
                               {std::string("a\0b", 3), std::string(1, '\0')}},
                      LineCase{"spaces are kept", "  x  \r\n", {"  x  "}},
                      LineCase{"Shift-JIS lead byte at the end of a line", "会議\x88\r\n5\n", {"会議\x88", "5"}},
                      // Saved as UTF-8 or UTF-16: the same rules over the text converted to Shift-JIS.
                      LineCase{"UTF-8 with BOM", utf8Bom + utf8(u8"会議\r\n5月\r\n"), {"会議", "5月"}},
                      LineCase{"UTF-8 without BOM", utf8(u8"1\nｶｲｷﾞ①\n"), {"1", "ｶｲｷﾞ①"}},
                      LineCase{"UTF-16 LE, CR LF", utf16LeBom + utf16(u"会議\r\n 5\r\n"), {"会議", " 5"}},
                      LineCase{"UTF-16 BE, a lone CR stays", utf16BeBom + utf16(u"予定\r\r\n", true), {"予定\r"}},
                      LineCase{"UTF-8 BOM alone", utf8Bom, {}}, LineCase{"UTF-16 BOM alone", utf16BeBom, {}},
                      LineCase{"UTF-16 of an odd byte count", utf16LeBom + utf16(u"a\n") + "b", {"a", "?"}},
                      LineCase{"unpaired surrogates",
                               utf16LeBom + utf16(u"\xDC00"
                                                  "a\xD800\n\xD800"),
                               {"?a?", "?"}},
                      LineCase{"no Shift-JIS form", utf8Bom + utf8(u8"é€😀〜\n"), {"???～"}},
                      LineCase{"invalid UTF-8 after a BOM",
                               utf8Bom + "a\xFF"
                                         "b\xE3\x81\n\xF0\x9F",
                               {"a?b?", "?"}},
                      LineCase{"Ctrl-Z in UTF-16",
                               utf16LeBom + utf16(u"a\n\x1A"
                                                  "b\n"),
                               {"a"}},
                      LineCase{"UTF-8 cut short stays Shift-JIS", "a\n\xE4\xBC", {"a", "\xE4\xBC"}},
                      LineCase{"UTF-8 after Shift-JIS stays as read", "会\n" + utf8(u8"議\n"), {"会", utf8(u8"議")}},
                      LineCase{"UTF-8 after a chunk of ASCII",
                               std::string(70000, 'x') + utf8(u8"\n会議"),
                               {std::string(70000, 'x'), "会議"}}));

TEST(LineReader, NeverTakesOrdinaryShiftJisTextForUtf8) {
    // Shift-JIS event lists as users write them, CR LF: kana, kanji (JIS
    // levels 1 and 2, NEC and IBM extensions), half-width katakana, full-width
    // digits and space, and every single double-byte character as a name.
    std::vector<std::string> names = {"会議",     "打ち合わせ", "誕生日",    "締め切り", "ミーティング", "カラオケ大会",
                                      "健康診断", "東京出張",   "①資料提出", "Ⅱ期",      "ABCセミナー",  "　全角",
                                      "１２月",   "麒麟",       "齋藤",      "髙橋",     "﨑",           "爲",
                                      "薔薇",     "鸚鵡",       "鶯",        "ｶｲｷﾞ",     "ﾐｰﾃｨﾝｸﾞ",      "ﾃﾞｰﾄ",
                                      "ﾗﾝﾁ",      "ﾊﾟｰﾃｨｰ",     "ﾄﾞﾗｲﾌﾞ",    "ｺﾝｻｰﾄ",    "ﾒｰﾙ",          "ｽｰﾊﾟｰ"};
    for (int lead = 0x81; lead <= 0xFC; lead = lead == 0x9F ? 0xE0 : lead + 1) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F) names.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    for (const std::string& name : names) {
        const std::vector<std::string> lines = {name, "1", "1", "2026", "12", "24",
                                                name, "0", "1", "2027", "１", "5日"};
        std::string file;
        for (const auto& line : lines) file += line + "\r\n";
        EXPECT_EQ(firstLines(file, 12), lines) << name;
    }
    // Half-width katakana in pairs that spell two-byte UTF-8 characters (ﾒｰ
    // is D2 B0, U+04B0) stay Shift-JIS; the same name saved as UTF-8 is read as such.
    EXPECT_EQ(firstLines("ﾒｰ\r\n1\r\n", 1)[0], "ﾒｰ");
    EXPECT_EQ(firstLines("\xEF\xBE\x92\xEF\xBD\xB0\r\n1\r\n", 1)[0], "ﾒｰ");
}

TEST(LineReader, HandlesLinesLongerThanItsBuffer) {
    const std::string longLine(3 * 64 * 1024 + 17, 'x');
    auto lines = firstLines(longLine + "\r\n" + "next", 3);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "next");
    EXPECT_EQ(lines[2], "");
}

TEST(LineReader, DropsACrWhoseLfArrivesInTheNextChunk) {
    // The CR is the last byte of the first 64 KiB chunk, the LF the first of the next.
    const std::string first(64 * 1024 - 1, 'a');
    auto lines = firstLines(first + "\r\nb", 2);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], "b");
}

TEST(LineReader, TreatsAReadErrorAsTheEndOfTheFile) {
    int calls = 0;
    LineReader reader([&calls](char* buffer, std::size_t) -> std::size_t {
        if (++calls > 1) return 0;  // the second read fails
        buffer[0] = 'a';
        buffer[1] = '\n';
        buffer[2] = 'b';
        return 3;
    });
    EXPECT_EQ(reader.nextLine(), "a");
    EXPECT_EQ(reader.nextLine(), "b");
    EXPECT_EQ(reader.nextLine(), "");
    EXPECT_EQ(calls, 2) << "after the failure nothing more is read";
}

}  // namespace
}  // namespace quorvenda
