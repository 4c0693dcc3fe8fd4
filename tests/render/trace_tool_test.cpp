// quorvenda-trace as a user runs it: arguments in, exit code and traced lines out.
#include <gtest/gtest.h>

#include <sstream>

#include "render_test_support.h"
#include "core/utf8_from_shift_jis.h"
#include "tools/trace_arguments.h"
#include "tools/trace_run.h"

namespace quorvenda {
namespace {

using Args = std::vector<std::string>;
using testing::containsInOrder;

struct TraceRun {
    int exitCode = 0;
    std::vector<std::string> lines;
    std::string errors;
};

TraceRun trace(const Args& args) {
    std::ostringstream out, err;
    TraceRun run;
    run.exitCode = runTrace(args, out, err);
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) run.lines.push_back(line);
    run.errors = err.str();
    return run;
}

Args followedBy(Args args, const Args& extra) {
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// 10 June 2007 at noon with slot 1 on 15 June: one countdown line, the event's
// tick, its near-date tick, dotted arc and ring, then the month and day hands.
TEST(TraceTool, LaysTheDialOutForTheTextHeightOfTheTarget) {
    testing::ScratchFolder data;
    data.write("quorvendadata1.txt", testing::slotLines("会議", "1", "1", "2007", "6", "15"));
    const Args tenJune = {"--at", "2007-06-10T12:00:00", "--client", "292x406", "--dir", data.folder().directory};
    const auto with = [&](const Args& extra) { return followedBy(tenJune, extra); };
    const struct {
        const char* what;
        Args args;
        std::vector<std::string> inOrder;
    } rows[] = {
        {"16-pixel texts by default",
         tenJune,
         {"TextOut 0 374 \"2.0.6.2\"", "Ellipse 21 106 271 356", "Ellipse 30 115 262 347",
          "SelectPen PS_SOLID 3 0x0000FF", "MoveTo 117 343", "LineTo 114 351", "SelectPen PS_SOLID 3 0x0000FF",
          "MoveTo 146 328", "LineTo 146 326", "SelectPen PS_DOT 1 0x0000FF", "Arc 48 133 244 329 146 328 230 279",
          "SelectPen PS_SOLID 1 0x0000FF", "Arc 139 335 153 321 0 0 0 0", "SelectPen PS_SOLID 6 0x00FFFF",
          "MoveTo 146 231", "LineTo 135 298", "SelectPen PS_SOLID 4 0x00FF00", "MoveTo 146 231", "LineTo 230 279"}},
        {"18-pixel texts, as Wine's Japanese system font: the footer moves up, the dial stays as wide as the window",
         with({"--text-height", "18"}),
         {"TextOut 0 370 \"2.0.6.2\"", "Ellipse 21 106 271 356", "MoveTo 117 343", "LineTo 114 351",
          "SelectPen PS_SOLID 6 0x00FFFF", "MoveTo 146 231", "LineTo 135 298"}},
        {"one 60-pixel line leaves 286 pixels of height for the dial",
         with({"--text-height", "60"}),
         {"TextOut 0 286 \"2.0.6.2\"", "Ellipse 24 109 268 353", "Ellipse 32 117 260 345", "MoveTo 117 341",
          "LineTo 115 348", "Arc 50 135 242 327 146 326 229 278", "SelectPen PS_SOLID 6 0x00FFFF", "MoveTo 146 231",
          "LineTo 135 297", "SelectPen PS_SOLID 4 0x00FF00", "MoveTo 146 231", "LineTo 229 278"}},
        {"144 DPI: pens, shadows and the mark circle scaled; the dotted pen and the layout not",
         with({"--dpi", "144"}),
         {"CreatePen PS_SOLID 9 0x00FFFF", "CreatePen PS_SOLID 5 0x0000FF", "CreatePen PS_DOT 1 0x0000FF",
          "CreatePen PS_SOLID 2 0x0000FF", "TextOut 140 92 \"30\"", "TextOut 138 90 \"30\"", "Ellipse 21 106 271 356",
          "Arc 48 133 244 329 146 328 230 279", "Arc 135 339 157 317 0 0 0 0", "SelectPen PS_SOLID 9 0x00FFFF",
          "MoveTo 146 231", "LineTo 135 298"}},
        {"options in any order",
         {"--text-height", "60", "--dir", data.folder().directory, "--client", "292x406", "--at",
          "2007-06-10T12:00:00"},
         {"Ellipse 24 109 268 353", "LineTo 135 297"}},
    };
    for (const auto& row : rows) {
        const TraceRun run = trace(row.args);
        EXPECT_EQ(run.exitCode, 0) << row.what;
        EXPECT_EQ(run.errors, "") << row.what;
        EXPECT_TRUE(containsInOrder(run.lines, row.inOrder)) << row.what;
    }
}

TEST(TraceTool, ABadArgumentPrintsTheUsageLineAloneAndExitsWith2) {
    const Args good = {"--at", "2007-06-10T12:00:00", "--client", "292x406"};
    const auto with = [&](const Args& extra) { return followedBy(good, extra); };
    const struct {
        const char* what;
        Args args;
    } rows[] = {
        {"nothing", {}},
        {"no client", {"--at", "2007-06-10T12:00:00"}},
        {"no time", {"--client", "292x406"}},
        {"missing value", {"--at", "2007-06-10T12:00:00", "--client"}},
        {"repeated", with({"--client", "1x1"})},
        {"unknown option", with({"--size", "1"})},
        {"date only", {"--at", "2007-06-10", "--client", "292x406"}},
        {"space for T", {"--at", "2007-06-10 12:00:00", "--client", "292x406"}},
        {"month 13", {"--at", "2007-13-10T12:00:00", "--client", "292x406"}},
        {"31 June", {"--at", "2007-06-31T12:00:00", "--client", "292x406"}},
        {"29 February 2007", {"--at", "2007-02-29T12:00:00", "--client", "292x406"}},
        {"hour 24", {"--at", "2007-06-10T24:00:00", "--client", "292x406"}},
        {"second 60", {"--at", "2007-06-10T12:00:60", "--client", "292x406"}},
        {"signed side", {"--at", "2007-06-10T12:00:00", "--client", "-1x406"}},
        {"too wide", {"--at", "2007-06-10T12:00:00", "--client", "10001x406"}},
        {"no height", {"--at", "2007-06-10T12:00:00", "--client", "292x"}},
        {"capital X", {"--at", "2007-06-10T12:00:00", "--client", "292X406"}},
        {"empty folder", with({"--dir", ""})},
        {"text height 0", with({"--text-height", "0"})},
        {"negative text height", with({"--text-height", "-18"})},
        {"text height with a unit", with({"--text-height", "18px"})},
        {"text height beyond the largest", with({"--text-height", "10001"})},
        {"empty text height", with({"--text-height", ""})},
        {"text height without a value", with({"--text-height"})},
        {"text height twice", with({"--text-height", "18", "--text-height", "18"})},
        {"DPI 0", with({"--dpi", "0"})},
        {"DPI below 48", with({"--dpi", "47"})},
        {"DPI beyond 960", with({"--dpi", "961"})},
        {"negative DPI", with({"--dpi", "-96"})},
        {"DPI with a unit", with({"--dpi", "144dpi"})},
        {"empty DPI", with({"--dpi", ""})},
        {"DPI without a value", with({"--dpi"})},
        {"DPI twice", with({"--dpi", "96", "--dpi", "144"})},
    };
    ASSERT_EQ(trace(good).exitCode, 0);
    for (const auto& row : rows) {
        const TraceRun run = trace(row.args);
        EXPECT_EQ(run.exitCode, 2) << row.what;
        EXPECT_TRUE(run.lines.empty()) << row.what;
        EXPECT_EQ(run.errors, std::string(traceUsage) + "\n") << row.what;
    }
    const TraceRun help = trace({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.lines, std::vector<std::string>{traceUsage});
}

TEST(Utf8FromShiftJis, ConvertsTextAndReplacesWhatIsNotShiftJis) {
    EXPECT_EQ(utf8FromShiftJis("\x89\xef\x8b\x63"), "\xe4\xbc\x9a\xe8\xad\xb0");  // 会議
    EXPECT_EQ(utf8FromShiftJis("a\x82\xa0z"), "a\xe3\x81\x82z");                  // あ between ASCII
    EXPECT_EQ(utf8FromShiftJis("\xb1"), "\xef\xbd\xb1");                          // half-width katakana ｱ
    EXPECT_EQ(utf8FromShiftJis("ok\x81"), "ok\xef\xbf\xbd");                      // a lead byte cut off at the end
    EXPECT_EQ(utf8FromShiftJis("\xa0x"), "\xef\xbf\xbdx");                        // a byte that starts nothing
    EXPECT_EQ(utf8FromShiftJis("\xed\x40\x87\x90"),
              "\xe7\xba\x8a\xe2\x89\x92");                    // twin codes: 纊 (NEC-selected IBM), ≒ (NEC)
    EXPECT_EQ(utf8FromShiftJis("\x81\x60"), "\xef\xbd\x9e");  // ～ decodes full-width, as Windows, not as the wave dash
    EXPECT_EQ(utf8FromShiftJis(""), "");
    // A long name: 50,000 full-width ｂ (0x82 0x82), each three UTF-8 bytes.
    std::string expected;
    for (int i = 0; i < 50000; ++i) expected += "\xef\xbd\x82";
    EXPECT_EQ(utf8FromShiftJis(std::string(100000, '\x82')), expected);
}

}  // namespace
}  // namespace quorvenda
