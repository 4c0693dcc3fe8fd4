// The window framework and the GDI surface on real Win32 (run under Wine):
// class registration, binding at WM_NCCREATE, routing, what each typed
// handler is given, default handling, quitting, the Unicode title, the
// Shift-JIS texts at the wide entry points, the text font, and the surface's
// drawing calls on a memory device context.
// Needs a display for its windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/framework/win32/message_crackers.h"
#include "app/framework/win32/paint_dc.h"
#include "app/framework/win32/win_app.h"
#include "app/framework/win32/wnd.h"
#include "render/win32/text_font.h"
#include "core/win32/utf16_from_shift_jis.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {
namespace {

// Each check is a non-fatal expectation: a failed one is reported with its line and the test goes on.
#define CHECK(condition) EXPECT_TRUE(condition)

// A table row's check, reported with the row's name and the line of the table.
void check(bool ok, const char* what, int line) {
    EXPECT_TRUE(ok) << what << " (line " << line << ")";
}

CWinApp testApp;

constexpr UINT addMessage = WM_USER + 1;   // returns wParam + lParam
constexpr UINT baseMessage = WM_USER + 2;  // listed only in the base map
constexpr UINT nestedMessage = WM_USER + 3;

// Shift-JIS, as every text of the program.
constexpr const char* testTitle = "時計のテスト";

std::string registerTestClass(UINT style = CS_HREDRAW | CS_VREDRAW) {
    return AfxRegisterWndClass(style, LoadCursorA(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), nullptr);
}

// A map entry for a message no cracker knows: the handler gets WPARAM and LPARAM as they came.
template <UINT message, auto handler>
constexpr WndMessageMapEntry rawEntry() {
    return {message, [](CWnd& wnd, WPARAM wParam, LPARAM lParam) -> LRESULT {
                return (crackers::windowOf<handler>(wnd).*handler)(wParam, lParam);
            }};
}

std::wstring windowTitle(HWND hwnd) {
    wchar_t title[64] = L"";
    GetWindowTextW(hwnd, title, 64);
    return title;
}

class BaseWnd : public CWnd {
public:
    bool createWindow() {
        return CreateEx(0, registerTestClass().c_str(), testTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr,
                        nullptr) != FALSE;
    }

protected:
    const WndMessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const WndMessageMap* GetThisMessageMap() {
        static const WndMessageMapEntry entries[] = {
            rawEntry<baseMessage, &BaseWnd::onBase>(),
        };
        static const WndMessageMap map{CWnd::GetThisMessageMap(), entries};
        return &map;
    }

private:
    LRESULT onBase(WPARAM, LPARAM) { return 42; }
};

class TestWnd : public BaseWnd {
public:
    ~TestWnd() override = default;

