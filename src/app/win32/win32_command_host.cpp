#include "app/win32/win32_command_host.h"

#include <commdlg.h>
#include <shellapi.h>

namespace quorvenda {

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
    return GetOpenFileNameA(&ofn) != FALSE;
}

std::intptr_t Win32CommandHost::open(const char* path) {
    HINSTANCE result = ShellExecuteA(owner_, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace quorvenda
