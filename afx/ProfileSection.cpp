// One section of the per-user settings, as integers.
#include "ProfileSection.h"
#include "WinApp.h"

int CProfileSection::Get(LPCSTR lpszEntry, int nDefault) const
{
    return int(m_pApp->GetProfileInt(m_strName, lpszEntry, nDefault));
}

void CProfileSection::Put(LPCSTR lpszEntry, int nValue)
{
    if (!m_pApp->WriteProfileInt(m_strName, lpszEntry, nValue))
        m_bFailed = TRUE;
}
