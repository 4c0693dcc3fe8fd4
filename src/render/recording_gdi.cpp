#include "render/recording_gdi.h"

#include <cstdio>
#include <limits>
#include <utility>

namespace quorvenda {

namespace {

std::string hexColour(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(colour & 0xFFFFFFu));
    return buffer;
}

const char* penStyleName(PenStyle style) {
    return style == PenStyle::dot ? "PS_DOT" : "PS_SOLID";
}

const char* stockName(StockObject which) {
    return which == StockObject::blackPen ? "BLACK_PEN" : "SYSTEM_FONT";
}

std::string joined(const std::vector<int>& values) {
    std::string out;
    for (int v : values) {
        if (!out.empty()) out += ' ';
        out += std::to_string(v);
    }
    return out;
}

using TextFilter = std::function<std::string(std::string_view)>;

std::string quoted(std::string_view text, const TextFilter& textToOutput) {
    return '"' + (textToOutput ? textToOutput(text) : std::string(text)) + '"';
}

// The words after the verb that name an object: its kind-specific attributes.
std::string objectWords(const ObjectInfo& info, const TextFilter& textToOutput) {
    switch (info.kind) {
        case ObjectKind::pen: return tracePenWords(info);
        case ObjectKind::font: return std::to_string(info.font.height) + ' ' + quoted(info.font.faceName, textToOutput);
        case ObjectKind::bitmap:
            return std::to_string(info.bitmapWidth) + ' ' + std::to_string(info.bitmapHeight) +
                   (info.monochrome ? " monochrome" : "");
        case ObjectKind::none: break;
    }
    return "unknown";
}

const char* kindWord(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::pen: return "Pen";
        case ObjectKind::font: return "Font";
        case ObjectKind::bitmap: return "Bitmap";
        case ObjectKind::none: break;
    }
    return "Object";
}

// SelectPen / DeleteFont ... for a created object; stock objects and NULL by name.
std::string objectLine(const char* verb, const RecordedCall& c, const TextFilter& textToOutput) {
    if (c.object == noObject) return std::string(verb) + "Object NULL";
    if (c.objectInfo.stockName != nullptr) return std::string(verb) + "StockObject " + c.objectInfo.stockName;
    return std::string(verb) + kindWord(c.objectInfo.kind) + ' ' + objectWords(c.objectInfo, textToOutput);
}

std::string fontSpecWords(const FontSpec& f, const TextFilter& textToOutput) {
    return joined({f.height, f.width, f.escapement, f.orientation, f.weight, f.italic, f.underline, f.strikeOut,
                   f.charSet, f.outPrecision, f.clipPrecision, f.quality, f.pitchAndFamily}) +
           ' ' + quoted(f.faceName, textToOutput);
}

std::string created(std::string line, const RecordedCall& c) {
    return c.object == noObject ? line + " failed" : line;
}

}  // namespace

TextExtent recordedTextExtent(std::string_view text) {
    constexpr auto widest = static_cast<std::size_t>(std::numeric_limits<int>::max() / RecordingGdi::textWidthPerByte);
    const int width = text.size() > widest ? std::numeric_limits<int>::max()
                                           : static_cast<int>(text.size()) * RecordingGdi::textWidthPerByte;
    return TextExtent{width, RecordingGdi::textHeight};
}

RecordingGdi::RecordingGdi()
    : blackPen_(addStock(ObjectKind::pen, "BLACK_PEN")),
      systemFont_(addStock(ObjectKind::font, "SYSTEM_FONT")),
      defaultBitmap_(addStock(ObjectKind::bitmap, "DEFAULT_BITMAP", true)),
      dcs_(blackPen_, systemFont_, defaultBitmap_) {}

RecordingGdi::~RecordingGdi() = default;

GdiObject RecordingGdi::addStock(ObjectKind kind, const char* name, bool monochrome) {
    ObjectInfo info;
    info.kind = kind;
    info.stockName = name;
    info.monochrome = monochrome;
    info.bitmapWidth = info.bitmapHeight = monochrome ? 1 : 0;
    return newObject(info);
}

GdiObject RecordingGdi::newObject(ObjectInfo info) {
    info.live = true;
    const GdiObject handle{nextObject_++};
    objects_[handle] = info;
    return handle;
}

