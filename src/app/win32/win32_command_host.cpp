#include "app/win32/win32_command_host.h"

#include <commdlg.h>
#include <shellapi.h>

#include "app/win32/system_library.h"

namespace quorvenda {

namespace {
// Loaded at the first use and kept for the rest of the run.
BOOL openFileDialog(OPENFILENAMEA* request) {
    static const auto function =
        systemLibraryFunction<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return function != nullptr ? function(request) : FALSE;  // unavailable: as if cancelled
}

HINSTANCE shellOpen(HWND owner, const char* path) {
    static const auto function = systemLibraryFunction<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // Unavailable: 0, a failure the user is told about.
    return function != nullptr ? function(owner, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL) : nullptr;
}
}  // namespace

static_assert(questionBoxType == (MB_OKCANCEL | MB_ICONQUESTION));
static_assert(noticeBoxType == MB_OK);
static_assert(answerOk == IDOK);
static_assert(fileMustExistFlag == OFN_FILEMUSTEXIST && hideReadOnlyFlag == OFN_HIDEREADONLY);
static_assert(rememberedPathSize == MAX_PATH);

int Win32CommandHost::ask(const MessageBoxText& box) { return MessageBoxA(owner_, box.text, box.caption, box.type); }

bool Win32CommandHost::chooseFile(const OpenFileRequest& request) {
    OPENFILENAMEA ofn{};
    // 88 bytes is the size of this request in a 32-bit program; a 64-bit one
    // must give its own size, or the dialog refuses the request.
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = request.filter.data();
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = request.file;
    ofn.nMaxFile = request.fileSize;
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = request.defaultExtension;
    ofn.lpstrTitle = request.title;
    return openFileDialog(&ofn) != FALSE;
}

std::intptr_t Win32CommandHost::open(const char* path) {
    HINSTANCE result = shellOpen(owner_, path);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace quorvenda
