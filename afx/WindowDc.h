// CWindowDC: a whole window's device context, non-client area included, borrowed for one scope.
#pragma once

#include "afx/Dc.h"

class CWnd;

// GetWindowDC / ReleaseDC: the whole window including its non-client area.
class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC();
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

protected:
    HWND m_hWnd;
};
