#include <gtest/gtest.h>

#include <string>

#include "core/colour_settings.h"
#include "temp_folder.h"

namespace quorvenda {
namespace {

using testing::TempFolder;

TEST(ColourSettings, WindowAlphaIsTheLowByteOfTwiceTheLevelPlus55) {
    const std::pair<int, int> cases[] = {{100, 255},
                                         {99, 253},
                                         {50, 155},
                                         {1, 57},
                                         {0, 55},
                                         {-1, 53},
                                         {-27, 1},
                                         {-28, 255},
                                         {101, 1},
                                         {127, 53},
                                         {128, 55},
                                         {200, 199},
                                         {228, 255},
                                         {229, 1},
                                         {1000, 7},
                                         {2147483647, 53},
                                         {-2147483647 - 1, 55}};
    for (auto [level, alpha] : cases) {
        ColourSettings s;
        s.opacityLevel = level;
        EXPECT_EQ(windowAlpha(s), alpha) << level;
    }
}

TEST(ColourSettings, HandColourTakesTheLowByteOfEachComponent) {
    const std::pair<int, unsigned> cases[] = {{255, 255}, {256, 0},  {300, 44},  {511, 255},
                                              {-1, 255},  {-256, 0}, {1000, 232}};
    for (auto [value, component] : cases) {
        EXPECT_EQ(handColour(ColourSettings{value, 0, 0, 0, 100}), component) << value;
        EXPECT_EQ(handColour(ColourSettings{0, value, 0, 0, 100}), component << 8) << value;
        EXPECT_EQ(handColour(ColourSettings{0, 0, value, 0, 100}), component << 16) << value;
    }
}

struct FileCase {
    const char* what;
    const char* bytes;  // nullptr: no file at all
    Colour colour;
    std::uint32_t flags;
    int alpha;
};

class ColourFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(ColourFileTest, ReadsFiveLines) {
    const auto& c = GetParam();
    TempFolder dir;
    if (c.bytes != nullptr) dir.write(colourSettingsFileName, c.bytes);
    const ColourSettings s = readColourSettings(dir.folder());
    EXPECT_EQ(handColour(s), c.colour) << c.what;
    EXPECT_EQ(layeredWindowFlags(s), c.flags) << c.what;
    EXPECT_EQ(windowAlpha(s), c.alpha) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ColourFileTest,
    ::testing::Values(
        FileCase{"no file", nullptr, 0x000000, 2, 255}, FileCase{"empty file", "", 0x000000, 2, 55},
        FileCase{"red, keyed, opaque", "255\r\n0\r\n0\r\n1\r\n100\r\n", 0x0000FF, 3, 255},
        FileCase{"LF only", "0\n128\n255\n1\n50\n", 0xFF8000, 3, 155},
        FileCase{"three colour lines only", "1\n2\n3\n", 0x030201, 2, 55},
        FileCase{"key 2", "0\n0\n0\n2\n100\n", 0, 2, 255}, FileCase{"key yes", "0\n0\n0\nyes\n100\n", 0, 2, 255},
        FileCase{"key empty", "0\n0\n0\n\n100\n", 0, 2, 255},
        FileCase{"key with a leading space", "0\n0\n0\n 1\n100\n", 0, 3, 255},
        FileCase{"key 01", "0\n0\n0\n01\n100\n", 0, 3, 255}, FileCase{"key +1", "0\n0\n0\n+1\n100\n", 0, 3, 255},
        FileCase{"key 1.5", "0\n0\n0\n1.5\n100\n", 0, 3, 255}, FileCase{"opacity 101", "0\n0\n0\n0\n101\n", 0, 2, 1},
        FileCase{"opacity -28", "0\n0\n0\n0\n-28\n", 0, 2, 255},
        FileCase{"opacity letters", "0\n0\n0\n0\nabc\n", 0, 2, 55},
        FileCase{"wrapped components", "256\n-1\n12abc\n", 0x0CFF00, 2, 55},
        FileCase{"UTF-8 byte-order mark",
                 "\xEF\xBB\xBF"
                 "255\n0\n0\n1\n100\n",
                 0x0000FF, 3, 255},
        FileCase{"lines after the fifth", "0\n0\n0\n0\n100\n255\n1\n77\n", 0, 2, 255},
        FileCase{"Ctrl-Z after line 3",
                 "9\n9\n9\n\x1A"
                 "1\n100\n",
                 0x090909, 2, 55}));

TEST(ColourSettings, ADirectoryInPlaceOfTheFileGivesTheDefaults) {
    TempFolder dir;
    dir.makeDirectory(colourSettingsFileName);
    const ColourSettings s = readColourSettings(dir.folder());
    EXPECT_EQ(windowAlpha(s), 255);
    EXPECT_EQ(handColour(s), black);
}

}  // namespace
}  // namespace quorvenda
