// CWinApp's settings: values under HKEY_CURRENT_USER\Software\<key>\<profile>, or the profile file without a
// key.
#include "WinApp.h"

#include <cstdio>
#include <memory>

namespace
{
enum KeyAccess
{
    kRead,
    kWrite,
    kCreate
};

// Opens Software\<key>\<profile>[\<section>]; only kCreate makes missing keys. Null on failure.
HKEY OpenAppKey(LPCSTR lpszKey, LPCSTR lpszProfile, LPCSTR lpszSection, KeyAccess access)
{
    CString path;
    path.Format("Software\\%s\\%s", lpszKey, lpszProfile);
    if (lpszSection)
        path += CString("\\") + lpszSection;
    HKEY hKey = nullptr;
    LONG rc = access == kCreate
                  ? RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
                  : RegOpenKeyExA(HKEY_CURRENT_USER, path, 0,
                                  access == kRead ? KEY_READ : KEY_READ | KEY_WRITE, &hKey);
    return rc == ERROR_SUCCESS ? hKey : nullptr;
}

// Reads a value of the given type whole; FALSE when missing, of another type, or unreadable.
BOOL QueryValue(HKEY hKey, LPCSTR lpszEntry, DWORD dwWantType, std::unique_ptr<BYTE[]>& data, DWORD& cb)
{
    DWORD dwType = 0;
    cb = 0;
    if (RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS ||
        dwType != dwWantType)
        return FALSE;
    // One spare byte so a string stored without its terminator still ends.
    data.reset(new (std::nothrow) BYTE[cb + 1]);
    if (!data)
        return FALSE;
    if (RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, data.get(), &cb) != ERROR_SUCCESS ||
        dwType != dwWantType)
        return FALSE;
    data[cb] = 0;
    return TRUE;
}

const char kHex[] = "0123456789ABCDEF";
}  // namespace

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    if (!lpszRegistryKey)
        return;
    m_pszRegistryKey = KeepName(lpszRegistryKey);
    m_pszProfileName = KeepName(m_pszAppName ? m_pszAppName : (m_pszExeName ? m_pszExeName : ""));
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    return OpenAppKey(m_pszRegistryKey, m_pszProfileName, nullptr, kCreate);
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    if (!m_pszRegistryKey || !m_pszProfileName || !lpszSection)
        return nullptr;
    return OpenAppKey(m_pszRegistryKey, m_pszProfileName, lpszSection, kCreate);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!lpszSection || !lpszEntry)
        return UINT(nDefault);
    if (!m_pszRegistryKey)
        return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hKey = OpenAppKey(m_pszRegistryKey, m_pszProfileName, lpszSection, kRead);
    if (!hKey)
        return UINT(nDefault);
    DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
    LONG rc = RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS && dwType == REG_DWORD && cb == sizeof(dwValue) ? UINT(dwValue)
                                                                               : UINT(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!lpszSection || !lpszEntry)
        return FALSE;
    if (!m_pszRegistryKey)
    {
        char sz[16];
        snprintf(sz, sizeof(sz), "%d", nValue);
        return WritePrivateProfileStringA(lpszSection, lpszEntry, sz, m_pszProfileName);
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    DWORD dwValue = DWORD(nValue);
    LONG rc = RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                             sizeof(dwValue));
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (!lpszSection || !lpszEntry)
        return CString(lpszDefault);
    if (!m_pszRegistryKey)
    {
        CString strValue;
        for (DWORD size = 256; size <= 65536; size *= 4)
        {
            DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "",
                                               strValue.GetBuffer(int(size)), size, m_pszProfileName);
            strValue.ReleaseBuffer(int(n));
            if (n < size - 1)
                break;
        }
        return strValue;
    }
    HKEY hKey = OpenAppKey(m_pszRegistryKey, m_pszProfileName, lpszSection, kRead);
    if (!hKey)
        return CString(lpszDefault);
    std::unique_ptr<BYTE[]> data;
    DWORD cb = 0;
    BOOL bOk = QueryValue(hKey, lpszEntry, REG_SZ, data, cb);
    RegCloseKey(hKey);
    return bOk ? CString(reinterpret_cast<LPCSTR>(data.get())) : CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!lpszSection)
        return FALSE;
    if (!m_pszRegistryKey)
        return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (!lpszEntry)
    {
        HKEY hApp = OpenAppKey(m_pszRegistryKey, m_pszProfileName, nullptr, kWrite);
        if (!hApp)
            return TRUE;
        LONG rc = RegDeleteTreeA(hApp, lpszSection);
        RegCloseKey(hApp);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    if (!lpszValue)
    {
        HKEY hKey = OpenAppKey(m_pszRegistryKey, m_pszProfileName, lpszSection, kWrite);
        if (!hKey)
            return TRUE;  // nothing there to delete
        LONG rc = RegDeleteValueA(hKey, lpszEntry);
        RegCloseKey(hKey);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    LONG rc = RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                             DWORD(strlen(lpszValue) + 1));
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, BYTE** ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!lpszSection || !lpszEntry)
        return FALSE;
    if (!m_pszRegistryKey)
    {
        // The profile file holds the bytes as hexadecimal text.
        CString strHex = GetProfileString(lpszSection, lpszEntry, nullptr);
        int nBytes = strHex.GetLength() / 2;
        if (nBytes == 0)
            return FALSE;
        BYTE* p = new (std::nothrow) BYTE[size_t(nBytes)];
        if (!p)
            return FALSE;
        for (int i = 0; i < nBytes; ++i)
        {
            auto nibble = [](char c) -> int {
                if (c >= '0' && c <= '9')
                    return c - '0';
                if (c >= 'A' && c <= 'F')
                    return c - 'A' + 10;
                if (c >= 'a' && c <= 'f')
                    return c - 'a' + 10;
                return -1;
            };
            int hi = nibble(strHex[2 * i]), lo = nibble(strHex[2 * i + 1]);
            if (hi < 0 || lo < 0)
            {
                delete[] p;
                return FALSE;
            }
            p[i] = BYTE(hi * 16 + lo);
        }
        *ppData = p;
        *pBytes = UINT(nBytes);
        return TRUE;
    }
    HKEY hKey = OpenAppKey(m_pszRegistryKey, m_pszProfileName, lpszSection, kRead);
    if (!hKey)
        return FALSE;
    std::unique_ptr<BYTE[]> data;
    DWORD cb = 0;
    BOOL bOk = QueryValue(hKey, lpszEntry, REG_BINARY, data, cb);
    RegCloseKey(hKey);
    if (!bOk || cb == 0)
        return FALSE;
    BYTE* p = new (std::nothrow) BYTE[cb];
    if (!p)
        return FALSE;
    memcpy(p, data.get(), cb);
    *ppData = p;
    *pBytes = UINT(cb);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!lpszSection || !lpszEntry || (!pData && nBytes))
        return FALSE;
    if (!m_pszRegistryKey)
    {
        CString strHex;
        LPSTR p = strHex.GetBufferSetLength(int(nBytes * 2));
        for (UINT i = 0; i < nBytes; ++i)
        {
            p[2 * i] = kHex[pData[i] >> 4];
            p[2 * i + 1] = kHex[pData[i] & 15];
        }
        return WriteProfileString(lpszSection, lpszEntry, strHex);
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    LONG rc = RegSetValueExA(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}
