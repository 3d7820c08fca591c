// CSizingBarDockContext: moves a sizing bar between the dock bars and its floating frame, with outlines
// of the sizes the bar will take there.
#pragma once

#include "afx/DockContext.h"

class CSizingBarDockContext : public CDockContext
{
public:
    explicit CSizingBarDockContext(CControlBar* pBar) : CDockContext(pBar) {}

    DragSizes GetDragSizes() override;
};
