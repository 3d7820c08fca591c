// CDockBar's part of a saved layout: its entries as bar ids, and rebuilding its rows from them.
#include "DockBar.h"
#include "ControlBarInfo.h"
#include "Frame.h"
#include "Rect.h"

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_bFloating)
    {
        // A floating frame is saved as its dock bar: where its client starts, and whether it shows.
        CRect rect;
        GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        if (CFrameWnd* pFrame = GetParentFrame())
            pInfo->m_bVisible = (pFrame->GetStyle() & WS_VISIBLE) != 0;
    }
    pInfo->m_entries.clear();
    for (int i = 1; i < m_arrBars.GetSize(); ++i)
    {
        void* pEntry = m_arrBars[i];
        if (!pEntry)
            pInfo->m_entries.push_back(DockBarEntry());
        else if (AfxIsPlaceHolder(pEntry))
            pInfo->m_entries.push_back(DockBarEntry{UINT(reinterpret_cast<UINT_PTR>(pEntry)), true});
        else if (CControlBar* pBar = GetDockedControlBar(i))
        {
            const UINT nID = UINT(pBar->GetDlgCtrlID()) & 0xFFFF;
            if (nID != 0)
                pInfo->m_entries.push_back(DockBarEntry{nID, false});
        }
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (!pFrameWnd)
        return;
    CPtrArray arrOld;
    arrOld.Copy(m_arrBars);
    CPtrArray arrNew;
    arrNew.Add(nullptr);
    for (const DockBarEntry& entry : pInfo->m_entries)
    {
        if (entry.IsRowEnd())
        {
            if (arrNew[arrNew.GetUpperBound()])
                arrNew.Add(nullptr);
            continue;
        }
        const UINT nID = entry.nID;
        if (nID == 0 || nID > 0xFFFF)
            continue;
        if (entry.bPlaceHolder)
        {
            arrNew.Add(reinterpret_cast<void*>(UINT_PTR(nID)));
            continue;
        }
        CControlBar* pBar = pFrameWnd->GetControlBar(nID);
        if (!pBar || pBar->IsDockBar() || FindIn(arrNew, pBar) >= 0)
            continue;
        if (pBar->m_pDockBar && pBar->m_pDockBar != this)
            pBar->m_pDockBar->RemoveControlBar(pBar);
        arrNew.Add(pBar);
        AdoptBar(pBar);
    }
    // A bar that was here and that the record leaves out keeps a row of its own.
    for (int i = 0; i < arrOld.GetSize(); ++i)
    {
        void* pEntry = arrOld[i];
        if (!pEntry || AfxIsPlaceHolder(pEntry))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(pEntry);
        if (pBar->m_pDockBar == this && FindIn(arrNew, pBar) < 0)
        {
            if (arrNew[arrNew.GetUpperBound()])
                arrNew.Add(nullptr);
            arrNew.Add(pBar);
        }
    }
    m_arrBars.Copy(arrNew);
    TidyRows();
    if (m_bFloating)
        OnShowChildBar(nullptr, FALSE);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}