DcHandle RecordingGdi::openPaintDc() {
    const DcHandle dc{nextDc_++};
    dcs_.openWindowDc(dc);
    return dc;
}

RecordedCall& RecordingGdi::record(GdiCall call, DcHandle dc) {
    RecordedCall& c = calls_.emplace_back();
    c.call = call;
    c.dc = dc;
    return c;
}

void RecordingGdi::fault(std::string message) {
    faults_.push_back(std::move(message));
}

DcState* RecordingGdi::usableDc(DcHandle dc, const char* operation) {
    if (DcState* state = dcs_.find(dc)) return state;
    fault(std::string(operation) + " on a device context that is not alive");
    return nullptr;
}

std::vector<RecordedCall> RecordingGdi::callsOn(DcHandle dc) const {
    std::vector<RecordedCall> out;
    for (const auto& c : calls_) {
        if (c.dc == dc) out.push_back(c);
    }
    return out;
}

int RecordingGdi::liveObjectCount() const {
    int count = 0;
    for (const auto& [handle, info] : objects_) count += info.live && info.stockName == nullptr;
    return count;
}

int RecordingGdi::liveMemoryDcCount() const {
    return static_cast<int>(dcs_.memoryDcCount());
}

GdiObject RecordingGdi::selected(DcHandle dc, ObjectKind kind) const {
    const DcState* state = dcs_.find(dc);
    if (state == nullptr) return noObject;
    switch (kind) {
        case ObjectKind::pen: return state->pen;
        case ObjectKind::font: return state->font;
        case ObjectKind::bitmap: return state->bitmap;
        case ObjectKind::none: break;
    }
    return noObject;
}

GdiObject RecordingGdi::currentPen(DcHandle dc) const {
    return selected(dc, ObjectKind::pen);
}

const ObjectInfo* RecordingGdi::objectInfo(GdiObject object) const {
    auto it = objects_.find(object);
    return it != objects_.end() ? &it->second : nullptr;
}

GdiObject RecordingGdi::stockObject(StockObject which) const {
    return which == StockObject::blackPen ? blackPen_ : systemFont_;
}

GdiObject RecordingGdi::createPen(PenStyle style, int width, Colour colour) {
    ObjectInfo info;
    info.kind = ObjectKind::pen;
    info.penStyle = style;
    info.penWidth = width;
    info.penColour = colour;
    auto& c = record(GdiCall::createPen, noDc);
    c.object = newObject(info);
    c.objectInfo = objects_[c.object];
    return c.object;
}

GdiObject RecordingGdi::createFont(const FontSpec& fontSpec) {
    ObjectInfo info;
    info.kind = ObjectKind::font;
    info.font = fontSpec;
    auto& c = record(GdiCall::createFont, noDc);
    c.objectInfo = info;
    if (fontFailures > 0) {
        --fontFailures;
        return noObject;
    }
    c.object = newObject(info);
    return c.object;
}

GdiObject RecordingGdi::createCompatibleBitmap(DcHandle dc, int width, int height) {
    auto& c = record(GdiCall::createCompatibleBitmap, dc);
    c.args = {width, height};
    if (!usableDc(dc, "CreateCompatibleBitmap")) return noObject;
    if (compatibleBitmapFailures > 0) {
        --compatibleBitmapFailures;
        return noObject;
    }
    // A memory device context that still holds its own bitmap is monochrome.
    const DcState& source = *dcs_.find(dc);
    ObjectInfo info;
    info.kind = ObjectKind::bitmap;
    info.bitmapWidth = width;
    info.bitmapHeight = height;
    info.monochrome = source.memory && objectInfo(source.bitmap) != nullptr && objectInfo(source.bitmap)->monochrome;
    c.object = newObject(info);
    c.objectInfo = objects_[c.object];
    return c.object;
}

GdiObject RecordingGdi::createMonochromeBitmap(int width, int height) {
    auto& c = record(GdiCall::createMonochromeBitmap, noDc);
    c.args = {width, height};
    if (monochromeBitmapFailures > 0) {
        --monochromeBitmapFailures;
        return noObject;
    }
    ObjectInfo info;
    info.kind = ObjectKind::bitmap;
    info.bitmapWidth = width;
    info.bitmapHeight = height;
    info.monochrome = true;
    c.object = newObject(info);
    c.objectInfo = objects_[c.object];
    return c.object;
}

