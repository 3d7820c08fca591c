// CWnd's core: the handle map, creation through the CBT hook, the window procedure and message-map dispatch.
#include "Wnd.h"
#include "HandleMap.h"
#include "Menu.h"
#include "ResourceHandle.h"
#include "WinThread.h"
#include "CmdUI.h"

typedef CHandleMap<CWnd, HWND, &CWnd::m_hWnd> CWndMap;

namespace
{
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCbt = nullptr;
thread_local MSG t_msgCur = {};

// Update-UI probe used before a menu or accelerator command runs.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};
}  // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// ---- Handle map ----------------------------------------------------------------

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return CWndMap::Get().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? CWndMap::Get().LookupPermanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap()
{
    CWndMap::Get().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || CWndMap::Get().LookupPermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    CWndMap::Get().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && CWndMap::Get().LookupPermanent(hWnd) == this)
        CWndMap::Get().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

CWnd::~CWnd()
{
    if (m_hWnd && CWndMap::Get().LookupPermanent(m_hWnd) == this)
    {
        HWND hWnd = m_hWnd;
        ::DestroyWindow(hWnd);
        if (m_hWnd == hWnd)  // not one of our procedures' windows: nothing detached it
            Detach();
    }
}

static void HookProcedure(CWnd* pWnd, HWND hWnd, WNDPROC* ppfnSuper)
{
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    *ppfnSuper = old == &AfxWndProc ? nullptr : old;
    (void)pWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    HookProcedure(this, hWnd, &m_pfnSuper);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, int(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- Creation --------------------------------------------------------------------

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit)
    {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (pWnd->Attach(hWnd))
            HookProcedure(pWnd, hWnd, &pWnd->m_pfnSuper);
    }
    return CallNextHookEx(t_hHookCbt, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (!t_hHookCbt)
        t_hHookCbt = SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, nullptr, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    BOOL bCreated = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return bCreated;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // never joined: the object's owner cleanup still runs
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(UINT_PTR(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return FALSE;
    CWndMap& map = CWndMap::Get();
    bool bPermanent = map.LookupPermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // Only the map is consulted: a window that deleted its object in PostNcDestroy left it already.
    if (bPermanent && map.LookupPermanent(hWnd) == this)
        Detach();
    else if (!bPermanent && m_hWnd == hWnd && map.LookupTemporary(hWnd) != this)
        m_hWnd = nullptr;
    return bResult;
}

void CWnd::PostNcDestroy() {}

// ---- The window procedure ---------------------------------------------------------

const MSG* AfxGetCurrentMessage()
{
    return &t_msgCur;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = t_msgCur;
    t_msgCur.hwnd = hWnd;
    t_msgCur.message = message;
    t_msgCur.wParam = wParam;
    t_msgCur.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // The window is gone: give the procedure back, leave the map, end the object's part.
        if (pWnd->UnsubclassWindow() != nullptr)
        {
            CWinThread* pThread = AfxGetThread();
            if (pThread && pThread->m_pMainWnd == pWnd)
            {
                pThread->m_pMainWnd = nullptr;
                PostQuitMessage(0);
            }
            pWnd->PostNcDestroy();
        }
    }
    t_msgCur = saved;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_msgCur;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        *pResult = 0;
        return pNMHDR && pNMHDR->hwndFrom && OnNotify(wParam, lParam, pResult);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!pEntry)
        return FALSE;
    *pResult = DispatchWndMsg(pEntry, message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl)
    {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator: a command its update handler disabled does not run.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, int(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(UINT(pNMHDR->idFrom), int(MAKELONG(WORD(pNMHDR->code), WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP* pMap = GetMessageMap();
    if (message == WM_COMMAND)
    {
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(pMap, WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        if (!pEntry)
            return FALSE;
        if (pResult)
            *pResult = 0;
        return DispatchCmdMsg(pEntry, 0, HIWORD(wParam), nullptr);
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(pMap, WM_REFLECT_BASE + WM_NOTIFY, WORD(pNMHDR->code), 0);
        if (!pEntry)
            return FALSE;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = {pResult ? pResult : &lDummy, pNMHDR};
        return DispatchCmdMsg(pEntry, 0, 0, &notify);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(pMap, WM_REFLECT_BASE + message, 0, 0);
    if (!pEntry)
        return FALSE;
    LRESULT lResult = DispatchWndMsg(pEntry, message, wParam, lParam);
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DispatchWndMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_PMSG pfn = pEntry->pfn;
    switch (pEntry->nSig)
    {
    case AfxSig_v_v:
        (this->*pfn)();
        return 0;
    case AfxSig_b_v:
        return (this->*AfxLoadPmf<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_l_w_l:
        return (this->*AfxLoadPmf<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    case AfxSig_i_CREATE:
        return (this->*AfxLoadPmf<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_v_TIMER:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT_PTR)>(pfn))(UINT_PTR(wParam));
        return 0;
    case AfxSig_v_u_ii:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, int, int)>(pfn))(UINT(wParam), LOWORD(lParam),
                                                                 HIWORD(lParam));
        return 0;
    case AfxSig_v_MINMAX:
        (this->*AfxLoadPmf<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case AfxSig_v_u_p:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, CPoint)>(pfn))(UINT(wParam), CPoint(lParam));
        return 0;
    case AfxSig_l_p:
        return (this->*AfxLoadPmf<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
    case AfxSig_v_b_NCCALC:
        (this->*AfxLoadPmf<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
            BOOL(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return 0;
    case AfxSig_v_POS:
        (this->*AfxLoadPmf<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case AfxSig_v_W: {
        // WM_CAPTURECHANGED names the new capture window in lParam; focus messages in wParam.
        HWND hOther = reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : LPARAM(wParam));
        (this->*AfxLoadPmf<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(hOther));
        return 0;
    }
    case AfxSig_b_W_u_u:
        return (this->*AfxLoadPmf<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
    case AfxSig_v_W_p:
        (this->*AfxLoadPmf<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                CPoint(lParam));
        return 0;
    case AfxSig_v_u_u_u:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(UINT(wParam), LOWORD(lParam),
                                                                   HIWORD(lParam));
        return 0;
    case AfxSig_v_b_u:
        (this->*AfxLoadPmf<void (CWnd::*)(BOOL, UINT)>(pfn))(BOOL(wParam), UINT(lParam));
        return 0;
    case AfxSig_v_u_l:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, LPARAM)>(pfn))(UINT(wParam), lParam);
        return 0;
    case AfxSig_v_u_s:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, LPCSTR)>(pfn))(UINT(wParam),
                                                               reinterpret_cast<LPCSTR>(lParam));
        return 0;
    case AfxSig_v_M_u_b:
        (this->*AfxLoadPmf<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_u_u_M:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                    reinterpret_cast<HMENU>(lParam));
        return 0;
    case AfxSig_v_u_W_b:
        (this->*AfxLoadPmf<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        return 0;
    case AfxSig_thunk:
        return pEntry->pfnThunk ? pEntry->pfnThunk(this, pfn, wParam, lParam) : 0;
    default:
        return 0;
    }
}

// ---- Descendants and layout -------------------------------------------------------

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        }
        else
        {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild))
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int cx = lpRect->right - lpRect->left, cy = lpRect->bottom - lpRect->top;
    if (lpLayout && lpLayout->hDWP)
        lpLayout->hDWP =
            ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const bool bQuery = (nFlag & reposQuery) != 0;
    layout.hDWP = bQuery ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = UINT(::GetDlgCtrlID(hChild));
        if (nID == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild))
            ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (bQuery)
    {
        if (lpRectParam)
        {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver && !(nFlag & reposNoPosLeftOver))
    {
        if ((nFlag & reposExtra) && lpRectParam)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (layout.rect.right < layout.rect.left)
            layout.rect.right = layout.rect.left;
        if (layout.rect.bottom < layout.rect.top)
            layout.rect.bottom = layout.rect.top;
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    const DWORD dwStyle = GetStyle();
    ::AdjustWindowRectEx(lpClientRect, dwStyle, !(dwStyle & WS_CHILD) && ::GetMenu(m_hWnd) != nullptr,
                         dwExStyle);
}
