// CProfileSection: one section of the application's per-user settings, read and written as integers.
#pragma once
#include "String.h"

class CWinApp;

class CProfileSection
{
public:
    CProfileSection(CWinApp* pApp, const CString& strName) : m_pApp(pApp), m_strName(strName) {}
    int Get(LPCSTR lpszEntry, int nDefault = 0) const;
    // A failed write is remembered in m_bFailed, so a whole record can be reported at once.
    void Put(LPCSTR lpszEntry, int nValue);
    BOOL m_bFailed = FALSE;

private:
    CWinApp* m_pApp;
    CString m_strName;
};
