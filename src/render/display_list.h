#pragma once
// A repaint kept as a list of what it drew, so that the next one can be
// compared with it and drawn again only where it differs.
//
// Each `DrawItem` carries everything its pixels depend on, together with the
// bounds of every pixel it may touch. Outside the bounds of the items that
// differ between two lists, the same items cover each pixel in the same
// order, so its colour is the same: the changed area is exactly what must be
// drawn again, and drawing every item that reaches into it, clipped to it,
// gives the pixels of a whole repaint.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "render/gdi_api.h"

namespace quorvenda {

enum class DrawOp { fill, text, line, ellipse, arc };

struct PenLook {
    PenStyle style = PenStyle::solid;
    int width = 0;
    Colour colour = black;
    bool operator==(const PenLook&) const = default;
};

struct DrawItem {
    DrawOp op = DrawOp::fill;
    std::array<int, 8> args{};  // fill, ellipse: the box; line: from, to; arc: the box, start, end; text: x, y
    std::string text;
    PenLook pen;
    std::optional<FontSpec> font;  // as it was asked for; none: the stock system font
    Colour textColour = black;
    Colour bkColour = white;
    bool transparent = false;
    Rect bounds;  // every pixel the item may touch, in the picture's pixels

    // The real surface's objects to draw it again with; not part of what the item looks like.
    GdiObject penObject = noObject;
    GdiObject fontObject = noObject;

    bool looksLike(const DrawItem& other) const;
};

struct DisplayList {
    std::vector<DrawItem> items;  // in drawing order, on the off-screen picture
    // Drawn the way this list cannot keep (on the window's own device context,
    // or a copy that is not the one 1:1 copy of the picture): draw it whole.
    bool unkeepable = false;
};

// The bounds of the items that differ between `before` and `after`, compared
// item by item in drawing order (an item without a counterpart differs).
std::vector<Rect> changedAreas(const DisplayList& before, const DisplayList& after);

// Draws again, in order, every item of `list` whose bounds reach into `areas`
// onto `dc`, setting the background mode each item asks for. The caller clips
// `dc` to `areas`. The device context's own pen and font are put back after.
void drawItems(GdiApi& gdi, DcHandle dc, const DisplayList& list, const std::vector<Rect>& areas);

// How an ellipse item reaches into an area: not at all, only with its white
// inside (the area lies within it, clear of its outline and pen), or at its
// edge. Where an area lies inside, drawing it again paints the area white.
enum class EllipseReach { none, inside, edge };
EllipseReach ellipseReach(const DrawItem& ellipse, const Rect& area);

}  // namespace quorvenda
