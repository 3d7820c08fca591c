// Window-free arithmetic of a dock row of sizing bars: sharing its length, splitting it, edge drags,
// bar positions and the clamping of remembered sizes.
#pragma once

#include "afx/DockRowLayout.h"

#include <vector>

// Bars of a row overlap by kDockOverlap: each counts for its length minus it.
using BarSize = DockSize;

// One visible bar of a dock row: lengths run along the row, thickness across it.
struct RowBar
{
    bool bSizing = false;  // a sizing bar; any other bar only occupies its own length
    int nLength = 0;
    int nMinLength = 0;  // sizing bars only, like the rest
    int nThickness = 0;
    int nMinThickness = 0;
    bool bHoldSize = false;
};

struct RowShare
{
    bool bStaysInRow = true;  // false: the sharing bar was pushed into a new row
    int nBreakAfter = -1;     // index of the bar after which a row break belongs, or -1
};

// A docked bar's answer to a fixed-layout query: stretched, the whole side at its thickness;
// otherwise its remembered size for the orientation, not below the minimum.
BarSize FixedLayoutSize(bool bStretch, bool bHorz, BarSize sizeHorz, BarSize sizeVert, BarSize minHorz,
                        BarSize minVert);

// Fits the row's sizing bars to nLengthTotal. nThis is the sharing bar (the row's first sizing bar).
// Splits the row where the minimum lengths stop fitting; lengths and thicknesses change in place.
RowShare ShareRowLength(std::vector<RowBar>& row, int nThis, int nLengthTotal);

struct DragLimits
{
    int nMin;
    int nMax;
};

// Edge between neighbours of a row of sizing bars: bars before nFirstAfterEdge may shrink to let
// the edge move back, the others to let it move on.
DragLimits RowEdgeDragLimits(const std::vector<RowBar>& bars, int nFirstAfterEdge, int nPos);

// The row's outer edge: inward down to the row's largest minimum thickness, outward by the free
// extent the frame leaves its view, less the overlap. bLeadingEdge: the left or top edge.
DragLimits OuterEdgeDragLimits(const std::vector<RowBar>& bars, int nThis, bool bLeadingEdge, int nFreeExtent,
                               int nPos);

// Moves the edge on the leading (left/top) or trailing side of bar nThis by nChange pixels: the
// bar toward which it moves away grows, the bars it moves into give up their slack in order.
void MoveRowEdge(std::vector<RowBar>& bars, int nThis, bool bLeadingEdge, int nChange);

// Where each bar of a row begins: the first at -2, each next one 2 pixels inside the previous one.
std::vector<int> RowPositions(const std::vector<int>& lengths);

// The floating size after a floating layout query; bStore takes nLength along cy (bLengthY) or cx.
BarSize FloatingSize(BarSize size, BarSize minimum, int nLength, bool bStore, bool bLengthY);

// A remembered size read back: no component below its minimum, large values kept.
BarSize ClampedSize(BarSize size, BarSize minimum);
