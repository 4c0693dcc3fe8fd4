#include "render/display_list.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "render/bitmap_dc.h"

namespace quorvenda {

namespace {

constexpr Colour invalidColour = 0xFFFFFFFFu;  // CLR_INVALID
// Beyond the pixels a call names: a pen's half width, antialiased edges.
constexpr int strokeMargin = 2;
// Glyphs reach beyond their cell: italics lean out, some marks hang over.
constexpr int textMarginPerCellHeight = 2;  // a half of the cell height on every side

Rect boxOf(int left, int top, int right, int bottom, int margin) {
    return Rect{std::min(left, right) - margin, std::min(top, bottom) - margin, std::max(left, right) + margin,
                std::max(top, bottom) + margin};
}

int penMargin(const PenLook& pen) {
    const long long width = std::llabs(static_cast<long long>(pen.width));
    return static_cast<int>(std::min<long long>(std::max<long long>(width, 1), 1 << 16) / 2) + strokeMargin;
}

bool sameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

FontLook fontLookOf(const FontSpec& f) {
    FontLook look;
    look.stock = false;
    look.numbers = {f.height,    f.width,   f.escapement,   f.orientation,   f.weight,  f.italic,        f.underline,
                    f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality, f.pitchAndFamily};
    look.faceName = f.faceName;
    return look;
}

// How an ellipse item reaches into an area: not at all, only with its white
// inside (the area lies within it, clear of its outline and pen), or at its edge.
enum class EllipseReach { none, inside, edge };

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

bool usesPen(DrawOp op) {
    return op == DrawOp::line || op == DrawOp::ellipse || op == DrawOp::arc;
}

}  // namespace

bool DrawItem::looksLike(const DrawItem& other) const {
    return op == other.op && args == other.args && text == other.text && pen == other.pen && font == other.font &&
           textColour == other.textColour && bkColour == other.bkColour && transparent == other.transparent;
}

DisplayListGdi::DisplayListGdi(GdiApi& real)
    : real_(real),
      measuringDc_(real.createCompatibleDC(noDc)),
      realSystemFont_(real.getStockObject(StockObject::systemFont)) {
    Object pen{Kind::pen, PenLook{PenStyle::solid, 1, black}, {}, real.getStockObject(StockObject::blackPen), true};
    blackPen_ = addObject(pen);
    systemFont_ = addObject(Object{Kind::font, {}, FontLook{}, realSystemFont_, true});
    windowDc_ = static_cast<DcHandle>(next_++);
    dcs_[windowDc_] = Dc{};
}

DisplayListGdi::~DisplayListGdi() {
    release();
    real_.deleteDC(measuringDc_);
    // A repaint whose off-screen bitmap failed borrowed the shared one through this surface.
    BitmapDC::releaseSharedBitmap(*this);
}

DisplayList DisplayListGdi::takeList() {
    DisplayList list = std::move(list_);
    const bool allCopied = std::all_of(itemBitmaps_.begin(), itemBitmaps_.end(),
                                       [this](GdiObject bitmap) { return copiedBitmap_ == bitmap; });
    if (!allCopied) list.unkeepable = true;
    list_ = DisplayList{};
    itemBitmaps_.clear();
    copiedBitmap_.reset();
    return list;
}

void DisplayListGdi::release() {
    real_.selectObject(measuringDc_, realSystemFont_);
    for (const GdiObject object : made_) real_.deleteObject(object);
    made_.clear();
}

GdiObject DisplayListGdi::addObject(Object object) {
    const auto handle = static_cast<GdiObject>(next_++);
    objects_[handle] = std::move(object);
    return handle;
}

GdiObject DisplayListGdi::addBitmap() {
    Object bitmap;
    bitmap.kind = Kind::bitmap;
    return addObject(std::move(bitmap));
}

DisplayListGdi::Dc* DisplayListGdi::find(DcHandle dc) {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? nullptr : &it->second;
}

const DisplayListGdi::Object* DisplayListGdi::find(GdiObject object) const {
    auto it = objects_.find(object);
    return it == objects_.end() ? nullptr : &it->second;
}

GdiObject DisplayListGdi::createPen(PenStyle style, int width, Colour colour) {
    const GdiObject real = real_.createPen(style, width, colour);
    if (real == noObject) return noObject;
    made_.push_back(real);
    return addObject(Object{Kind::pen, PenLook{style, width, colour & 0xFFFFFFu}, {}, real, false});
}

GdiObject DisplayListGdi::createFont(const FontSpec& fontSpec) {
    const GdiObject real = real_.createFont(fontSpec);
    if (real == noObject) return noObject;
    made_.push_back(real);
    return addObject(Object{Kind::font, {}, fontLookOf(fontSpec), real, false});
}

GdiObject DisplayListGdi::createCompatibleBitmap(DcHandle dc, int width, int height) {
    if (dc != noDc && find(dc) == nullptr) return noObject;
    // Nothing is drawn into it: its pixels are the kept picture's.
    return width < 0 || height < 0 ? noObject : addBitmap();
}

GdiObject DisplayListGdi::createMonochromeBitmap(int width, int height) {
    return width < 0 || height < 0 ? noObject : addBitmap();
}

GdiObject DisplayListGdi::getStockObject(StockObject which) {
    return which == StockObject::blackPen ? blackPen_ : systemFont_;
}

bool DisplayListGdi::deleteObject(GdiObject object) {
    const Object* found = find(object);
    if (found == nullptr) return false;
    if (found->stock) return true;
    const bool selected = std::any_of(dcs_.begin(), dcs_.end(), [object](const auto& entry) {
        const Dc& dc = entry.second;
        return dc.pen == object || dc.font == object || dc.bitmap == object;
    });
    if (selected) return false;
    // A pen or font on the real surface lives on until release(): items still draw with it.
    objects_.erase(object);
    return true;
}

DcHandle DisplayListGdi::createCompatibleDC(DcHandle dc) {
    if (dc != noDc && find(dc) == nullptr) return noDc;
    const auto handle = static_cast<DcHandle>(next_++);
    Dc memory;
    memory.memory = true;
    dcs_[handle] = memory;
    return handle;
}

bool DisplayListGdi::deleteDC(DcHandle dc) {
    return dc != windowDc_ && dcs_.erase(dc) > 0;
}

GdiObject DisplayListGdi::selectObject(DcHandle dc, GdiObject object) {
    Dc* found = find(dc);
    const Object* selected = find(object);
    if (found == nullptr || selected == nullptr) return noObject;
    switch (selected->kind) {
        case Kind::pen: return std::exchange(found->pen, object);
        case Kind::font: return std::exchange(found->font, object);
        case Kind::bitmap: return found->memory ? std::exchange(found->bitmap, object) : noObject;
    }
    return noObject;
}

Colour DisplayListGdi::setBkColor(DcHandle dc, Colour colour) {
    Dc* found = find(dc);
    return found == nullptr ? invalidColour : std::exchange(found->bkColor, colour & 0xFFFFFFu);
}

Colour DisplayListGdi::setTextColor(DcHandle dc, Colour colour) {
    Dc* found = find(dc);
    return found == nullptr ? invalidColour : std::exchange(found->textColor, colour & 0xFFFFFFu);
}

void DisplayListGdi::setBkModeTransparent(DcHandle dc) {
    if (Dc* found = find(dc)) found->transparent = true;
}

DrawItem* DisplayListGdi::record(DcHandle dc, DrawOp op) {
    Dc* found = find(dc);
    if (found == nullptr) return nullptr;
    if (!found->memory) {
        // Drawn straight onto the window: not what a kept picture holds.
        list_.unkeepable = true;
        return nullptr;
    }
    // Only the state the call's pixels depend on, so that a change of any other leaves it alike.
    DrawItem item;
    item.op = op;
    item.transparent = found->transparent;
    if (usesPen(op)) {
        const Object* pen = find(found->pen);
        if (pen == nullptr) pen = find(blackPen_);
        item.pen = pen->pen;
        item.penObject = pen->real;
    }
    if (op == DrawOp::text) {
        const Object* font = find(found->font);
        if (font == nullptr) font = find(systemFont_);
        item.font = font->font;
        item.fontObject = font->real;
        item.textColour = found->textColor;
    }
    // The background colour fills, and shows behind an opaque text and in a dotted pen's gaps.
    const bool showsBackground = op == DrawOp::fill || (!found->transparent && (op == DrawOp::text || usesPen(op)));
    if (showsBackground) item.bkColour = found->bkColor;
    list_.items.push_back(std::move(item));
    itemBitmaps_.push_back(found->bitmap);
    return &list_.items.back();
}

TextExtent DisplayListGdi::measure(const Dc& dc, std::string_view text) {
    const Object* font = find(dc.font);
    real_.selectObject(measuringDc_, font != nullptr ? font->real : realSystemFont_);
    return real_.getTextExtent(measuringDc_, text);
}

void DisplayListGdi::extTextOutOpaque(DcHandle dc, const Rect& rect) {
    if (DrawItem* item = record(dc, DrawOp::fill)) {
        item->args = {rect.left, rect.top, rect.right, rect.bottom};
        item->bounds = boxOf(rect.left, rect.top, rect.right, rect.bottom, 0);
    }
}

void DisplayListGdi::textOut(DcHandle dc, int x, int y, std::string_view text) {
    Dc* found = find(dc);
    if (found == nullptr) return;
    const TextExtent extent = measure(*found, text);
    if (DrawItem* item = record(dc, DrawOp::text)) {
        item->args = {x, y};
        item->text = text;
        const long long margin = extent.cy / textMarginPerCellHeight + strokeMargin;
        auto clamped = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); };
        item->bounds = Rect{clamped(x - margin), clamped(y - margin), clamped(x + extent.cx + margin),
                            clamped(y + extent.cy + margin)};
    }
}

