#include "render/visible_text.h"

namespace quorvenda {

namespace {
// Lead bytes of Shift-JIS (code page 932) double-byte characters.
bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
}  // namespace

std::string visibleText(std::string text) {
    if (text.size() <= maxVisibleTextBytes) return text;
    std::size_t end = 0;
    while (end < maxVisibleTextBytes) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > maxVisibleTextBytes) break;
        end += width;
    }
    text.resize(end);
    return text;
}

}  // namespace quorvenda