GdiObject RecordingGdi::getStockObject(StockObject which) {
    auto& c = record(GdiCall::getStockObject, noDc);
    c.object = stockObject(which);
    c.objectInfo = objects_[c.object];
    c.text = stockName(which);
    return c.object;
}

bool RecordingGdi::deleteObject(GdiObject object) {
    auto& c = record(GdiCall::deleteObject, noDc);
    c.object = object;
    auto it = objects_.find(object);
    if (it == objects_.end()) {
        fault("DeleteObject of an object that was never created");
        return false;
    }
    c.objectInfo = it->second;
    if (it->second.stockName != nullptr) {
        fault(std::string("DeleteObject of the stock object ") + it->second.stockName);
        return false;
    }
    if (!it->second.live) {
        fault("DeleteObject of an object already deleted");
        return false;
    }
    if (dcs_.selectedAnywhere(object)) {
        fault("DeleteObject of an object still selected into a device context");
        return false;
    }
    it->second.live = false;
    return true;
}

DcHandle RecordingGdi::createCompatibleDC(DcHandle dc) {
    const DcHandle created{nextDc_++};
    auto& c = record(GdiCall::createCompatibleDC, created);
    c.sourceDc = dc;
    if (dc != noDc && !usableDc(dc, "CreateCompatibleDC")) return noDc;
    dcs_.openMemoryDc(created);
    return created;
}

bool RecordingGdi::deleteDC(DcHandle dc) {
    record(GdiCall::deleteDC, dc);
    const DcState* state = dcs_.find(dc);
    if (state == nullptr) {
        fault("DeleteDC of a device context that is not alive");
        return false;
    }
    if (!state->memory) {
        fault("DeleteDC of a window's device context");
        return false;
    }
    return dcs_.close(dc);
}

GdiObject RecordingGdi::selectObject(DcHandle dc, GdiObject object) {
    auto& c = record(GdiCall::selectObject, dc);
    c.object = object;
    auto it = objects_.find(object);
    if (it != objects_.end()) c.objectInfo = it->second;
    if (!usableDc(dc, "SelectObject") || object == noObject) return noObject;
    if (it == objects_.end() || !it->second.live) {
        fault("SelectObject of an object that is not alive");
        return noObject;
    }
    const Selection selection = dcs_.select(dc, object, it->second.kind);
    if (selection.refusal == SelectRefusal::bitmapIntoWindowDc)
        fault("SelectObject of a bitmap into a window's device context");
    if (selection.refusal == SelectRefusal::bitmapElsewhere)
        fault("SelectObject of a bitmap already selected into another device context");
    return selection.previous;
}

Colour RecordingGdi::setBkColor(DcHandle dc, Colour colour) {
    auto& c = record(GdiCall::setBkColor, dc);
    c.colour = colour;
    DcState* state = usableDc(dc, "SetBkColor");
    return state != nullptr ? std::exchange(state->bkColor, colour) : 0;
}

void RecordingGdi::extTextOutOpaque(DcHandle dc, const Rect& rect) {
    record(GdiCall::extTextOutOpaque, dc).args = {rect.left, rect.top, rect.right, rect.bottom};
    usableDc(dc, "ExtTextOut");
}

void RecordingGdi::setBkModeTransparent(DcHandle dc) {
    record(GdiCall::setBkModeTransparent, dc);
    if (DcState* state = usableDc(dc, "SetBkMode")) state->transparent = true;
}

void RecordingGdi::setBkModeOpaque(DcHandle dc) {
    record(GdiCall::setBkModeOpaque, dc);
    if (DcState* state = usableDc(dc, "SetBkMode")) state->transparent = false;
}

Colour RecordingGdi::setTextColor(DcHandle dc, Colour colour) {
    auto& c = record(GdiCall::setTextColor, dc);
    c.colour = colour;
    DcState* state = usableDc(dc, "SetTextColor");
    return state != nullptr ? std::exchange(state->textColor, colour) : 0;
}

void RecordingGdi::textOut(DcHandle dc, int x, int y, std::string_view text) {
    auto& c = record(GdiCall::textOut, dc);
    c.args = {x, y};
    if (const DcState* state = dcs_.find(dc)) c.colour = state->textColor;
    c.text = text;
    usableDc(dc, "TextOut");
}

