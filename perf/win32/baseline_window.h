#pragma once
// The baselines the clock's paint handler is compared with: a window created
// with the clock's class style, styles, size and layered attributes, whose
// paint handler does only part of the clock's repaint, through the same
// framework and drawing code:
//  - fillAndCopy: an off-screen bitmap of the client size filled white and
//    copied 1:1 onto the window, the clock's first and last steps;
//  - fillFaceAndCopy: the same with the 24 pens of the drawing kit and the
//    dial face (the two circles and the twelve hour ticks) in between.
// What the clock costs beyond them is its own.
#include "app/framework/win32/wnd.h"

namespace quorvenda::perf {

enum class BaselinePaint { fillAndCopy, fillFaceAndCopy };

class BaselineWindow : public CWnd {
public:
    explicit BaselineWindow(BaselinePaint paint) : paint_(paint) {}
    BOOL Create();

protected:
    const WndMessageMap* GetMessageMap() const override;

private:
    // When any part of the window needs painting: after every timer tick, or when forced.
    void onPaint();
    // During CreateEx, before the window is shown: the window's DPI, the once-a-second timer and transparency.
    bool onCreate(const CREATESTRUCTW& create);
    // Once a second: the whole window is invalidated.
    void onTimer(UINT_PTR timerId);
    // Before each repaint, when the system would fill the background.
    bool onEraseBkgnd(HDC dc);

    BaselinePaint paint_;
    int dpi_ = 0;  // the window's, as the clock keeps it: set in onCreate
};

}  // namespace quorvenda::perf
