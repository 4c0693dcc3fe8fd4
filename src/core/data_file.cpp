#include "core/data_file.h"

#include <algorithm>
#include <cstdint>

#include "core/line_reader.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>

#include "core/win32/shared_read_open.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvenda {

std::string DataFolder::pathOf(const char* fileName) const {
    if (directory.empty()) return fileName;
    std::string path = directory;
    if (path.back() != '/' && path.back() != '\\') path += '/';
    return path + fileName;
}

namespace {

// The data files are read straight from the descriptor, a chunk the size of
// the file at a time, with no stdio buffer between: open, size, read, close.
#ifdef _WIN32
using FileStat = struct _stat64;
int openFile(const std::string& path) {
    return openSharedForReading(path);
}
int statFile(int fd, FileStat& info) {
    return _fstat64(fd, &info);
}
long readFile(int fd, char* buffer, std::size_t capacity) {
    return _read(fd, buffer, static_cast<unsigned>(capacity));
}
bool seekFile(int fd, std::uint64_t offset) {
    return _lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) >= 0;
}
void closeFile(int fd) {
    _close(fd);
}
#else
using FileStat = struct stat;
int openFile(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}
int statFile(int fd, FileStat& info) {
    return fstat(fd, &info);
}
long readFile(int fd, char* buffer, std::size_t capacity) {
    return read(fd, buffer, capacity);
}
bool seekFile(int fd, std::uint64_t offset) {
    return lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}
void closeFile(int fd) {
    close(fd);
}
#endif

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(openFile(path)) {}
    ~OpenFile() {
        if (fd_ >= 0) closeFile(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::vector<std::string>> readFirstLines(const std::string& path, int count) {
    const OpenFile file(path);
    if (file.fd() < 0) return std::nullopt;
    FileStat info{};
    if (statFile(file.fd(), info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) return std::nullopt;
    // Sized to the file, so a small file costs a small buffer; a file that
    // grows meanwhile is still read to its end, chunk by chunk.
    const auto fileSize = static_cast<std::uint64_t>(std::max<decltype(info.st_size)>(info.st_size, 0));
    const auto chunkSize = static_cast<std::size_t>(std::clamp<std::uint64_t>(fileSize, 1, LineReader::maxChunkSize));
    const int fd = file.fd();
    LineReader reader(TextSource{[fd](char* buffer, std::size_t capacity) -> std::size_t {
                                     const long n = readFile(fd, buffer, capacity);
                                     return n > 0 ? static_cast<std::size_t>(n) : 0;
                                 },
                                 [fd](std::uint64_t offset) { return seekFile(fd, offset); }, fileSize},
                      chunkSize);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) lines.push_back(reader.nextLine());
    return lines;
}

}  // namespace quorvenda
