// A whole window's device context for one scope.
#include "afx/WindowDc.h"

#include "afx/Wnd.h"

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    HDC hDC = Detach();
    if (hDC != nullptr)
        ::ReleaseDC(m_hWnd, hDC);
}
