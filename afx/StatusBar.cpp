// CStatusBar: panes of msctls_statusbar32 laid out by the framework; pane 0 stretches.
#include "StatusBar.h"
#include "Frame.h"
#include "Rect.h"
#include "CmdUI.h"

namespace
{
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(int(m_nIndex));
        UINT nNew = bOn ? (nStyle & ~UINT(SBPS_DISABLED)) : (nStyle | SBPS_DISABLED);
        if (nNew != nStyle)
            pBar->SetPaneStyle(int(m_nIndex), nNew);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(int(m_nIndex));
        UINT nNew = nCheck ? (nStyle | SBPS_POPOUT) : (nStyle & ~UINT(SBPS_POPOUT));
        if (nNew != nStyle)
            pBar->SetPaneStyle(int(m_nIndex), nNew);
    }
    void SetText(LPCSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(int(m_nIndex), lpszText);
    }
};
}  // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The framework places the bar: the control must not move or size itself.
    DWORD dwWndStyle = (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!CWnd::Create(STATUSCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    // The control holds at most 256 parts.
    if (!m_hWnd || !lpIDArray || nIDCount <= 0 || nIDCount > 256)
        return FALSE;
    std::vector<Pane> panes(static_cast<size_t>(nIDCount));
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane& pane = panes[size_t(i)];
        pane.nID = lpIDArray[i];
        pane.nStyle = SBPS_NORMAL;
        pane.cxWidth = 0;
        if (pane.nID != ID_SEPARATOR && !pane.strText.LoadString(pane.nID))
            return FALSE;
    }
    // Panes named by a string are as wide as their text.
    if (HDC hDC = ::GetDC(m_hWnd))
    {
        HFONT hFont = GetFont();
        HGDIOBJ hOld = ::SelectObject(hDC, hFont ? HGDIOBJ(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
        for (Pane& pane : panes)
        {
            SIZE size = {0, 0};
            if (pane.nID != ID_SEPARATOR &&
                ::GetTextExtentPoint32A(hDC, pane.strText, pane.strText.GetLength(), &size))
                pane.cxWidth = size.cx + 8;
        }
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }
    if (panes[0].nID == ID_SEPARATOR)
        panes[0].nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
    m_panes.swap(panes);
    UpdateParts();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return int(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nID : 0;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return;
    const Pane& pane = m_panes[size_t(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxWidth;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return;
    Pane& pane = m_panes[size_t(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxWidth = cxWidth < 0 ? 0 : cxWidth;
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size() || m_panes[size_t(nIndex)].nStyle == nStyle)
        return;
    m_panes[size_t(nIndex)].nStyle = nStyle;
    UpdateParts();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || size_t(nIndex) >= m_panes.size())
        return FALSE;
    m_panes[size_t(nIndex)].strText = lpszNewText;
    if (bUpdate)
    {
        ApplyPaneText(nIndex);
        if (m_hWnd)
            ::UpdateWindow(m_hWnd);
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && size_t(nIndex) < m_panes.size() ? m_panes[size_t(nIndex)].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

void CStatusBar::ApplyPaneText(int nIndex)
{
    if (!m_hWnd)
        return;
    const Pane& pane = m_panes[size_t(nIndex)];
    WPARAM flags = WPARAM(nIndex);
    if (pane.nStyle & SBPS_NOBORDERS)
        flags |= SBT_NOBORDERS;
    if (pane.nStyle & SBPS_POPOUT)
        flags |= SBT_POPOUT;
    // A disabled pane keeps its text but doesn't show it.
    LPCSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.strText);
    SendMessage(SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(lpszShown));
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_panes.empty())
        return;
    CRect rect;
    GetClientRect(&rect);
    int cxAvail = rect.Width();
    int cxFixed = 0;
    for (const Pane& pane : m_panes)
        if (!(pane.nStyle & SBPS_STRETCH))
            cxFixed += pane.cxWidth;
    int cxStretch = cxAvail - cxFixed;
    if (cxStretch < 0)
        cxStretch = 0;
    std::vector<int> edges(m_panes.size());
    int x = 0;
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        x += (m_panes[i].nStyle & SBPS_STRETCH) ? cxStretch : m_panes[i].cxWidth;
        edges[i] = x;
    }
    edges.back() = -1;  // the last part runs to the right edge
    SendMessage(SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < m_panes.size(); ++i)
        ApplyPaneText(int(i));
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // One line of the bar's font between the control's borders.
    int cy = 20;
    HDC hDC = m_hWnd ? ::GetDC(m_hWnd) : nullptr;
    if (hDC)
    {
        HFONT hFont = GetFont();
        HGDIOBJ hOld = ::SelectObject(hDC, hFont ? HGDIOBJ(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm;
        if (::GetTextMetricsA(hDC, &tm))
        {
            int borders[3] = {0, 2, 2};
            SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
            cy = tm.tmHeight + 2 * borders[1] + 4;
        }
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }
    return CSize((bStretch && bHorz) ? 32767 : 0, cy);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // Panes show information, not commands: they are never disabled for want of a handler.
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_panes.empty())
        return FALSE;
    SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    LPSTR lpszDest = reinterpret_cast<LPSTR>(lParam);
    if (!lpszDest || wParam == 0)
        return 0;
    CString strText = GetPaneText(0);
    lstrcpynA(lpszDest, strText, int(wParam));
    return lstrlenA(lpszDest);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(0).GetLength();
}
