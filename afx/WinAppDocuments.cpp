// CWinApp's document side: templates, the shell command, File New / Open and the recent-file list.
#include "WinApp.h"

#include "DocManager.h"
#include "DocTemplate.h"
#include "CmdUI.h"

#include <cstdlib>
#include <string>

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!m_pDocManager)
        m_pDocManager = AfxCreateDocManager();
    if (m_pDocManager)
        m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

namespace
{
// "<filter name>\0*<ext>\0" for a template that names both, then every file,
// as the dialog reads it (pairs of NUL-terminated strings, an empty one last).
std::string FileFilter(const CDocTemplate* pTemplate)
{
    static const char kAllFiles[] = "Todos los archivos (*.*)\0*.*\0";
    std::string filter;
    CString strName;
    CString strExt;
    if (pTemplate != nullptr && pTemplate->GetDocString(strName, CDocTemplate::filterName) &&
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt))
    {
        filter.append(static_cast<LPCSTR>(strName)).push_back('\0');
        filter.append("*").append(static_cast<LPCSTR>(strExt)).push_back('\0');
    }
    filter.append(kAllFiles, sizeof kAllFiles);
    return filter;
}
}  // namespace

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr && m_pDocManager != nullptr)
        pTemplate = m_pDocManager->GetFirstDocTemplate();
    const std::string filter = FileFilter(pTemplate);
    // A name typed without extension is saved with the template's; opening
    // takes a name as it is, so lists saved without one still open.
    CString strDefExt;
    if (!bOpenFileDialog && pTemplate != nullptr &&
        pTemplate->GetDocString(strDefExt, CDocTemplate::filterExt) && strDefExt[0] == '.')
        strDefExt = strDefExt.Mid(1);

    char szFile[MAX_PATH];
    lstrcpynA(szFile, fileName, MAX_PATH);
    CString strTitle;
    if (nIDSTitle)
        strTitle.LoadString(nIDSTitle);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pMain = AfxGetMainWnd();
    ofn.hwndOwner = pMain ? pMain->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = strTitle.IsEmpty() ? nullptr : static_cast<LPCSTR>(strTitle);
    ofn.lpstrDefExt = strDefExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(strDefExt);
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
                (bOpenFileDialog ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT);
    BOOL bOk = DoFileDialog(&ofn, bOpenFileDialog);
    if (bOk)
        fileName = szFile;
    return bOk;
}

BOOL CWinApp::DoFileDialog(OPENFILENAMEA* pofn, BOOL bOpenFileDialog)
{
    return bOpenFileDialog ? GetOpenFileNameA(pofn) : GetSaveFileNameA(pofn);
}

void CWinApp::OnFileOpen()
{
    CString strName;
    if (!DoPromptFileName(strName, 0, 0, TRUE))
        return;
    OpenDocumentFile(strName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1)
        nMaxMRU = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
    delete m_pRecentFileList;
    m_pRecentFileList =
        new (std::nothrow) CRecentFileList(ID_FILE_MRU_FIRST, "Recent File List", "File%d", int(nMaxMRU));
    if (m_pRecentFileList)
        m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int nIndex = int(nID - ID_FILE_MRU_FIRST);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return FALSE;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (strPath.IsEmpty())
        return FALSE;
    // A file that can no longer be opened leaves the list.
    if (!OpenDocumentFile(strPath))
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i)
    {
        LPCSTR pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '/' || pszParam[0] == '-';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and registration are not offered by this program.
        return FALSE;
    }
}
