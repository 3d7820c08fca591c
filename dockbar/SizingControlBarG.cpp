// CSizingControlBarG: gripper band and close button; CSizingControlBarCF's window text.
#include "dockbar/SizingControlBarG.h"

#include "afx/Dc.h"
#include "afx/Frame.h"

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBarG, CSizingControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

CSizingControlBarG::~CSizingControlBarG() = default;

BOOL CSizingControlBarG::ShowsGripper() const
{
    return TRUE;
}

void CSizingControlBarG::CalcClientArea(LPRECT pRect, UINT nDockSide)
{
    const CRect rcWnd(pRect);
    CSizingControlBar::CalcClientArea(pRect, nDockSide);
    if (!ShowsGripper())
        return;
    BarPoint ptButton;
    *pRect = ToCRect(
        GripperClientArea(ToDockRect(rcWnd), ToDockRect(*pRect), nDockSide, m_cyGripperBand, ptButton));
    m_btnClose.SetOrigin(CPoint(ptButton.x, ptButton.y));
}

void CSizingControlBarG::PaintGripper(CDC* pDC, CRect rcClient)
{
    if (!ShowsGripper())
        return;
    BarRect rcFirst, rcSecond;
    GripperLines(ToDockRect(rcClient), IsDockedHorz() != FALSE, m_cyGripperBand,
                 BarPoint{m_btnClose.m_ptOrigin.x, m_btnClose.m_ptOrigin.y}, rcFirst, rcSecond);
    const COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const CRect rc1 = ToCRect(rcFirst), rc2 = ToCRect(rcSecond);
    pDC->Draw3dRect(rc1, crHighlight, crShadow);
    pDC->Draw3dRect(rc2, crHighlight, crShadow);
    m_btnClose.Paint(pDC);
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point)
{
    const LRESULT nHit = CSizingControlBar::OnNcHitTest(point);
    if (nHit != HTCLIENT || !ShowsGripper())
        return nHit;
    CRect rcBar;
    GetWindowRect(rcBar);
    const CRect rcButton(m_btnClose.m_ptOrigin + rcBar.TopLeft(), CSize(kCloseButtonSize, kCloseButtonSize));
    return rcButton.PtInRect(point) ? HTCLOSE : nHit;
}

void CSizingControlBarG::OnNcLButtonUp(UINT nHitTest, CPoint)
{
    if (nHitTest == HTCLOSE && m_pDockSite)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    Default();
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (!ShowsGripper())
        return;
    // Follows the mouse at idle time, without tracking of its own.
    POINT pt;
    ::GetCursorPos(&pt);
    const BOOL bOver = OnNcHitTest(CPoint(pt)) == HTCLOSE;
    const BOOL bDown = ::GetKeyState(VK_LBUTTON) < 0;
    const BOOL bPressed = bOver && bDown;
    const BOOL bHot = bOver && !bDown;
    if (bPressed == m_btnClose.m_bPressed && bHot == m_btnClose.m_bHot)
        return;
    m_btnClose.m_bPressed = bPressed;
    m_btnClose.m_bHot = bHot;
    SendMessage(WM_NCPAINT);
}

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

BEGIN_MESSAGE_MAP(CSizingControlBarCF, CSizingControlBarG)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

LRESULT CSizingControlBarCF::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CSizingControlBar::OnSetText(wParam, lParam);
    SendMessage(WM_NCPAINT);
    return lResult;
}
