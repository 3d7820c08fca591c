// CSizingControlBar: a docking bar sized by dragging its edges; the sizing bars of a dock row share
// its length.
#pragma once

#include "afx/ControlBar.h"
#include "afx/DockBar.h"
#include "afx/PtrArray.h"
#include "afx/Rect.h"
#include "dockbar/BarGeometry.h"
#include "dockbar/RowLayout.h"

class CDockBar;

class CSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    virtual BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    virtual BOOL CreateWithSize(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bIgnored,
                                UINT nID, DWORD dwStyle);
    // Sizes kept per bar in the profile section "<profile>-SCBar-<id>".
    virtual void LoadBarSizes(LPCSTR lpszProfileName);
    virtual void SaveBarSizes(LPCSTR lpszProfileName);
    // Moves the saved place of this bar's floating frame by the caption a restored frame gives up, so
    // that the frame LoadBarState makes next comes back where it was. LoadBarSizes does it; a bar whose
    // sizes are not kept calls it alone, once per LoadBarState.
    void MoveSavedFloatingPlace(LPCSTR lpszProfileName);
    virtual void BeginEdgeDrag(UINT nHitCode, CPoint ptScreen);
    virtual void EndEdgeDrag();
    virtual void TrackEdgeDrag(CPoint& ptScreen);
    virtual void InvertDragLine();
    virtual void PaintGripper(CDC* pDC, CRect rcClient);
    virtual void CalcClientArea(LPRECT pRect, UINT nDockSide);
    virtual void AlignRowBars();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // Replaces the framework's: the drag context becomes a sizing bar's.
    void EnableDocking(DWORD dwDockStyle);

    BOOL IsFloatingBar() const;
    BOOL IsDockedHorz() const;
    BOOL IsDockedVert() const;
    // The dragged edge lies between neighbours of the row rather than on its outer side.
    BOOL IsRowEdgeDrag() const;
    UINT EdgeHitCode(int nEdge) const;
    BOOL CalcEdgeRect(CRect rcWnd, UINT nHitCode, CRect& rcEdge) const;

    void FindRowBounds(int& nFirst, int& nLast, int& nThis);
    void CollectRowBars(CPtrArray& arrBars);
    void CollectRowBars(CPtrArray& arrBars, int& nThis);
    // FALSE: this bar was pushed into a new row.
    BOOL ShareRowLength(int nLengthTotal, BOOL bHorz);

    DWORD m_dwSizingStyle = 0;
    UINT m_nDragEdge = 0;
    CSize m_sizeHorz;
    CSize m_sizeVert;
    CSize m_sizeFloat;
    CSize m_sizeMinHorz;
    CSize m_sizeMinVert;
    CSize m_sizeMinFloat;
    int m_nDragMin = 0;
    int m_nDragMax = 0;
    int m_nDragPos = 0;
    int m_nGrabOffset = 0;
    BOOL m_bDragging = FALSE;
    BOOL m_bHoldSize = FALSE;
    BOOL m_bFrameSizing = FALSE;
    BOOL m_bFullDrag = FALSE;
    UINT m_nDockSide = 0;
    int m_cxEdgeWidth = 5;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    // The dock bar's entry at nIndex when it is a bar (not a row end or a hidden bar's id).
    static CControlBar* BarAt(CDockBar* pDockBar, int nIndex);
    // The row's sizing bars as the row arithmetic sees them, and their sizes written back.
    static std::vector<RowBar> RowBarsOf(const CPtrArray& arrBars, bool bHorz);
    static void StoreRowBar(CSizingControlBar* pBar, const RowBar& bar, bool bHorz);
    void RequestFrameLayout();
    // Settles delayed shows and hides of the collected bars in one deferred positioning.
    void SettleDelayedShows(const CPtrArray& arrBars);
};
