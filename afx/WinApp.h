// CWinThread and CWinApp: the message loop with idle processing, the application object and its services.
#pragma once
#include "Wnd.h"

#include <vector>

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CRecentFileList;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    CWinThread() = default;

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop; returns ExitInstance's code after WM_QUIT.
    virtual int Run();
    // Walks from the message's window up to the main window, giving each of ours a look.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // lCount 0: update-UI and delayed layout of every visible frame of the thread (and of a
    // main window that is no frame); 1: free temporary wrappers. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();

private:
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

// What the application asks of its documents; the document side implements it
// (AddDocTemplate makes one with AfxCreateDocManager).
class CDocManager
{
public:
    virtual ~CDocManager() = default;
    virtual void AddDocTemplate(CDocTemplate* pTemplate) = 0;
    // lpszFileName null: a new (untitled) document. Null result on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName) = 0;
    virtual void OnFileNew() = 0;
    virtual BOOL SaveAllModified() = 0;
    virtual void CloseAllDocuments(BOOL bEndSession) = 0;
    virtual int GetOpenDocumentCount() = 0;
    // The template File New and File Open use; null before the first is added.
    virtual CDocTemplate* GetFirstDocTemplate() = 0;
};
CDocManager* AfxCreateDocManager();

class CCommandLineInfo
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;

    virtual ~CCommandLineInfo() = default;
    // One argument: bFlag when it started with '/' or '-' (given without it).
    virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the process's application (one per process).
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The title (string AFX_IDS_APP_TITLE, else the program file's name), the
    // program file's name without extension, the settings key and profile name.
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    CDocManager* m_pDocManager = nullptr;          // owned
    CRecentFileList* m_pRecentFileList = nullptr;  // owned

    BOOL InitInstance() override;
    // Saves the recent-file list.
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;

    // ---- Settings: HKEY_CURRENT_USER\Software\<key>\<profile>\<section> ----
    // Without a registry key the settings go to the profile file (<exe name>.INI).
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    HKEY GetAppRegistryKey();                // caller closes; null without a key
    HKEY GetSectionKey(LPCSTR lpszSection);  // caller closes; created when missing
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // lpszEntry null deletes the whole section; lpszValue null deletes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it. FALSE (and null) when missing.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, BYTE** ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Reads the recent-file list of nMaxMRU entries (0: none).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    // ---- Documents ----------------------------------------------------------
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // The standard open or save dialog, offering pTemplate's files (the first
    // template's when null) and then every file; FALSE when cancelled.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate = nullptr);
    // Shows the file dialog pofn describes; a test may answer it instead.
    virtual BOOL DoFileDialog(OPENFILENAMEA* pofn, BOOL bOpenFileDialog);

    // Every AfxMessageBox of the program passes here: a program or a test may
    // answer or log them instead of showing them.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    void OnFileNew();
    void OnFileOpen();
    BOOL OnOpenRecentFile(UINT nID);  // FALSE: not an entry of the list
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    void OnAppExit();

    // Start-up calls these; the controls need nothing from them here.
    void Enable3dControls() {}

    DECLARE_MESSAGE_MAP()

private:
    std::vector<char*> m_ownedNames;
    LPCSTR KeepName(LPCSTR lpsz);
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
};

class CRecentFileList
{
public:
    // Entries are values lpszEntryFormat % n (from 1) under lpszSection.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 40);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return int(m_arrNames.size()); }
    const CString& operator[](int nIndex) const { return m_arrNames[size_t(nIndex)]; }
    int GetCount() const;  // entries in use
    // Puts the full path first; an entry already listed (any case) moves up.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Replaces the menu's placeholder item (or the earlier entries) with the
    // current entries; the placeholder comes back greyed when the list is empty.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    BOOL GetDisplayName(CString& strName, int nIndex) const;

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the placeholder item's text

private:
    std::vector<CString> m_arrNames;
};

// The calling thread's frames in the order they were made; each frame joins and leaves itself.
std::vector<CFrameWnd*>& AfxGetThreadFrames();

// Fills in the application's instance, command line and names; WinMain calls it before InitInstance.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding a resource of that name and type (ours, else null).
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// Owner is the main window; the caption is the application's title.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Loads string nIDPrompt and replaces "%1" by lpsz1.
void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
inline void AfxEnableControlContainer() {}
