// CMiniDockFrameWnd: the floating frame around a floating dock bar.
#pragma once
#include "DockBar.h"
#include "MiniFrame.h"
#include "Point.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // The frame for a bar of style dwBarStyle floating over pParent: the frame window, then its floating
    // dock bar (AFX_IDW_DOCKBAR_FLOAT), made under pParent so that pParent is its dock site.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // The caption follows the dock bar's text (a single bar's title).
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CDockBar m_wndDockBar;

    // Closing hides the frame's bars; the document stays open.
    void OnClose();
    // Caption: move the bar (it may dock); border: stretch through the bar's drag context.
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    // Caption double-click docks the bar back.
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    LRESULT OnDisposeEmpty(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    // The bar the frame's mouse actions act on: the first docked bar.
    CControlBar* GetFirstBar() const;
};
