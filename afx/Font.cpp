// An owned GDI font; point sizes follow the device's resolution.
#include "afx/Font.h"

#include "afx/Dc.h"

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