TextExtent DisplayListGdi::getTextExtent(DcHandle dc, std::string_view text) {
    Dc* found = find(dc);
    return found == nullptr ? TextExtent{} : measure(*found, text);
}

void DisplayListGdi::moveTo(DcHandle dc, int x, int y) {
    if (Dc* found = find(dc)) found->position = {x, y};
}

void DisplayListGdi::lineTo(DcHandle dc, int x, int y) {
    Dc* found = find(dc);
    if (found == nullptr) return;
    const Point from = std::exchange(found->position, Point{x, y});
    if (DrawItem* item = record(dc, DrawOp::line)) {
        item->args = {from.x, from.y, x, y};
        item->bounds = boxOf(from.x, from.y, x, y, penMargin(item->pen));
    }
}

void DisplayListGdi::ellipse(DcHandle dc, int left, int top, int right, int bottom) {
    if (DrawItem* item = record(dc, DrawOp::ellipse)) {
        item->args = {left, top, right, bottom};
        item->bounds = boxOf(left, top, right, bottom, penMargin(item->pen));
    }
}

void DisplayListGdi::arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                         int yEnd) {
    if (DrawItem* item = record(dc, DrawOp::arc)) {
        item->args = {left, top, right, bottom, xStart, yStart, xEnd, yEnd};
        item->bounds = boxOf(left, top, right, bottom, penMargin(item->pen));
    }
}

