// Window-free geometry of a sizing bar's frame.
#include "dockbar/BarGeometry.h"

namespace
{

// Border of a floating bar; a docked one adds a little on three sides.
constexpr BarRect kFloatBorder{3, 5, 3, 3};
constexpr BarRect kDockedExtra{2, 0, 2, 2};

void Deflate(BarRect& rc, const BarRect& by)
{
    rc.left += by.left;
    rc.top += by.top;
    rc.right -= by.right;
    rc.bottom -= by.bottom;
}

}  // namespace

unsigned EdgeHitCode(int nEdge)
{
    static const unsigned codes[] = {kHitLeft, kHitTop, kHitRight, kHitBottom};
    return nEdge >= 0 && nEdge < 4 ? codes[nEdge] : 0;
}

unsigned RowEdgeBits(bool bHorzRow, int nThis, int nCount)
{
    unsigned bits = 0;
    if (nThis > 0)
        bits |= bHorzRow ? SCB_EDGE_LEFT : SCB_EDGE_TOP;
    if (nThis >= 0 && nThis < nCount - 1)
        bits |= bHorzRow ? SCB_EDGE_RIGHT : SCB_EDGE_BOTTOM;
    return bits;
}

BarRect SizingClientArea(BarRect rc, unsigned nDockSide, int cxEdge, unsigned& dwSizingStyle)
{
    Deflate(rc, kFloatBorder);
    if (nDockSide != kDockBarFloat)
        Deflate(rc, kDockedExtra);
    switch (nDockSide)
    {
    case kDockBarTop:
        dwSizingStyle |= SCB_EDGE_BOTTOM;
        break;
    case kDockBarBottom:
        dwSizingStyle |= SCB_EDGE_TOP;
        break;
    case kDockBarLeft:
        dwSizingStyle |= SCB_EDGE_RIGHT;
        break;
    case kDockBarRight:
        dwSizingStyle |= SCB_EDGE_LEFT;
        break;
    default:
        break;
    }
    if (dwSizingStyle & SCB_FRAMED_EDGES)
    {
        rc.left += (dwSizingStyle & SCB_EDGE_LEFT) ? cxEdge : 0;
        rc.top += (dwSizingStyle & SCB_EDGE_TOP) ? cxEdge : 0;
        rc.right -= (dwSizingStyle & SCB_EDGE_RIGHT) ? cxEdge : 0;
        rc.bottom -= (dwSizingStyle & SCB_EDGE_BOTTOM) ? cxEdge : 0;
    }
    return rc;
}

bool EdgeRect(BarRect rcWnd, unsigned nHitCode, unsigned dwSizingStyle, bool bHorzRow, int cxEdge,
              BarRect& rcEdge)
{
    rcEdge = rcWnd;
    if (dwSizingStyle & SCB_FRAMED_EDGES)
        Deflate(rcEdge, BarRect{1, 1, 1, 1});
    // Edges between neighbours stop short of both ends; the outer edge runs the full length.
    switch (nHitCode)
    {
    case kHitLeft:
    case kHitRight:
        if (!(dwSizingStyle & (nHitCode == kHitLeft ? SCB_EDGE_LEFT : SCB_EDGE_RIGHT)))
            return false;
        if (nHitCode == kHitLeft)
            rcEdge.right = rcEdge.left + cxEdge;
        else
            rcEdge.left = rcEdge.right - cxEdge;
        if (bHorzRow)
            Deflate(rcEdge, BarRect{0, cxEdge, 0, cxEdge});
        return true;
    case kHitTop:
    case kHitBottom:
        if (!(dwSizingStyle & (nHitCode == kHitTop ? SCB_EDGE_TOP : SCB_EDGE_BOTTOM)))
            return false;
        if (nHitCode == kHitTop)
            rcEdge.bottom = rcEdge.top + cxEdge;
        else
            rcEdge.top = rcEdge.bottom - cxEdge;
        if (!bHorzRow)
            Deflate(rcEdge, BarRect{cxEdge, 0, cxEdge, 0});
        return true;
    default:
        return true;
    }
}

unsigned EdgeHitTest(BarRect rcWnd, BarPoint pt, unsigned dwSizingStyle, unsigned nDockSide, int cxEdge)
{
    if (!IsHorzDockSide(nDockSide) && !IsVertDockSide(nDockSide))
        return kHitClient;
    for (int nEdge = 0; nEdge < 4; ++nEdge)
    {
        BarRect rcEdge;
        const unsigned nCode = EdgeHitCode(nEdge);
        if (EdgeRect(rcWnd, nCode, dwSizingStyle, IsHorzDockSide(nDockSide), cxEdge, rcEdge) &&
            PointInRect(rcEdge, pt))
            return nCode;
    }
    return kHitClient;
}

BarRect GripperClientArea(BarRect rcWnd, BarRect rcClient, unsigned nDockSide, int cyBand, BarPoint& ptButton)
{
    BarPoint corner;
    if (IsHorzDockSide(nDockSide))
    {
        rcClient.left += cyBand;
        corner = BarPoint{rcClient.left - 13, rcClient.top};
    }
    else
    {
        rcClient.top += cyBand;
        corner = BarPoint{rcClient.right - 12, rcClient.top - 13};
    }
    ptButton = BarPoint{corner.x - rcWnd.left, corner.y - rcWnd.top};
    return rcClient;
}

void GripperLines(BarRect rcClient, bool bHorzDocked, int cyBand, BarPoint ptButton, BarRect& rcFirst,
                  BarRect& rcSecond)
{
    BarRect r = rcClient;
    Deflate(r, BarRect{1, 1, 1, 1});
    if (bHorzDocked)
    {
        r.left -= cyBand;
        r.right = r.left + 3;
        r.top = ptButton.y + 14;
        rcSecond = BarRect{r.left + 3, r.top, r.right + 3, r.bottom};
    }
    else
    {
        r.top -= cyBand;
        r.bottom = r.top + 3;
        r.right = ptButton.x - 3;
        rcSecond = BarRect{r.left, r.top + 3, r.right, r.bottom + 3};
    }
    rcFirst = r;
}
