#pragma once
// A drawing surface that draws nothing and records every call with its
// arguments and the device context it went to. It keeps the books GDI keeps
// (which objects and device contexts are alive, what each has selected) and
// notes every misuse: a double delete, deleting an object still selected,
// drawing on a deleted device context. Texts measure 8 pixels a byte wide and
// 16 pixels high, whatever the font.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "render/dc_state.h"
#include "render/gdi_api.h"

namespace quorvenda {

enum class GdiCall {
    createPen,
    createFont,
    createCompatibleBitmap,
    createMonochromeBitmap,
    getStockObject,
    deleteObject,
    createCompatibleDC,
    deleteDC,
    selectObject,
    setBkColor,
    extTextOutOpaque,
    setBkModeTransparent,
    setBkModeOpaque,
    setTextColor,
    textOut,
    getTextExtent,
    moveTo,
    lineTo,
    ellipse,
    arc,
    stretchBlt,
    yieldTimeSlice,
};

// What the recording knows of one drawing object.
struct ObjectInfo {
    ObjectKind kind = ObjectKind::none;
    const char* stockName = nullptr;  // BLACK_PEN, SYSTEM_FONT, DEFAULT_BITMAP; null for a created object
    PenStyle penStyle = PenStyle::solid;
    int penWidth = 0;
    Colour penColour = 0;
    FontSpec font;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    bool monochrome = false;
    bool live = false;
};

struct RecordedCall {
    GdiCall call = GdiCall::yieldTimeSlice;
    DcHandle dc = noDc;           // the device context it went to; the destination of a copy
    DcHandle sourceDc = noDc;     // the source of a copy
    GdiObject object = noObject;  // the object created, deleted or selected; the pen a stroke used
    ObjectInfo objectInfo;        // that object as it was at the call
    std::vector<int> args;        // coordinates and sizes, in parameter order
    Colour colour = 0;
    std::string text;  // Shift-JIS, as passed
};

class RecordingGdi : public GdiApi {
public:
    static constexpr int textWidthPerByte = 8;
    static constexpr int textHeight = 16;

    RecordingGdi();
    ~RecordingGdi() override;

    // A window's device context, as BeginPaint yields it: never to be deleted by the drawing code.
    DcHandle openPaintDc();

    // Calls to fail, for the failure paths: each counts down per attempt.
    int compatibleBitmapFailures = 0;
    int monochromeBitmapFailures = 0;
    int fontFailures = 0;

    const std::vector<RecordedCall>& calls() const { return calls_; }
    std::vector<RecordedCall> callsOn(DcHandle dc) const;
    const std::vector<std::string>& faults() const { return faults_; }
    int liveObjectCount() const;  // created and not yet deleted; stock objects do not count
    int liveMemoryDcCount() const;
    GdiObject selected(DcHandle dc, ObjectKind kind) const;
    const ObjectInfo* objectInfo(GdiObject object) const;
    GdiObject stockObject(StockObject which) const;
    void clearCalls() { calls_.clear(); }

    GdiObject createPen(PenStyle style, int width, Colour colour) override;
    GdiObject createFont(const FontSpec& fontSpec) override;
    GdiObject createCompatibleBitmap(DcHandle dc, int width, int height) override;
    GdiObject createMonochromeBitmap(int width, int height) override;
    GdiObject getStockObject(StockObject which) override;
    bool deleteObject(GdiObject object) override;

    DcHandle createCompatibleDC(DcHandle dc) override;
    bool deleteDC(DcHandle dc) override;
    GdiObject selectObject(DcHandle dc, GdiObject object) override;

    Colour setBkColor(DcHandle dc, Colour colour) override;
    void extTextOutOpaque(DcHandle dc, const Rect& rect) override;
    void setBkModeTransparent(DcHandle dc) override;
    void setBkModeOpaque(DcHandle dc) override;
    Colour setTextColor(DcHandle dc, Colour colour) override;
    void textOut(DcHandle dc, int x, int y, std::string_view text) override;
    TextExtent getTextExtent(DcHandle dc, std::string_view text) override;
    void moveTo(DcHandle dc, int x, int y) override;
    void lineTo(DcHandle dc, int x, int y) override;
    void ellipse(DcHandle dc, int left, int top, int right, int bottom) override;
    void arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd) override;
    void stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc, int widthSrc,
                    int heightSrc) override;
    void yieldTimeSlice() override;

private:
    GdiObject newObject(ObjectInfo info);
    GdiObject addStock(ObjectKind kind, const char* name, bool monochrome = false);
    RecordedCall& record(GdiCall call, DcHandle dc);
    // The device context's state, or null after a fault for `operation`.
    DcState* usableDc(DcHandle dc, const char* operation);
    GdiObject currentPen(DcHandle dc) const;
    void fault(std::string message);

    std::vector<RecordedCall> calls_;
    std::vector<std::string> faults_;
    std::map<GdiObject, ObjectInfo> objects_;
    std::uintptr_t nextObject_ = 1;
    std::uintptr_t nextDc_ = 1;
    GdiObject blackPen_;
    GdiObject systemFont_;
    GdiObject defaultBitmap_;
    DcBook dcs_;  // after the stock objects it starts every device context with
};

// Text measured as the recording surface measures it, saturating for texts of any length.
TextExtent recordedTextExtent(std::string_view text);

// A pen as the trace tool names it after the verb: `PS_SOLID 3 0x0000FF`.
std::string tracePenWords(const ObjectInfo& pen);

// One line describing a call, as the trace tool prints it: `MoveTo 117 343`,
// `SelectPen PS_SOLID 3 0x0000FF`, `TextOut 0 0 "text"`. The text of a call
// goes through `textToOutput` (by default unchanged).
std::string traceLine(const RecordedCall& call, const std::function<std::string(std::string_view)>& textToOutput = {});

// The calls that show what a repaint draws: all but those made on the paint
// device context alone (measuring). The copy from the off-screen one and the
// creation of the off-screen bitmap stay in.
bool belongsToOffscreenTrace(const RecordedCall& call, DcHandle paintDc);

}  // namespace quorvenda
