// CArchive: buffered one-way stream over a CFile.
#include "afx/Archive.h"

#include "afx/File.h"

#include <cstring>

CArchive::CArchive(CFile* pFile, UINT nMode) : m_pFile(pFile), m_nMode(nMode == load ? load : store)
{
    if (m_pFile == nullptr)
        SetError(nMode == load ? readError : writeError, ERROR_INVALID_HANDLE);
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr)
        Close();
}

void CArchive::SetError(int nError, DWORD dwOsError)
{
    if (m_nError != none || nError == none)
        return;
    m_nError = nError;
    m_dwOsError = dwOsError;
}

void CArchive::FillBuffer()
{
    m_nBufPos = 0;
    m_nBufLen = 0;
    if (m_pFile == nullptr || m_bEndOfFile || !IsOk())
        return;
    m_nBufLen = m_pFile->Read(m_buffer, kBufferSize);
    if (m_pFile->GetError() != 0)
        SetError(readError, m_pFile->GetError());
    else if (m_nBufLen < kBufferSize)
        m_bEndOfFile = TRUE;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading() || lpBuf == nullptr)
        return 0;
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax)
    {
        if (m_nBufPos == m_nBufLen)
        {
            if (m_pFile == nullptr || m_bEndOfFile || !IsOk())
                break;
            UINT nLeft = nMax - nDone;
            if (nLeft >= kBufferSize)
            {
                // Large blocks go straight to the caller rather than through the buffer.
                UINT nRead = m_pFile->Read(pDest + nDone, nLeft);
                nDone += nRead;
                if (m_pFile->GetError() != 0)
                    SetError(readError, m_pFile->GetError());
                else if (nRead < nLeft)
                    m_bEndOfFile = TRUE;
                break;
            }
            FillBuffer();
            if (m_nBufLen == 0)
                break;
        }
        UINT nChunk = m_nBufLen - m_nBufPos;
        if (nChunk > nMax - nDone)
            nChunk = nMax - nDone;
        memcpy(pDest + nDone, m_buffer + m_nBufPos, nChunk);
        m_nBufPos += nChunk;
        nDone += nChunk;
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring() || !IsOk() || m_pFile == nullptr || lpBuf == nullptr)
        return;
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    if (nMax >= kBufferSize)
    {
        Flush();
        if (IsOk() && !m_pFile->Write(pSrc, nMax))
            SetError(writeError, m_pFile->GetError());
        return;
    }
    while (nMax > 0 && IsOk())
    {
        UINT nChunk = kBufferSize - m_nBufPos;
        if (nChunk > nMax)
            nChunk = nMax;
        memcpy(m_buffer + m_nBufPos, pSrc, nChunk);
        m_nBufPos += nChunk;
        pSrc += nChunk;
        nMax -= nChunk;
        if (m_nBufPos == kBufferSize)
            Flush();
    }
}

void CArchive::Flush()
{
    if (!IsStoring() || m_pFile == nullptr)
        return;
    if (m_nBufPos > 0 && IsOk() && !m_pFile->Write(m_buffer, m_nBufPos))
        SetError(writeError, m_pFile->GetError());
    m_nBufPos = 0;
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring())
    {
        Flush();
        // Errors the system only reports when its own buffers reach the disk.
        if (IsOk() && !m_pFile->Flush())
            SetError(writeError, m_pFile->GetError());
    }
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_nBufPos = 0;
    m_nBufLen = 0;
    m_pFile = nullptr;
}

CArchive& CArchive::WriteLE(DWORD dwValue, UINT nBytes)
{
    BYTE bytes[4];
    for (UINT i = 0; i < nBytes; ++i)
        bytes[i] = static_cast<BYTE>(dwValue >> (8 * i));
    Write(bytes, nBytes);
    return *this;
}

DWORD CArchive::ReadLE(UINT nBytes)
{
    BYTE bytes[4] = {};
    if (Read(bytes, nBytes) < nBytes)
    {
        SetError(endOfFile);
        return 0;
    }
    DWORD dwValue = 0;
    for (UINT i = 0; i < nBytes; ++i)
        dwValue |= static_cast<DWORD>(bytes[i]) << (8 * i);
    return dwValue;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    by = static_cast<BYTE>(ReadLE(1));
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    w = static_cast<WORD>(ReadLE(2));
    return *this;
}

CArchive& CArchive::operator>>(LONG& l)
{
    l = static_cast<LONG>(ReadLE(4));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    dw = ReadLE(4);
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    i = static_cast<int>(ReadLE(4));
    return *this;
}
