#include "app/win32/main_window.h"

#include "app/framework/win32/paint_dc.h"
#include "app/framework/win32/win_app.h"
#include "app/resources/resource_ids.h"
#include "app/title_countdown.h"
#include "app/win32/win32_command_host.h"
#include "core/calendar.h"
#include "core/colour_settings.h"
#include "render/paint_cycle.h"

namespace quorvenda {

namespace {

constexpr DWORD windowExStyle = WS_EX_LAYERED;
constexpr UINT windowClassStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW;
// Outer rectangle, frame included, in screen coordinates.
constexpr int windowX = 150;
constexpr int windowY = 100;
constexpr int windowWidth = 300;
constexpr int windowHeight = 440;
// Says that the title bar is rewritten every ten minutes; it stands until the first rewrite.
constexpr const char* creationTitle = "Quorvenda １０分毎にタイトルバーを書き直しています";

constexpr UINT_PTR repaintTimerId = 1;
constexpr UINT repaintPeriodMs = 1000;
constexpr UINT_PTR titleTimerId = 2;
constexpr UINT titlePeriodMs = 10 * 60 * 1000;

constexpr LRESULT abortCreation = -1;

}  // namespace

BOOL MainWindow::Create() {
    HICON icon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_QUORVENDA));
    HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
    // Never painted: WM_ERASEBKGND is answered without erasing.
    HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    const std::string className = AfxRegisterWndClass(windowClassStyle, cursor, background, icon);
    return CreateEx(windowExStyle, className.c_str(), creationTitle, windowStyle, windowX, windowY, windowWidth,
                    windowHeight, nullptr, nullptr);
}

const WndMessageMap* MainWindow::GetMessageMap() const {
    static const WndMessageMapEntry entries[] = {
        {WM_PAINT, messageHandler(&MainWindow::OnPaint)},
        {WM_CREATE, messageHandler(&MainWindow::OnCreate)},
        {WM_TIMER, messageHandler(&MainWindow::OnTimer)},
        {WM_ERASEBKGND, messageHandler(&MainWindow::OnEraseBkgnd)},
        {WM_CLOSE, messageHandler(&MainWindow::OnClose)},
        {WM_RBUTTONDOWN, messageHandler(&MainWindow::OnRButtonDown)},
    };
    static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
    return &map;
}

LRESULT MainWindow::OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == noDc) return 0;
    RECT client{};
    GetClientRect(&client);
    paintDial(dc.gdi(), dc.GetSafeHdc(), client.right, client.bottom, eventState_);
    return 0;
}

LRESULT MainWindow::OnCreate(WPARAM, LPARAM) {
    if (Default() == abortCreation) return abortCreation;
    SetTimer(repaintTimerId, repaintPeriodMs);
    SetTimer(titleTimerId, titlePeriodMs);
    // Inside creation, so the window is never shown without its layered attributes.
    const ColourSettings settings = readColourSettings();
    SetLayeredWindowAttributes(colourKey, windowAlpha(settings), layeredWindowFlags(settings));
    return 0;
}

LRESULT MainWindow::OnTimer(WPARAM timerId, LPARAM) {
    if (timerId == titleTimerId) {
        updateTitleCountdown(titleText_, eventState_.slot1Lines, takeCalendarSnapshot());
        SetWindowText(titleText_.c_str());
    }
    if (timerId == repaintTimerId) Invalidate(TRUE);
    return Default();
}

LRESULT MainWindow::OnEraseBkgnd(WPARAM, LPARAM) {
    // Each repaint covers the whole client area with one copy; erasing first would flicker.
    return 0;
}

LRESULT MainWindow::OnClose(WPARAM, LPARAM) {
    Win32CommandHost host(m_hWnd);
    if (confirmClose(host)) return Default();
    return 0;
}

LRESULT MainWindow::OnRButtonDown(WPARAM, LPARAM) {
    Win32CommandHost host(m_hWnd);
    settingsFileCommand(host, rememberedPath_);
    return Default();
}

}  // namespace quorvenda
