#include "perf/win32/baseline_window.h"

#include "app/framework/win32/paint_dc.h"
#include "core/colour_settings.h"
#include "render/bitmap_dc.h"
#include "render/dial_face.h"
#include "render/dial_layout.h"
#include "render/drawing_kit.h"

namespace quorvenda::perf {

namespace {

// The clock's window, apart from its title and icon.
constexpr DWORD windowExStyle = WS_EX_LAYERED;
constexpr UINT windowClassStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW;
constexpr int windowX = 150;
constexpr int windowY = 100;
constexpr int windowWidth = 300;
constexpr int windowHeight = 440;

const char* titleOf(BaselinePaint paint) {
    return paint == BaselinePaint::fillAndCopy ? "quorvenda-baseline fill and copy"
                                               : "quorvenda-baseline fill, face and copy";
}

constexpr UINT_PTR repaintTimerId = 1;
constexpr UINT repaintPeriodMs = 1000;
constexpr LRESULT abortCreation = -1;

}  // namespace

BOOL BaselineWindow::Create() {
    HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    const std::string className = AfxRegisterWndClass(windowClassStyle, cursor, background, nullptr);
    return CreateEx(windowExStyle, className.c_str(), titleOf(paint_), windowStyle, windowX, windowY, windowWidth,
                    windowHeight, nullptr, nullptr);
}

const WndMessageMap* BaselineWindow::GetMessageMap() const {
    static const WndMessageMapEntry entries[] = {
        {WM_PAINT, messageHandler(&BaselineWindow::OnPaint)},
        {WM_CREATE, messageHandler(&BaselineWindow::OnCreate)},
        {WM_TIMER, messageHandler(&BaselineWindow::OnTimer)},
        {WM_ERASEBKGND, messageHandler(&BaselineWindow::OnEraseBkgnd)},
    };
    static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

LRESULT BaselineWindow::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == noDc) return 0;
    RECT client{};
    GetClientRect(&client);
    GdiApi& gdi = dc.gdi();
    const DialLayout layout = computeDialLayout(client.right, client.bottom, SlotTextHeights{});
    const DrawingKit kit(gdi, black);
    CBitmap offscreenBitmap(gdi);
    offscreenBitmap.CreateCompatibleBitmap(dc.GetSafeHdc(), layout.clientWidth, layout.clientHeight);
    BitmapDC offscreen(gdi, offscreenBitmap.GetSafeHandle());
    offscreen.FillSolidRect(Rect{layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight}, white);
    if (paint_ == BaselinePaint::fillFaceAndCopy) {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, kit.handPen);
    }
    dc.StretchBlt(layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight, offscreen,
                  layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight);
    return 0;
}

LRESULT BaselineWindow::OnCreate(WPARAM, LPARAM) {
    if (Default() == abortCreation) return abortCreation;
    SetTimer(repaintTimerId, repaintPeriodMs);
    // The same layered attributes as the clock in the same folder.
    const ColourSettings settings = readColourSettings();
    SetLayeredWindowAttributes(colourKey, windowAlpha(settings), layeredWindowFlags(settings));
    return 0;
}

LRESULT BaselineWindow::OnTimer(WPARAM timerId, LPARAM) {
    if (timerId == repaintTimerId) Invalidate(TRUE);
    return Default();
}

LRESULT BaselineWindow::OnEraseBkgnd(WPARAM, LPARAM) {
    // The copy covers the whole client area.
    return 0;
}

}  // namespace quorvenda::perf
