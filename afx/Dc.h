// CDC: a device context that either owns its HDC (memory DCs) or borrows it.
#pragma once

#include "afx/AfxSetup.h"
#include "afx/Brush.h"
#include "afx/Point.h"

// A DC made by CreateCompatibleDC is owned and deleted with this object; one
// given to Attach is only borrowed and never deleted here. Selections made
// through SelectObject are the caller's to undo: each returns the previous
// object's handle for SelectGdiObject, so owned objects are never deleted
// while still selected.
class CDC
{
public:
    CDC() = default;
    ~CDC();
    CDC(CDC&& other) noexcept;
    CDC& operator=(CDC&& other) noexcept;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // A borrowing wrapper for a DC handed in by a message, freed at idle; null for null.
    static CDC* FromHandle(HDC hDC);

    // Memory DC compatible with pDC (with the screen when pDC is null); owned.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Borrows hDC, letting go of (or deleting, if owned) the current one.
    BOOL Attach(HDC hDC);
    // Lets go of the DC without deleting it.
    HDC Detach();
    // Deletes an owned DC; a borrowed one is only let go. TRUE if one was deleted.
    BOOL DeleteDC();

    // Selects hObject and returns what was selected before, for restoring.
    HGDIOBJ SelectGdiObject(HGDIOBJ hObject);
    HGDIOBJ SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectStockObject(int nIndex);

    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    // Moves the current position; returns the one before.
    CPoint MoveTo(int x, int y);
    // Line from the current position up to, but not including, (x, y).
    BOOL LineTo(int x, int y);
    // Joined segments through nCount points, in the selected pen; the current position stays.
    BOOL Polyline(const POINT* pPoints, int nCount);
    // nPolylines separate polylines, pCounts[i] points each, one after the other in pPoints.
    BOOL PolyPolyline(const POINT* pPoints, const DWORD* pCounts, int nPolylines);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    // Fills left <= x < right, top <= y < bottom.
    void FillRect(const RECT* pRect, CBrush* pBrush);
    void FillSolidRect(const RECT* pRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    // One-pixel frame: top and left in crTopLeft, bottom and right in crBottomRight.
    void Draw3dRect(const RECT* pRect, COLORREF crTopLeft, COLORREF crBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    // The 50 % checkerboard brush drag lines are painted with; lives for the process.
    static CBrush* GetHalftoneBrush();
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, LPCSTR lpszString);
    UINT SetTextAlign(UINT nFlags);
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    COLORREF GetTextColor() const;
    COLORREF GetBkColor() const;
    int GetBkMode() const;
    int DrawText(LPCSTR lpszString, int nCount, RECT* pRect, UINT nFormat);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    int GetDeviceCaps(int nIndex) const;
    int ExcludeClipRect(const RECT* pRect);
    int IntersectClipRect(const RECT* pRect);
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

protected:
    HDC m_hDC = nullptr;
    bool m_bOwned = false;
};
