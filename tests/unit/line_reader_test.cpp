#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/line_reader.h"

namespace quorvenda {
namespace {

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
    for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(lines[i], c.expected[i]) << c.what << " line " << i + 1;
    EXPECT_EQ(lines[c.expected.size()], "") << c.what;
    EXPECT_EQ(lines[c.expected.size() + 1], "") << c.what;
}

TEST_P(LineReaderTest, GivesTheSameLinesWhateverTheChunkSize) {
    // The data files are read a chunk the size of the file at a time, so a
    // file that grows meanwhile, or a line end split between two chunks,
    // must not change a single line.
    const auto& c = GetParam();
    const int count = static_cast<int>(c.expected.size()) + 2;
    const auto whole = firstLines(c.bytes, count);
    for (const std::size_t chunkSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}}) {
        std::size_t offset = 0;
        LineReader reader(
            [&](char* buffer, std::size_t capacity) {
                EXPECT_LE(capacity, chunkSize);
                const std::size_t n = std::min(capacity, c.bytes.size() - offset);
                std::copy_n(c.bytes.data() + offset, n, buffer);
                offset += n;
                return n;
            },
            chunkSize);
        for (int i = 0; i < count; ++i) EXPECT_EQ(reader.nextLine(), whole[i]) << c.what << " chunk " << chunkSize;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, LineReaderTest,
    ::testing::Values(
        LineCase{"LF", "a\nb\n", {"a", "b"}}, LineCase{"CR LF", "a\r\nb\r\n", {"a", "b"}},
        LineCase{"last line without LF", "a\nb", {"a", "b"}},
        LineCase{"lone CRs stay", "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}},
        LineCase{"empty file", "", {}}, LineCase{"one byte", "x", {"x"}},
        LineCase{"blank lines", "\n\r\n\n", {"", "", ""}},
        LineCase{"Ctrl-Z ends the file", "a\nb\x1A" "c\nd\n", {"a", "b"}},
        LineCase{"Ctrl-Z at the start", "\x1A" "a\n", {}},
        LineCase{"NUL bytes are ordinary", std::string("a\0b\n\0\n", 6), {std::string("a\0b", 3), std::string(1, '\0')}},
        LineCase{"spaces are kept", "  x  \r\n", {"  x  "}},
        LineCase{"Shift-JIS lead byte at the end of a line", "会議\x88\r\n5\n", {"会議\x88", "5"}}));

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
