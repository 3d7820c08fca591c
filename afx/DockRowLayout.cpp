// Window-free arithmetic of a dock bar's rows.
#include "DockRowLayout.h"

#include <algorithm>
#include <climits>

namespace
{
// The shift along one axis that brings n into [nLow, nHigh).
int ShiftInto(int n, int nLow, int nHigh)
{
    if (n < nLow)
        return n - nLow;
    if (n >= nHigh)
        return n - nHigh + 1;
    return 0;
}
}  // namespace

DockRect ShiftToContain(DockRect rc, DockPoint pt)
{
    const int dx = ShiftInto(pt.x, rc.left, rc.right);
    const int dy = ShiftInto(pt.y, rc.top, rc.bottom);
    return DockRect{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
}

void DockRowCursor::EndRow()
{
    if (m_bRowHasBars)
        m_nAcross += m_nThickness - kDockOverlap;
    m_nAlong = -kDockOverlap;
    m_nThickness = 0;
    m_bRowHasBars = false;
}

DockRect DockRowCursor::Place(DockSize size, DockRect rectNow, bool& bOpensRow)
{
    const int nSizeAlong = m_bHorz ? size.cx : size.cy;
    const int nSizeAcross = m_bHorz ? size.cy : size.cx;
    int nPos = std::max(m_nAlong, m_bHorz ? rectNow.left : rectNow.top);
    bOpensRow = nPos >= m_nLength && m_bRowHasBars;
    if (bOpensRow)
    {
        m_nAcross += m_nThickness - kDockOverlap;
        m_nThickness = 0;
        nPos = -kDockOverlap;
    }
    else if (nPos >= m_nLength)
    {
        // A row's first bar is never left out of sight beyond the end.
        nPos = std::max(-kDockOverlap, m_nLength - nSizeAlong);
    }
    m_nAlong = nPos + nSizeAlong - kDockOverlap;
    m_nThickness = std::max(m_nThickness, nSizeAcross);
    m_bRowHasBars = true;
    m_bAny = true;
    m_nAlongEnd = std::max(m_nAlongEnd, nPos + nSizeAlong);
    m_nAcrossEnd = std::max(m_nAcrossEnd, m_nAcross + nSizeAcross);
    return m_bHorz ? DockRect{nPos, m_nAcross, nPos + nSizeAlong, m_nAcross + nSizeAcross}
                   : DockRect{m_nAcross, nPos, m_nAcross + nSizeAcross, nPos + nSizeAlong};
}

DockSize DockRowCursor::Extent(bool bStretch) const
{
    constexpr int kStretched = 32767;
    const int nAcross = m_bAny ? m_nAcrossEnd - kDockOverlap : 0;
    const int nAlong = bStretch ? kStretched : (m_bAny ? m_nAlongEnd - kDockOverlap : 0);
    return m_bHorz ? DockSize{nAlong, nAcross} : DockSize{nAcross, nAlong};
}

DockDrop FindDropPlace(const std::vector<DockSlot>& slots, bool bHorz, DockRect rectDrop)
{
    const int nSize = static_cast<int>(slots.size());
    const int nMid = bHorz ? (rectDrop.top + rectDrop.bottom) / 2 : (rectDrop.left + rectDrop.right) / 2;
    const int nAlong = bHorz ? rectDrop.left : rectDrop.top;
    for (int nFirst = 1; nFirst < nSize;)
    {
        int nLast = nFirst;
        while (nLast < nSize && !slots[nLast].bRowEnd)
            ++nLast;  // nLast: the row end
        // The row's extent across, from its shown bars.
        int nTop = INT_MAX, nBottom = INT_MIN;
        for (int i = nFirst; i < nLast; ++i)
        {
            if (!slots[i].bShown)
                continue;
            const DockRect& rc = slots[i].rect;
            nTop = std::min(nTop, bHorz ? rc.top : rc.left);
            nBottom = std::max(nBottom, bHorz ? rc.bottom : rc.right);
        }
        if (nTop <= nBottom && nMid < nTop)
            return DockDrop{nFirst, true};
        if (nTop <= nBottom && nMid < nBottom)
        {
            for (int i = nFirst; i < nLast; ++i)
            {
                if (slots[i].bShown && (bHorz ? slots[i].rect.left : slots[i].rect.top) > nAlong)
                    return DockDrop{i, false};
            }
            return DockDrop{nLast, false};
        }
        nFirst = nLast + 1;
    }
    return DockDrop{nSize, true};
}