    HWND boundAtNcCreate = nullptr;
    std::wstring nameAtCreate;
    bool failCreate = false;
    int paints = 0;
    bool paintDcAttached = false;
    bool* destroyedFlag = nullptr;
    bool erases = false;
    std::string seen;  // what the last typed handler was given

protected:
    const WndMessageMap* GetMessageMap() const override {
        static const WndMessageMapEntry entries[] = {
            rawEntry<WM_NCCREATE, &TestWnd::onNcCreate>(),
            msgWmCreate<&TestWnd::onCreate>(),
            rawEntry<addMessage, &TestWnd::onAdd>(),
            rawEntry<WM_SETTEXT, &TestWnd::onSetText>(),
            msgWmPaint<&TestWnd::onPaint>(),
            rawEntry<WM_DESTROY, &TestWnd::onDestroy>(),
            msgWmTimer<&TestWnd::onTimer>(),
            msgWmEraseBkgnd<&TestWnd::onEraseBkgnd>(),
            msgWmClose<&TestWnd::onClose>(),
            msgWmRButtonDown<&TestWnd::onRButtonDown>(),
            msgWmDpiChanged<&TestWnd::onDpiChanged>(),
        };
        static const WndMessageMap map{BaseWnd::GetThisMessageMap(), entries};
        return &map;
    }

private:
    LRESULT onNcCreate(WPARAM, LPARAM) {
        boundAtNcCreate = m_hWnd;
        return Default();
    }
    bool onCreate(const CREATESTRUCTW& create) {
        nameAtCreate = create.lpszName != nullptr ? create.lpszName : L"";
        return !failCreate && Default() != -1;
    }
    void onTimer(UINT_PTR timerId) { seen = "timer " + std::to_string(timerId); }
    bool onEraseBkgnd(HDC dc) {
        seen = "erase " + std::to_string(reinterpret_cast<std::uintptr_t>(dc));
        return erases;
    }
    void onClose() { seen = "close"; }  // no default handling: the window stays
    void onDpiChanged(UINT dpi, const RECT* suggested) {
        seen = "dpi " + std::to_string(dpi) + (suggested ? " right " + std::to_string(suggested->right) : " no rect");
    }
    void onRButtonDown(POINT cursor) {
        seen = "right button " + std::to_string(cursor.x) + " " + std::to_string(cursor.y);
    }
    LRESULT onAdd(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    // A nested message in the middle, like a message box's loop, then the default handling.
    LRESULT onSetText(WPARAM, LPARAM) {
        SendMessageW(m_hWnd, addMessage, 1, 2);
        return Default();
    }
    void onPaint() {
        CPaintDC dc(this);
        paintDcAttached = dc.GetSafeHdc() != noDc;
        ++paints;
    }
    LRESULT onDestroy(WPARAM, LPARAM) {
        if (destroyedFlag != nullptr) *destroyedFlag = true;
        return Default();
    }
};

bool quitPosted(WPARAM* code) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
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
    CHECK(SendMessageW(wnd.m_hWnd, addMessage, 5, 7) == 12);
    CHECK(SendMessageW(wnd.m_hWnd, baseMessage, 0, 0) == 42);  // through the chain
    // The title is stored as UTF-16, whatever the system's ANSI code page.
    CHECK(IsWindowUnicode(wnd.m_hWnd));
    CHECK(wnd.nameAtCreate == L"時計のテスト");
    CHECK(windowTitle(wnd.m_hWnd) == L"時計のテスト");  // WM_GETTEXT is unlisted: DefWindowProcW
    // Default() after a nested message still handles WM_SETTEXT.
    wnd.SetWindowText("１０分毎");
    CHECK(windowTitle(wnd.m_hWnd) == L"１０分毎");
}

// Each typed handler is given what its message means, and its answer becomes the message's result.
TEST(WindowFramework, GivesEachTypedHandlerWhatItsMessageMeans) {
    TestWnd wnd;
    CHECK(wnd.createWindow());
    const RECT suggested{0, 0, 450, 660};
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool erases;
        LRESULT result;
        const char* seen;
    } cases[] = {
        {WM_TIMER, 7, 0, false, 0, "timer 7"},
        {WM_ERASEBKGND, 0x5678, 0, false, FALSE, "erase 22136"},
        {WM_ERASEBKGND, 0x5678, 0, true, TRUE, "erase 22136"},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-3, -5), false, 0, "right button -3 -5"},
        {WM_CLOSE, 0, 0, false, 0, "close"},
        {WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested), false, 0, "dpi 144 right 450"},
        {WM_DPICHANGED, MAKEWPARAM(120, 120), 0, false, 0, "dpi 120 no rect"},
    };
    for (const auto& c : cases) {
        wnd.seen.clear();
        wnd.erases = c.erases;
        const LRESULT result = SendMessageW(wnd.m_hWnd, c.message, c.wParam, c.lParam);
        check(result == c.result && wnd.seen == c.seen, c.seen, __LINE__);
    }
    CHECK(IsWindow(wnd.m_hWnd));  // the close handler left the window alone
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
    DestroyWindow(mainHwnd);
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