void DisplayListGdi::stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc,
                                int widthSrc, int heightSrc) {
    Dc* to = find(dst);
    Dc* from = find(src);
    if (to == nullptr || from == nullptr) return;
    // The one copy a kept picture stands for: the whole off-screen picture 1:1 onto the window.
    const bool wholeCopy = dst == windowDc_ && from->memory && x == 0 && y == 0 && xSrc == 0 && ySrc == 0 &&
                           width == widthSrc && height == heightSrc && !copiedBitmap_;
    if (!wholeCopy) {
        list_.unkeepable = true;
        return;
    }
    copiedBitmap_ = from->bitmap;
}

std::vector<Rect> changedAreas(const DisplayList& before, const DisplayList& after) {
    std::vector<Rect> areas;
    const std::size_t common = std::min(before.items.size(), after.items.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (before.items[i].looksLike(after.items[i])) continue;
        areas.push_back(before.items[i].bounds);
        // A text rewritten in place, a hand recoloured: one area for both.
        if (!sameRect(after.items[i].bounds, before.items[i].bounds)) areas.push_back(after.items[i].bounds);
    }
    for (std::size_t i = common; i < before.items.size(); ++i) areas.push_back(before.items[i].bounds);
    for (std::size_t i = common; i < after.items.size(); ++i) areas.push_back(after.items[i].bounds);
    return areas;
}

namespace {

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

void drawItems(GdiApi& gdi, DcHandle opaque, DcHandle transparent, const DisplayList& list,
               const std::vector<Rect>& areas) {
    const GdiObject opaquePen = gdi.selectObject(opaque, gdi.getStockObject(StockObject::blackPen));
    const GdiObject opaqueFont = gdi.selectObject(opaque, gdi.getStockObject(StockObject::systemFont));
    const GdiObject transparentPen = gdi.selectObject(transparent, gdi.getStockObject(StockObject::blackPen));
    const GdiObject transparentFont = gdi.selectObject(transparent, gdi.getStockObject(StockObject::systemFont));
    for (const DrawItem& item : list.items) {
        if (std::none_of(areas.begin(), areas.end(), [&item](const Rect& a) { return overlaps(a, item.bounds); }))
            continue;
        const DcHandle dc = item.transparent ? transparent : opaque;
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
    // The device contexts' own objects back, so that the items' can be deleted.
    gdi.selectObject(opaque, opaquePen);
    gdi.selectObject(opaque, opaqueFont);
    gdi.selectObject(transparent, transparentPen);
    gdi.selectObject(transparent, transparentFont);
}

}  // namespace quorvenda
