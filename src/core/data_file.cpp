#include "core/data_file.h"

#include <cstdio>
#include <memory>

#include "core/line_reader.h"

#ifdef _WIN32
#include <share.h>
#else
#include <sys/stat.h>
#endif

namespace quorvenda {

std::string DataFolder::pathOf(const char* fileName) const {
    if (directory.empty()) return fileName;
    std::string path = directory;
    if (path.back() != '/' && path.back() != '\\') path += '/';
    return path + fileName;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle openForReading(const std::string& path) {
#ifdef _WIN32
    // Deny read and write to everyone else for as long as the file is open.
    return FileHandle(_fsopen(path.c_str(), "rb", _SH_DENYRW));
#else
    FileHandle file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    if (file && (fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode))) file.reset();
    return file;
#endif
}

}  // namespace

std::optional<std::vector<std::string>> readFirstLines(const std::string& path, int count) {
    FileHandle file = openForReading(path);
    if (!file) return std::nullopt;
    std::FILE* raw = file.get();
    LineReader reader([raw](char* buffer, std::size_t capacity) { return std::fread(buffer, 1, capacity, raw); });
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) lines.push_back(reader.nextLine());
    return lines;
}

}  // namespace quorvenda
