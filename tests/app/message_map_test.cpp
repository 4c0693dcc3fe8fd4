#include "app/framework/message_map.h"

#include <gtest/gtest.h>

#include <set>

#include "app/framework/class_name.h"

namespace quorvenda::framework {
namespace {

using Map = MessageMap<int>;
using Entry = MessageMapEntry<int>;

constexpr Entry baseEntries[] = {{1, 10}, {2, 20}};
constexpr Entry derivedEntries[] = {{2, 200}, {3, 300}, {3, 301}};
const Map baseMap{nullptr, baseEntries};
const Map derivedMap{&baseMap, derivedEntries};

TEST(MessageMap, MostDerivedListingWins) {
    struct Case {
        unsigned message;
        const int* handler;
    };
    const Case cases[] = {
        {1, &baseEntries[0].handler},     // only the base lists it
        {2, &derivedEntries[0].handler},  // both list it
        {3, &derivedEntries[1].handler},  // listed twice: the first in map order
        {4, nullptr},                     // unlisted: default handling
    };
    for (const auto& c : cases) EXPECT_EQ(findHandler(&derivedMap, c.message), c.handler) << c.message;
    EXPECT_EQ(findHandler(&baseMap, 3), nullptr);
    EXPECT_EQ(findHandler<int>(nullptr, 1), nullptr);
}

TEST(MessagePoint, CoordinatesAreSignedSixteenBitHalves) {
    struct Case {
        std::uintptr_t lParam;
        int x;
        int y;
    };
    const Case cases[] = {
        {0x00050003, 3, 5},
        {0x7FFF0000, 0, 32767},
        {0xFFFDFFFF, -1, -3},  // left of and above the origin: a second monitor
        {0x80008000, -32768, -32768},
        {~std::uintptr_t{0xFFFFFFFF} | 0x00020001, 1, 2},  // bits above the low 32 say nothing
    };
    for (const auto& c : cases) {
        const MessagePoint p = pointFromLParam(static_cast<std::intptr_t>(c.lParam));
        EXPECT_EQ(p.x, c.x) << std::hex << c.lParam;
        EXPECT_EQ(p.y, c.y) << std::hex << c.lParam;
    }
}

TEST(CurrentMessage, NestedHandlingPutsTheOuterMessageBack) {
    WindowMessage current;
    {
        CurrentMessageScope close(current, {0x10, 0, 0});
        {
            // A message box's loop delivers a timer tick and a repaint meanwhile.
            CurrentMessageScope timer(current, {0x113, 1, 0});
            CurrentMessageScope paint(current, {0x0F, 0, 0});
            EXPECT_EQ(current.message, 0x0Fu);
        }
        EXPECT_EQ(current.message, 0x10u);
        EXPECT_EQ(current.wParam, 0u);
    }
    EXPECT_EQ(current.message, 0u);
}

TEST(WindowClassName, EqualValuesShareANameAndAnyDifferenceSeparates) {
    const std::string base = windowClassName(0x140000000, 3, 0x10003, 6, 0x2001f);
    EXPECT_EQ(windowClassName(0x140000000, 3, 0x10003, 6, 0x2001f), base);
    const std::set<std::string> names = {
        base,
        windowClassName(0x150000000, 3, 0x10003, 6, 0x2001f),
        windowClassName(0x140000000, 0, 0x10003, 6, 0x2001f),
        windowClassName(0x140000000, 3, 0x10005, 6, 0x2001f),
        windowClassName(0x140000000, 3, 0x10003, 7, 0x2001f),
        windowClassName(0x140000000, 3, 0x10003, 6, 0),
        // A value must not run into its neighbour: 0x1:0x23 against 0x12:0x3.
        windowClassName(0x140000000, 3, 0x1, 0x23, 0),
        windowClassName(0x140000000, 3, 0x12, 0x3, 0),
    };
    EXPECT_EQ(names.size(), 8u);
}

TEST(WindowClassName, LargestValuesFitAClassName) {
    const std::string name = windowClassName(UINTPTR_MAX, ~0u, UINTPTR_MAX, UINTPTR_MAX, UINTPTR_MAX);
    EXPECT_LT(name.size(), 256u);
    EXPECT_EQ(name.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace quorvenda::framework
