// CDockBar: the strip along one side of a frame (or inside a floating frame) holding docked bars in rows.
#pragma once
#include "ControlBar.h"
#include "DockRowLayout.h"
#include "PtrArray.h"
#include "Rect.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    // bFloating: the dock bar of a floating frame.
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle: WS_* bits and the side's CBRS_ALIGN_* bit; nID: one of AFX_IDW_DOCKBAR_*.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Entries in order: docked bars, placeholder ids (values up to 0xFFFF) keeping the place of a bar
    // that left, and null entries ending a row. The first and the last entry are always null.
    CPtrArray m_arrBars;
    BOOL m_bFloating;
    BOOL m_bLayoutQuery = FALSE;  // the layout pass under way only measures
    CRect m_rectLayout;           // the free rectangle the last layout pass had (empty before the first)

    // Index of pBar (a bar or, for a placeholder, its id) other than nPosExclude, or -1.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // The bar at nPos; null for a row end, a placeholder or an index outside the list.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;

    // Takes pBar from wherever it is docked. lpRect (screen) chooses the row (by its centre) and the place
    // along it; without it the bar goes back to its placeholder here, else into a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // nAddPlaceHolder non-zero keeps the bar's place as a placeholder. TRUE when a floating dock bar was
    // left without bars (its frame is then disposed of).
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Drops every placeholder of pBar's id.
    void RemovePlaceHolder(CControlBar* pBar);

    BOOL IsDockBar() const override;
    // A dock bar's record lists its entries; putting one back rebuilds the rows from it.
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
    // Lays out the rows (or, with m_bLayoutQuery, only measures them) and answers the size they take.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // A floating dock bar shows its frame with its first visible bar and hides it with its last.
    void OnShowChildBar(CControlBar* pBar, BOOL bShow) override;

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

protected:
    // One pass over the rows; FALSE when a bar changed the rows while answering (bMayRestart).
    BOOL LayOutRows(BOOL bHorz, BOOL bMayRestart, DockRowCursor& rows);
    // Pending delayed shows and hides of the docked bars, in one deferred positioning.
    void SettleDelayedShows();
    // One null between rows and at both ends.
    void TidyRows();
    // Forgets every bar (they no longer point here).
    void ReleaseBars();
    // Makes pBar a child of this dock bar with this side's alignment and all borders.
    void AdoptBar(CControlBar* pBar);
    static int FindIn(const CPtrArray& arr, const void* pEntry);
    // Where a bar dropped at rect (client coordinates) goes in m_arrBars; may open a new row.
    int Insert(CControlBar* pBar, CRect rect);
    // Shows or hides a floating frame so that it is visible exactly while it holds a visible bar.
    void ShowFloatingFrame(int nVisibleBars);
};

// The row arithmetic's rectangles have the window system's fields.
inline DockRect ToDockRect(const RECT& rc)
{
    return DockRect{int(rc.left), int(rc.top), int(rc.right), int(rc.bottom)};
}
inline CRect ToCRect(const DockRect& rc)
{
    return CRect(rc.left, rc.top, rc.right, rc.bottom);
}

// A placeholder entry stands for the bar with that id.
inline bool AfxIsPlaceHolder(const void* pEntry)
{
    return pEntry && reinterpret_cast<UINT_PTR>(pEntry) <= 0xFFFF;
}
