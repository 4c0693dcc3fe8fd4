// The trace tool's command line and its text conversion.
#include <gtest/gtest.h>

#include "tools/shift_jis_text.h"
#include "tools/trace_arguments.h"

namespace quorvenda {
namespace {

using Args = std::vector<std::string>;

TEST(TraceArguments, AcceptsTheDocumentedFormsInAnyOrder) {
    const auto a = parseTraceArguments({"--at", "2007-06-10T12:34:56", "--client", "292x406"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->at.year, 2007);
    EXPECT_EQ(a->at.month, 6);
    EXPECT_EQ(a->at.day, 10);
    EXPECT_EQ(a->at.hour, 12);
    EXPECT_EQ(a->at.minute, 34);
    EXPECT_EQ(a->at.second, 56);
    EXPECT_EQ(a->at.weekday, 1) << "10 June 2007 was a Sunday";
    EXPECT_EQ(a->clientWidth, 292);
    EXPECT_EQ(a->clientHeight, 406);
    EXPECT_EQ(a->directory, "");

    const auto b = parseTraceArguments({"--dir", "/tmp/x", "--client", "0x10000", "--at", "2008-02-29T00:00:00"});
    ASSERT_TRUE(b);
    EXPECT_EQ(b->directory, "/tmp/x");
    EXPECT_EQ(b->clientWidth, 0);
    EXPECT_EQ(b->clientHeight, 10000);
    EXPECT_EQ(b->at.weekday, 6) << "a Friday";
}

TEST(TraceArguments, RejectsAnythingElse) {
    const Args good = {"--at", "2007-06-10T12:00:00", "--client", "292x406"};
    const struct {
        const char* what;
        Args args;
    } cases[] = {
        {"nothing", {}},
        {"no client", {"--at", "2007-06-10T12:00:00"}},
        {"no time", {"--client", "292x406"}},
        {"missing value", {"--at", "2007-06-10T12:00:00", "--client"}},
        {"repeated", {"--at", "2007-06-10T12:00:00", "--client", "292x406", "--client", "1x1"}},
        {"unknown option", {"--at", "2007-06-10T12:00:00", "--client", "292x406", "--size", "1"}},
        {"date only", {"--at", "2007-06-10", "--client", "292x406"}},
        {"space for T", {"--at", "2007-06-10 12:00:00", "--client", "292x406"}},
        {"month 13", {"--at", "2007-13-10T12:00:00", "--client", "292x406"}},
        {"31 June", {"--at", "2007-06-31T12:00:00", "--client", "292x406"}},
        {"29 February 2007", {"--at", "2007-02-29T12:00:00", "--client", "292x406"}},
        {"hour 24", {"--at", "2007-06-10T24:00:00", "--client", "292x406"}},
        {"second 60", {"--at", "2007-06-10T12:00:60", "--client", "292x406"}},
        {"signed number", {"--at", "2007-06-10T12:00:00", "--client", "-1x406"}},
        {"too wide", {"--at", "2007-06-10T12:00:00", "--client", "10001x406"}},
        {"no height", {"--at", "2007-06-10T12:00:00", "--client", "292x"}},
        {"capital X", {"--at", "2007-06-10T12:00:00", "--client", "292X406"}},
        {"empty folder", {"--at", "2007-06-10T12:00:00", "--client", "292x406", "--dir", ""}},
    };
    ASSERT_TRUE(parseTraceArguments(good));
    for (const auto& c : cases) EXPECT_FALSE(parseTraceArguments(c.args)) << c.what;
}

TEST(ShiftJisToUtf8, ConvertsTextAndReplacesWhatIsNotShiftJis) {
    EXPECT_EQ(shiftJisToUtf8("\x89\xef\x8b\x63"), "\xe4\xbc\x9a\xe8\xad\xb0");  // 会議
    EXPECT_EQ(shiftJisToUtf8("a\x82\xa0z"), "a\xe3\x81\x82z");                // あ between ASCII
    EXPECT_EQ(shiftJisToUtf8("\xb1"), "\xef\xbd\xb1");                        // half-width katakana ｱ
    EXPECT_EQ(shiftJisToUtf8("ok\x81"), "ok\xef\xbf\xbd");                    // a lead byte cut off at the end
    EXPECT_EQ(shiftJisToUtf8("\xa0x"), "\xef\xbf\xbdx");                      // a byte that starts nothing
    EXPECT_EQ(shiftJisToUtf8(""), "");
    const std::string longText(100000, '\x82');
    EXPECT_FALSE(shiftJisToUtf8(longText).empty());
}

}  // namespace
}  // namespace quorvenda
