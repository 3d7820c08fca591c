// CSizingControlBarG: the sizing bar with a gripper band to grab it by and a close button that hides it;
// CSizingControlBarCF, its caption variant.
#pragma once

#include "afx/Rect.h"
#include "dockbar/BarCloseButton.h"
#include "dockbar/SizingControlBar.h"

class CSizingControlBarG : public CSizingControlBar
{
    DECLARE_DYNAMIC(CSizingControlBarG)
public:
    CSizingControlBarG() = default;
    ~CSizingControlBarG() override;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void PaintGripper(CDC* pDC, CRect rcClient) override;
    void CalcClientArea(LPRECT pRect, UINT nDockSide) override;
    virtual BOOL ShowsGripper() const;

    int m_cyGripperBand = 12;
    CBarCloseButton m_btnClose;

    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CSizingControlBarCF : public CSizingControlBarG
{
    DECLARE_DYNAMIC(CSizingControlBarCF)
public:
    // Text drawn in the frame follows a new window text at once.
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
