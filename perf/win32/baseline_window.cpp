#include "perf/win32/baseline_window.h"

#include "app/framework/win32/message_crackers.h"
#include "app/framework/win32/paint_dc.h"
#include "app/main_window_creation.h"
#include "core/colour_settings.h"
#include "core/palette.h"
#include "render/bitmap_dc.h"
#include "render/dial_face.h"
#include "render/dial_layout.h"
#include "render/drawing_kit.h"
#include "render/win32/window_dpi.h"

namespace quorvenda::perf {

namespace {

// The clock's window, apart from its title and icon.
constexpr DWORD windowExStyle = WS_EX_LAYERED;
constexpr UINT windowClassStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW;

const char* titleOf(BaselinePaint paint) {
    return paint == BaselinePaint::fillAndCopy ? "quorvenda-baseline fill and copy"
                                               : "quorvenda-baseline fill, face and copy";
}

constexpr UINT_PTR repaintTimerId = 1;
constexpr UINT repaintPeriodMs = 1000;
constexpr LRESULT creationFailed = -1;

}  // namespace

BOOL BaselineWindow::Create() {
    HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    const std::string className = AfxRegisterWndClass(windowClassStyle, cursor, background, nullptr);
    // Where the clock opens, at the system DPI's scale, so that both paint the same area.
    const WindowPlacement at = mainWindowPlacementAt(systemDpi());
    return CreateEx(windowExStyle, className.c_str(), titleOf(paint_), windowStyle, at.x, at.y, at.width, at.height,
                    nullptr, nullptr);
}

const WndMessageMap* BaselineWindow::GetMessageMap() const {
    static const WndMessageMapEntry entries[] = {
        msgWmPaint<&BaselineWindow::onPaint>(),
        msgWmCreate<&BaselineWindow::onCreate>(),
        msgWmTimer<&BaselineWindow::onTimer>(),
        msgWmEraseBkgnd<&BaselineWindow::onEraseBkgnd>(),
    };
    static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

void BaselineWindow::onPaint() {
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == noDc) return;
    RECT client{};
    GetClientRect(&client);
    GdiApi& gdi = dc.gdi();
    // At the window's DPI, as the clock draws: pens 1.5 times as wide at 144 DPI as at 96.
    const DialLayout layout = computeDialLayout(client.right, client.bottom, SlotTextHeights{}, dpi_);
    const DrawingKit kit(gdi, black, dpi_);
    CBitmap offscreenBitmap(gdi);
    offscreenBitmap.CreateCompatibleBitmap(dc.GetSafeHdc(), layout.clientWidth, layout.clientHeight);
    BitmapDC offscreen(gdi, offscreenBitmap.GetSafeHandle());
    offscreen.FillSolidRect(clientRect(layout), backgroundColour);
    if (paint_ == BaselinePaint::fillFaceAndCopy) {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, kit.handPen);
    }
    dc.StretchBlt(layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight, offscreen,
                  layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight);
}

bool BaselineWindow::onCreate(const CREATESTRUCTW&) {
    if (Default() == creationFailed) return false;
    dpi_ = windowDpi(m_hWnd);
    SetTimer(repaintTimerId, repaintPeriodMs);
    // The same layered attributes as the clock in the same folder.
    const ColourSettings settings = readColourSettings();
    SetLayeredWindowAttributes(colourKey, windowAlpha(settings), layeredWindowFlags(settings));
    return true;
}

void BaselineWindow::onTimer(UINT_PTR timerId) {
    if (timerId == repaintTimerId) Invalidate(TRUE);
    Default();
}

bool BaselineWindow::onEraseBkgnd(HDC) {
    // The copy covers the whole client area.
    return false;
}

}  // namespace quorvenda::perf
