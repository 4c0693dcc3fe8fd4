#include "render/item_bounds.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace quorvenda {

namespace {

// Beyond the pixels a call names: a pen's half width, antialiased edges.
constexpr int strokeMargin = 2;
// Glyphs reach beyond their cell: italics lean out, some marks hang over.
constexpr int textMarginPerCellHeight = 2;  // a half of the cell height on every side
constexpr long long widestMarginPen = 1 << 16;

int clamped(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int penMargin(const PenLook& pen) {
    const long long width = std::llabs(static_cast<long long>(pen.width));
    return static_cast<int>(std::min<long long>(std::max<long long>(width, 1), widestMarginPen) / 2) + strokeMargin;
}

Rect boxOf(int left, int top, int right, int bottom, int margin) {
    return Rect{clamped(static_cast<long long>(std::min(left, right)) - margin),
                clamped(static_cast<long long>(std::min(top, bottom)) - margin),
                clamped(static_cast<long long>(std::max(left, right)) + margin),
                clamped(static_cast<long long>(std::max(top, bottom)) + margin)};
}

Rect textBounds(int x, int y, const TextExtent& extent) {
    const long long margin = extent.cy / textMarginPerCellHeight + strokeMargin;
    return Rect{clamped(x - margin), clamped(y - margin), clamped(x + static_cast<long long>(extent.cx) + margin),
                clamped(y + static_cast<long long>(extent.cy) + margin)};
}

}  // namespace quorvenda
