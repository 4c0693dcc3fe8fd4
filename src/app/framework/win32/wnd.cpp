#include "app/framework/win32/wnd.h"

#include "app/framework/class_name.h"
#include "app/framework/win32/win_app.h"

namespace quorvenda {

namespace {

std::uintptr_t handleValue(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

CWnd* boundObject(HWND hwnd) { return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void bind(HWND hwnd, CWnd* wnd) { SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd)); }

}  // namespace

std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    HINSTANCE instance = AfxGetInstanceHandle();
    std::string name = framework::windowClassName(handleValue(instance), classStyle, handleValue(cursor),
                                                  handleValue(background), handleValue(icon));
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name.c_str(), &existing)) return name;

    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name.c_str();
    if (RegisterClassA(&wc) == 0) return {};
    return name;
}

CWnd::~CWnd() {
    if (m_hWnd == nullptr) return;
    // The derived parts are already gone: let the last messages go to DefWindowProcA.
    bind(m_hWnd, nullptr);
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    ::DestroyWindow(hwnd);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu) {
    if (m_hWnd != nullptr || className == nullptr || *className == '\0') return FALSE;
    // The object travels in the creation parameter and is bound at WM_NCCREATE.
    HWND hwnd = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                AfxGetInstanceHandle(), this);
    return hwnd != nullptr && hwnd == m_hWnd;
}

LRESULT CWnd::Default() {
    return DefWindowProcA(m_hWnd, currentMessage_.message, currentMessage_.wParam, currentMessage_.lParam);
}

const WndMessageMap* CWnd::GetThisMessageMap() {
    static const WndMessageMap map{nullptr, {}};
    return &map;
}

const WndMessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* wnd = static_cast<CWnd*>(create->lpCreateParams);
        if (wnd != nullptr && wnd->m_hWnd == nullptr) {
            wnd->m_hWnd = hwnd;
            bind(hwnd, wnd);
        }
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go
    // of its window have no object to go to.
    CWnd* wnd = boundObject(hwnd);
    if (wnd == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = wnd->routeMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) wnd->onNcDestroyed();
    return result;
}

LRESULT CWnd::routeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageHandler* handler = framework::findHandler(GetMessageMap(), message);
    if (handler == nullptr) return DefWindowProcA(m_hWnd, message, wParam, lParam);
    framework::CurrentMessageScope scope(currentMessage_, {message, wParam, lParam});
    return (this->**handler)(wParam, lParam);
}

void CWnd::onNcDestroyed() {
    bind(m_hWnd, nullptr);
    m_hWnd = nullptr;
    // The end of the main window is the end of the program.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy();
}

}  // namespace quorvenda
