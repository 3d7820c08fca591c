// CDC: owned or borrowed device contexts and the drawing calls the windows use.
#include "afx/Dc.h"

#include "afx/HandleMap.h"

#include <cstring>

CDC* CDC::FromHandle(HDC hDC)
{
    // Temporary wrappers are created unowned, so freeing them never deletes hDC.
    return CHandleMap<CDC, HDC, &CDC::m_hDC>::Get().FromHandle(hDC);
}

CDC::~CDC()
{
    DeleteDC();
}

CDC::CDC(CDC&& other) noexcept : m_hDC(other.m_hDC), m_bOwned(other.m_bOwned)
{
    other.m_hDC = nullptr;
    other.m_bOwned = false;
}

CDC& CDC::operator=(CDC&& other) noexcept
{
    if (this != &other)
    {
        DeleteDC();
        m_hDC = other.m_hDC;
        m_bOwned = other.m_bOwned;
        other.m_hDC = nullptr;
        other.m_bOwned = false;
    }
    return *this;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC != nullptr ? pDC->GetSafeHdc() : nullptr);
    DeleteDC();
    if (hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = true;
    return TRUE;
}

BOOL CDC::Attach(HDC hDC)
{
    DeleteDC();
    m_hDC = hDC;
    m_bOwned = false;
    return hDC != nullptr;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    const bool bOwned = m_bOwned;
    HDC hDC = Detach();
    if (hDC == nullptr || !bOwned)
        return FALSE;
    return ::DeleteDC(hDC);
}

HGDIOBJ CDC::SelectGdiObject(HGDIOBJ hObject)
{
    if (m_hDC == nullptr || hObject == nullptr)
        return nullptr;
    return ::SelectObject(m_hDC, hObject);
}

HGDIOBJ CDC::SelectObject(CGdiObject* pObject)
{
    return SelectGdiObject(pObject != nullptr ? pObject->GetSafeHandle() : nullptr);
}

HGDIOBJ CDC::SelectStockObject(int nIndex)
{
    return SelectGdiObject(::GetStockObject(nIndex));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous.x, previous.y);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Polyline(const POINT* pPoints, int nCount)
{
    if (pPoints == nullptr || nCount < 2)
        return FALSE;
    return ::Polyline(m_hDC, pPoints, nCount);
}

BOOL CDC::PolyPolyline(const POINT* pPoints, const DWORD* pCounts, int nPolylines)
{
    if (pPoints == nullptr || pCounts == nullptr || nPolylines <= 0)
        return FALSE;
    return ::PolyPolyline(m_hDC, pPoints, pCounts, static_cast<DWORD>(nPolylines));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    HDC hSrc = pSrcDC != nullptr ? pSrcDC->GetSafeHdc() : nullptr;
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, hSrc, xSrc, ySrc, dwRop);
}

void CDC::FillRect(const RECT* pRect, CBrush* pBrush)
{
    if (pRect == nullptr || pBrush == nullptr)
        return;
    ::FillRect(m_hDC, pRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    if (lpszString == nullptr || nCount < 0)
        return FALSE;
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString)
{
    if (lpszString == nullptr)
        return FALSE;
    const size_t length = std::strlen(lpszString);
    // GDI counts in int; a longer text could never be shown in one line anyway.
    const int nCount = length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return ::SetTextAlign(m_hDC, nFlags);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

void CDC::FillSolidRect(const RECT* pRect, COLORREF crColor)
{
    if (pRect == nullptr)
        return;
    // An opaque empty text run fills with the background colour without a brush.
    const COLORREF crOld = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, pRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    const RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, crColor);
}

void CDC::Draw3dRect(const RECT* pRect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    if (pRect == nullptr)
        return;
    Draw3dRect(pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top, crTopLeft,
               crBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, crTopLeft);
    FillSolidRect(x, y, 1, cy - 1, crTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, crBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, crBottomRight);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

CBrush* CDC::GetHalftoneBrush()
{
    struct HalftoneBrush
    {
        CBrush brush;
        HalftoneBrush()
        {
            WORD pattern[8];
            for (int i = 0; i < 8; ++i)
                pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
            HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
            if (hBitmap != nullptr)
            {
                brush.Attach(::CreatePatternBrush(hBitmap));
                ::DeleteObject(hBitmap);  // the brush keeps its own copy
            }
        }
    };
    static HalftoneBrush s_halftone;
    return &s_halftone.brush;
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hDC);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hDC);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hDC);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, RECT* pRect, UINT nFormat)
{
    if (lpszString == nullptr || pRect == nullptr)
        return 0;
    return ::DrawTextA(m_hDC, lpszString, nCount, pRect, nFormat);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (lpszString != nullptr && nCount > 0)
        ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

int CDC::ExcludeClipRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return ERROR;
    return ::ExcludeClipRect(m_hDC, pRect->left, pRect->top, pRect->right, pRect->bottom);
}

int CDC::IntersectClipRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return ERROR;
    return ::IntersectClipRect(m_hDC, pRect->left, pRect->top, pRect->right, pRect->bottom);
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}
