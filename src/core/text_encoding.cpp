#include "core/text_encoding.h"

#include <cstring>

#include "core/shift_jis_table.h"

namespace quorvenda {

namespace {

// What a UTF-8 lead byte asks of the bytes after it (Unicode's table of
// well-formed sequences): how many continuation bytes, and the range of the
// first; later ones are 80-BF. No continuation bytes: not a lead byte.
struct Utf8Lead {
    int continuations = 0;
    unsigned char low = 0x80, high = 0xBF;
};

[[gnu::always_inline]] inline Utf8Lead utf8Lead(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {1};
    if (byte == 0xE0) return {2, 0xA0, 0xBF};
    if (byte == 0xED) return {2, 0x80, 0x9F};  // no surrogates
    if (byte >= 0xE1 && byte <= 0xEF) return {2};
    if (byte == 0xF0) return {3, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3) return {3};
    if (byte == 0xF4) return {3, 0x80, 0x8F};  // nothing above U+10FFFF
    return {0};
}

// Writes the Shift-JIS form of `character` (or '?') at `out`: one or two bytes.
// Inlined even where the build optimises for size: it runs once a character.
[[gnu::always_inline]] inline std::size_t putShiftJis(char32_t character, const std::uint16_t* codesOfBmp,
                                                      unsigned char* out) {
    const std::uint16_t code = character <= 0xFFFF ? codesOfBmp[character] : 0;
    if (code >= 0x100) {
        out[0] = static_cast<unsigned char>(code >> 8);
        out[1] = static_cast<unsigned char>(code & 0xFF);
        return 2;
    }
    out[0] = code != 0 || character == 0 ? static_cast<unsigned char>(code) : '?';
    return 1;
}

[[gnu::always_inline]] inline char32_t utf16Unit(const unsigned char* bytes, std::size_t high) {
    return static_cast<char32_t>(bytes[high] << 8 | bytes[1 - high]);
}

bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::size_t asciiPrefixLength(const char* bytes, std::size_t size) {
    // A data file is mostly ASCII: look at 256 bytes a step, eight a word,
    // with no branch inside a step, so the compiler can use vector registers.
    constexpr std::uint64_t highBits = 0x8080808080808080u;
    constexpr std::size_t step = 256;
    std::size_t i = 0;
    for (; i + step <= size; i += step) {
        std::uint64_t any = 0;
        for (std::size_t j = 0; j < step; j += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i + j, 8);
            any |= word;
        }
        if ((any & highBits) != 0) break;
    }
    while (i < size && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i;
}

bool Utf8Check::feed(const char* bytes, std::size_t size) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    while (valid_ && i < size) {
        if (pending_ == 0) {
            i += asciiPrefixLength(bytes + i, size - i);
            if (i == size) break;
            const unsigned char byte = data[i++];
            const Utf8Lead lead = utf8Lead(byte);
            valid_ = lead.continuations > 0;
            pending_ = lead.continuations;
            sawLongCharacter_ = sawLongCharacter_ || lead.continuations >= 2;
            low_ = lead.low;
            high_ = lead.high;
            continue;
        }
        const unsigned char byte = data[i++];
        valid_ = byte >= low_ && byte <= high_;
        --pending_;
        low_ = 0x80;
        high_ = 0xBF;
    }
    return valid_;
}

std::optional<ByteOrderMark> byteOrderMarkAt(std::string_view head) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") return ByteOrderMark{TextEncoding::utf8, 3};
    if (head.substr(0, 2) == "\xFF\xFE") return ByteOrderMark{TextEncoding::utf16LittleEndian, 2};
    if (head.substr(0, 2) == "\xFE\xFF") return ByteOrderMark{TextEncoding::utf16BigEndian, 2};
    return std::nullopt;
}

std::size_t ShiftJisTranscoder::restoreHeldBack(char* buffer) {
    const std::size_t count = heldBackSize_;
    std::memcpy(buffer, heldBack_, count);
    heldBackSize_ = 0;
    return count;
}

void ShiftJisTranscoder::holdBack(const unsigned char* bytes, std::size_t count) {
    std::memcpy(heldBack_, bytes, count);
    heldBackSize_ = count;
}

std::size_t ShiftJisTranscoder::convert(char* buffer, std::size_t size, bool atEnd) {
    auto* data = reinterpret_cast<unsigned char*>(buffer);
    switch (from_) {
        case TextEncoding::shiftJis: return size;
        case TextEncoding::utf8: return convertUtf8(data, size, atEnd);
        default: return convertUtf16(data, size, atEnd);
    }
}

// Every character is written at or before where it was read, and never longer
// than it was, so the conversion runs in place.
std::size_t ShiftJisTranscoder::convertUtf8(unsigned char* data, std::size_t size, bool atEnd) {
    const std::uint16_t* codes = shiftJisCodesOfBmp();
    std::size_t in = 0, out = 0;
    while (in < size) {
        const unsigned char byte = data[in];
        if (byte < 0x80) {
            data[out++] = byte;
            ++in;
            continue;
        }
        const Utf8Lead lead = utf8Lead(byte);
        char32_t character = byte & (0x3F >> lead.continuations);
        unsigned char low = lead.low, high = lead.high;
        std::size_t length = 1;  // of the valid part read so far
        for (; length <= static_cast<std::size_t>(lead.continuations); ++length) {
            if (in + length == size) {
                if (atEnd) break;
                holdBack(data + in, size - in);
                return out;
            }
            const unsigned char next = data[in + length];
            if (next < low || next > high) break;
            character = character << 6 | (next & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        if (lead.continuations == 0 || length <= static_cast<std::size_t>(lead.continuations)) {
            // The longest start of a valid sequence, or one stray byte, is one '?'.
            data[out++] = '?';
        } else {
            out += putShiftJis(character, codes, data + out);
        }
        in += length;
    }
    return out;
}

std::size_t ShiftJisTranscoder::convertUtf16(unsigned char* data, std::size_t size, bool atEnd) {
    const std::uint16_t* codes = shiftJisCodesOfBmp();
    const std::size_t high = from_ == TextEncoding::utf16BigEndian ? 0 : 1;  // where a unit's high byte is
    std::size_t in = 0, out = 0;
    while (in + 2 <= size) {
        const char32_t unit = utf16Unit(data + in, high);
        if (!isSurrogate(unit)) {
            out += putShiftJis(unit, codes, data + out);
            in += 2;
            continue;
        }
        // A pair stands for a character beyond U+FFFF, which has no Shift-JIS
        // form; a surrogate alone is no character. Either is one '?'.
        if (isHighSurrogate(unit) && in + 4 > size && !atEnd) break;
        const bool paired = isHighSurrogate(unit) && in + 4 <= size && isLowSurrogate(utf16Unit(data + in + 2, high));
        data[out++] = '?';
        in += paired ? 4 : 2;
    }
    if (in < size) {
        if (!atEnd) {
            holdBack(data + in, size - in);
        } else {
            data[out++] = '?';  // a lone last byte
        }
    }
    return out;
}

}  // namespace quorvenda
