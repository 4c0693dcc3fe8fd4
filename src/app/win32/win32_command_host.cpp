#include "app/win32/win32_command_host.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "core/win32/system_library.h"
#include "core/win32/utf16_from_shift_jis.h"

namespace quorvenda {

namespace {
// Loaded at the first use and kept for the rest of the run.
BOOL openFileDialog(OPENFILENAMEW* request) {
    static const auto function = systemLibraryFunction<decltype(&GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
    return function != nullptr ? function(request) : FALSE;  // unavailable: as if cancelled
}

HINSTANCE shellOpen(HWND owner, const wchar_t* path) {
    static const auto function = systemLibraryFunction<decltype(&ShellExecuteW)>("shell32.dll", "ShellExecuteW");
    // Unavailable: 0, a failure the user is told about.
    return function != nullptr ? function(owner, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL) : nullptr;
}

// The remembered path is UTF-16 in char16_t, which the wide calls take as wchar_t.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
wchar_t* widePath(char16_t* path) {
    return reinterpret_cast<wchar_t*>(path);
}
const wchar_t* widePath(const char16_t* path) {
    return reinterpret_cast<const wchar_t*>(path);
}
}  // namespace

static_assert(questionBoxType == (MB_OKCANCEL | MB_ICONQUESTION));
static_assert(noticeBoxType == MB_OK);
static_assert(answerOk == IDOK);
static_assert(fileMustExistFlag == OFN_FILEMUSTEXIST && hideReadOnlyFlag == OFN_HIDEREADONLY);
static_assert(rememberedPathSize == MAX_PATH);

int Win32CommandHost::ask(const MessageBoxText& box) {
    return MessageBoxW(owner_, utf16FromShiftJis(box.text).c_str(), utf16FromShiftJis(box.caption).c_str(), box.type);
}

bool Win32CommandHost::chooseFile(const OpenFileRequest& request) {
    // The filter keeps its NULs, the empty string that ends the list included.
    const std::wstring filter = utf16FromShiftJis(request.filter);
    const std::wstring defaultExtension = utf16FromShiftJis(request.defaultExtension);
    const std::wstring title = utf16FromShiftJis(request.title);
    OPENFILENAMEW ofn{};
    // 88 bytes is the size of this request in a 32-bit program; a 64-bit one
    // must give its own size, or the dialog refuses the request.
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = widePath(request.file);
    ofn.nMaxFile = request.fileSize;
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = defaultExtension.c_str();
    ofn.lpstrTitle = title.c_str();
    return openFileDialog(&ofn) != FALSE;
}

std::intptr_t Win32CommandHost::open(const char16_t* path) {
    HINSTANCE result = shellOpen(owner_, widePath(path));
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace quorvenda
