// CDialog: modal dialogs from a template with their own message loop.
#include "Dialog.h"
#include "DataExchange.h"
#include "ResourceHandle.h"
#include "WinThread.h"

namespace
{
// The dialog manager's procedure; our window procedure has seen every message first.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (!lpTemplate && m_lpszTemplateName)
    {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
        HRSRC hRsrc = FindResourceA(hInst, m_lpszTemplateName, MAKEINTRESOURCEA(5));
        HGLOBAL hGlobal = hRsrc ? LoadResource(hInst, hRsrc) : nullptr;
        lpTemplate = hGlobal ? static_cast<LPCDLGTEMPLATE>(LockResource(hGlobal)) : nullptr;
    }
    if (!lpTemplate || m_hWnd)
        return -1;

    // The owner is the top-level window the dialog belongs to; it is disabled while we run.
    HWND hWndParent = AfxGetSafeHwnd(m_pParentWnd);
    if (!hWndParent)
    {
        CWnd* pMain = AfxGetMainWnd();
        hWndParent = pMain ? pMain->m_hWnd : nullptr;
    }
    while (hWndParent && (::GetWindowLongPtrA(hWndParent, GWL_STYLE) & WS_CHILD))
        hWndParent = ::GetParent(hWndParent);
    BOOL bEnableParent = FALSE;
    if (hWndParent && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_bModalLoop = TRUE;
    AfxHookWindowCreate(this);
    HWND hWnd = CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd && m_hWnd == hWnd)
    {
        if (m_bModalLoop && !::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        MSG msg;
        while (m_bModalLoop && m_hWnd)
        {
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
            {
                // The application is ending: leave the quit for the outer loop.
                PostQuitMessage(int(msg.wParam));
                break;
            }
            // Only the dialog's own windows pre-translate: the owner's accelerators stay off.
            BOOL bDone = FALSE;
            if (msg.hwnd == hWnd || ::IsChild(hWnd, msg.hwnd))
            {
                for (HWND h = msg.hwnd; h && !bDone; h = h == hWnd ? nullptr : ::GetParent(h))
                {
                    CWnd* pWnd = CWnd::FromHandlePermanent(h);
                    bDone = pWnd && pWnd->PreTranslateMessage(&msg);
                }
            }
            if (!bDone)
            {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    m_bModalLoop = FALSE;

    // The owner comes back before the dialog goes, so activation returns to it.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (m_hWnd)
    {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hWndParent && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndParent);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalLoop = FALSE;
    if (m_hWnd)
        PostMessage(WM_NULL);  // wakes the loop
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    // A modal dialog opens over its owner (or mid-screen while the owner is hidden)
    // unless its template places it itself.
    if (m_bModalLoop && !(GetStyle() & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE | WS_CHILD)))
        CenterWindow();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWndCtrl)), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Tab, arrows, Enter and Escape move within the dialog.
    return m_hWnd && ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Program commands (not the dialog's control ids) fall through to the owner and the application.
    if ((nCode != CN_COMMAND && UINT(nCode) != CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xF000)
        return FALSE;
    CWnd* pOwner = GetParent();
    if (pOwner && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
