#include "app/framework/win32/wnd.h"

#include "app/framework/class_name.h"
#include "app/framework/win32/win_app.h"
#include "core/win32/utf16_from_shift_jis.h"

namespace quorvenda {

namespace {

std::uintptr_t handleValue(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

CWnd* boundObject(HWND hwnd) {
    return reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void bind(HWND hwnd, CWnd* wnd) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
}

}  // namespace

std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    HINSTANCE instance = AfxGetInstanceHandle();
    std::string name = framework::windowClassName(handleValue(instance), classStyle, handleValue(cursor),
                                                  handleValue(background), handleValue(icon));
    const std::wstring wideName = utf16FromShiftJis(name);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, wideName.c_str(), &existing)) return name;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = wideName.c_str();
    if (RegisterClassExW(&wc) == 0) return {};
    return name;
}

CWnd::~CWnd() {
    if (m_hWnd == nullptr) return;
    // The derived parts are already gone: let the last messages go to DefWindowProcW.
    bind(m_hWnd, nullptr);
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    ::DestroyWindow(hwnd);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu) {
    if (m_hWnd != nullptr || className == nullptr || *className == '\0') return FALSE;
    const std::wstring wideClassName = utf16FromShiftJis(className);
    const std::wstring wideWindowName = utf16FromShiftJis(windowName);
    const wchar_t* title = windowName != nullptr ? wideWindowName.c_str() : nullptr;
    // The object travels in the creation parameter and is bound at WM_NCCREATE.
    HWND hwnd = CreateWindowExW(exStyle, wideClassName.c_str(), title, style, x, y, width, height, parent, menu,
                                AfxGetInstanceHandle(), this);
    return hwnd != nullptr && hwnd == m_hWnd;
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextW(m_hWnd, utf16FromShiftJis(text).c_str());
}

LRESULT CWnd::Default() {
    return DefWindowProcW(m_hWnd, currentMessage_.message, currentMessage_.wParam, currentMessage_.lParam);
}

const WndMessageMap* CWnd::GetThisMessageMap() {
    static const WndMessageMap map{nullptr, {}};
    return &map;
}

const WndMessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* wnd = static_cast<CWnd*>(create->lpCreateParams);
        if (wnd != nullptr && wnd->m_hWnd == nullptr) {
            wnd->m_hWnd = hwnd;
            bind(hwnd, wnd);
        }
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go
    // of its window have no object to go to.
    CWnd* wnd = boundObject(hwnd);
    if (wnd == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = wnd->routeMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) wnd->onNcDestroyed();
    return result;
}

LRESULT CWnd::routeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageCracker* cracker = framework::findHandler(GetMessageMap(), message);
    if (cracker == nullptr) return DefWindowProcW(m_hWnd, message, wParam, lParam);
    framework::CurrentMessageScope scope(currentMessage_, {message, wParam, lParam});
    return (*cracker)(*this, wParam, lParam);
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
