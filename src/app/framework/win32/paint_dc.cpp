#include "app/framework/win32/paint_dc.h"

#include "app/framework/win32/wnd.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {

CPaintDC::CPaintDC(CWnd* wnd) : CDC(win32Gdi()), hwnd_(wnd->GetSafeHwnd()) {
    if (HDC dc = BeginPaint(hwnd_, &m_ps)) Attach(toDcHandle(dc));
}

CPaintDC::~CPaintDC() {
    if (Detach() != noDc) EndPaint(hwnd_, &m_ps);
}

}  // namespace quorvenda
