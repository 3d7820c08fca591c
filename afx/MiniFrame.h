// CMiniFrameWnd: the small tool frame with a thin caption.
#pragma once
#include "Frame.h"
#include "Point.h"

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    // A popup tool window; MFS_* bits in dwStyle choose its border behaviour. lpClassName null: the
    // framework's class. CFrameWnd::rectDefault gives an empty rectangle at (0, 0).
    BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);

    // Client rectangle to window rectangle for a mini frame of that style (WS_THICKFRAME, WS_CAPTION).
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                            DWORD dwExStyle = 0);
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Deletes the object with its window once creation has succeeded.
    void PostNcDestroy() override;

    // The window system's own sizing and moving from the border.
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnSysCommand(UINT nID, LPARAM lParam);
    LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    BOOL m_bActive = FALSE;  // the caption's active look (follows the owner with MFS_SYNCACTIVE)
    BOOL m_bDeleteWithWindow = FALSE;
};
