// CGraphHostBar: a plain fixed-width bar along the frame's left edge that
// holds the signal graph until the resizable docking bars take over.
#pragma once

#include "afx/ControlBar.h"

class CGraphHostBar : public CControlBar
{
public:
    static constexpr int kWidth = 220;

    BOOL Create(CWnd* pParentWnd, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
};
