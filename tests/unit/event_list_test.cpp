#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/event_list.h"
#include "core/palette.h"
#include "encoded_text.h"
#include "temp_folder.h"

namespace quorvenda {
namespace {

using namespace testing;

// Joins lines with the given line end; the last line gets one too.
std::string fileOf(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
    std::string bytes;
    for (const auto& line : lines) bytes += line + eol;
    return bytes;
}

std::vector<std::string> slotLines(const std::string& name, const std::string& flags, int year, int month, int day) {
    return {name, flags, flags, std::to_string(year), std::to_string(month), std::to_string(day)};
}

// Seven events, slot s named `name` followed by s ("予定" is Shift-JIS).
std::vector<std::string> sevenSlots(const std::string& name = "予定") {
    std::vector<std::string> lines;
    for (int s = 1; s <= slotCount; ++s) {
        auto slot = slotLines(name + std::to_string(s), "1", 2007, s, s * 3);
        lines.insert(lines.end(), slot.begin(), slot.end());
    }
    return lines;
}

TEST(EventList, CrLfAndLfGiveIdenticalSlots) {
    TempFolder crlf, lf;
    crlf.write(eventListFileName, fileOf(sevenSlots(), "\r\n"));
    lf.write(eventListFileName, fileOf(sevenSlots(), "\n"));
    Slot1LineStore storeA, storeB;
    const EventSlots a = readEventList(storeA, crlf.folder());
    const EventSlots b = readEventList(storeB, lf.folder());
    for (int s = 0; s < slotCount; ++s) {
        EXPECT_EQ(a[s].name, b[s].name);
        EXPECT_EQ(a[s].name, "予定" + std::to_string(s + 1));
        EXPECT_EQ(a[s].month, s + 1);
        EXPECT_EQ(a[s].day, (s + 1) * 3);
        EXPECT_EQ(a[s].monthText, b[s].monthText);
        EXPECT_EQ(a[s].dayText, b[s].dayText);
        EXPECT_EQ(a[s].year, 2007);
        EXPECT_TRUE(a[s].showsOnDial() && b[s].showsText());
    }
}

struct FlagCase {
    const char* line;
    bool on;
};

class FlagLineTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FlagLineTest, SwitchesOnlyOnExactlyOne) {
    TempFolder dir;
    dir.write(eventListFileName, fileOf({"x", GetParam().line, GetParam().line, "2007", "5", "4"}));
    Slot1LineStore store;
    const EventSlot slot = readEventList(store, dir.folder())[0];
    EXPECT_EQ(slot.showsOnDial(), GetParam().on) << '"' << GetParam().line << '"';
    EXPECT_EQ(slot.showsText(), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Lines, FlagLineTest,
                         ::testing::Values(FlagCase{"1", true}, FlagCase{" 1", true}, FlagCase{"01", true},
                                           FlagCase{"+1", true}, FlagCase{"1 ", true}, FlagCase{"1.5", true},
                                           FlagCase{"", false}, FlagCase{"0", false}, FlagCase{"2", false},
                                           FlagCase{"-1", false}, FlagCase{"１", false}, FlagCase{"4294967297", true}));

TEST(EventList, KeepsTextsAsWritten) {
    TempFolder dir;
    dir.write(eventListFileName, fileOf({" 会議 ", "1", "1", "2007", "05", " 7"}));
    Slot1LineStore store;
    const EventSlot slot = readEventList(store, dir.folder())[0];
    EXPECT_EQ(slot.name, " 会議 ");
    EXPECT_EQ(slot.monthText, "05");
    EXPECT_EQ(slot.dayText, " 7");
    EXPECT_EQ(slot.month, 5);
    EXPECT_EQ(slot.day, 7);
}

struct ShortFileCase {
    const char* what;
    int lineCount;  // lines of sevenSlots() written
    int slotsOn;    // how many leading slots keep both flags
};

class ShortFileTest : public ::testing::TestWithParam<ShortFileCase> {};

TEST_P(ShortFileTest, MissingLinesReadAsEmpty) {
    auto lines = sevenSlots();
    lines.resize(static_cast<std::size_t>(GetParam().lineCount), "");
    TempFolder dir;
    dir.write(eventListFileName, fileOf(lines));
    Slot1LineStore store;
    const EventSlots slots = readEventList(store, dir.folder());
    for (int s = 0; s < slotCount; ++s) {
        const bool on = s < GetParam().slotsOn;
        EXPECT_EQ(slots[s].showsText(), on) << GetParam().what << " slot " << s + 1;
        if (!on && 6 * s >= GetParam().lineCount) {
            EXPECT_EQ(slots[s].name, "");
            EXPECT_EQ(slots[s].year, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ShortFileTest,
                         ::testing::Values(ShortFileCase{"six lines", 6, 1}, ShortFileCase{"flag line missing", 8, 1},
                                           ShortFileCase{"text flag there", 9, 2}, ShortFileCase{"empty", 0, 0},
                                           ShortFileCase{"fifty lines", 50, 7}));

TEST(EventList, IgnoresLinesAfterTheFortySecond) {
    auto lines = sevenSlots();
    for (int i = 0; i < 8; ++i) lines.push_back("999");
    TempFolder dir;
    dir.write(eventListFileName, fileOf(lines));
    Slot1LineStore store;
    EXPECT_EQ(readEventList(store, dir.folder())[6].day, 21);
}

TEST(EventList, ReadsAFileLongerThanOneChunk) {
    // Slot 1's name alone is larger than the biggest chunk read at once. When
    // it starts as UTF-8, telling UTF-8 from Shift-JIS reads the file past it,
    // to its end or to the first byte that is not UTF-8, and comes back.
    const std::string utf8Name = utf8(u8"予定");
    struct Row {
        std::string slot1Start, otherNames, readSlot1Start;
    };
    const Row rows[] = {
        {"予定", "予定", "予定"}, {"", "予定", ""}, {utf8Name, utf8Name, "予定"}, {utf8Name, "予定", utf8Name}};
    for (const Row& row : rows) {
        auto lines = sevenSlots(row.otherNames);
        const std::string longName(3 * 64 * 1024 + 5, 'x');
        lines[0] = row.slot1Start + longName;
        TempFolder dir;
        dir.write(eventListFileName, fileOf(lines));
        Slot1LineStore store;
        const EventSlots slots = readEventList(store, dir.folder());
        EXPECT_EQ(slots[0].name, row.readSlot1Start + longName);
        EXPECT_EQ(slots[0].day, 3);
        EXPECT_EQ(slots[6].name, "予定7");
        EXPECT_EQ(slots[6].day, 21);
    }
}

TEST(EventList, Slot1KeepsItsLastSuccessfulRead) {
    TempFolder dir;
    Slot1LineStore store;
    // Never read: everything is off.
    EXPECT_FALSE(readEventList(store, dir.folder())[0].showsText());

    dir.write(eventListFileName, fileOf(sevenSlots()));
    EXPECT_TRUE(readEventList(store, dir.folder())[3].showsText());

    struct Failure {
        const char* what;
        void (*make)(const TempFolder&);
    };
    const Failure failures[] = {
        {"file deleted", [](const TempFolder& d) { d.remove(eventListFileName); }},
        {"directory in its place",
         [](const TempFolder& d) {
             d.remove(eventListFileName);
             d.makeDirectory(eventListFileName);
         }},
    };
    for (const auto& failure : failures) {
        failure.make(dir);
        const EventSlots slots = readEventList(store, dir.folder());
        EXPECT_EQ(slots[0].name, "予定1") << failure.what;
        EXPECT_TRUE(slots[0].showsOnDial()) << failure.what;
        EXPECT_EQ(slots[0].day, 3) << failure.what;
        for (int s = 1; s < slotCount; ++s) {
            EXPECT_FALSE(slots[s].showsOnDial() || slots[s].showsText()) << failure.what << " slot " << s + 1;
            EXPECT_EQ(slots[s].name, "") << failure.what;
        }
        // The title update shares the store and sees the same slot 1.
        EXPECT_EQ(readSlot1(store, dir.folder()).name, "予定1") << failure.what;
    }

    // An empty file opens: slot 1 becomes empty, like every other slot.
    dir.remove(eventListFileName);
    dir.write(eventListFileName, "");
    EXPECT_FALSE(readEventList(store, dir.folder())[0].showsText());
    EXPECT_EQ(store.lines[0], "");
}

TEST(EventList, TitleUpdateReadsOnlySlot1IntoTheSharedStore) {
    TempFolder dir;
    dir.write(eventListFileName, fileOf(sevenSlots()));
    Slot1LineStore store;
    EXPECT_EQ(readSlot1(store, dir.folder()).month, 1);
    dir.remove(eventListFileName);
    Slot1LineStore sameStore = store;
    EXPECT_EQ(readEventList(sameStore, dir.folder())[0].name, "予定1");
}

TEST(EventList, SurvivesHostileBytes) {
    const std::string cases[] = {
        "\xEF\xBB\xBF"
        "1\r\n1\r\n",  // a byte-order mark and no name
        std::string("\0\0\0\n1\n1\n", 8),
        "\r\r\r\r",
        std::string(1, '\x82'),
        "a\n1\n1\n2007\n5\n\x1A"
        "4\n",
    };
    for (const auto& bytes : cases) {
        TempFolder dir;
        dir.write(eventListFileName, bytes);
        Slot1LineStore store;
        const EventSlots slots = readEventList(store, dir.folder());
        EXPECT_LE(slots[0].name.size(), bytes.size());
        for (int s = 1; s < slotCount; ++s) EXPECT_FALSE(slots[s].showsOnDial());
    }
    TempFolder dir;
    dir.write(eventListFileName, utf16LeBom + utf16(u"名前\r\n1\r\n1\r\n2007\r\n5\r\n\x1A"
                                                    "4\r\n"));
    Slot1LineStore store;
    const EventSlot slot = readEventList(store, dir.folder())[0];
    EXPECT_EQ(slot.name, "名前");
    EXPECT_TRUE(slot.showsText());
    EXPECT_EQ(slot.month, 5);
    EXPECT_EQ(slot.dayText, "") << "Ctrl-Z ends the file before the day line";
}

TEST(EventList, ReadsAVeryLongNameWhole) {
    TempFolder dir;
    const std::string name(5 * 1024 * 1024, 'x');
    dir.write(eventListFileName, name + "\n1\n1\n");
    Slot1LineStore store;
    const EventSlot slot = readEventList(store, dir.folder())[0];
    EXPECT_EQ(slot.name.size(), name.size());
    EXPECT_TRUE(slot.showsText());
}

TEST(EventList, SlotColoursAreFixed) {
    const Colour expected[] = {0x0000FF, 0x0096FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF};
    for (int s = 1; s <= slotCount; ++s) EXPECT_EQ(slotColour(s), expected[s - 1]) << s;
}

}  // namespace
}  // namespace quorvenda
