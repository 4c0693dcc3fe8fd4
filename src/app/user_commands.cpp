#include "app/user_commands.h"

namespace quorvenda {

const MessageBoxText closeConfirmation{"Quorvendaを終了しますか？（設定ファイルの呼び出しは黄針の上で右クリック）",
                                       "終了確認", questionBoxType};
const MessageBoxText launcherConfirmation{"Quorvendaの設定ファイルを開きます", "確認", questionBoxType};
const MessageBoxText launchFailure{"実行に失敗しました", "失敗", noticeBoxType};

namespace {

// The literal's own terminator is the empty string that ends the list.
constexpr char filterBytes[] =
    "Excel files(*.xls)\0*.xls\0"
    "Execute files(*.exe)\0*.exe\0"
    "All files(*.*)\0*.*\0";

}  // namespace

std::string_view fileDialogFilter() {
    return {filterBytes, sizeof filterBytes};
}

OpenFileRequest launcherFileRequest(RememberedPath& path) {
    return OpenFileRequest{fileDialogFilter(),
                           path.data(),
                           static_cast<std::uint32_t>(path.size()),
                           fileMustExistFlag | hideReadOnlyFlag,
                           "xls",
                           "Quorvendaの設定したいファイルを選択して下さい"};
}

bool confirmClose(UserCommandHost& host) {
    return host.ask(closeConfirmation) == answerOk;
}

void settingsFileCommand(UserCommandHost& host, RememberedPath& path) {
    if (host.ask(launcherConfirmation) == answerOk) runLauncher(host, path);
}

void runLauncher(UserCommandHost& host, RememberedPath& path) {
    // A failed dialog may leave the buffer half-written (a too-small buffer
    // gets the needed size in its first bytes): keep the last good choice.
    const RememberedPath lastChoice = path;
    if (!host.chooseFile(launcherFileRequest(path))) {
        path = lastChoice;
        return;
    }
    path.back() = u'\0';
    if (!launchSucceeded(host.open(path.data()))) host.ask(launchFailure);
}

}  // namespace quorvenda
