#pragma once
// Reads lines with the text-mode rules applied by hand, so every platform
// reads the same bytes the same way: LF ends a line, a CR right before it is
// dropped (other CRs stay), the byte 0x1A ends the file, lines may be of any
// length, and a line past the end reads as empty.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace quorvenda {

class LineReader {
public:
    // Fills up to `capacity` bytes and returns how many; 0 means end of data or a read error.
    using ReadChunk = std::function<std::size_t(char* buffer, std::size_t capacity)>;

    // The largest chunk asked for at once; bigger files are read in several.
    static constexpr std::size_t maxChunkSize = 64 * 1024;

    // `chunkSize` (1 to maxChunkSize) need be no larger than the data: the
    // data files are a few hundred bytes, read once a second.
    explicit LineReader(ReadChunk readChunk, std::size_t chunkSize = maxChunkSize);

    std::string nextLine();
    bool atEnd() const { return ended_ && pos_ == end_; }

private:
    bool refill();

    ReadChunk readChunk_;
    std::size_t capacity_;
    // Left uninitialised: every byte is written by readChunk_ before it is looked at.
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

// Reads lines from a byte string; handy where the bytes are already in memory.
LineReader lineReaderOver(const std::string& bytes);

}  // namespace quorvenda
