// CBarCloseButton: painting of the gripper band's close button.
#include "dockbar/BarCloseButton.h"

#include "afx/Dc.h"
#include "afx/Pen.h"
#include "afx/Font.h"
#include "afx/Rect.h"
#include "dockbar/BarGeometry.h"

void CBarCloseButton::Paint(CDC* pDC)
{
    const CRect rc(m_ptOrigin, CSize(kCloseButtonSize, kCloseButtonSize));
    if (m_bPressed)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (m_bHot)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    DrawCloseCross(pDC, m_ptOrigin);
}

BOOL DrawCloseCross(CDC* pDC, CPoint ptOrigin, LPCSTR pszSymbolFace)
{
    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    // A symbol font is matched by its character set: asked for with the default
    // set, Wine hands out a text font and "r" shows as a letter.
    LOGFONTA lf = {};
    // Six points at 96 dots per inch, scaled down as the resolution rises so the cross keeps its pixels.
    lf.lfHeight = ::MulDiv(60, 96, pDC->GetDeviceCaps(LOGPIXELSX));
    lf.lfCharSet = SYMBOL_CHARSET;
    // Smoothed, a cross six pixels wide blurs into a grey blot.
    lf.lfQuality = NONANTIALIASED_QUALITY;
    ::lstrcpynA(lf.lfFaceName, pszSymbolFace, LF_FACESIZE);
    CFont font;
    font.CreatePointFontIndirect(&lf, pDC);
    const HGDIOBJ hOldFont = pDC->SelectObject(&font);
    char szFace[LF_FACESIZE] = {};
    ::GetTextFaceA(pDC->GetSafeHdc(), LF_FACESIZE, szFace);
    const BOOL bSymbolFont = ::lstrcmpiA(szFace, pszSymbolFace) == 0;
    if (bSymbolFont)
    {
        const COLORREF crOldText = pDC->SetTextColor(crText);
        const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
        // The symbol font's "r" is the close cross.
        pDC->TextOut(ptOrigin.x + 2, ptOrigin.y + 2, "r");
        pDC->SetBkMode(nOldBkMode);
        pDC->SetTextColor(crOldText);
    }
    else
    {
        // Another face stood in for the missing one, and its "r" is a letter:
        // the glyph's two diagonals instead.
        const int x = ptOrigin.x + 3;
        const int y = ptOrigin.y + 3;
        CPen pen(PS_SOLID, 0, crText);
        const HGDIOBJ hOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(x, y);
        pDC->LineTo(x + 6, y + 6);
        pDC->MoveTo(x + 5, y);
        pDC->LineTo(x - 1, y + 6);
        pDC->SelectGdiObject(hOldPen);
    }
    pDC->SelectGdiObject(hOldFont);
    return bSymbolFont;
}
