#include "core/line_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace quorvenda {

namespace {
constexpr char endOfFileByte = 0x1A;
constexpr std::size_t byteOrderMarkRoom = 3;
static_assert(byteOrderMarkRoom <= ShiftJisTranscoder::maxHeldBack,
              "the buffer's spare room holds a short first chunk");
}  // namespace

LineReader::LineReader(ReadChunk readChunk, std::size_t chunkSize)
    : readChunk_(std::move(readChunk)),
      capacity_(std::clamp<std::size_t>(chunkSize, 1, maxChunkSize)),
      buffer_(new char[capacity_ + ShiftJisTranscoder::maxHeldBack]) {}

LineReader::LineReader(TextSource source, std::size_t chunkSize) : LineReader(std::move(source.read), chunkSize) {
    // A first chunk too short for a byte-order mark is made up to one (the
    // buffer has the room).
    end_ = readChunk_(buffer_.get(), capacity_);
    ended_ = end_ == 0;
    while (!ended_ && end_ < byteOrderMarkRoom) {
        const std::size_t read = readChunk_(buffer_.get() + end_, std::min(capacity_, byteOrderMarkRoom - end_));
        ended_ = read == 0;
        end_ += read;
    }
    bytesRead_ = end_;
    if (const auto mark = byteOrderMarkAt(std::string_view(buffer_.get(), end_))) {
        transcoder_ = ShiftJisTranscoder(mark->encoding);
        pos_ = mark->size;
        end_ = pos_ + transcoder_.convert(buffer_.get() + pos_, end_ - pos_, ended_);
        endAtCtrlZ();
        return;
    }
    encodingOpen_ = true;
    seekTo_ = std::move(source.seekTo);
    sourceSize_ = source.size;
    endAtCtrlZ();
    settleEncoding();
}

bool LineReader::refill() {
    pos_ = 0;
    end_ = 0;
    // A chunk may hold nothing but part of a character: read on until it is whole.
    while (end_ == 0 && !ended_) {
        const std::size_t held = transcoder_.restoreHeldBack(buffer_.get());
        const std::size_t read = readChunk_(buffer_.get() + held, capacity_);
        bytesRead_ += read;
        ended_ = read == 0;
        end_ = transcoder_.convert(buffer_.get(), held + read, ended_);
        endAtCtrlZ();
        if (encodingOpen_) settleEncoding();
    }
    return end_ > 0;
}

void LineReader::endAtCtrlZ() {
    // Ctrl-Z ends the file: keep what comes before it, never read further.
    // (It is the same byte in Shift-JIS, UTF-8 and, once converted, UTF-16.)
    const char* start = buffer_.get() + pos_;
    const char* stop = static_cast<const char*>(std::memchr(start, endOfFileByte, end_ - pos_));
    if (stop != nullptr) {
        end_ = static_cast<std::size_t>(stop - buffer_.get());
        ended_ = true;
    }
}

void LineReader::settleEncoding() {
    const std::size_t first = pos_ + asciiPrefixLength(buffer_.get() + pos_, end_ - pos_);
    if (first == end_) return;
    encodingOpen_ = false;
    Utf8Check check;
    const bool utf8 = check.feed(buffer_.get() + first, end_ - first) && restIsUtf8(check);
    seekTo_ = nullptr;
    if (!utf8) return;
    transcoder_ = ShiftJisTranscoder(TextEncoding::utf8);
    end_ = first + transcoder_.convert(buffer_.get() + first, end_ - first, ended_);
}

// Reads the text past the buffer to its end (or Ctrl-Z) for the UTF-8 check,
// keeping nothing, and comes back. A Shift-JIS text stops at its first
// non-ASCII character; a UTF-8 one costs one more read of the file.
bool LineReader::restIsUtf8(Utf8Check& check) {
    if (ended_ || bytesRead_ >= sourceSize_) return check.validAtEnd();
    const std::unique_ptr<char[]> scratch(new char[capacity_]);
    bool valid = true;
    for (std::size_t read; valid && (read = readChunk_(scratch.get(), capacity_)) > 0;) {
        const char* stop = static_cast<const char*>(std::memchr(scratch.get(), endOfFileByte, read));
        valid = check.feed(scratch.get(), stop != nullptr ? static_cast<std::size_t>(stop - scratch.get()) : read);
        if (stop != nullptr) break;
    }
    if (!(seekTo_ && seekTo_(bytesRead_))) ended_ = true;  // the rest reads as missing
    return valid && check.validAtEnd();
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

LineReader lineReaderOver(const std::string& bytes, std::size_t chunkSize) {
    auto offset = std::make_shared<std::size_t>(0);
    auto text = std::make_shared<const std::string>(bytes);
    return LineReader(TextSource{[text, offset](char* buffer, std::size_t capacity) {
                                     const std::size_t n = std::min(capacity, text->size() - *offset);
                                     std::memcpy(buffer, text->data() + *offset, n);
                                     *offset += n;
                                     return n;
                                 },
                                 [offset](std::uint64_t to) {
                                     *offset = static_cast<std::size_t>(to);
                                     return true;
                                 },
                                 bytes.size()},
                      chunkSize);
}

}  // namespace quorvenda
