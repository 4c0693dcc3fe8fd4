#include "render/item_bounds.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace quorvenda {

namespace {

// Glyphs reach beyond their cell: italics lean out, some marks hang over, and
// faces differ from system to system: a half of the cell height and two
// pixels on every side, more than any face measured here needs.
constexpr int textMarginPerCellHeight = 2;
constexpr int glyphMargin = 2;
constexpr long long widestMarginPen = 1 << 16;

int clamped(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int penMargin(const PenLook& pen) {
    // Half the pen's width, rounded up: strokes are not antialiased, and a wide pen's round ends reach no further.
    const long long width =
        std::min<long long>(std::max<long long>(std::llabs(static_cast<long long>(pen.width)), 1), widestMarginPen);
    return static_cast<int>((width + 1) / 2);
}

Rect boxOf(int left, int top, int right, int bottom, int margin) {
    return Rect{clamped(static_cast<long long>(std::min(left, right)) - margin),
                clamped(static_cast<long long>(std::min(top, bottom)) - margin),
                clamped(static_cast<long long>(std::max(left, right)) + margin),
                clamped(static_cast<long long>(std::max(top, bottom)) + margin)};
}

Rect textBounds(int x, int y, const TextExtent& extent) {
    const long long margin = extent.cy / textMarginPerCellHeight + glyphMargin;
    return Rect{clamped(x - margin), clamped(y - margin), clamped(x + static_cast<long long>(extent.cx) + margin),
                clamped(y + static_cast<long long>(extent.cy) + margin)};
}

}  // namespace quorvenda