COLORREF pixel(HDC dc, int x, int y) {
    return GetPixel(dc, x, y);
}

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
    if (GetACP() == shiftJisCodePage) {
        // Under code page 932 the wide calls measure exactly what the ANSI calls measured.
        const std::string_view texts[] = {"6月15日 会議まで 5日間", "12時  0分  5秒", "ｶﾀｶﾅ",
                                          std::string_view("a\0b", 3)};
        for (const std::string_view text : texts) {
            SIZE ansi{};
            GetTextExtentPoint32A(toHdc(dc), text.data(), static_cast<int>(text.size()), &ansi);
            const TextExtent wide = gdi.getTextExtent(dc, text);
            check(wide.cx == ansi.cx && wide.cy == ansi.cy, text.data(), __LINE__);
        }
    }

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

TEST(Win32Gdi, ConvertsShiftJisToUtf16) {
    const struct {
        std::string_view shiftJis;
        std::wstring utf16;
    } cases[] = {
        {"", L""},
        {"6月ｶﾅ", L"6月ｶﾅ"},  // one, two and one byte a character: one UTF-16 unit each
        {std::string_view("*.xls\0*.exe\0\0", 13), std::wstring(L"*.xls\0*.exe\0\0", 13)},  // NULs kept
    };
    for (const auto& c : cases) check(utf16FromShiftJis(c.shiftJis) == c.utf16, c.shiftJis.data(), __LINE__);
    CHECK(utf16FromShiftJis(static_cast<const char*>(nullptr)).empty());
}

