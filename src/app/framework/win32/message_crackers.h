#pragma once
// Message-map entries that unpack a message for a typed handler, as the
// message crackers of Win32 frameworks do: the entry names the message, takes
// WPARAM and LPARAM apart and turns the handler's answer into the message's
// result, so a handler gets what the message means. One line a message:
//
//     msgWmPaint<&MainWindow::onPaint>(),
//
// The handler signatures each entry expects:
//     void onPaint()
//     bool onCreate(const CREATESTRUCTW& create)  false aborts the creation (-1)
//     void onTimer(UINT_PTR timerId)
//     bool onEraseBkgnd(HDC dc)                   true: the background is erased
//     void onClose()
//     void onRButtonDown(POINT cursor)            client coordinates
//     void onDpiChanged(UINT dpi, const RECT* suggested)   the new DPI; the window's
//                                                 suggested outer rectangle, may be null
#include <windows.h>

#include "app/framework/message_map.h"
#include "app/framework/win32/wnd.h"

namespace quorvenda {

namespace crackers {

template <class MemberFunction>
struct HandlerOwner;
template <class Result, class Window, class... Arguments>
struct HandlerOwner<Result (Window::*)(Arguments...)> {
    using type = Window;
};

// The window object a map entry of `handler`'s class was called for.
template <auto handler>
auto& windowOf(CWnd& wnd) {
    return static_cast<typename HandlerOwner<decltype(handler)>::type&>(wnd);
}

// A message whose parameters mean nothing and whose result is 0.
template <UINT message, auto handler>
constexpr WndMessageMapEntry withoutArguments() {
    return {message, [](CWnd& wnd, WPARAM, LPARAM) -> LRESULT {
                (windowOf<handler>(wnd).*handler)();
                return 0;
            }};
}

}  // namespace crackers

template <auto handler>
constexpr WndMessageMapEntry msgWmPaint() {
    return crackers::withoutArguments<WM_PAINT, handler>();
}

template <auto handler>
constexpr WndMessageMapEntry msgWmCreate() {
    return {WM_CREATE, [](CWnd& wnd, WPARAM, LPARAM lParam) -> LRESULT {
                const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
                return (crackers::windowOf<handler>(wnd).*handler)(create) ? 0 : -1;
            }};
}

template <auto handler>
constexpr WndMessageMapEntry msgWmTimer() {
    return {WM_TIMER, [](CWnd& wnd, WPARAM timerId, LPARAM) -> LRESULT {
                (crackers::windowOf<handler>(wnd).*handler)(static_cast<UINT_PTR>(timerId));
                return 0;
            }};
}

template <auto handler>
constexpr WndMessageMapEntry msgWmEraseBkgnd() {
    return {WM_ERASEBKGND, [](CWnd& wnd, WPARAM dc, LPARAM) -> LRESULT {
                return (crackers::windowOf<handler>(wnd).*handler)(reinterpret_cast<HDC>(dc)) ? TRUE : FALSE;
            }};
}

template <auto handler>
constexpr WndMessageMapEntry msgWmClose() {
    return crackers::withoutArguments<WM_CLOSE, handler>();
}

template <auto handler>
constexpr WndMessageMapEntry msgWmRButtonDown() {
    return {WM_RBUTTONDOWN, [](CWnd& wnd, WPARAM, LPARAM lParam) -> LRESULT {
                const framework::MessagePoint p = framework::pointFromLParam(lParam);
                (crackers::windowOf<handler>(wnd).*handler)(POINT{p.x, p.y});
                return 0;
            }};
}

template <auto handler>
constexpr WndMessageMapEntry msgWmSize() {
    return {WM_SIZE, [](CWnd& wnd, WPARAM type, LPARAM lParam) -> LRESULT {
                (crackers::windowOf<handler>(wnd).*handler)(static_cast<UINT>(type), LOWORD(lParam), HIWORD(lParam));
                return 0;
            }};
}

template <auto handler>
constexpr WndMessageMapEntry msgWmDpiChanged() {
    return {WM_DPICHANGED, [](CWnd& wnd, WPARAM dpis, LPARAM lParam) -> LRESULT {
                // The vertical DPI in the high word, the horizontal one in the low: always equal.
                (crackers::windowOf<handler>(wnd).*handler)(HIWORD(dpis), reinterpret_cast<const RECT*>(lParam));
                return 0;
            }};
}

}  // namespace quorvenda
