// Window-free arithmetic of a dock bar's rows: placing bars along rows, where a dropped bar joins them,
// and shifting a drag outline under the mouse. No <windows.h>: the native build tests it.
#pragma once

#include <vector>

// Docked bars overlap their neighbours, and the dock bar's edges, by this much.
constexpr int kDockOverlap = 2;

// The window system's rectangle: right and bottom exclusive.
struct DockRect
{
    int left;
    int top;
    int right;
    int bottom;
};

struct DockPoint
{
    int x;
    int y;
};

struct DockSize
{
    int cx;
    int cy;
};

// Moves rc, keeping its size, until it contains pt.
DockRect ShiftToContain(DockRect rc, DockPoint pt);

// One layout pass over a dock bar's rows, told its entries in order.
class DockRowCursor
{
public:
    // bHorz: rows run along a top or bottom side; nLength: the free length along the side.
    DockRowCursor(bool bHorz, int nLength) : m_bHorz(bHorz), m_nLength(nLength) {}

    // A row end.
    void EndRow();
    // The next visible bar, now at rectNow (a bar further along than its neighbours stays there): where
    // it goes. bOpensRow: it would start past the end of a row that has bars, so a new row begins with it.
    DockRect Place(DockSize size, DockRect rectNow, bool& bOpensRow);
    // What the rows take; bStretch: the whole side along.
    DockSize Extent(bool bStretch) const;

private:
    bool m_bHorz;
    int m_nLength;
    int m_nAlong = -kDockOverlap;   // where the row's next bar goes
    int m_nAcross = -kDockOverlap;  // where the current row starts across
    int m_nThickness = 0;           // the current row's thickness
    bool m_bRowHasBars = false;
    bool m_bAny = false;
    int m_nAlongEnd = 0;   // the farthest end of a bar along the side
    int m_nAcrossEnd = 0;  // the farthest end of a row across
};

// One entry of a dock bar's list as a drop sees it.
struct DockSlot
{
    bool bRowEnd = false;
    bool bShown = false;  // a visible bar other than the dropped one, at rect (client coordinates)
    DockRect rect{};
};

// Where a dropped bar goes: inserted at nPos, followed by a row end when bOwnRow.
struct DockDrop
{
    int nPos;
    bool bOwnRow;
};

// A bar dropped at rectDrop joins the row its centre falls in, before the first bar starting further
// along; above every row's shown bars it opens a row there, past them all a new last row. slots[0] is
// the row end the list begins with.
DockDrop FindDropPlace(const std::vector<DockSlot>& slots, bool bHorz, DockRect rectDrop);
