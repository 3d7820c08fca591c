// The recent-file list: kept in the settings, shown on the File menu in place of its placeholder item.
#include "WinApp.h"
#include "Menu.h"
#include "CmdUI.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(size_t(nSize > 0 ? nSize : 0))
{
}

int CRecentFileList::GetCount() const
{
    int n = 0;
    for (const CString& s : m_arrNames)
        if (!s.IsEmpty())
            ++n;
    return n;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_arrNames.empty())
        return;
    char szFull[MAX_PATH];
    DWORD n = GetFullPathNameA(lpszPathName, MAX_PATH, szFull, nullptr);
    CString strPath = (n > 0 && n < MAX_PATH) ? CString(szFull) : CString(lpszPathName);

    // The entry moves to the front; one already listed (in any case) leaves its old place.
    size_t nOld = m_arrNames.size() - 1;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        if (m_arrNames[i].CompareNoCase(strPath) == 0)
        {
            nOld = i;
            break;
        }
    for (size_t i = nOld; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || size_t(nIndex) >= m_arrNames.size())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, int(i + 1));
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, nullptr);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    // Rewritten whole: entries removed since the last write must not come back.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        if (m_arrNames[i].IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, int(i + 1));
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex) const
{
    strName.Empty();
    if (nIndex < 0 || size_t(nIndex) >= m_arrNames.size() || m_arrNames[size_t(nIndex)].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[size_t(nIndex)];
    int nSlash = strPath.ReverseFind('\\');
    CString strFile = strPath.Mid(nSlash + 1);

    // A file in the current directory shows by its name alone.
    char szCurDir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (n > 0 && n < MAX_PATH && nSlash >= 0 && strPath.Left(nSlash).CompareNoCase(szCurDir) == 0)
    {
        strName = strFile;
        return TRUE;
    }
    if (strPath.GetLength() <= m_nMaxDisplayLength || strFile.GetLength() + 4 >= m_nMaxDisplayLength)
    {
        strName = strPath.GetLength() <= m_nMaxDisplayLength ? strPath : strFile;
        return TRUE;
    }
    // Too long: keep the drive or share and the tail of the path.
    int nRoot = strPath.Find('\\', 0);
    CString strRoot = nRoot >= 0 ? strPath.Left(nRoot + 1) : CString();
    int nKeep = m_nMaxDisplayLength - strRoot.GetLength() - 3;
    CString strTail = strPath.Right(nKeep > strFile.GetLength() ? nKeep : strFile.GetLength());
    strName = strRoot + "..." + strTail;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (!pMenu)
        return;
    if (m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    // Removes the placeholder (it shares the first entry's id) and the earlier entries.
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        pMenu->DeleteMenu(m_nStart + UINT(i), MF_BYCOMMAND);

    if (GetCount() == 0)
    {
        if (!m_strOriginal.IsEmpty())
            pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING, pCmdUI->m_nID, m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    UINT nPos = pCmdUI->m_nIndex;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        CString strName;
        if (!GetDisplayName(strName, int(i)))
            continue;
        // Doubled ampersands show as themselves rather than as mnemonics.
        CString strEscaped;
        for (int k = 0; k < strName.GetLength(); ++k)
        {
            if (strName[k] == '&')
                strEscaped += '&';
            strEscaped += strName[k];
        }
        CString strText;
        strText.Format("&%d %s", int(i + 1), static_cast<LPCSTR>(strEscaped));
        pMenu->InsertMenu(nPos++, MF_BYPOSITION | MF_STRING, m_nStart + UINT(i), strText);
    }
    pCmdUI->m_nIndex = nPos - 1;  // the caller continues after the last entry
    pCmdUI->m_bEnableChanged = TRUE;
}
