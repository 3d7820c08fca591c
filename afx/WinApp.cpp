// CWinApp: the application object, its names, message boxes and standard commands.
#include "WinApp.h"
#include "DocManager.h"
#include "ResourceHandle.h"

#include <cstring>

namespace
{
CWinApp* g_pApp = nullptr;
}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    g_pApp = this;
    if (lpszAppName)
        m_pszAppName = KeepName(lpszAppName);
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    delete m_pRecentFileList;
    for (char* p : m_ownedNames)
        delete[] p;
    if (g_pApp == this)
        g_pApp = nullptr;
}

LPCSTR CWinApp::KeepName(LPCSTR lpsz)
{
    size_t n = strlen(lpsz);
    char* p = new (std::nothrow) char[n + 1];
    if (!p)
        return nullptr;
    memcpy(p, lpsz, n + 1);
    m_ownedNames.push_back(p);
    return p;
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    pApp->m_hInstance = hInstance;
    AfxSetInstanceHandle(hInstance);
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;

    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(hInstance, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    CString strExe(szPath);
    strExe = strExe.Mid(strExe.ReverseFind('\\') + 1);
    int nDot = strExe.ReverseFind('.');
    if (nDot > 0)
        strExe = strExe.Left(nDot);
    if (!pApp->m_pszExeName)
        pApp->m_pszExeName = pApp->KeepName(strExe);
    if (!pApp->m_pszAppName)
    {
        CString strTitle;
        pApp->m_pszAppName = pApp->KeepName(strTitle.LoadString(AFX_IDS_APP_TITLE) ? strTitle : strExe);
    }
    if (!pApp->m_pszProfileName)
        pApp->m_pszProfileName = pApp->KeepName(strExe + ".INI");
    return pApp->m_pszAppName != nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    return int(m_msgCur.wParam);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

void CWinApp::OnAppExit()
{
    // Posted, so the menu command finishes before the window starts closing.
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinThread* AfxGetThread()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

static int AfxShowMessageBox(CWinApp* pApp, LPCSTR lpszText, UINT nType)
{
    HWND hWndOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        if (pMain->m_hWnd && ::IsWindowVisible(pMain->m_hWnd))
            hWndOwner = ::GetLastActivePopup(pMain->m_hWnd);
    if (!hWndOwner)
        hWndOwner = ::GetActiveWindow();
    LPCSTR lpszCaption = pApp && pApp->m_pszAppName ? pApp->m_pszAppName : "";
    if (!(nType & MB_ICONMASK))
    {
        UINT nButtons = nType & MB_TYPEMASK;
        nType |= (nButtons == MB_OKCANCEL || nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL)
                     ? MB_ICONQUESTION
                     : MB_ICONEXCLAMATION;
    }
    return ::MessageBoxA(hWndOwner, lpszText ? lpszText : "", lpszCaption, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowMessageBox(nullptr, lpszText, nType);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    return AfxShowMessageBox(this, lpszPrompt, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strText;
    strText.LoadString(nIDPrompt);
    return AfxMessageBox(strText, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    int nPos = strFormat.Find("%1");
    if (nPos < 0)
    {
        rString = strFormat;
        return;
    }
    rString = strFormat.Left(nPos) + (lpsz1 ? lpsz1 : "") + strFormat.Mid(nPos + 2);
}
