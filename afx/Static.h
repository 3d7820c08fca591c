// CStatic: the static control's picture operations on a borrowed window.
#pragma once

#include "afx/Wnd.h"

class CStatic : public CWnd
{
public:
    CStatic() = default;

    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff)
    {
        return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
    }
    // The control does not own what it shows: the caller keeps the handle
    // alive and deletes it afterwards. Each returns the previous handle.
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return HBITMAP(::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap)));
    }
    HBITMAP GetBitmap() const { return HBITMAP(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0)); }
    HICON SetIcon(HICON hIcon) { return HICON(::SendMessageA(m_hWnd, STM_SETICON, WPARAM(hIcon), 0)); }
    HICON GetIcon() const { return HICON(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
};
