// CSizingControlBar: answers to the dock bar's layout queries, the row's sharing and alignment, and the
// sizes kept in the profile.
#include "dockbar/SizingControlBar.h"

#include "afx/DockBar.h"
#include "afx/DockState.h"
#include "afx/ControlBarInfo.h"
#include "afx/Frame.h"
#include "afx/WinApp.h"
#include "afx/Rect.h"

#include <cstdint>
#include <cstdio>

namespace
{

const char kSectionFormat[] = "%s-SCBar-%d";

BarSize ToBarSize(CSize size)
{
    return BarSize{size.cx, size.cy};
}

CSize ToCSize(BarSize size)
{
    return CSize(size.cx, size.cy);
}

void FormatSection(char (&section)[256], LPCSTR lpszProfileName, int nID)
{
    std::snprintf(section, sizeof section, kSectionFormat, lpszProfileName, nID);
}

}  // namespace

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        if (nLength == -1)
            m_bFrameSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    const bool bStore = !(dwMode & (LM_MRUWIDTH | LM_COMMIT));
    m_sizeFloat = ToCSize(FloatingSize(ToBarSize(m_sizeFloat), ToBarSize(m_sizeMinFloat), nLength, bStore,
                                       (dwMode & LM_LENGTHY) != 0));
    return m_sizeFloat;
}

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
    {
        CPtrArray arrBars;
        CollectRowBars(arrBars);
        if (m_pDockBar && !m_pDockBar->m_bLayoutQuery)
            SettleDelayedShows(arrBars);

        CRect rc = m_pDockBar ? m_pDockBar->m_rectLayout : CRect();
        if (rc.IsRectEmpty() && m_pDockSite)
            m_pDockSite->GetClientRect(rc);
        const int nLengthTotal = bHorz ? rc.Width() + 2 : rc.Height() - 2;
        if (IsVisible() && !IsFloatingBar() && m_bFrameSizing && arrBars.GetSize() > 0 && arrBars[0] == this)
        {
            if (ShareRowLength(nLengthTotal, bHorz))
                AlignRowBars();
        }
        m_bFrameSizing = FALSE;
    }
    return ToCSize(FixedLayoutSize(bStretch != FALSE, bHorz != FALSE, ToBarSize(m_sizeHorz),
                                   ToBarSize(m_sizeVert), ToBarSize(m_sizeMinHorz),
                                   ToBarSize(m_sizeMinVert)));
}

void CSizingControlBar::SettleDelayedShows(const CPtrArray& arrBars)
{
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = ::BeginDeferWindowPos(arrBars.GetSize());
    for (int i = 0; i < arrBars.GetSize(); ++i)
    {
        auto* pBar = static_cast<CControlBar*>(arrBars[i]);
        if (pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow))
            pBar->RecalcDelayShow(&layout);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

BOOL CSizingControlBar::ShareRowLength(int nLengthTotal, BOOL bHorz)
{
    int nFirst, nLast, nIndex;
    FindRowBounds(nFirst, nLast, nIndex);
    if (nIndex < 0)
        return TRUE;

    // The row's visible bars of every kind, with the dock bar index of each.
    std::vector<CControlBar*> bars;
    std::vector<int> indices;
    std::vector<RowBar> row;
    int nThis = -1;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!pBar || !pBar->IsVisible())
            continue;
        RowBar bar;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
        {
            CPtrArray one;
            one.Add(pBar);
            bar = RowBarsOf(one, bHorz != FALSE)[0];
        }
        else
        {
            CRect rc;
            pBar->GetWindowRect(rc);
            bar.nLength = bHorz ? rc.Width() : rc.Height();
        }
        if (pBar == this)
            nThis = static_cast<int>(row.size());
        bars.push_back(pBar);
        indices.push_back(i);
        row.push_back(bar);
    }
    if (nThis < 0)
        return TRUE;

    const RowShare share = ::ShareRowLength(row, nThis, nLengthTotal);
    for (size_t i = 0; i < bars.size(); ++i)
        if (row[i].bSizing)
            StoreRowBar(static_cast<CSizingControlBar*>(bars[i]), row[i], bHorz != FALSE);
    if (share.nBreakAfter >= 0)
        m_pDockBar->m_arrBars.InsertAt(indices[size_t(share.nBreakAfter)] + 1, nullptr);
    return share.bStaysInRow ? TRUE : FALSE;
}

