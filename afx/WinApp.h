// CWinApp: the application object and its services: names, settings, documents, message boxes.
#pragma once
// Callers parse the command line and reach the recent-file list through the application.
#include "CommandLineInfo.h"
#include "RecentFileList.h"
#include "WinThread.h"

#include <vector>

class CDocManager;
class CDocTemplate;
class CDocument;

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

// Fills in the application's instance, command line and names; WinMain calls it before InitInstance.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
CWinApp* AfxGetApp();
// Owner is the main window; the caption is the application's title.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Loads string nIDPrompt and replaces "%1" by lpsz1.
void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
inline void AfxEnableControlContainer() {}