TextExtent RecordingGdi::getTextExtent(DcHandle dc, std::string_view text) {
    record(GdiCall::getTextExtent, dc).text = text;
    if (!usableDc(dc, "GetTextExtentPoint32")) return {};
    return recordedTextExtent(text);
}

void RecordingGdi::moveTo(DcHandle dc, int x, int y) {
    record(GdiCall::moveTo, dc).args = {x, y};
    usableDc(dc, "MoveToEx");
}

void RecordingGdi::lineTo(DcHandle dc, int x, int y) {
    auto& c = record(GdiCall::lineTo, dc);
    c.args = {x, y};
    c.object = currentPen(dc);
    usableDc(dc, "LineTo");
}

void RecordingGdi::ellipse(DcHandle dc, int left, int top, int right, int bottom) {
    auto& c = record(GdiCall::ellipse, dc);
    c.args = {left, top, right, bottom};
    c.object = currentPen(dc);
    usableDc(dc, "Ellipse");
}

void RecordingGdi::arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                       int yEnd) {
    auto& c = record(GdiCall::arc, dc);
    c.args = {left, top, right, bottom, xStart, yStart, xEnd, yEnd};
    c.object = currentPen(dc);
    usableDc(dc, "Arc");
}

void RecordingGdi::stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc,
                              int widthSrc, int heightSrc) {
    auto& c = record(GdiCall::stretchBlt, dst);
    c.sourceDc = src;
    c.args = {x, y, width, height, xSrc, ySrc, widthSrc, heightSrc};
    usableDc(dst, "StretchBlt");
    usableDc(src, "StretchBlt");
}

void RecordingGdi::yieldTimeSlice() {
    record(GdiCall::yieldTimeSlice, noDc);
}

std::string tracePenWords(const ObjectInfo& pen) {
    return std::string(penStyleName(pen.penStyle)) + ' ' + std::to_string(pen.penWidth) + ' ' +
           hexColour(pen.penColour);
}

std::string traceLine(const RecordedCall& c, const TextFilter& textToOutput) {
    const auto& a = c.args;
    switch (c.call) {
        case GdiCall::createPen: return "CreatePen " + objectWords(c.objectInfo, textToOutput);
        case GdiCall::createFont: return created("CreateFont " + fontSpecWords(c.objectInfo.font, textToOutput), c);
        case GdiCall::createCompatibleBitmap: return created("CreateCompatibleBitmap " + joined(a), c);
        case GdiCall::createMonochromeBitmap: return created("CreateBitmap " + joined(a) + " 1 1", c);
        case GdiCall::getStockObject: return "GetStockObject " + c.text;
        case GdiCall::deleteObject: return objectLine("Delete", c, textToOutput);
        case GdiCall::createCompatibleDC: return c.sourceDc == noDc ? "CreateCompatibleDC NULL" : "CreateCompatibleDC";
        case GdiCall::deleteDC: return "DeleteDC";
        case GdiCall::selectObject: return objectLine("Select", c, textToOutput);
        case GdiCall::setBkColor: return "SetBkColor " + hexColour(c.colour);
        case GdiCall::extTextOutOpaque: return "ExtTextOut ETO_OPAQUE " + joined(a);
        case GdiCall::setBkModeTransparent: return "SetBkMode TRANSPARENT";
        case GdiCall::setBkModeOpaque: return "SetBkMode OPAQUE";
        case GdiCall::setTextColor: return "SetTextColor " + hexColour(c.colour);
        case GdiCall::textOut: return "TextOut " + joined(a) + ' ' + quoted(c.text, textToOutput);
        case GdiCall::getTextExtent: return "GetTextExtent " + quoted(c.text, textToOutput);
        case GdiCall::moveTo: return "MoveTo " + joined(a);
        case GdiCall::lineTo: return "LineTo " + joined(a);
        case GdiCall::ellipse: return "Ellipse " + joined(a);
        case GdiCall::arc: return "Arc " + joined(a);
        case GdiCall::stretchBlt: return "StretchBlt " + joined(a) + " SRCCOPY";
        case GdiCall::yieldTimeSlice: return "Sleep 0";
    }
    return "Unknown";
}

bool belongsToOffscreenTrace(const RecordedCall& c, DcHandle paintDc) {
    return c.dc != paintDc || c.call == GdiCall::stretchBlt || c.call == GdiCall::createCompatibleBitmap;
}

}  // namespace quorvenda
