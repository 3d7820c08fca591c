// CRecentFileList: the recent-file list, kept in the settings and shown on the File menu.
#pragma once
#include "String.h"

#include <vector>

class CCmdUI;

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
