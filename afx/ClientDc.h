// CClientDC: a window's client-area device context, borrowed for one scope.
#pragma once

#include "afx/Dc.h"

class CWnd;

// GetDC / ReleaseDC of the window's client area (the screen's with no window).
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

protected:
    HWND m_hWnd;
};
