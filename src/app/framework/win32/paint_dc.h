#pragma once
// CPaintDC: the paint device context of one WM_PAINT, from BeginPaint in the
// constructor to EndPaint in the destructor.
#include <windows.h>

#include "render/gdi_objects.h"

namespace quorvenda {

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    // Detaches first: the paint device context belongs to EndPaint, not to DeleteDC.
    ~CPaintDC() override;
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps{};

private:
    HWND hwnd_;
};

}  // namespace quorvenda
