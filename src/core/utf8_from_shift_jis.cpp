#include "core/utf8_from_shift_jis.h"

#include <array>
#include <cstdint>
#include <memory>

#include "core/shift_jis_table.h"

namespace quorvenda {

namespace {

constexpr char32_t noCharacter = 0;
constexpr char32_t replacementCharacter = 0xFFFD;

using DecodeTable = std::array<char16_t, 0x10000>;

// Codes that decode to the same character as a twin code, which is the one the
// encoding table gives: NEC's duplicates of a few mathematical signs, the
// NEC-selected IBM extensions (ED, EE) and IBM's duplicates of NEC's row 13.
// A run counts double-byte codes in order, trail byte 0x7F skipped.
struct TwinRun {
    std::uint16_t firstCode;
    std::uint16_t firstTwin;
    std::uint16_t count;
};
constexpr TwinRun twinRuns[] = {
    {0x8790, 0x81E0, 1},  {0x8791, 0x81DF, 1}, {0x8792, 0x81E7, 1}, {0x8795, 0x81E3, 1},  {0x8796, 0x81DB, 1},
    {0x8797, 0x81DA, 1},  {0x879A, 0x81E6, 1}, {0x879B, 0x81BF, 1}, {0x879C, 0x81BE, 1},  {0xED40, 0xFA5C, 360},
    {0xEEEF, 0xFA40, 10}, {0xEEF9, 0x81CA, 1}, {0xEEFA, 0xFA55, 3}, {0xFA4A, 0x8754, 10}, {0xFA54, 0x81CA, 1},
    {0xFA58, 0x878A, 1},  {0xFA59, 0x8782, 1}, {0xFA5A, 0x8784, 1}, {0xFA5B, 0x81E6, 1},
};

std::uint16_t nextDoubleByteCode(std::uint16_t code) {
    const unsigned trail = code & 0xFFu;
    if (trail == 0x7E) return static_cast<std::uint16_t>(code + 2);
    if (trail == 0xFC) return static_cast<std::uint16_t>((code & 0xFF00u) + 0x100 + 0x40);
    return static_cast<std::uint16_t>(code + 1);
}

bool isLeadByte(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The Unicode character of every double-byte code and of the half-width
// katakana, by inverting the encoding table. Where two characters encode to
// one code (the JIS forms of a few signs, which Windows encodes onto their
// full-width twins), the code decodes to the higher, full-width one, as
// Windows decodes it. Single bytes outside ASCII and the half-width katakana
// (0x80, 0xA0, 0xFD-0xFF) start no character. Twin codes decode as their twin.
std::unique_ptr<DecodeTable> invertTable() {
    auto table = std::make_unique<DecodeTable>();
    const std::uint16_t* codes = shiftJisCodesOfBmp();
    for (char32_t character = 0x80; character <= 0xFFFF; ++character) {
        const std::uint16_t code = codes[character];
        const bool halfWidthKatakana = code >= 0xA1 && code <= 0xDF;
        if (code > 0xFF ? isLeadByte(code >> 8u) : halfWidthKatakana) {
            (*table)[code] = static_cast<char16_t>(character);  // ascending: the higher character wins
        }
    }
    for (const TwinRun& run : twinRuns) {
        std::uint16_t code = run.firstCode;
        std::uint16_t twin = run.firstTwin;
        for (std::uint16_t i = 0; i < run.count; ++i) {
            (*table)[code] = (*table)[twin];
            code = nextDoubleByteCode(code);
            twin = nextDoubleByteCode(twin);
        }
    }
    return table;
}

const DecodeTable& decodeTable() {
    static const std::unique_ptr<DecodeTable> table = invertTable();
    return *table;
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

}  // namespace

std::string utf8FromShiftJis(std::string_view shiftJis) {
    const DecodeTable& table = decodeTable();
    std::string out;
    out.reserve(shiftJis.size() * 3 / 2);
    for (std::size_t at = 0; at < shiftJis.size();) {
        const unsigned byte = static_cast<unsigned char>(shiftJis[at]);
        char32_t character = noCharacter;
        std::size_t length = 1;
        if (byte < 0x80) {
            character = byte;
        } else if (isLeadByte(byte) && at + 1 < shiftJis.size()) {
            const unsigned trail = static_cast<unsigned char>(shiftJis[at + 1]);
            character = table[byte << 8u | trail];
            if (character != noCharacter) length = 2;
        } else {
            character = table[byte];
        }
        appendUtf8(out, (character == noCharacter && byte != 0) ? replacementCharacter : character);
        at += length;
    }
    return out;
}

}  // namespace quorvenda
