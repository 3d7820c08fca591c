// Window-free geometry of a sizing bar's frame: its border, grabbable edges, hit codes, gripper band
// and close button.
#pragma once

#include "afx/DockRowLayout.h"

// Sizing style bits.
constexpr unsigned SCB_EDGE_LEFT = 0x01;
constexpr unsigned SCB_EDGE_RIGHT = 0x02;
constexpr unsigned SCB_EDGE_TOP = 0x04;
constexpr unsigned SCB_EDGE_BOTTOM = 0x08;
constexpr unsigned SCB_EDGE_ALL = 0x0F;
constexpr unsigned SCB_FRAMED_EDGES = 0x10;
constexpr unsigned SCB_FIT_CHILD = 0x20;

// Control ids of the dock bars, which are what a bar's side is read from.
constexpr unsigned kDockBarTop = 59419;
constexpr unsigned kDockBarLeft = 59420;
constexpr unsigned kDockBarRight = 59421;
constexpr unsigned kDockBarBottom = 59422;
constexpr unsigned kDockBarFloat = 59423;

// The window system's hit codes this geometry answers.
constexpr unsigned kHitClient = 1;
constexpr unsigned kHitLeft = 10;
constexpr unsigned kHitRight = 11;
constexpr unsigned kHitTop = 12;
constexpr unsigned kHitBottom = 15;
constexpr unsigned kHitClose = 20;

constexpr int kCloseButtonSize = 11;

using BarRect = DockRect;
using BarPoint = DockPoint;

inline bool IsHorzDockSide(unsigned nDockSide)
{
    return nDockSide == kDockBarTop || nDockSide == kDockBarBottom;
}

inline bool IsVertDockSide(unsigned nDockSide)
{
    return nDockSide == kDockBarLeft || nDockSide == kDockBarRight;
}

// Hit code of edge number nEdge, in the order left, top, right, bottom; 0 past them.
unsigned EdgeHitCode(int nEdge);

// Edges between neighbours of bar nThis among nCount sizing bars: none before the first, none after the last.
unsigned RowEdgeBits(bool bHorzRow, int nThis, int nCount);

// Turns a window rectangle into the client rectangle and makes the row's outer edge grabbable.
BarRect SizingClientArea(BarRect rc, unsigned nDockSide, int cxEdge, unsigned& dwSizingStyle);

// The grabbable strip of one edge; false when that edge is not grabbable.
bool EdgeRect(BarRect rcWnd, unsigned nHitCode, unsigned dwSizingStyle, bool bHorzRow, int cxEdge,
              BarRect& rcEdge);

// The first grabbable edge containing pt, else kHitClient. Floating bars have none.
unsigned EdgeHitTest(BarRect rcWnd, BarPoint pt, unsigned dwSizingStyle, unsigned nDockSide, int cxEdge);

// The gripper band takes its room from the client rectangle: at the left in a horizontal row, at the
// top otherwise. ptButton is the close button's corner relative to rcWnd's top-left.
BarRect GripperClientArea(BarRect rcWnd, BarRect rcClient, unsigned nDockSide, int cyBand,
                          BarPoint& ptButton);

// The gripper's two raised lines, for the client rectangle relative to the window.
void GripperLines(BarRect rcClient, bool bHorzDocked, int cyBand, BarPoint ptButton, BarRect& rcFirst,
                  BarRect& rcSecond);

inline bool PointInRect(BarRect rc, BarPoint pt)
{
    return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}
