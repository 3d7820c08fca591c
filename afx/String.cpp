// CString formatting, buffer access, searching and resource loading.
#include "String.h"
#include "ResourceHandle.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    m_str.clear();
    if (!lpszFormat)
        return;
    va_list measure;
    va_copy(measure, argList);
    int n = vsnprintf(nullptr, 0, lpszFormat, measure);
    va_end(measure);
    if (n <= 0)
        return;
    std::string out(size_t(n) + 1, '\0');
    if (vsnprintf(&out[0], out.size(), lpszFormat, argList) != n)
        return;
    out.resize(size_t(n));
    m_str.swap(out);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(size_t(nMinBufLength));
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength > 0 ? size_t(nNewLength) : 0);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t len = nNewLength < 0 ? strnlen(m_str.c_str(), m_str.size()) : size_t(nNewLength);
    if (len < m_str.size())
        m_str.resize(len);
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(0, size_t(nCount)));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount <= 0 || nFirst >= GetLength())
        return CString();
    return CString(m_str.substr(size_t(nFirst), size_t(nCount)));
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= GetLength())
        return *this;
    return CString(m_str.substr(m_str.size() - size_t(nCount)));
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, size_t(nStart));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (!lpszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(lpszSub, size_t(nStart));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : int(pos);
}

void CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffA(&m_str[0], DWORD(m_str.size()));
}

void CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffA(&m_str[0], DWORD(m_str.size()));
}

static bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

void CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
}

void CString::TrimRight()
{
    while (!m_str.empty() && IsSpace(m_str.back()))
        m_str.pop_back();
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (char& c : m_str)
        if (c == chOld)
        {
            c = chNew;
            ++n;
        }
    return n;
}

BOOL CString::LoadString(UINT nID)
{
    m_str.clear();
    // A string resource is at most 65535 characters; ask with a growing buffer
    // because LoadStringA only reports how much it copied.
    for (int size = 256; size <= 65536; size *= 4)
    {
        std::string buf(size_t(size), '\0');
        int n = ::LoadStringA(AfxGetResourceHandle(), nID, &buf[0], size);
        if (n <= 0)
            return FALSE;
        if (n < size - 1)
        {
            buf.resize(size_t(n));
            m_str.swap(buf);
            return TRUE;
        }
    }
    return FALSE;
}
