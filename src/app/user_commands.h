#pragma once
// The two user commands of the main window: the close confirmation and the
// settings-file launcher. The flow is plain C++ behind UserCommandHost, which
// the Windows program implements with message boxes, the open-file dialog and
// the shell, all owned by the main window.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvenda {

inline constexpr unsigned questionBoxType = 0x21;  // MB_OKCANCEL | MB_ICONQUESTION
inline constexpr unsigned noticeBoxType = 0x0;     // MB_OK
inline constexpr int answerOk = 1;                 // IDOK

struct MessageBoxText {
    const char* text;
    const char* caption;
    unsigned type;
};

extern const MessageBoxText closeConfirmation;
extern const MessageBoxText launcherConfirmation;
extern const MessageBoxText launchFailure;

// The file last chosen in this run, MAX_PATH UTF-16 units as the wide file
// dialog and shell take it, so that any file name survives, not only those
// the ANSI code page can spell; the dialog starts from it and writes the new
// choice into it.
inline constexpr std::size_t rememberedPathSize = 260;
using RememberedPath = std::array<char16_t, rememberedPathSize>;

// The members of the open-file request that are not zero. Texts in Shift-JIS.
struct OpenFileRequest {
    std::string_view filter;  // display text / pattern pairs, NUL-separated, ending in an empty string
    char16_t* file;           // the remembered path, read as the initial name and written with the choice
    std::uint32_t fileSize;   // in UTF-16 units
    std::uint32_t flags;
    const char* defaultExtension;
    const char* title;
};

inline constexpr std::uint32_t fileMustExistFlag = 0x1000;  // OFN_FILEMUSTEXIST
inline constexpr std::uint32_t hideReadOnlyFlag = 0x0004;   // OFN_HIDEREADONLY

std::string_view fileDialogFilter();
OpenFileRequest launcherFileRequest(RememberedPath& path);

// The shell reports success with any value above 32.
inline bool launchSucceeded(std::intptr_t shellResult) {
    return shellResult > 32;
}

class UserCommandHost {
public:
    virtual ~UserCommandHost() = default;
    // A message box owned by the main window; returns the button pressed.
    virtual int ask(const MessageBoxText& box) = 0;
    // The open-file dialog; false when cancelled or failed.
    virtual bool chooseFile(const OpenFileRequest& request) = 0;
    // The shell's default action on `path` (UTF-16); returns its result.
    virtual std::intptr_t open(const char16_t* path) = 0;
};

// True when the user confirms quitting.
bool confirmClose(UserCommandHost& host);
// Asks, then on OK runs the launcher.
void settingsFileCommand(UserCommandHost& host, RememberedPath& path);
// Lets the user pick a file and hands it to the shell; a failed launch is reported.
void runLauncher(UserCommandHost& host, RememberedPath& path);

}  // namespace quorvenda
