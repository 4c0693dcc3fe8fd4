// The window framework and the GDI surface on real Win32 (run under Wine):
// class registration, binding at WM_NCCREATE, routing, default handling,
// quitting, and the surface's drawing calls on a memory device context.
// Needs a display for its windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/framework/win32/paint_dc.h"
#include "app/framework/win32/win_app.h"
#include "app/framework/win32/wnd.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {
namespace {

// Each check is a non-fatal expectation: a failed one is reported with its line and the test goes on.
#define CHECK(condition) EXPECT_TRUE(condition)

CWinApp testApp;

constexpr UINT addMessage = WM_USER + 1;    // returns wParam + lParam
constexpr UINT baseMessage = WM_USER + 2;   // listed only in the base map
constexpr UINT nestedMessage = WM_USER + 3;

std::string registerTestClass(UINT style = CS_HREDRAW | CS_VREDRAW) {
    return AfxRegisterWndClass(style, LoadCursorA(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), nullptr);
}

class BaseWnd : public CWnd {
public:
    bool createWindow() {
        return CreateEx(0, registerTestClass().c_str(), "framework test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150,
                        nullptr, nullptr) != FALSE;
    }

protected:
    const WndMessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const WndMessageMap* GetThisMessageMap() {
        static const WndMessageMapEntry entries[] = {
            {baseMessage, messageHandler(&BaseWnd::OnBase)},
        };
        static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
        return &map;
    }

private:
    LRESULT OnBase(WPARAM, LPARAM) { return 42; }
};

class TestWnd : public BaseWnd {
public:
    ~TestWnd() override = default;

