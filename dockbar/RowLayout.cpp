// Window-free arithmetic of a dock row of sizing bars.
#include "dockbar/RowLayout.h"

#include <algorithm>

namespace
{

void ClearHolds(std::vector<RowBar>& row, const std::vector<int>& sizing)
{
    for (int i : sizing)
        row[i].bHoldSize = false;
}

// Hands nDelta out one pixel at a time, first bars first; held bars only once nobody else can move.
void SpreadDelta(std::vector<RowBar>& row, const std::vector<int>& sizing, int nDelta)
{
    while (nDelta != 0)
    {
        bool bChanged = false;
        bool bAnyHeld = false;
        for (int i : sizing)
        {
            if (nDelta == 0)
                break;
            RowBar& bar = row[i];
            bAnyHeld = bAnyHeld || bar.bHoldSize;
            if (bar.bHoldSize || (nDelta < 0 && bar.nLength <= bar.nMinLength))
                continue;
            const int step = nDelta > 0 ? 1 : -1;
            bar.nLength += step;
            nDelta -= step;
            bChanged = true;
        }
        if (!bChanged || nDelta == 0)
            ClearHolds(row, sizing);
        // Every bar at its minimum: nothing more can give way.
        if (!bChanged && !bAnyHeld)
            return;
    }
}

}  // namespace

BarSize FixedLayoutSize(bool bStretch, bool bHorz, BarSize sizeHorz, BarSize sizeVert, BarSize minHorz,
                        BarSize minVert)
{
    constexpr int kStretched = 32767;
    if (bStretch)
        return bHorz ? BarSize{kStretched, sizeHorz.cy} : BarSize{sizeVert.cx, kStretched};
    return bHorz ? ClampedSize(sizeHorz, minHorz) : ClampedSize(sizeVert, minVert);
}

RowShare ShareRowLength(std::vector<RowBar>& row, int nThis, int nLengthTotal)
{
    RowShare result;
    int nLengthMin = kDockOverlap;
    int nLengthAvail = nLengthTotal;
    int nLengthActual = 0;
    int nWidth = 0;
    int nEnd = static_cast<int>(row.size());
    for (int i = 0; i < nEnd; ++i)
    {
        const RowBar& bar = row[i];
        nLengthMin += (bar.bSizing ? bar.nMinLength : bar.nLength) - kDockOverlap;
        if (nLengthMin > nLengthTotal)
        {
            if (i < nThis)
            {
                result.bStaysInRow = false;
                result.nBreakAfter = i;
                return result;
            }
            if (i == nThis)
            {
                row[i].nLength = row[i].nMinLength;
                return result;
            }
            result.nBreakAfter = i - 1;
            nEnd = i;
            break;
        }
        if (bar.bSizing)
        {
            nLengthActual += bar.nLength - kDockOverlap;
            nWidth = std::max(nWidth, bar.nThickness);
        }
        else
        {
            nLengthAvail -= bar.nLength - kDockOverlap;
        }
    }

    std::vector<int> sizing;
    for (int i = 0; i < nEnd; ++i)
        if (row[i].bSizing)
            sizing.push_back(i);
    const int nDelta = nLengthAvail - nLengthActual;
    if (sizing.size() == 1)
    {
        if (nDelta != 0)
        {
            row[sizing[0]].bHoldSize = false;
            row[sizing[0]].nLength += nDelta;
        }
        return result;
    }
    for (int i : sizing)
        row[i].nThickness = nWidth;
    SpreadDelta(row, sizing, nDelta);
    return result;
}

DragLimits RowEdgeDragLimits(const std::vector<RowBar>& bars, int nFirstAfterEdge, int nPos)
{
    DragLimits limits{nPos, nPos};
    for (int i = 0; i < static_cast<int>(bars.size()); ++i)
    {
        const int nSlack = bars[i].nLength - bars[i].nMinLength;
        if (i < nFirstAfterEdge)
            limits.nMin -= nSlack;
        else
            limits.nMax += nSlack;
    }
    return limits;
}

DragLimits OuterEdgeDragLimits(const std::vector<RowBar>& bars, int nThis, bool bLeadingEdge, int nFreeExtent,
                               int nPos)
{
    DragLimits limits{nPos, nPos};
    if (nThis < 0 || nThis >= static_cast<int>(bars.size()))
        return limits;
    int nFloor = 0;
    for (const RowBar& bar : bars)
        nFloor = std::max(nFloor, bar.nMinThickness);
    const int nShrink = bars[nThis].nThickness - nFloor;
    const int nGrow = nFreeExtent - kDockOverlap;
    if (bLeadingEdge)
    {
        limits.nMin -= nGrow;
        limits.nMax += nShrink;
    }
    else
    {
        limits.nMin -= nShrink;
        limits.nMax += nGrow;
    }
    return limits;
}

void MoveRowEdge(std::vector<RowBar>& bars, int nThis, bool bLeadingEdge, int nChange)
{
    const int nCount = static_cast<int>(bars.size());
    int nGrow;
    int nFrom;
    int nStep;
    if (bLeadingEdge)
    {
        nGrow = nChange > 0 ? nThis - 1 : nThis;
        nFrom = nChange > 0 ? nThis : nThis - 1;
        nStep = nChange > 0 ? 1 : -1;
    }
    else
    {
        nGrow = nChange < 0 ? nThis + 1 : nThis;
        nFrom = nChange < 0 ? nThis : nThis + 1;
        nStep = nChange < 0 ? -1 : 1;
    }
    if (nChange == 0 || nGrow < 0 || nGrow >= nCount)
        return;
    int nRemain = nChange < 0 ? -nChange : nChange;
    bars[nGrow].nLength += nRemain;
    for (int i = nFrom; nRemain > 0 && i >= 0 && i < nCount; i += nStep)
    {
        const int nGive = std::min(nRemain, std::max(0, bars[i].nLength - bars[i].nMinLength));
        bars[i].nLength -= nGive;
        nRemain -= nGive;
    }
}

std::vector<int> RowPositions(const std::vector<int>& lengths)
{
    std::vector<int> positions;
    positions.reserve(lengths.size());
    int nAlign = -kDockOverlap;
    for (int nLength : lengths)
    {
        positions.push_back(nAlign);
        nAlign += nLength - kDockOverlap;
    }
    return positions;
}

BarSize FloatingSize(BarSize size, BarSize minimum, int nLength, bool bStore, bool bLengthY)
{
    if (bStore)
        (bLengthY ? size.cy : size.cx) = nLength;
    return ClampedSize(size, minimum);
}

BarSize ClampedSize(BarSize size, BarSize minimum)
{
    return BarSize{std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy)};
}
