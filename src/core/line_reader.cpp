#include "core/line_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace quorvenda {

namespace {
constexpr char endOfFileByte = 0x1A;
}  // namespace

LineReader::LineReader(ReadChunk readChunk, std::size_t chunkSize)
    : readChunk_(std::move(readChunk)),
      capacity_(std::clamp<std::size_t>(chunkSize, 1, maxChunkSize)),
      buffer_(new char[capacity_]) {}

bool LineReader::refill() {
    if (ended_) return false;
    pos_ = 0;
    end_ = readChunk_(buffer_.get(), capacity_);
    if (end_ == 0) {
        ended_ = true;
        return false;
    }
    // Ctrl-Z ends the file: keep what comes before it, never read further.
    const char* stop = static_cast<const char*>(std::memchr(buffer_.get(), endOfFileByte, end_));
    if (stop != nullptr) {
        end_ = static_cast<std::size_t>(stop - buffer_.get());
        ended_ = true;
    }
    return end_ > 0;
}

std::string LineReader::nextLine() {
    std::string line;
    for (;;) {
        if (pos_ == end_ && !refill()) break;
        const char* start = buffer_.get() + pos_;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        if (lf != nullptr) {
            line.append(start, lf);
            pos_ = static_cast<std::size_t>(lf - buffer_.get()) + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        line.append(start, end_ - pos_);
        pos_ = end_;
    }
    // The last line needs no LF; a CR at the very end is not followed by LF, so it stays.
    return line;
}

LineReader lineReaderOver(const std::string& bytes) {
    auto offset = std::make_shared<std::size_t>(0);
    return LineReader([bytes, offset](char* buffer, std::size_t capacity) {
        const std::size_t n = std::min(capacity, bytes.size() - *offset);
        std::memcpy(buffer, bytes.data() + *offset, n);
        *offset += n;
        return n;
    });
}

}  // namespace quorvenda
