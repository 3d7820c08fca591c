// CDockContext: moving a bar with the mouse between the frame's dock bars and floating frames.
#pragma once
#include "Rect.h"

class CControlBar;
class CDockBar;
class CFrameWnd;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // A move that follows the mouse from pt (screen) with an inverted outline until the left button is
    // released (dock or float there) or Escape, the right button or a lost capture cancels it.
    virtual void StartDrag(CPoint pt);
    // What a drag's outlines start from: the bar's sizes docked along a horizontal and a vertical side and
    // floating, and the style of the floating frame, whose borders the floating outline adds.
    struct DragSizes
    {
        CSize sizeHorz;
        CSize sizeVert;
        CSize sizeFloat;
        DWORD dwFrameStyle = WS_THICKFRAME | WS_CAPTION;
    };
    virtual DragSizes GetDragSizes();
    // Stretching a floating frame's outline from border nHitTest (HTLEFT..HTBOTTOMRIGHT).
    virtual void StartResize(int nHitTest, CPoint pt);
    // Docked: floats the bar at its last floating place; floating: docks it back where it last was.
    virtual void ToggleDocking();

    // Pieces of the tracking loop, for a derived StartDrag.
    void InitLoop();
    void CancelLoop();
    BOOL Track();  // TRUE when the move or resize was carried out
    void Move(CPoint pt);
    void EndDrag();
    void Stretch(CPoint pt);
    void EndResize();
    // Draws (or with bRemoveRect erases) the outline for the current state.
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // Whether Track's own message loop is running.
    BOOL IsTracking() const { return m_bTracking; }
    // The CBRS_ALIGN_* side whose dock bar the current outline touches, or 0 (float).
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle = 0;      // sides the bar may dock to (from the bar at the start)
    DWORD m_dwOverDockStyle = 0;  // side under the outline; 0 floats
    DWORD m_dwStyle = 0;          // the bar's style at the start
    BOOL m_bFlip = FALSE;         // Shift held: the other orientation
    BOOL m_bForceFrame = FALSE;   // Control held: never dock
    BOOL m_bDragging = FALSE;     // moving (FALSE: resizing)
    int m_nHitTest = 0;           // border being stretched

    // Screen rectangles: the outlines for docking horizontally or vertically, and for floating.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;
    CRect m_rectRequestedSize;  // resize: the frame as the mouse asks for it
    CRect m_rectActualSize;     // resize: the frame as the bar allows

    // Where the bar last was: the dock bar's id and the bar's rectangle in it (client coordinates),
    // and the floating frame's top-left (screen) and style.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;

protected:
    HDC m_hDC = nullptr;  // the screen's, while tracking
    BOOL m_bTracking = FALSE;

private:
    BOOL TrackLoop(HWND hWnd);
};
