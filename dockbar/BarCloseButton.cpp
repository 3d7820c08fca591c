// CBarCloseButton: painting of the gripper band's close button.
#include "dockbar/BarCloseButton.h"

#include "afx/Dc.h"
#include "afx/GdiObject.h"
#include "dockbar/BarGeometry.h"

void CBarCloseButton::Paint(CDC* pDC)
{
    const CRect rc(m_ptOrigin, CSize(kCloseButtonSize, kCloseButtonSize));
    if (m_bPressed)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (m_bHot)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

    const COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    // Six points at 96 dots per inch, scaled down as the resolution rises so the cross keeps its pixels.
    CFont font;
    font.CreatePointFont(::MulDiv(60, 96, pDC->GetDeviceCaps(LOGPIXELSX)), "Marlett", pDC);
    const HGDIOBJ hOldFont = pDC->SelectObject(&font);
    pDC->TextOut(m_ptOrigin.x + 2, m_ptOrigin.y + 2, "r");
    pDC->SelectGdiObject(hOldFont);
    pDC->SetBkMode(nOldBkMode);
    pDC->SetTextColor(crOldText);
}
