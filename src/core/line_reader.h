#pragma once
// Reads lines with the text-mode rules applied by hand, so every platform
// reads the same bytes the same way: LF ends a line, a CR right before it is
// dropped (other CRs stay), the byte 0x1A ends the file, lines may be of any
// length, and a line past the end reads as empty. Text saved as UTF-8 or
// UTF-16 is converted to Shift-JIS first, so these rules see Shift-JIS only.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/text_encoding.h"

namespace quorvenda {

// Fills up to `capacity` bytes and returns how many; 0 means end of data or a read error.
using ReadChunk = std::function<std::size_t(char* buffer, std::size_t capacity)>;

// Where the bytes of a text come from, and how to go back in them: telling
// whether a BOM-less text is UTF-8 may take reading all of it.
struct TextSource {
    ReadChunk read;
    // Back to `offset` bytes from the start; false when that fails.
    std::function<bool(std::uint64_t offset)> seekTo;
    // The size when opened, as far as known: a text read this far needs no
    // reading on to tell its encoding.
    std::uint64_t size = UINT64_MAX;
};

class LineReader {
public:
    // The largest chunk asked for at once; bigger files are read in several.
    static constexpr std::size_t maxChunkSize = 64 * 1024;

    // Reads the bytes as they stand (Shift-JIS). `chunkSize` (1 to
    // maxChunkSize) need be no larger than the data: the data files are a few
    // hundred bytes, read once a second.
    explicit LineReader(ReadChunk readChunk, std::size_t chunkSize = maxChunkSize);
    // Reads text in any encoding a data file may have (see byteOrderMarkAt),
    // converted to Shift-JIS. Reads the first chunk at once.
    explicit LineReader(TextSource source, std::size_t chunkSize = maxChunkSize);

    std::string nextLine();
    bool atEnd() const { return ended_ && pos_ == end_; }

private:
    bool refill();
    void endAtCtrlZ();
    void settleEncoding();
    bool restIsUtf8(Utf8Check& check);

    ReadChunk readChunk_;
    std::size_t capacity_;
    // Room for a chunk and the bytes of a character cut at the last one's end.
    // Left uninitialised: every byte is written by readChunk_ before it is looked at.
    std::unique_ptr<char[]> buffer_;
    ShiftJisTranscoder transcoder_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
    // A BOM-less text passes through as read until its first non-ASCII byte,
    // which settles whether it is UTF-8 or Shift-JIS.
    bool encodingOpen_ = false;
    std::function<bool(std::uint64_t)> seekTo_;
    std::uint64_t sourceSize_ = UINT64_MAX;
    std::uint64_t bytesRead_ = 0;
};

// Reads lines from a byte string, in any encoding a data file may have, a
// chunk of `chunkSize` at a time; handy where the bytes are already in memory.
LineReader lineReaderOver(const std::string& bytes, std::size_t chunkSize = LineReader::maxChunkSize);

}  // namespace quorvenda
