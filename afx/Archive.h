// CArchive: buffered one-way stream over a CFile that records its first failure.
#pragma once

#include "afx/AfxSetup.h"

class CDocument;
class CFile;

// Nothing here stops on failure: the first error is kept and later writes are
// dropped (reads deliver nothing more), so Serialize code runs straight through
// and whoever drives it checks IsOk() once after Close().
class CArchive
{
public:
    enum Mode : UINT
    {
        store = 0,
        load = 1
    };
    enum Error : int
    {
        none = 0,
        readError,   // the file could not be read
        writeError,  // the file could not be written
        endOfFile,   // an operator>> ran past the end of the data
        badFormat,   // the data makes no sense (set by Serialize code)
        noMemory,    // the data asks for more than could be allocated
    };

    CArchive(CFile* pFile, UINT nMode);
    // A storing archive not closed yet flushes here; a failure then goes unseen,
    // which is why callers that care call Close() first.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

    // Bytes delivered: nMax unless the file ended or failed first.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Hands buffered bytes to the file (storing only).
    void Flush();
    // Flushes (storing), then lets go of the file, which stays open.
    void Close();
    // Lets go of the file and drops unwritten bytes.
    void Abort();

    BOOL IsOk() const { return m_nError == none; }
    int GetError() const { return m_nError; }
    // The system's error code behind readError/writeError, 0 otherwise.
    DWORD GetOsError() const { return m_dwOsError; }
    // Records a failure; the first one recorded stays.
    void SetError(int nError, DWORD dwOsError = 0);

    // Fixed-width little-endian integers. Reading past the end records endOfFile
    // and yields 0.
    CArchive& operator<<(BYTE by) { return WriteLE(by, 1); }
    CArchive& operator<<(WORD w) { return WriteLE(w, 2); }
    CArchive& operator<<(LONG l) { return WriteLE(static_cast<DWORD>(l), 4); }
    CArchive& operator<<(DWORD dw) { return WriteLE(dw, 4); }
    CArchive& operator<<(int i) { return WriteLE(static_cast<DWORD>(i), 4); }
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i);

    // The document being loaded or stored, for Serialize code that needs it.
    CDocument* m_pDocument = nullptr;

private:
    enum
    {
        kBufferSize = 4096
    };

    CArchive& WriteLE(DWORD dwValue, UINT nBytes);
    DWORD ReadLE(UINT nBytes);
    void FillBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    int m_nError = none;
    DWORD m_dwOsError = 0;
    BOOL m_bEndOfFile = FALSE;
    UINT m_nBufPos = 0;  // next byte to deliver (load) or first free byte (store)
    UINT m_nBufLen = 0;  // bytes held (load)
    BYTE m_buffer[kBufferSize];
};
