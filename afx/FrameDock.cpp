// CFrameWnd's docking: its dock bars, docking and floating bars, floating frames, and the saved layout.
#include "DockContext.h"
#include "DockState.h"
#include "ControlBarInfo.h"
#include "Frame.h"
#include "MiniDockFrame.h"
#include "Rect.h"

#include <algorithm>
#include <new>
#include <vector>

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

namespace
{
CDockBar* AsDockBar(CControlBar* pBar)
{
    return pBar && pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
}

// A floating frame's corner stays where the user can reach it, whatever a saved layout says.
CPoint OnScreen(CPoint pt)
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int nMargin = 40;
    return CPoint(std::max(x, std::min(int(pt.x), x + cx - nMargin)),
                  std::max(y, std::min(int(pt.y), y + cy - nMargin)));
}
}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DWORD* pEntry : dwDockBarMap)
    {
        if (!(pEntry[1] & dwDockStyle & CBRS_ALIGN_ANY) || AsDockBar(GetControlBar(pEntry[0])))
            continue;
        CDockBar* pDockBar = new (std::nothrow) CDockBar;
        if (!pDockBar)
            continue;
        pDockBar->m_bAutoDelete = TRUE;  // a failed Create has deleted it already
        pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | pEntry[1],
                         pEntry[0]);
    }
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID != 0)
    {
        pDockBar = AsDockBar(GetControlBar(nDockBarID));
        if (!pDockBar)
            return;
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar)
        return;
    for (int i = 0; i < 4 && !pDockBar; ++i)
    {
        if (pBar->m_dwDockStyle & dwDockBarMap[i][1] & CBRS_ALIGN_ANY)
            pDockBar = AsDockBar(GetControlBar(dwDockBarMap[i][0]));
    }
    if (pDockBar)
        pDockBar->DockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
    if (!pFrame)
    {
        delete pObject;
        return nullptr;
    }
    if (!pFrame->Create(this, dwStyle))
    {
        // A frame whose window exists ends with it; one that never got a window is still ours.
        if (pFrame->m_hWnd)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return nullptr;
    }
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (pOldDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY))
    {
        // Already alone in a floating frame of that orientation: the frame moves.
        if (CFrameWnd* pFrame = pOldDockBar->GetParentFrame())
        {
            pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pFrame->RecalcLayout(TRUE);
        }
    }
    else
    {
        CMiniDockFrameWnd* pFrame =
            CreateFloatingFrame(dwStyle | (pBar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED)));
        if (!pFrame)
            return;
        pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // A side it leaves keeps its place, for docking back.
        if (pOldDockBar)
        {
            if (!pOldDockBar->m_bFloating && pBar->m_pDockContext)
            {
                CRect rect;
                pBar->GetWindowRect(&rect);
                pOldDockBar->ScreenToClient(&rect);
                pBar->m_pDockContext->m_uMRUDockID = UINT(pOldDockBar->GetDlgCtrlID());
                pBar->m_pDockContext->m_rectMRUDockPos = rect;
            }
            if (CFrameWnd* pOldFrame = pOldDockBar->GetDockingFrame())
                pOldFrame->DelayRecalcLayout();
            pOldDockBar->RemoveControlBar(pBar, -1, pOldDockBar->m_bFloating ? 0 : 1);
        }
        pFrame->m_wndDockBar.DockControlBar(pBar);
        pFrame->m_wndDockBar.OnShowChildBar(pBar, pBar->IsVisible());
        pFrame->RecalcLayout(TRUE);
    }
    if (pBar->m_pDockContext)
    {
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
        pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle;
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    for (const DWORD* pEntry : dwDockBarMap)
    {
        if (!(pEntry[1] & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CDockBar* pDockBar = AsDockBar(GetControlBar(pEntry[0]));
        if (!pDockBar || !pDockBar->IsWindowVisible())
            continue;
        // An empty dock bar is a line along its side; it still takes a bar.
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        CRect rectHit;
        if (rectHit.IntersectRect(&rectBar, &rect))
        {
            if (ppDockBar)
                *ppDockBar = pDockBar;
            return pEntry[1] & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

BOOL CFrameWnd::DeferCloseDuringBarDrag()
{
    // The drag loop would go on with the bar and this frame freed under it.
    const HWND hCapture = ::GetCapture();
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hCapture));
    if (!pBar || pBar->m_pDockSite != this || !pBar->m_pDockContext || !pBar->m_pDockContext->IsTracking())
        return FALSE;
    ::SendMessageA(hCapture, WM_CANCELMODE, 0, 0);
    if (::GetCapture() == hCapture)
        ::ReleaseCapture();
    PostMessage(WM_CLOSE);
    return TRUE;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    struct Walk
    {
        HWND hOwner;
        DWORD dwFlags;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            Walk* pWalk = reinterpret_cast<Walk*>(lParam);
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd && ::GetWindow(hWnd, GW_OWNER) == pWalk->hOwner &&
                pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                ::SendMessageA(hWnd, WM_FLOATSTATUS, pWalk->dwFlags, 0);
            return TRUE;
        }
    } walk = {m_hWnd, dwFlags};
    if (m_hWnd)
        ::EnumThreadWindows(::GetCurrentThreadId(), &Walk::Visit, reinterpret_cast<LPARAM>(&walk));
}

LRESULT CFrameWnd::OnNcActivateMsg(WPARAM wParam, LPARAM)
{
    NotifyFloatingWindows(wParam ? FS_ACTIVATE : FS_DEACTIVATE);
    return Default();
}

LRESULT CFrameWnd::OnEnableMsg(WPARAM wParam, LPARAM)
{
    // A modal dialog disables the frame: its floating frames wait with it.
    NotifyFloatingWindows(wParam ? FS_ENABLE : FS_DISABLE);
    return Default();
}

// ---- Saved layout --------------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (CControlBar* pBar : m_listControlBars)
    {
        if (!pBar->m_hWnd)
            continue;
        std::unique_ptr<CControlBarInfo> pInfo(new (std::nothrow) CControlBarInfo);
        if (!pInfo)
            continue;
        pBar->GetBarInfo(pInfo.get());
        state.m_arrBarInfo.push_back(std::move(pInfo));
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    std::vector<CMiniDockFrameWnd*> newFrames;
    // Each record finds its bar; a floating frame's record gets a new frame.
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bDockBar && pInfo->m_bFloating)
        {
            if (!m_pFloatingFrameClass)
                continue;
            DWORD dwStyle = pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
            for (const DockBarEntry& entry : pInfo->m_entries)
            {
                const bool bBar = !entry.bPlaceHolder && entry.nID != 0 && entry.nID <= 0xFFFF;
                CControlBar* pBar = bBar ? GetControlBar(entry.nID) : nullptr;
                if (pBar && !pBar->IsDockBar())
                {
                    dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED);
                    dwStyle |= pBar->m_dwDockStyle & CBRS_FLOAT_MULTI;
                    break;
                }
            }
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
            if (!pFrame)
                continue;
            // The new frame's client (its dock bar) goes where the saved one's was.
            CRect rect(pInfo->m_pointPos, CSize(0, 0));
            pFrame->CalcWindowRect(&rect);
            CPoint pt = OnScreen(rect.TopLeft());
            pFrame->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
            newFrames.push_back(pFrame);
        }
        else
        {
            CControlBar* pBar = pInfo->m_nBarID ? GetControlBar(pInfo->m_nBarID) : nullptr;
            if (pBar &&
                (pBar->IsDockBar() != pInfo->m_bDockBar || (AsDockBar(pBar) && AsDockBar(pBar)->m_bFloating)))
                pBar = nullptr;
            pInfo->m_pBar = pBar;
        }
    }
    // The dock bars take their rows, then the bars their places and visibility.
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        if (pInfo->m_bDockBar && pInfo->m_pBar)
            pInfo->m_pBar->SetBarInfo(pInfo.get(), this);
    }
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        if (!pInfo->m_bDockBar && pInfo->m_pBar)
            pInfo->m_pBar->SetBarInfo(pInfo.get(), this);
    }
    for (CMiniDockFrameWnd* pFrame : newFrames)
    {
        if (pFrame->m_wndDockBar.GetDockedCount() == 0)
        {
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->m_wndDockBar.OnShowChildBar(nullptr, FALSE);
        pFrame->RecalcLayout(TRUE);
    }
    DelayRecalcLayout();
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}
