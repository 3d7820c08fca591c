// CDockBar's part of a saved layout: its entries as bar ids, and rebuilding its rows from them.
#include "DockBar.h"
#include "DockState.h"
#include "Frame.h"

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
    pInfo->m_arrBarID.RemoveAll();
    for (int i = 1; i < m_arrBars.GetSize(); ++i)
    {
        void* pEntry = m_arrBars[i];
        UINT_PTR nValue = 0;
        if (AfxIsPlaceHolder(pEntry))
            nValue = reinterpret_cast<UINT_PTR>(pEntry) | 0x10000;
        else if (CControlBar* pBar = GetDockedControlBar(i))
            nValue = UINT_PTR(UINT(pBar->GetDlgCtrlID()) & 0xFFFF);
        if (nValue != 0 || pEntry == nullptr)
            pInfo->m_arrBarID.Add(reinterpret_cast<void*>(nValue));
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
    for (int i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
    {
        const UINT nValue = UINT(reinterpret_cast<UINT_PTR>(pInfo->m_arrBarID[i]));
        if (nValue == 0)
        {
            if (arrNew[arrNew.GetUpperBound()])
                arrNew.Add(nullptr);
            continue;
        }
        const UINT nID = nValue & 0xFFFF;
        if (nID == 0 || nValue > 0x1FFFF)
            continue;
        if (nValue & 0x10000)
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
