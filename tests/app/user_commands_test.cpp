#include "app/user_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvenda {
namespace {

constexpr int answerCancel = 2;  // IDCANCEL

// Plays the user and the platform: answers boxes from a queue, picks a file
// (or cancels the dialog), and reports a shell result. Records every call.
class FakeHost : public UserCommandHost {
public:
    int ask(const MessageBoxText& box) override {
        calls.push_back(std::string("ask ") + box.caption);
        boxTypes.push_back(box.type);
        if (answers.empty()) return answerCancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool chooseFile(const OpenFileRequest& request) override {
        calls.push_back("choose");
        initialNames.emplace_back(request.file);
        lastRequest = request;
        if (scribbleOnFailure) request.file[0] = u'\x0104';  // needed size, as a too-small buffer gets
        if (!choice) return false;
        // Fills the buffer as the dialog does, without a terminator when the choice fills it.
        const std::size_t n = std::min<std::size_t>(choice->size() + 1, request.fileSize);
        std::copy_n(choice->c_str(), n, request.file);
        return true;
    }
    std::intptr_t open(const char16_t* path) override {
        calls.push_back("open");
        openedPaths.emplace_back(path);
        return openResult;
    }

    std::deque<int> answers;
    std::optional<std::u16string> choice;
    bool scribbleOnFailure = false;
    std::intptr_t openResult = 42;

    std::vector<std::string> calls;
    std::vector<unsigned> boxTypes;
    std::vector<std::u16string> initialNames;
    std::vector<std::u16string> openedPaths;
    std::optional<OpenFileRequest> lastRequest;
};

std::string ask(const char* caption) {
    return std::string("ask ") + caption;
}

TEST(CloseConfirmation, OnlyOkQuits) {
    const std::pair<int, bool> cases[] = {{answerOk, true}, {answerCancel, false}, {0, false}};
    for (const auto& [answer, quits] : cases) {
        FakeHost host;
        host.answers = {answer};
        EXPECT_EQ(confirmClose(host), quits) << "answer " << answer;
        EXPECT_EQ(host.calls, std::vector<std::string>{ask("終了確認")});
        EXPECT_EQ(host.boxTypes, std::vector<unsigned>{questionBoxType});
    }
}

struct LauncherCase {
    const char* what;
    int answer;
    std::optional<std::u16string> choice;
    std::intptr_t openResult;
    std::vector<std::string> calls;
};

TEST(SettingsFileCommand, RunsTheLauncherOnlyAfterOk) {
    // A name no single ANSI code page spells: Japanese with an accented Latin letter.
    const std::u16string book = u"Z:\\tmp\\予定_café.xls";
    const LauncherCase cases[] = {
        {"cancelled question", answerCancel, book, 42, {ask("確認")}},
        {"cancelled dialog", answerOk, std::nullopt, 42, {ask("確認"), "choose"}},
        {"launched", answerOk, book, 42, {ask("確認"), "choose", "open"}},
        {"lowest success", answerOk, book, 33, {ask("確認"), "choose", "open"}},
        {"highest failure", answerOk, book, 32, {ask("確認"), "choose", "open", ask("失敗")}},
        {"no association", answerOk, book, 31, {ask("確認"), "choose", "open", ask("失敗")}},
        {"out of memory", answerOk, book, 0, {ask("確認"), "choose", "open", ask("失敗")}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.answers = {c.answer, answerOk};
        host.choice = c.choice;
        host.openResult = c.openResult;
        RememberedPath path{};
        settingsFileCommand(host, path);
        EXPECT_EQ(host.calls, c.calls) << c.what;
        if (c.calls.size() >= 3) {
            EXPECT_EQ(host.openedPaths, std::vector<std::u16string>{book}) << c.what;
        }
        if (c.calls.size() == 4) {
            EXPECT_EQ(host.boxTypes.back(), noticeBoxType) << c.what;
        }
    }
}

TEST(Launcher, SecondUseStartsOnTheFirstChoice) {
    FakeHost host;
    RememberedPath path{};
    host.choice = u"Z:\\データ\\quorvenda.xls";
    runLauncher(host, path);
    host.choice = std::nullopt;
    runLauncher(host, path);
    EXPECT_EQ(host.initialNames, (std::vector<std::u16string>{u"", u"Z:\\データ\\quorvenda.xls"}));
}

TEST(Launcher, FailedDialogKeepsTheLastChoice) {
    FakeHost host;
    RememberedPath path{};
    host.choice = u"Z:\\a.exe";
    runLauncher(host, path);
    host.choice = std::nullopt;
    host.scribbleOnFailure = true;
    runLauncher(host, path);
    EXPECT_EQ(std::u16string(path.data()), u"Z:\\a.exe");
}

TEST(Launcher, ChosenPathIsAlwaysTerminated) {
    FakeHost host;
    RememberedPath path{};
    host.choice = std::u16string(rememberedPathSize + 10, u'x');
    runLauncher(host, path);
    EXPECT_EQ(std::u16string(path.data()).size(), rememberedPathSize - 1);
}

TEST(Launcher, RequestsAnExistingFileIntoTheRememberedPath) {
    RememberedPath path{};
    const OpenFileRequest request = launcherFileRequest(path);
    EXPECT_EQ(request.file, path.data());
    EXPECT_EQ(request.fileSize, 260u);
    EXPECT_EQ(request.flags, 0x1004u);
    EXPECT_STREQ(request.defaultExtension, "xls");
    EXPECT_STREQ(request.title, "Quorvendaの設定したいファイルを選択して下さい");
}

// Splits a NUL-separated list up to the empty string that ends it.
std::vector<std::string> filterStrings(std::string_view filter) {
    std::vector<std::string> strings;
    while (!filter.empty() && filter.front() != '\0') {
        const std::size_t end = filter.find('\0');
        if (end == std::string_view::npos) return {};  // unterminated: the dialog would read past the end
        strings.emplace_back(filter.substr(0, end));
        filter.remove_prefix(end + 1);
    }
    if (filter.size() != 1) return {};  // the empty string, and nothing after it
    return strings;
}

TEST(Launcher, FilterListsThreePairsInOrderAndEndsWithAnEmptyString) {
    EXPECT_EQ(filterStrings(fileDialogFilter()),
              (std::vector<std::string>{"Excel files(*.xls)", "*.xls", "Execute files(*.exe)", "*.exe",
                                        "All files(*.*)", "*.*"}));
}

TEST(MessageTexts, AreShiftJisBytes) {
    EXPECT_STREQ(launchFailure.caption, "\x8e\xb8\x94\x73");         // 失敗
    EXPECT_STREQ(launcherConfirmation.caption, "\x8a\x6d\x94\x46");  // 確認
}

}  // namespace
}  // namespace quorvenda