void CSizingControlBar::AlignRowBars()
{
    int nFirst, nLast, nThis;
    FindRowBounds(nFirst, nLast, nThis);
    if (nThis < 0)
        return;
    const bool bHorz = IsDockedHorz() != FALSE;
    CRect rcDock;
    m_pDockBar->GetWindowRect(rcDock);

    std::vector<CControlBar*> bars;
    std::vector<CRect> rects;
    std::vector<int> lengths;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!pBar || !pBar->IsVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(rc);
        rc.OffsetRect(-rcDock.left, -rcDock.top);
        if (pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
        {
            auto* pSizing = static_cast<CSizingControlBar*>(pBar);
            rc = CRect(rc.TopLeft(), bHorz ? pSizing->m_sizeHorz : pSizing->m_sizeVert);
        }
        bars.push_back(pBar);
        rects.push_back(rc);
        lengths.push_back(bHorz ? rc.Width() : rc.Height());
    }

    // Only a bar not yet at its place is moved: moving one in place would ask for yet another layout.
    const std::vector<int> positions = RowPositions(lengths);
    bool bMoved = false;
    for (size_t i = 0; i < bars.size(); ++i)
    {
        CRect rc = rects[i];
        const int nPos = bHorz ? rc.left : rc.top;
        if (nPos == positions[i])
            continue;
        if (bHorz)
            rc.OffsetRect(positions[i] - rc.left, m_nDockSide == kDockBarTop ? -kDockOverlap : 0);
        else
            rc.OffsetRect(0, positions[i] - rc.top);
        bars[i]->MoveWindow(rc, TRUE);
        bMoved = true;
    }
    if (bMoved)
        RequestFrameLayout();
}

void CSizingControlBar::MoveSavedFloatingPlace(LPCSTR lpszProfileName)
{
    const int nID = GetDlgCtrlID();
    // The saved place is the frame's client corner. A restored frame is placed for the caption it is
    // made with, and drops that caption at its first move without moving the window: the place goes
    // down and right by as much, which is how layouts saved by every version are read.
    CDockState state;
    state.LoadState(lpszProfileName);
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        if (!pInfo->m_bFloating || pInfo->m_nSection < 0)
            continue;
        for (const DockBarEntry& entry : pInfo->m_entries)
        {
            if (entry.bPlaceHolder || static_cast<int>(entry.nID) != nID)
                continue;
            pInfo->m_pointPos.x += 1;
            pInfo->m_pointPos.y += ::GetSystemMetrics(SM_CYSMCAPTION) + 1;
            // Its own section: a damaged record dropped before it shifts the array, not the sections.
            pInfo->SaveState(lpszProfileName, pInfo->m_nSection);
        }
    }
}

void CSizingControlBar::LoadBarSizes(LPCSTR lpszProfileName)
{
    MoveSavedFloatingPlace(lpszProfileName);
    const int nID = GetDlgCtrlID();

    char section[256];
    FormatSection(section, lpszProfileName, nID);
    CWinApp* pApp = AfxGetApp();
    auto read = [&](LPCSTR key, int nCurrent) {
        return static_cast<int>(pApp->GetProfileInt(section, key, nCurrent));
    };
    const BarSize horz{read("sizeHorzCX", m_sizeHorz.cx), read("sizeHorzCY", m_sizeHorz.cy)};
    const BarSize vert{read("sizeVertCX", m_sizeVert.cx), read("sizeVertCY", m_sizeVert.cy)};
    const BarSize flt{read("sizeFloatCX", m_sizeFloat.cx), read("sizeFloatCY", m_sizeFloat.cy)};
    m_sizeHorz = ToCSize(ClampedSize(horz, ToBarSize(m_sizeMinHorz)));
    m_sizeVert = ToCSize(ClampedSize(vert, ToBarSize(m_sizeMinVert)));
    m_sizeFloat = ToCSize(ClampedSize(flt, ToBarSize(m_sizeMinFloat)));
}

void CSizingControlBar::SaveBarSizes(LPCSTR lpszProfileName)
{
    char section[256];
    FormatSection(section, lpszProfileName, GetDlgCtrlID());
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(section, "sizeHorzCX", m_sizeHorz.cx);
    pApp->WriteProfileInt(section, "sizeHorzCY", m_sizeHorz.cy);
    pApp->WriteProfileInt(section, "sizeVertCX", m_sizeVert.cx);
    pApp->WriteProfileInt(section, "sizeVertCY", m_sizeVert.cy);
    pApp->WriteProfileInt(section, "sizeFloatCX", m_sizeFloat.cx);
    pApp->WriteProfileInt(section, "sizeFloatCY", m_sizeFloat.cy);
}
