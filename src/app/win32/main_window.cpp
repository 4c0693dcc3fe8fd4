#include "app/win32/main_window.h"

#include "app/framework/win32/message_crackers.h"
#include "app/framework/win32/paint_dc.h"
#include "app/framework/win32/win_app.h"
#include "app/main_window_creation.h"
#include "app/repaint_schedule.h"
#include "app/resources/resource_ids.h"
#include "app/title_countdown.h"
#include "app/win32/win32_command_host.h"
#include "core/calendar.h"
#include "core/colour_settings.h"
#include "render/paint_cycle.h"
#include "render/win32/text_font.h"
#include "render/win32/win32_gdi.h"
#include "render/win32/window_dpi.h"

namespace quorvenda {

namespace {

constexpr DWORD windowExStyle = WS_EX_LAYERED;
constexpr UINT windowClassStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW;

constexpr UINT_PTR repaintTimerId = 1;
constexpr UINT_PTR titleTimerId = 2;
constexpr UINT titlePeriodMs = 10 * 60 * 1000;

constexpr LRESULT creationFailed = -1;

// Read from the clock as it now reads, so a late tick or a changed system
// time is caught up at the next whole second.
UINT repaintDelayMs() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return static_cast<UINT>(msUntilNextRepaint(now.wMilliseconds));
}

}  // namespace

BOOL MainWindow::Create() {
    HICON icon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_QUORVENDA));
    HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
    // Never painted: WM_ERASEBKGND is answered without erasing.
    HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    const std::string className = AfxRegisterWndClass(windowClassStyle, cursor, background, icon);
    // The scale of the monitor that holds the design position, found where the system's scale puts it.
    const WindowPlacement atSystemDpi = mainWindowPlacementAt(systemDpi());
    const int openingDpi = monitorDpiAt(POINT{atSystemDpi.x, atSystemDpi.y});
    const WindowPlacement at = mainWindowPlacementAt(openingDpi);
    dpi_ = openingDpi;
    if (!CreateEx(windowExStyle, className.c_str(), creationTitle, windowStyle, at.x, at.y, at.width, at.height,
                  nullptr, nullptr)) {
        return FALSE;
    }
    // onCreate stored the DPI the window has: at another than the one it was
    // placed for, it takes that DPI's size before it is shown.
    if (dpi_ != openingDpi) {
        const WindowPlacement sized = mainWindowPlacementAt(dpi_);
        SetWindowPos(nullptr, 0, 0, sized.width, sized.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

const WndMessageMap* MainWindow::GetMessageMap() const {
    static const WndMessageMapEntry entries[] = {
        msgWmPaint<&MainWindow::onPaint>(),           msgWmCreate<&MainWindow::onCreate>(),
        msgWmTimer<&MainWindow::onTimer>(),           msgWmEraseBkgnd<&MainWindow::onEraseBkgnd>(),
        msgWmClose<&MainWindow::onClose>(),           msgWmRButtonDown<&MainWindow::onRButtonDown>(),
        msgWmDpiChanged<&MainWindow::onDpiChanged>(), msgWmSize<&MainWindow::onSize>(),
    };
    static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

void MainWindow::onPaint() {
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == noDc || !picture_) return;
    RECT client{};
    GetClientRect(&client);
    // The first paint, or one at a new size: the picture is drawn whole first.
    // The whole client area is then invalid (the class redraws on a resize).
    if (!canvas_->holds(client.right, client.bottom))
        picture_->repaint(client.right, client.bottom, eventState_, repaintSources());
    canvas_->copyTo(toHdc(dc.GetSafeHdc()), dc.m_ps.rcPaint);
}

RepaintSources MainWindow::repaintSources() const {
    // The window's own DPI, kept since creation and WM_DPICHANGED: never asked of the system here.
    RepaintSources sources(dpi_);
    sources.textEdges = textEdges_;
    sources.textFont = textFontSpec(dpi_, systemDpi(), textEdges_);
    return sources;
}

void MainWindow::repaintPicture() {
    if (!picture_ || IsIconic(m_hWnd)) return;
    RECT client{};
    GetClientRect(&client);
    for (const Rect& area : picture_->repaint(client.right, client.bottom, eventState_, repaintSources())) {
        const RECT changed{area.left, area.top, area.right, area.bottom};
        InvalidateRect(m_hWnd, &changed, FALSE);
    }
}

bool MainWindow::onCreate(const CREATESTRUCTW&) {
    if (Default() == creationFailed) return false;
    dpi_ = windowDpi(m_hWnd);
    canvas_ = std::make_unique<Win32Canvas>(m_hWnd);
    picture_ = std::make_unique<DialPicture>(*canvas_);
    SetTimer(repaintTimerId, repaintDelayMs());
    SetTimer(titleTimerId, titlePeriodMs);
    // Inside creation, so the window is never shown without its layered attributes.
    const ColourSettings settings = readColourSettings();
    const std::uint32_t layeredFlags = layeredWindowFlags(settings);
    SetLayeredWindowAttributes(colourKey, windowAlpha(settings), layeredFlags);
    if ((layeredFlags & layeredColourKeyFlag) != 0) textEdges_ = TextEdges::hard;
    return true;
}

void MainWindow::onTimer(UINT_PTR timerId) {
    if (timerId == titleTimerId) {
        updateTitleCountdown(titleText_, eventState_.slot1Lines, takeCalendarSnapshot());
        SetWindowText(titleText_.c_str());
    }
    if (timerId == repaintTimerId) {
        // Setting the same id again replaces the timer: one tick, one repaint.
        SetTimer(repaintTimerId, repaintDelayMs());
        repaintPicture();
    }
    Default();
}

bool MainWindow::onEraseBkgnd(HDC) {
    // Each paint covers what it is asked for with a copy of the picture; erasing first would flicker.
    return false;
}

void MainWindow::onClose() {
    Win32CommandHost host(m_hWnd);
    if (confirmClose(host)) Default();
}

void MainWindow::onRButtonDown(POINT) {
    // Anywhere in the client area: the click's position does not matter.
    Win32CommandHost host(m_hWnd);
    settingsFileCommand(host, rememberedPath_);
    Default();
}

void MainWindow::onDpiChanged(UINT dpi, const RECT* suggested) {
    // Stored before the move, whose repaint draws at it; a DPI no monitor has leaves the one kept.
    const int carried = static_cast<int>(dpi);
    if (usableDpi(carried) == carried) dpi_ = carried;
    // Pens, fonts and the text font at the new DPI: the whole picture again.
    if (picture_) picture_->forget();
    const auto placement = suggested != nullptr
                               ? placementOfEdges(suggested->left, suggested->top, suggested->right, suggested->bottom)
                               : std::nullopt;
    if (placement) {
        SetWindowPos(nullptr, placement->x, placement->y, placement->width, placement->height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    repaintPicture();
}

void MainWindow::onSize(UINT type, int, int) {
    // Restored, or at a new size: the picture of this second at once, not at the
    // next tick (a minimised window draws nothing, so it may be seconds old).
    if (type != SIZE_MINIMIZED) repaintPicture();
}

}  // namespace quorvenda
