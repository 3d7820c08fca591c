// CFrameWnd: creation from resources, the view as client, layout of the bars, command routing and closing.
#include "Frame.h"
#include "Document.h"
#include "View.h"
#include "ResourceHandle.h"
#include "WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMsg)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
    ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMsg)
    ON_MESSAGE(WM_ENABLE, OnEnableMsg)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
{
    // The first idle time shows the idle prompt.
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    AfxGetThreadFrames().push_back(this);
}

CFrameWnd::~CFrameWnd()
{
    std::vector<CFrameWnd*>& frames = AfxGetThreadFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    // Bars that outlive this object must not reach back into it.
    for (CControlBar* pBar : m_listControlBars)
        pBar->m_pDockSite = nullptr;
    m_listControlBars.clear();
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar &&
        std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    // Frames are made on the heap by their template and end with their window.
    delete this;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, MAKEINTRESOURCEA(4) /* RT_MENU */);
        hMenu = LoadMenuA(hInst, lpszMenuName);
    }
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (CRect(rect) == rectDefault)
        x = y = cx = cy = CW_USEDEFAULT;
    // On failure the object may already be gone (PostNcDestroy): only locals from here on.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, AfxGetSafeHwnd(pParentWnd),
                  hMenu, pContext))
    {
        if (hMenu && IsMenu(hMenu))
            DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    CString strFull;
    if (strFull.LoadString(nIDResource))
    {
        int nEnd = strFull.Find('\n');
        m_strTitle = nEnd >= 0 ? strFull.Left(nEnd) : strFull;
    }
    LPCSTR lpszRes = MAKEINTRESOURCEA(nIDResource);
    HICON hIcon =
        LoadIconA(AfxFindResourceHandle(lpszRes, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), lpszRes);
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
    if (!lpszClass)
        return FALSE;
    HINSTANCE hInstMenu = AfxFindResourceHandle(lpszRes, MAKEINTRESOURCEA(4));
    LPCSTR lpszMenu = FindResourceA(hInstMenu, lpszRes, MAKEINTRESOURCEA(4)) ? lpszRes : nullptr;
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;
    m_hAccelTable =
        LoadAcceleratorsA(AfxFindResourceHandle(lpszRes, MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */), lpszRes);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (!pView)
    {
        delete pObject;
        return nullptr;
    }
    // A view that fails to be created has deleted itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    if (DeferCloseDuringBarDrag())
        return;
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
    {
        // The application ends with its main window: every document closes first.
        if (!pDocument && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (!pApp->m_pMainWnd)
            return;  // closing the documents took this frame with them
        pDocument = nullptr;
    }
    if (pDocument && pDocument->m_bAutoDelete)
    {
        pDocument->OnCloseDocument();  // destroys every frame showing it, this one included
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~UINT(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS)
    {
        // The bars' own extent (unstretched) becomes the client area, and the window follows it.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    else
    {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, nullptr, TRUE);
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

CWnd* CFrameWnd::GetCommandFocus() const
{
    HWND hFocus = ::GetFocus();
    if (!hFocus || hFocus == m_hWnd)
        return nullptr;
    // Frames route on their own (a floating frame would hand this frame's commands to the application),
    // and a view takes commands only as the active view.
    CWnd* pFocus = CWnd::FromHandlePermanent(hFocus);
    if (!pFocus || pFocus->IsFrameWnd() || pFocus->IsKindOf(RUNTIME_CLASS(CView)))
        return nullptr;
    // GetParent also climbs from a floating frame to the frame that owns it.
    for (HWND hWnd = ::GetParent(hFocus); hWnd; hWnd = ::GetParent(hWnd))
    {
        if (hWnd == m_hWnd)
            return pFocus;
    }
    return nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The window with the focus (an edit control cuts and pastes its own text), the active view (and
    // through it its document), then the frame, then the application.
    CWnd* pFocus = GetCommandFocus();
    if (pFocus && pFocus->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable && m_hWnd)
        return TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = m_pViewActive;
    if (!pView)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        int nCmdShow = SW_SHOW;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;  // only the first showing follows the start-up request
        }
        if (!IsWindowVisible() || nCmdShow != SW_SHOW)
            ShowWindow(nCmdShow);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    CString strText = m_strTitle;
    if (bAddToTitle && pDoc && !pDoc->GetTitle().IsEmpty())
        strText = pDoc->GetTitle() + " - " + m_strTitle;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}
