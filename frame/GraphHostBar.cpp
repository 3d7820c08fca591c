// The graph's temporary host bar.
#include "frame/GraphHostBar.h"

BOOL CGraphHostBar::Create(CWnd* pParentWnd, UINT nID)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_LEFT;
    LPCSTR className = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    m_dwStyle = style & CBRS_ALL;
    return CWnd::Create(className, nullptr, style & ~DWORD(CBRS_ALL), CRect(0, 0, 0, 0), pParentWnd, nID);
}

CSize CGraphHostBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Along the left edge the frame's layout stretches the bar to the client's height.
    return CSize(bHorz ? 32767 : kWidth, bHorz || !bStretch ? kWidth : 32767);
}

void CGraphHostBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
