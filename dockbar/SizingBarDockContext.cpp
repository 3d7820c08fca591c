// CSizingBarDockContext: the sizes a sizing bar's drag starts from.
#include "dockbar/SizingBarDockContext.h"

#include "afx/ControlBar.h"

CDockContext::DragSizes CSizingBarDockContext::GetDragSizes()
{
    DragSizes sizes;
    sizes.sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    sizes.sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    sizes.sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    // Its floating frame has no caption: the bar draws its own gripper.
    sizes.dwFrameStyle = WS_THICKFRAME;
    return sizes;
}
