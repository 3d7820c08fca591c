// CString: an ANSI text value with the framework's familiar operations.
#pragma once
#include "AfxSetup.h"

#include <string>

class CString
{
public:
    CString() = default;
    CString(LPCSTR lpsz) : m_str(lpsz ? lpsz : "") {}
    CString(LPCSTR lpch, int nLength)
        : m_str(lpch && nLength > 0 ? std::string(lpch, size_t(nLength)) : std::string())
    {
    }
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? size_t(nRepeat) : 0, ch) {}
    CString(const std::string& str) : m_str(str) {}

    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int nIndex) const { return m_str[size_t(nIndex)]; }
    char operator[](int nIndex) const { return m_str[size_t(nIndex)]; }
    void SetAt(int nIndex, char ch) { m_str[size_t(nIndex)] = ch; }
    operator LPCSTR() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    CString& operator=(LPCSTR lpsz)
    {
        m_str = lpsz ? lpsz : "";
        return *this;
    }
    CString& operator=(char ch)
    {
        m_str.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& string)
    {
        m_str += string.m_str;
        return *this;
    }
    CString& operator+=(LPCSTR lpsz)
    {
        if (lpsz)
            m_str += lpsz;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCSTR b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(LPCSTR a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, char ch)
    {
        CString r(a);
        r += ch;
        return r;
    }

    int Compare(LPCSTR lpsz) const { return lstrcmpA(m_str.c_str(), lpsz ? lpsz : ""); }
    int CompareNoCase(LPCSTR lpsz) const { return lstrcmpiA(m_str.c_str(), lpsz ? lpsz : ""); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(LPCSTR a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator!=(LPCSTR a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // printf-style; a format error leaves the string empty.
    void Format(LPCSTR lpszFormat, ...) __attribute__((format(gnu_printf, 2, 3)));
    void FormatV(LPCSTR lpszFormat, va_list argList);

    // Direct access for platform calls that fill a buffer: room for nMinBufLength
    // characters plus a terminator; ReleaseBuffer(-1) takes the length up to the first NUL.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();
    int Replace(char chOld, char chNew);

    // The string resource nID from the resource module; FALSE (and empty) when it is missing.
    BOOL LoadString(UINT nID);

private:
    std::string m_str;
};