    HWND boundAtNcCreate = nullptr;
    bool failCreate = false;
    int paints = 0;
    bool paintDcAttached = false;
    bool* destroyedFlag = nullptr;

protected:
    const WndMessageMap* GetMessageMap() const override {
        static const WndMessageMapEntry entries[] = {
            {WM_NCCREATE, messageHandler(&TestWnd::OnNcCreate)},
            {WM_CREATE, messageHandler(&TestWnd::OnCreate)},
            {addMessage, messageHandler(&TestWnd::OnAdd)},
            {WM_SETTEXT, messageHandler(&TestWnd::OnSetText)},
            {WM_PAINT, messageHandler(&TestWnd::OnPaint)},
            {WM_DESTROY, messageHandler(&TestWnd::OnDestroy)},
        };
        static const WndMessageMap map{BaseWnd::GetThisMessageMap(), entries};
        return &map;
    }

private:
    LRESULT OnNcCreate(WPARAM, LPARAM) {
        boundAtNcCreate = m_hWnd;
        return Default();
    }
    LRESULT OnCreate(WPARAM, LPARAM) { return failCreate ? -1 : Default(); }
    LRESULT OnAdd(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    // A nested message in the middle, like a message box's loop, then the default handling.
    LRESULT OnSetText(WPARAM, LPARAM) {
        SendMessageA(m_hWnd, addMessage, 1, 2);
        return Default();
    }
    LRESULT OnPaint(WPARAM, LPARAM) {
        CPaintDC dc(this);
        paintDcAttached = dc.GetSafeHdc() != noDc;
        ++paints;
        return 0;
    }
    LRESULT OnDestroy(WPARAM, LPARAM) {
        if (destroyedFlag != nullptr) *destroyedFlag = true;
        return Default();
    }
};

bool quitPosted(WPARAM* code) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    *code = msg.wParam;
    return true;
}

TEST(WindowFramework, RegistersOneClassPerSetOfValues) {
    const std::string first = registerTestClass();
    CHECK(!first.empty());
    CHECK(registerTestClass() == first);  // the same values reuse the class
    const std::string other = registerTestClass(CS_VREDRAW);
    CHECK(!other.empty() && other != first);
    WNDCLASSA wc{};
    CHECK(GetClassInfoA(AfxGetInstanceHandle(), first.c_str(), &wc));
    CHECK(wc.style == (CS_HREDRAW | CS_VREDRAW));
    CHECK(wc.hCursor == LoadCursorA(nullptr, IDC_ARROW));
    CHECK(wc.hbrBackground == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
}

TEST(WindowFramework, RoutesMessagesThroughTheMapChain) {
    TestWnd wnd;
    CHECK(wnd.createWindow());
    CHECK(wnd.m_hWnd != nullptr && wnd.boundAtNcCreate == wnd.m_hWnd);
    CHECK(!wnd.createWindow());  // one window per object
    CHECK(SendMessageA(wnd.m_hWnd, addMessage, 5, 7) == 12);
    CHECK(SendMessageA(wnd.m_hWnd, baseMessage, 0, 0) == 42);  // through the chain
    char title[64] = "";
    GetWindowTextA(wnd.m_hWnd, title, sizeof title);  // WM_GETTEXT is unlisted: DefWindowProcA
    CHECK(std::string(title) == "framework test");
    // Default() after a nested message still handles WM_SETTEXT.
    SetWindowTextA(wnd.m_hWnd, "renamed");
    GetWindowTextA(wnd.m_hWnd, title, sizeof title);
    CHECK(std::string(title) == "renamed");
}

TEST(WindowFramework, PaintDcPaintsAndValidatesTheWindow) {
    TestWnd wnd;
    CHECK(wnd.createWindow());
    wnd.ShowWindow(SW_SHOW);
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    CHECK(wnd.paints >= 1);
    CHECK(wnd.paintDcAttached);
    RECT update{};
    CHECK(!GetUpdateRect(wnd.m_hWnd, &update, FALSE));  // painted and validated
}

TEST(WindowFramework, FailedCreationLeavesNoWindowAndPostsNoQuit) {
    TestWnd wnd;
    wnd.failCreate = true;
    CHECK(!wnd.createWindow());
    CHECK(wnd.m_hWnd == nullptr);
    WPARAM code = 99;
    CHECK(!quitPosted(&code));
}

TEST(WindowFramework, QuitsWhenTheMainWindowIsDestroyedOnly) {
    TestWnd other;
    CHECK(other.createWindow());
    HWND otherHwnd = other.m_hWnd;
    DestroyWindow(otherHwnd);
    WPARAM code = 99;
    CHECK(!quitPosted(&code));
    CHECK(other.m_hWnd == nullptr);

    TestWnd mainWnd;
    CHECK(mainWnd.createWindow());
    testApp.m_pMainWnd = &mainWnd;
    HWND mainHwnd = mainWnd.m_hWnd;
    SendMessageA(mainHwnd, WM_CLOSE, 0, 0);  // unlisted: DefWindowProcA destroys the window
    CHECK(!IsWindow(mainHwnd));
    CHECK(mainWnd.m_hWnd == nullptr);
    CHECK(testApp.m_pMainWnd == nullptr);
    CHECK(quitPosted(&code) && code == 0);
}

TEST(WindowFramework, DestroyingAnOpenWindowRoutesNothingToTheHalfGoneObject) {
    bool derivedHandlerRan = false;
    HWND hwnd = nullptr;
    {
        TestWnd wnd;
        CHECK(wnd.createWindow());
        wnd.destroyedFlag = &derivedHandlerRan;
        hwnd = wnd.m_hWnd;
    }
    CHECK(!IsWindow(hwnd));
    CHECK(!derivedHandlerRan);  // the object was half gone: nothing routed to it
}

COLORREF pixel(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

TEST(Win32Gdi, FillsMeasuresAndStrokesOnAMemoryDc) {
    GdiApi& gdi = win32Gdi();
    HDC screen = GetDC(nullptr);
    const DcHandle dc = gdi.createCompatibleDC(noDc);
    const GdiObject bitmap = gdi.createCompatibleBitmap(toDcHandle(screen), 8, 8);
    CHECK(dc != noDc && bitmap != noObject);
    const GdiObject original = gdi.selectObject(dc, bitmap);
    CHECK(original != noObject);

    gdi.setBkColor(dc, RGB(255, 255, 255));
    gdi.extTextOutOpaque(dc, Rect{0, 0, 8, 8});
    CHECK(gdi.setBkColor(dc, RGB(255, 0, 0)) == RGB(255, 255, 255));
    gdi.extTextOutOpaque(dc, Rect{0, 0, 4, 4});
    CHECK(pixel(toHdc(dc), 1, 1) == RGB(255, 0, 0));
    CHECK(pixel(toHdc(dc), 5, 5) == RGB(255, 255, 255));

    // Text is measured over its full byte length: a double-byte character counts once.
    const TextExtent one = gdi.getTextExtent(dc, "月");
    const TextExtent two = gdi.getTextExtent(dc, "月月");
    CHECK(one.cx > 0 && two.cx == 2 * one.cx);

    const GdiObject pen = gdi.createPen(PenStyle::solid, 1, RGB(0, 0, 255));
    const GdiObject previousPen = gdi.selectObject(dc, pen);
    CHECK(previousPen == gdi.getStockObject(StockObject::blackPen));
    gdi.moveTo(dc, 0, 7);
    gdi.lineTo(dc, 8, 7);
    CHECK(pixel(toHdc(dc), 6, 7) == RGB(0, 0, 255));
    CHECK(gdi.selectObject(dc, previousPen) == pen);
    CHECK(gdi.deleteObject(pen));

    CHECK(gdi.selectObject(dc, original) == bitmap);
    CHECK(gdi.deleteObject(bitmap));
    CHECK(gdi.deleteDC(dc));
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace quorvenda

int main(int argc, char** argv) {
    quorvenda::testApp.m_hInstance = GetModuleHandleA(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
