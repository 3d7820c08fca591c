// CFile: a binary file over a Win32 handle.
#include "afx/File.h"

#include <utility>

CFile::~CFile()
{
    Abort();
}

CFile::CFile(CFile&& other) noexcept
    : m_hFile(std::exchange(other.m_hFile, INVALID_HANDLE_VALUE)), m_dwError(other.m_dwError),
      m_strFilePath(std::move(other.m_strFilePath))
{
}

CFile& CFile::operator=(CFile&& other) noexcept
{
    if (this != &other)
    {
        Abort();
        m_hFile = std::exchange(other.m_hFile, INVALID_HANDLE_VALUE);
        m_dwError = other.m_dwError;
        m_strFilePath = std::move(other.m_strFilePath);
    }
    return *this;
}

BOOL CFile::Fail(DWORD dwError)
{
    // Some failures (a short write on a full disk) leave no error code behind.
    m_dwError = dwError != 0 ? dwError : ERROR_GEN_FAILURE;
    return FALSE;
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, DWORD* pdwError)
{
    Abort();
    m_dwError = 0;

    DWORD dwAccess = GENERIC_READ;
    switch (nOpenFlags & 3)
    {
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    case modeReadWrite:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        break;
    }

    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite:
        dwShare = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShare = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        break;
    }

    DWORD dwCreation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

    HANDLE hFile = INVALID_HANDLE_VALUE;
    if (lpszFileName != nullptr && *lpszFileName != '\0')
        hFile =
            ::CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        Fail(lpszFileName != nullptr && *lpszFileName != '\0' ? ::GetLastError() : ERROR_INVALID_NAME);
        if (pdwError != nullptr)
            *pdwError = m_dwError;
        return FALSE;
    }
    m_hFile = hFile;
    m_strFilePath = AfxFullPath(lpszFileName);
    if (pdwError != nullptr)
        *pdwError = 0;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    m_dwError = 0;
    if (!IsOpen())
    {
        Fail(ERROR_INVALID_HANDLE);
        return 0;
    }
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    // Pipes and network files may deliver less than asked before the end.
    while (nDone < nCount)
    {
        DWORD dwRead = 0;
        if (!::ReadFile(m_hFile, pDest + nDone, nCount - nDone, &dwRead, nullptr))
        {
            DWORD dwError = ::GetLastError();
            if (dwError != ERROR_HANDLE_EOF && dwError != ERROR_BROKEN_PIPE)
                Fail(dwError);
            break;
        }
        if (dwRead == 0)
            break;
        nDone += dwRead;
    }
    return nDone;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    m_dwError = 0;
    if (!IsOpen())
        return Fail(ERROR_INVALID_HANDLE);
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount)
    {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, pSrc + nDone, nCount - nDone, &dwWritten, nullptr))
            return Fail(::GetLastError());
        if (dwWritten == 0)
            return Fail(ERROR_DISK_FULL);
        nDone += dwWritten;
    }
    return TRUE;
}

BOOL CFile::Flush()
{
    m_dwError = 0;
    if (!IsOpen())
        return Fail(ERROR_INVALID_HANDLE);
    if (!::FlushFileBuffers(m_hFile))
        return Fail(::GetLastError());
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    m_dwError = 0;
    static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (!IsOpen() || nFrom > end)
    {
        Fail(IsOpen() ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return static_cast<ULONGLONG>(-1);
    }
    LARGE_INTEGER liOff;
    liOff.QuadPart = lOff;
    LARGE_INTEGER liNew;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, kMethod[nFrom]))
    {
        Fail(::GetLastError());
        return static_cast<ULONGLONG>(-1);
    }
    return static_cast<ULONGLONG>(liNew.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero;
    liZero.QuadPart = 0;
    LARGE_INTEGER liPos;
    if (!IsOpen() || !::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        return static_cast<ULONGLONG>(-1);
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!IsOpen() || !::GetFileSizeEx(m_hFile, &liSize))
        return 0;
    return static_cast<ULONGLONG>(liSize.QuadPart);
}

BOOL CFile::Close()
{
    m_dwError = 0;
    if (!IsOpen())
        return TRUE;
    HANDLE hFile = std::exchange(m_hFile, INVALID_HANDLE_VALUE);
    if (!::CloseHandle(hFile))
        return Fail(::GetLastError());
    return TRUE;
}

void CFile::Abort()
{
    if (IsOpen())
        ::CloseHandle(std::exchange(m_hFile, INVALID_HANDLE_VALUE));
}

CString CFile::GetFileName() const
{
    return AfxGetFileName(m_strFilePath);
}

BOOL CFile::Remove(LPCSTR lpszFileName)
{
    return ::DeleteFileA(lpszFileName);
}

BOOL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    return ::MoveFileA(lpszOldName, lpszNewName);
}

CString AfxFullPath(LPCSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return CString();
    DWORD dwNeeded = ::GetFullPathNameA(lpszPath, 0, nullptr, nullptr);
    if (dwNeeded == 0)
        return CString(lpszPath);
    CString strFull;
    LPSTR pBuf = strFull.GetBuffer(static_cast<int>(dwNeeded));
    DWORD dwLen = ::GetFullPathNameA(lpszPath, dwNeeded, pBuf, nullptr);
    if (dwLen == 0 || dwLen >= dwNeeded)
    {
        strFull.ReleaseBuffer(0);
        return CString(lpszPath);
    }
    strFull.ReleaseBuffer(static_cast<int>(dwLen));
    return strFull;
}

CString AfxGetFileName(LPCSTR lpszPath)
{
    if (lpszPath == nullptr)
        return CString();
    LPCSTR pName = lpszPath;
    for (LPCSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p))
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            pName = p + 1;
    }
    return CString(pName);
}
