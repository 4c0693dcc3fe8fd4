#include "render/display_list.h"

#include <algorithm>
#include <cstdlib>

#include "render/item_bounds.h"

namespace quorvenda {

namespace {

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The two big circles hold the whole dial: where an area lies wholly within
// one, away from its outline, it only paints the area white, which costs a
// fill instead of stroking the whole circle again.
void drawEllipse(GdiApi& gdi, DcHandle dc, const DrawItem& item, const std::vector<Rect>& areas) {
    std::vector<const Rect*> inside;
    for (const Rect& area : areas) {
        switch (ellipseReach(item, area)) {
            case EllipseReach::none: break;
            case EllipseReach::inside: inside.push_back(&area); break;
            case EllipseReach::edge: {
                const auto& a = item.args;
                gdi.selectObject(dc, item.penObject);
                gdi.ellipse(dc, a[0], a[1], a[2], a[3]);
                return;
            }
        }
    }
    gdi.setBkColor(dc, white);
    for (const Rect* area : inside) gdi.extTextOutOpaque(dc, *area);
}

}  // namespace

bool DrawItem::looksLike(const DrawItem& other) const {
    return op == other.op && args == other.args && text == other.text && pen == other.pen && font == other.font &&
           textColour == other.textColour && bkColour == other.bkColour && transparent == other.transparent;
}

EllipseReach ellipseReach(const DrawItem& item, const Rect& area) {
    const auto& a = item.args;
    const double centreX = (a[0] + a[2]) / 2.0;
    const double centreY = (a[1] + a[3]) / 2.0;
    const double radiusX = std::abs(a[2] - a[0]) / 2.0;
    const double radiusY = std::abs(a[3] - a[1]) / 2.0;
    // Wide enough for the pen on both sides of the outline, and for rounding.
    const double margin = penMargin(item.pen) + 1;
    // Where an ellipse of these radii about the centre puts the point: below 1 inside, above outside.
    auto measure = [&](double x, double y, double rx, double ry) {
        const double dx = (x - centreX) / rx;
        const double dy = (y - centreY) / ry;
        return dx * dx + dy * dy;
    };
    // The area's point nearest the centre, each axis on its own (the measure is separable).
    const double nearestX = std::clamp(centreX, static_cast<double>(area.left), static_cast<double>(area.right));
    const double nearestY = std::clamp(centreY, static_cast<double>(area.top), static_cast<double>(area.bottom));
    if (measure(nearestX, nearestY, radiusX + margin, radiusY + margin) > 1) return EllipseReach::none;
    if (radiusX <= margin || radiusY <= margin) return EllipseReach::edge;
    // An ellipse is convex: the area is inside when its four corners are.
    for (const double x : {area.left, area.right}) {
        for (const double y : {area.top, area.bottom}) {
            if (measure(x, y, radiusX - margin, radiusY - margin) >= 1) return EllipseReach::edge;
        }
    }
    return EllipseReach::inside;
}

std::vector<Rect> changedAreas(const DisplayList& before, const DisplayList& after) {
    std::vector<Rect> areas;
    const std::size_t common = std::min(before.items.size(), after.items.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (before.items[i].looksLike(after.items[i])) continue;
        areas.push_back(before.items[i].bounds);
        // A text rewritten in place, a hand recoloured: one area for both.
        if (after.items[i].bounds != before.items[i].bounds) areas.push_back(after.items[i].bounds);
    }
    for (std::size_t i = common; i < before.items.size(); ++i) areas.push_back(before.items[i].bounds);
    for (std::size_t i = common; i < after.items.size(); ++i) areas.push_back(after.items[i].bounds);
    return areas;
}

void drawItems(GdiApi& gdi, DcHandle dc, const DisplayList& list, const std::vector<Rect>& areas) {
    const GdiObject ownPen = gdi.selectObject(dc, gdi.getStockObject(StockObject::blackPen));
    const GdiObject ownFont = gdi.selectObject(dc, gdi.getStockObject(StockObject::systemFont));
    gdi.setBkModeOpaque(dc);
    bool transparent = false;
    for (const DrawItem& item : list.items) {
        if (std::none_of(areas.begin(), areas.end(), [&item](const Rect& a) { return overlaps(a, item.bounds); }))
            continue;
        if (item.transparent != transparent) {
            transparent = item.transparent;
            if (transparent) {
                gdi.setBkModeTransparent(dc);
            } else {
                gdi.setBkModeOpaque(dc);
            }
        }
        const auto& a = item.args;
        gdi.setBkColor(dc, item.bkColour);
        switch (item.op) {
            case DrawOp::fill: gdi.extTextOutOpaque(dc, Rect{a[0], a[1], a[2], a[3]}); break;
            case DrawOp::text:
                gdi.selectObject(dc, item.fontObject);
                gdi.setTextColor(dc, item.textColour);
                gdi.textOut(dc, a[0], a[1], item.text);
                break;
            case DrawOp::line:
                gdi.selectObject(dc, item.penObject);
                gdi.moveTo(dc, a[0], a[1]);
                gdi.lineTo(dc, a[2], a[3]);
                break;
            case DrawOp::ellipse: drawEllipse(gdi, dc, item, areas); break;
            case DrawOp::arc:
                gdi.selectObject(dc, item.penObject);
                gdi.arc(dc, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                break;
        }
    }
    // The device context's own objects back, so that the items' can be deleted.
    gdi.selectObject(dc, ownPen);
    gdi.selectObject(dc, ownFont);
}

}  // namespace quorvenda
