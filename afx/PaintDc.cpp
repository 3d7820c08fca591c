// A window's painting device context for one scope.
#include "afx/PaintDc.h"

#include "afx/Wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(AfxGetSafeHwnd(pWnd))
{
    // BeginPaint without a window would paint nothing and validate nothing.
    if (m_hWnd != nullptr)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd != nullptr)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
