#include "core/data_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace quorvenda {

int openDataFile(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

std::optional<std::uint64_t> dataFileSize(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) return std::nullopt;
    return static_cast<std::uint64_t>(std::max<decltype(info.st_size)>(info.st_size, 0));
}

long readDataFile(int fd, char* buffer, std::size_t capacity) {
    return read(fd, buffer, capacity);
}

bool seekDataFile(int fd, std::uint64_t offset) {
    return lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

void closeDataFile(int fd) {
    close(fd);
}

}  // namespace quorvenda
