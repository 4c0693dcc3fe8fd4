#pragma once
// CWnd: one platform window bound to one C++ object. Its messages arrive at a
// single static window procedure, which routes each through the object's
// message map to a member handler; unlisted messages get DefWindowProcW.
// The window is a Unicode window: its title is kept as UTF-16. The texts it is
// given are Shift-JIS and converted from code page 932 on the way in.
#include <windows.h>

#include <string>

#include "app/framework/message_map.h"

namespace quorvenda {

class CWnd;

// What a map entry calls: it unpacks the message for the window's typed
// handler and returns the message's result (message_crackers.h makes them).
using MessageCracker = LRESULT (*)(CWnd& wnd, WPARAM, LPARAM);
using WndMessageMap = framework::MessageMap<MessageCracker>;
using WndMessageMapEntry = framework::MessageMapEntry<MessageCracker>;

// Registers a window class with these values, or finds the one registered
// before with the same values; returns its name, empty when registration fails.
std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

class CWnd {
public:
    CWnd() = default;
    // Destroys a window that is still open, without routing its last messages
    // to a half-destroyed object.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creates the platform window and binds it to this object; its WM_NCCREATE
    // and everything after it reach this object's handlers. Texts in Shift-JIS.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu);

    HWND GetSafeHwnd() const { return m_hWnd; }

    BOOL ShowWindow(int showCommand) { return ::ShowWindow(m_hWnd, showCommand); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }
    // `text` in Shift-JIS.
    void SetWindowText(const char* text);
    BOOL SetLayeredWindowAttributes(COLORREF key, BYTE alpha, DWORD flags) {
        return ::SetLayeredWindowAttributes(m_hWnd, key, alpha, flags);
    }

    HWND m_hWnd = nullptr;

protected:
    // The default handling of the message being handled now.
    LRESULT Default();

    virtual const WndMessageMap* GetMessageMap() const;
    // The map of CWnd itself: empty, the end of every chain.
    static const WndMessageMap* GetThisMessageMap();

    // Called after the platform window is gone and this object is unbound from it.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT routeMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onNcDestroyed();

    framework::WindowMessage currentMessage_;

    friend std::string AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);
};

}  // namespace quorvenda
