#include "render/display_list_recorder.h"

#include <algorithm>
#include <utility>

#include "render/item_bounds.h"

namespace quorvenda {

namespace {

constexpr Colour invalidColour = 0xFFFFFFFFu;  // CLR_INVALID

bool usesPen(DrawOp op) {
    return op == DrawOp::line || op == DrawOp::ellipse || op == DrawOp::arc;
}

}  // namespace

DisplayListGdi::DisplayListGdi(GdiApi& real)
    : real_(real),
      measuringDc_(real.createCompatibleDC(noDc)),
      realSystemFont_(real.getStockObject(StockObject::systemFont)),
      blackPen_(addObject(Object{
          ObjectKind::pen, PenLook{PenStyle::solid, 1, black}, {}, real.getStockObject(StockObject::blackPen), true})),
      systemFont_(addObject(Object{ObjectKind::font, {}, std::nullopt, realSystemFont_, true})),
      defaultBitmap_(addObject(Object{ObjectKind::bitmap, {}, std::nullopt, noObject, true})),
      dcs_(blackPen_, systemFont_, defaultBitmap_),
      windowDc_(static_cast<DcHandle>(next_++)) {
    dcs_.openWindowDc(windowDc_);
}

DisplayListGdi::~DisplayListGdi() {
    release();
    real_.deleteDC(measuringDc_);
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
    bitmap.kind = ObjectKind::bitmap;
    return addObject(std::move(bitmap));
}

const DisplayListGdi::Object* DisplayListGdi::find(GdiObject object) const {
    auto it = objects_.find(object);
    return it == objects_.end() ? nullptr : &it->second;
}

GdiObject DisplayListGdi::createPen(PenStyle style, int width, Colour colour) {
    const GdiObject real = real_.createPen(style, width, colour);
    if (real == noObject) return noObject;
    made_.push_back(real);
    return addObject(Object{ObjectKind::pen, PenLook{style, width, colour & 0xFFFFFFu}, {}, real, false});
}

GdiObject DisplayListGdi::createFont(const FontSpec& fontSpec) {
    const GdiObject real = real_.createFont(fontSpec);
    if (real == noObject) return noObject;
    made_.push_back(real);
    return addObject(Object{ObjectKind::font, {}, fontSpec, real, false});
}

GdiObject DisplayListGdi::createCompatibleBitmap(DcHandle dc, int width, int height) {
    if (dc != noDc && dcs_.find(dc) == nullptr) return noObject;
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
    if (dcs_.selectedAnywhere(object)) return false;
    // A pen or font on the real surface lives on until release(): items still draw with it.
    objects_.erase(object);
    return true;
}

DcHandle DisplayListGdi::createCompatibleDC(DcHandle dc) {
    if (dc != noDc && dcs_.find(dc) == nullptr) return noDc;
    const auto handle = static_cast<DcHandle>(next_++);
    dcs_.openMemoryDc(handle);
    return handle;
}

bool DisplayListGdi::deleteDC(DcHandle dc) {
    return dc != windowDc_ && dcs_.close(dc);
}

GdiObject DisplayListGdi::selectObject(DcHandle dc, GdiObject object) {
    const Object* selected = find(object);
    if (selected == nullptr) return noObject;
    return dcs_.select(dc, object, selected->kind).previous;
}

Colour DisplayListGdi::setBkColor(DcHandle dc, Colour colour) {
    DcState* found = dcs_.find(dc);
    return found == nullptr ? invalidColour : std::exchange(found->bkColor, colour & 0xFFFFFFu);
}

Colour DisplayListGdi::setTextColor(DcHandle dc, Colour colour) {
    DcState* found = dcs_.find(dc);
    return found == nullptr ? invalidColour : std::exchange(found->textColor, colour & 0xFFFFFFu);
}

void DisplayListGdi::setBkModeTransparent(DcHandle dc) {
    if (DcState* found = dcs_.find(dc)) found->transparent = true;
}

void DisplayListGdi::setBkModeOpaque(DcHandle dc) {
    if (DcState* found = dcs_.find(dc)) found->transparent = false;
}

DrawItem* DisplayListGdi::record(DcHandle dc, DrawOp op) {
    const DcState* found = dcs_.find(dc);
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

TextExtent DisplayListGdi::measure(const DcState& dc, std::string_view text) {
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
    const DcState* found = dcs_.find(dc);
    if (found == nullptr) return;
    const TextExtent extent = measure(*found, text);
    if (DrawItem* item = record(dc, DrawOp::text)) {
        item->args = {x, y};
        item->text = text;
        item->bounds = textBounds(x, y, extent);
    }
}

TextExtent DisplayListGdi::getTextExtent(DcHandle dc, std::string_view text) {
    const DcState* found = dcs_.find(dc);
    return found == nullptr ? TextExtent{} : measure(*found, text);
}

void DisplayListGdi::moveTo(DcHandle dc, int x, int y) {
    if (DcState* found = dcs_.find(dc)) found->position = {x, y};
}

void DisplayListGdi::lineTo(DcHandle dc, int x, int y) {
    DcState* found = dcs_.find(dc);
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
    const DcState* to = dcs_.find(dst);
    const DcState* from = dcs_.find(src);
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

}  // namespace quorvenda
