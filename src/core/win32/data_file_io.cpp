#include "core/data_file_io.h"

#include <io.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/win32/shared_read_open.h"

namespace quorvenda {

int openDataFile(const std::string& path) {
    return openSharedForReading(path);
}

std::optional<std::uint64_t> dataFileSize(int fd) {
    struct _stat64 info {};
    if (_fstat64(fd, &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) return std::nullopt;
    return static_cast<std::uint64_t>(std::max<decltype(info.st_size)>(info.st_size, 0));
}

long readDataFile(int fd, char* buffer, std::size_t capacity) {
    return _read(fd, buffer, static_cast<unsigned>(capacity));
}

bool seekDataFile(int fd, std::uint64_t offset) {
    return _lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) >= 0;
}

void closeDataFile(int fd) {
    _close(fd);
}

}  // namespace quorvenda