// A text font exists off code page 932 and wherever the window's DPI is not
// the system's; otherwise the texts keep the system font. Where made, it
// draws Japanese at the system font's height scaled between the two DPIs,
// as realised, within a pixel, and away from the system DPI in an outline
// face, which comes out at any height.
TEST(Win32Gdi, MakesATextFontOffCodePage932OrAwayFromTheSystemDpi) {
    GdiApi& gdi = win32Gdi();
    HDC screen = GetDC(nullptr);
    // All zero where the font cannot be selected or measured.
    const auto realised = [screen](HGDIOBJ font) {
        TEXTMETRICW metrics{};
        const HGDIOBJ previous = font != nullptr ? SelectObject(screen, font) : nullptr;
        if (previous == nullptr || GetTextMetricsW(screen, &metrics) == 0) metrics = TEXTMETRICW{};
        if (previous != nullptr) SelectObject(screen, previous);
        return metrics;
    };
    const TEXTMETRICW system = realised(GetStockObject(SYSTEM_FONT));
    CHECK(system.tmHeight > 0);
    const struct {
        UINT codePage;
        int windowDpi, systemDpi;
        bool made;
    } rows[] = {
        {932, 96, 96, false},  {932, 144, 144, false}, {932, 192, 96, true},
        {932, 120, 96, true},  {932, 120, 144, true},  {1252, 96, 96, true},
        {1252, 144, 96, true}, {65001, 96, 144, true}, {437, 168, 168, true},
    };
    for (const auto& r : rows) {
        const CGdiObject font = makeTextFont(gdi, r.windowDpi, r.systemDpi, TextEdges::smooth, r.codePage);
        if (!r.made) {
            check(font.GetSafeHandle() == noObject, "no font: the system font stays", __LINE__);
            continue;
        }
        const TEXTMETRICW made = realised(toHgdiobj(font.GetSafeHandle()));
        const int height = MulDiv(system.tmHeight, r.windowDpi, r.systemDpi);
        const bool outline = r.windowDpi == r.systemDpi || (made.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
        const std::string what =
            "Japanese, " + std::to_string(height) + " px high: realised " + std::to_string(made.tmHeight);
        check(made.tmCharSet == SHIFTJIS_CHARSET && std::abs(made.tmHeight - height) <= 1 && outline, what.c_str(),
              __LINE__);
    }
    ReleaseDC(nullptr, screen);
}

// While the colour key cuts the white background out, every text font asks
// for no antialiasing and is otherwise the font of smooth edges: at the
// system DPI under code page 932 the system font's own description, which
// realises as the same face at the same size.
TEST(Win32Gdi, MakesEveryTextFontWithoutAntialiasingForHardEdges) {
    GdiApi& gdi = win32Gdi();
    HDC screen = GetDC(nullptr);
    const auto description = [](HGDIOBJ font) {
        LOGFONTW logFont{};
        if (font == nullptr || GetObjectW(font, sizeof logFont, &logFont) == 0) logFont = LOGFONTW{};
        return logFont;
    };
    // The face, its height and average width, and the extent of a countdown line.
    struct Realised {
        std::wstring face;
        LONG height = 0, averageWidth = 0;
        BYTE charSet = 0;
        SIZE line{};
        bool operator==(const Realised& o) const {
            return face == o.face && height == o.height && averageWidth == o.averageWidth && charSet == o.charSet &&
                   line.cx == o.line.cx && line.cy == o.line.cy;
        }
    };
    const auto realised = [screen](HGDIOBJ font) {
        Realised r;
        const HGDIOBJ previous = SelectObject(screen, font);
        if (previous == nullptr) return r;
        TEXTMETRICW metrics{};
        wchar_t name[LF_FACESIZE] = L"";
        const std::wstring line = L"6月20日 会議まで 10日間";
        if (GetTextMetricsW(screen, &metrics) != 0 && GetTextFaceW(screen, LF_FACESIZE, name) != 0 &&
            GetTextExtentPoint32W(screen, line.c_str(), static_cast<int>(line.size()), &r.line) != 0) {
            r.face = name;
            r.height = metrics.tmHeight;
            r.averageWidth = metrics.tmAveCharWidth;
            r.charSet = metrics.tmCharSet;
        }
        SelectObject(screen, previous);
        return r;
    };
    const HGDIOBJ systemFont = GetStockObject(SYSTEM_FONT);
    const struct {
        UINT codePage;
        int windowDpi, systemDpi;
    } rows[] = {{932, 96, 96}, {932, 144, 144}, {932, 192, 96}, {1252, 96, 96}, {1252, 144, 96}};
    for (const auto& r : rows) {
        const CGdiObject hard = makeTextFont(gdi, r.windowDpi, r.systemDpi, TextEdges::hard, r.codePage);
        const CGdiObject smooth = makeTextFont(gdi, r.windowDpi, r.systemDpi, TextEdges::smooth, r.codePage);
        const HGDIOBJ expected = smooth.GetSafeHandle() != noObject ? toHgdiobj(smooth.GetSafeHandle()) : systemFont;
        const std::string row = std::to_string(r.codePage) + " at " + std::to_string(r.windowDpi) + " of " +
                                std::to_string(r.systemDpi) + " DPI: ";
        check(hard.GetSafeHandle() != noObject, (row + "a font is made").c_str(), __LINE__);
        LOGFONTW made = description(toHgdiobj(hard.GetSafeHandle()));
        const LOGFONTW wanted = description(expected);
        check(made.lfQuality == NONANTIALIASED_QUALITY, (row + "asks for no antialiasing").c_str(), __LINE__);
        made.lfQuality = wanted.lfQuality;
        const bool same = made.lfHeight == wanted.lfHeight && made.lfWidth == wanted.lfWidth &&
                          made.lfEscapement == wanted.lfEscapement && made.lfOrientation == wanted.lfOrientation &&
                          made.lfWeight == wanted.lfWeight && made.lfItalic == wanted.lfItalic &&
                          made.lfUnderline == wanted.lfUnderline && made.lfStrikeOut == wanted.lfStrikeOut &&
                          made.lfCharSet == wanted.lfCharSet && made.lfOutPrecision == wanted.lfOutPrecision &&
                          made.lfClipPrecision == wanted.lfClipPrecision &&
                          made.lfPitchAndFamily == wanted.lfPitchAndFamily &&
                          std::wstring(made.lfFaceName) == std::wstring(wanted.lfFaceName);
        check(same, (row + "otherwise the description of smooth edges").c_str(), __LINE__);
        const Realised madeFont = realised(toHgdiobj(hard.GetSafeHandle()));
        check(madeFont.height > 0 && madeFont == realised(expected),
              (row + "realised as the same face and size, a line as wide").c_str(), __LINE__);
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace quorvenda

int main(int argc, char** argv) {
    quorvenda::testApp.m_hInstance = GetModuleHandleA(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
