// Device contexts borrowed from a window for one scope: painting, client and whole-window.
#pragma once

#include "afx/Dc.h"

class CWnd;

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

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
