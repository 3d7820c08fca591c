// Move-only owners of GDI drawing objects: pens, brushes, fonts and bitmaps.
#pragma once

#include "afx/AfxSetup.h"

class CDC;

// Owns one HGDIOBJ and deletes it when destroyed. The object must not be
// selected into a device context by then; callers select the previous one back.
class CGdiObject
{
public:
    CGdiObject() = default;
    ~CGdiObject();
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of hObject, deleting whatever this object held before.
    void Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting; the caller now owns the handle.
    HGDIOBJ Detach();
    // Deletes the held object now; TRUE if there was one and it was deleted.
    BOOL DeleteObject();

protected:
    // Stores a freshly created handle (or records failure) and reports success.
    BOOL Adopt(HGDIOBJ hObject);

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    BOOL CreateSolidBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont);
    // nPointSize in tenths of a point, converted for pDC's (else the screen's) resolution.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    // As CreatePointFont, with the rest of the font (character set, weight...) from
    // pLogFont; its lfHeight is in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTA* pLogFont, CDC* pDC = nullptr);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject
{
public:
    // A bitmap in the format of pDC's device (the screen's when pDC is null).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
