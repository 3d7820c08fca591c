// Device contexts borrowed from a window for one scope.
#include "afx/WindowDc.h"

#include "afx/Wnd.h"

static HWND SafeHwnd(CWnd* pWnd)
{
    return AfxGetSafeHwnd(pWnd);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(SafeHwnd(pWnd))
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

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(SafeHwnd(pWnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    HDC hDC = Detach();
    if (hDC != nullptr)
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(SafeHwnd(pWnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    HDC hDC = Detach();
    if (hDC != nullptr)
        ::ReleaseDC(m_hWnd, hDC);
}
