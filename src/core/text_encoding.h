#pragma once
// The encodings a data file may be saved in, how to tell them apart, and the
// conversion of UTF-8 and UTF-16 into the Shift-JIS that every later step reads.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvenda {

enum class TextEncoding { shiftJis, utf8, utf16LittleEndian, utf16BigEndian };

struct ByteOrderMark {
    TextEncoding encoding;
    std::size_t size;
};

// The UTF-8 or UTF-16 byte-order mark at the start of `head`, if any. A text
// without one is UTF-8 when all of it is valid UTF-8 with at least one
// character of three or four bytes, and Shift-JIS otherwise (ASCII reads the
// same either way); the line reader settles that at the first non-ASCII byte.
// Japanese in UTF-8 (kana, kanji, full- and half-width forms) is three bytes a
// character, while half-width katakana in Shift-JIS can pair up as two-byte
// UTF-8 sequences (ﾒｰ is D2 B0, U+04B0): a file with only those is Shift-JIS.
std::optional<ByteOrderMark> byteOrderMarkAt(std::string_view head);

// How many bytes at the start are ASCII (below 0x80).
std::size_t asciiPrefixLength(const char* bytes, std::size_t size);

// Checks bytes, given in any number of pieces, for being valid UTF-8.
class Utf8Check {
public:
    // False from the first invalid byte on; there is no need to feed more then.
    bool feed(const char* bytes, std::size_t size);
    // True when the bytes so far are valid UTF-8, no character is cut short and
    // one at least is three or four bytes long.
    bool validAtEnd() const { return valid_ && pending_ == 0 && sawLongCharacter_; }

private:
    bool valid_ = true;
    bool sawLongCharacter_ = false;
    int pending_ = 0;                         // continuation bytes still to come
    unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
};

// Converts UTF-8 or UTF-16 to Shift-JIS in place, chunk by chunk; Shift-JIS
// passes through. A character with no Shift-JIS form, an invalid UTF-8
// sequence, an unpaired surrogate and a lone last byte each become '?'.
class ShiftJisTranscoder {
public:
    // An incomplete character at a chunk's end is held back: at most this many bytes.
    static constexpr std::size_t maxHeldBack = 3;

    explicit ShiftJisTranscoder(TextEncoding from = TextEncoding::shiftJis) : from_(from) {}

    // Puts the bytes held back from the last chunk at the front of `buffer`; returns how many.
    std::size_t restoreHeldBack(char* buffer);
    // Converts buffer[0, size) in place and returns the converted length,
    // never more than `size`. An incomplete character at the end is held back,
    // or becomes '?' when `atEnd`.
    std::size_t convert(char* buffer, std::size_t size, bool atEnd);

private:
    std::size_t convertUtf8(unsigned char* data, std::size_t size, bool atEnd);
    std::size_t convertUtf16(unsigned char* data, std::size_t size, bool atEnd);
    void holdBack(const unsigned char* bytes, std::size_t count);

    TextEncoding from_;
    unsigned char heldBack_[maxHeldBack] = {};
    std::size_t heldBackSize_ = 0;
};

}  // namespace quorvenda
