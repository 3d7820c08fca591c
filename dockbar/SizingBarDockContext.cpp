// CSizingBarDockContext: the drag that moves, docks or floats a sizing bar.
#include "dockbar/SizingBarDockContext.h"

#include "afx/ControlBar.h"
#include "afx/MiniFrame.h"
#include "dockbar/SizingControlBar.h"

void CSizingBarDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(rect);
    m_ptLast = pt;
    const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);

    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    // The floating outline has the size of the frame the bar will get: its client is the floating size
    // less 4 each way.
    m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME);
    m_rectFrameDragHorz.DeflateRect(2, 2);
    m_rectFrameDragVert = m_rectFrameDragHorz;

    ShiftRectToContain(m_rectDragHorz, pt);
    ShiftRectToContain(m_rectDragVert, pt);
    ShiftRectToContain(m_rectFrameDragHorz, pt);
    ShiftRectToContain(m_rectFrameDragVert, pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}
