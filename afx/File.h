// CFile: a binary file over a Win32 handle; failures come back as results and error codes.
#pragma once

#include "afx/AfxSetup.h"
#include "afx/String.h"

// Owns its handle (move-only). Every failing call leaves the Win32 error code
// in GetError(); a successful call clears it.
class CFile
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };
    enum SeekPosition : UINT
    {
        begin = 0,
        current = 1,
        end = 2
    };

    CFile() = default;
    ~CFile();
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Closes any file held before. On failure *pdwError (if given) and
    // GetError() hold the reason.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, DWORD* pdwError = nullptr);
    // Bytes read; fewer than nCount at the end of the file or after a failure
    // (then GetError() is not 0).
    UINT Read(void* lpBuf, UINT nCount);
    // TRUE only when every byte was written.
    BOOL Write(const void* lpBuf, UINT nCount);
    BOOL Flush();
    // New position from the start, or (ULONGLONG)-1 on failure.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG GetPosition() const;
    ULONGLONG GetLength() const;
    // FALSE if the system reported an error while closing (data may be lost).
    BOOL Close();
    // Closes without caring about errors, for paths that already failed.
    void Abort();

    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE GetHandle() const { return m_hFile; }
    DWORD GetError() const { return m_dwError; }
    // Full path as opened, and its last component.
    CString GetFilePath() const { return m_strFilePath; }
    CString GetFileName() const;

    static BOOL Remove(LPCSTR lpszFileName);
    static BOOL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);

private:
    BOOL Fail(DWORD dwError);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    DWORD m_dwError = 0;
    CString m_strFilePath;
};

// Full path of lpszPath (relative paths against the current directory); the
// input unchanged if the system can't resolve it.
CString AfxFullPath(LPCSTR lpszPath);
// The last path component ("list.ksu" for "C:\a\list.ksu").
CString AfxGetFileName(LPCSTR lpszPath);
