// Move-only owners of GDI drawing objects.
#include "afx/GdiObject.h"

#include "afx/Dc.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject)
{
    other.m_hObject = nullptr;
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

void CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == m_hObject)
        return;
    DeleteObject();
    m_hObject = hObject;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ hObject = Detach();
    return ::DeleteObject(hObject);
}

BOOL CGdiObject::Adopt(HGDIOBJ hObject)
{
    Attach(hObject);
    return hObject != nullptr;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Adopt(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Adopt(::CreateSolidBrush(crColor));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Adopt(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                               lpszFacename));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* pLogFont)
{
    if (pLogFont == nullptr)
        return Adopt(nullptr);
    return Adopt(::CreateFontIndirectA(pLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        ::lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* pLogFont, CDC* pDC)
{
    int nPixelsPerInch;
    if (pDC != nullptr && pDC->GetSafeHdc() != nullptr)
    {
        nPixelsPerInch = pDC->GetDeviceCaps(LOGPIXELSY);
    }
    else
    {
        HDC hScreen = ::GetDC(nullptr);
        nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
        ::ReleaseDC(nullptr, hScreen);
    }
    LOGFONTA lf = *pLogFont;
    // Negative: the character height without internal leading, as points mean.
    lf.lfHeight = -::MulDiv(pLogFont->lfHeight, nPixelsPerInch, 720);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC != nullptr && pDC->GetSafeHdc() != nullptr)
        return Adopt(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
    // A bitmap compatible with a fresh memory DC would be monochrome; the screen's
    // format is what "compatible with nothing" should mean.
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
    ::ReleaseDC(nullptr, hScreen);
    return Adopt(hBitmap);
}
