#include "core/win32/shared_read_open.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>

#include "core/win32/utf16_from_shift_jis.h"

namespace quorvenda {

namespace {

constexpr DWORD shareWithEveryone = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int descriptorFlags = _O_RDONLY | _O_BINARY;
constexpr int noDescriptor = -1;

// Owns the handle until a descriptor takes it over.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Hands the handle to a descriptor, which closes it from then on.
    int toDescriptor(int flags) {
        const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle_), flags);
        if (fd != noDescriptor) handle_ = INVALID_HANDLE_VALUE;
        return fd;
    }

private:
    HANDLE handle_;
};

}  // namespace

int openSharedForReading(const std::string& shiftJisPath) {
    // The path is Shift-JIS whatever the system's code page: converted from
    // 932 and opened through the wide entry point.
    const std::wstring path = utf16FromShiftJis(shiftJisPath);
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, shareWithEveryone, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return noDescriptor;
    return file.toDescriptor(descriptorFlags);
}

}  // namespace quorvenda
