#include "core/data_file.h"

#include <algorithm>
#include <cstdint>

#include "core/data_file_io.h"
#include "core/line_reader.h"

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
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(openDataFile(path)) {}
    ~OpenFile() {
        if (fd_ >= 0) closeDataFile(fd_);
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
    const std::optional<std::uint64_t> size = dataFileSize(file.fd());
    if (!size) return std::nullopt;
    // Sized to the file, so a small file costs a small buffer; a file that
    // grows meanwhile is still read to its end, chunk by chunk.
    const std::uint64_t fileSize = *size;
    const auto chunkSize = static_cast<std::size_t>(std::clamp<std::uint64_t>(fileSize, 1, LineReader::maxChunkSize));
    const int fd = file.fd();
    LineReader reader(TextSource{[fd](char* buffer, std::size_t capacity) -> std::size_t {
                                     const long n = readDataFile(fd, buffer, capacity);
                                     return n > 0 ? static_cast<std::size_t>(n) : 0;
                                 },
                                 [fd](std::uint64_t offset) { return seekDataFile(fd, offset); }, fileSize},
                      chunkSize);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) lines.push_back(reader.nextLine());
    return lines;
}

}  // namespace quorvenda
