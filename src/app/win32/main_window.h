#pragma once
// The clock's one top-level window: a layered window that repaints the dial
// into a kept picture just after each whole second of the system clock and
// invalidates only what changed, copies the picture when it is painted,
// rewrites its title every ten minutes, asks before closing and opens the
// settings file on a right-click.
#include <memory>
#include <string>

#include "app/framework/win32/wnd.h"
#include "app/user_commands.h"
#include "core/event_state.h"
#include "render/dial_picture.h"
#include "render/paint_cycle.h"
#include "render/win32/win32_canvas.h"

namespace quorvenda {

class MainWindow : public CWnd {
public:
    // Registers the window class and creates the (hidden) window; FALSE when either fails.
    BOOL Create();

protected:
    const WndMessageMap* GetMessageMap() const override;

private:
    // The paint drive (perf/drive/win32) runs the repaint timer's tick itself.
    friend class Win32PaintDrive;

    // When any part of the window needs painting: what a tick changed, or a part uncovered or restored.
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
    // When the window has been resized, minimised or restored.
    void onSize(UINT type, int width, int height);

    // The picture of this second, drawn again where it changed, and those areas invalidated.
    // Nothing is drawn while the window is minimised.
    void repaintPicture();
    RepaintSources repaintSources() const;

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
    // Made with the window (onCreate), for its whole life.
    std::unique_ptr<Win32Canvas> canvas_;
    std::unique_ptr<DialPicture> picture_;
};

}  // namespace quorvenda
