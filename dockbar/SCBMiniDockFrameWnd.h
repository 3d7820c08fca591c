// CSCBMiniDockFrameWnd: the floating frame of sizing bars: sized freely from its border, without a
// caption of its own (the bar's gripper band serves), handing its size to the bar.
#pragma once

#include "afx/MiniDockFrame.h"
#include "afx/Point.h"

class CSizingControlBar;

class CSCBMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CSCBMiniDockFrameWnd)
public:
    CSCBMiniDockFrameWnd() = default;
    // Creation is the base frame's (same style, system menu and floating dock bar); this class
    // changes what happens once the frame holds a sizing bar.
    ~CSCBMiniDockFrameWnd() override;

    // The sizing bar held through the floating dock bar, or null.
    CSizingControlBar* GetFloatingBar() const;

    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
