#pragma once
// What reading a data file asks of the platform, on a read-only descriptor
// read straight, with no stdio buffer between: open, size, read, seek,
// close. Implemented in core/win32 (the C runtime's descriptors over a
// handle opened through the wide API, sharing read, write and delete with
// everyone, core/win32/shared_read_open.h) and core/posix (open, fstat,
// read, lseek, close).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace quorvenda {

// A read-only descriptor for the file at `path` (Shift-JIS on Windows), or
// a negative number when it cannot be opened.
int openDataFile(const std::string& path);
// The size of the open file in bytes (0 for a negative one); nothing when
// its status cannot be read or it is a folder.
std::optional<std::uint64_t> dataFileSize(int fd);
// Up to `capacity` bytes into `buffer`: how many were read, 0 at the end of
// the file and negative on an error.
long readDataFile(int fd, char* buffer, std::size_t capacity);
// Moves the next read to `offset` bytes from the start; false if it cannot.
bool seekDataFile(int fd, std::uint64_t offset);
void closeDataFile(int fd);

}  // namespace quorvenda
