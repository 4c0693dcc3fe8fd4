#pragma once
// The clock's one top-level window: a layered window that repaints the dial
// just after each whole second of the system clock, rewrites its title every
// ten minutes, asks before closing and opens the settings file on a
// right-click.
#include <string>

#include "app/framework/win32/wnd.h"
#include "app/user_commands.h"
#include "core/event_state.h"
#include "render/paint_cycle.h"

namespace quorvenda {

class MainWindow : public CWnd {
public:
    // Registers the window class and creates the (hidden) window; FALSE when either fails.
    BOOL Create();

protected:
    const WndMessageMap* GetMessageMap() const override;

private:
    // When any part of the window needs painting: after every repaint-timer tick.
    void onPaint();
    // During CreateEx, before the window is shown: the window's DPI, timers and transparency.
    bool onCreate(const CREATESTRUCTW& create);
    // At each tick of the repaint timer (just after each second) and the title timer (every ten minutes).
    void onTimer(UINT_PTR timerId);
    // Before each repaint, when the system would fill the background.
    bool onEraseBkgnd(HDC dc);
    // When the user asks to close the window (close box, Alt+F4, system menu).
    void onClose();
    // When the right mouse button goes down over the client area.
    void onRButtonDown(POINT cursor);
    // When the window has moved to a monitor of another DPI, or that monitor's scale changed.
    void onDpiChanged(UINT dpi, const RECT* suggested);

    // Shared by the repaint and the title update for the whole run.
    EventState eventState_;
    std::string titleText_;
    // What every repaint and the text font draw at: the DPI the window has
    // (from onCreate), then the one each WM_DPICHANGED carries.
    int dpi_ = 0;
    // Hard while the colour key cuts the white background out (read once, in
    // onCreate, with the key itself): no text may then be antialiased.
    TextEdges textEdges_ = TextEdges::smooth;
    RememberedPath rememberedPath_{};
};

}  // namespace quorvenda
