// CPtrArray: a growable array of untyped pointers (dock bar entries, saved bar records).
#pragma once
#include "AfxSetup.h"

#include <cassert>
#include <vector>

// Indices outside the array never touch memory: reads give null; a store there
// is a caller's fault, asserted in debug builds and dropped otherwise. No
// reference into the array is handed out, so every store is checked here.
class CPtrArray
{
public:
    int GetSize() const { return int(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    void SetSize(int nNewSize) { m_data.resize(nNewSize > 0 ? size_t(nNewSize) : 0); }
    void RemoveAll() { m_data.clear(); }

    void* GetAt(int nIndex) const { return IsValid(nIndex) ? m_data[size_t(nIndex)] : nullptr; }
    void SetAt(int nIndex, void* p)
    {
        assert(IsValid(nIndex));
        if (IsValid(nIndex))
            m_data[size_t(nIndex)] = p;
    }
    void* operator[](int nIndex) const { return GetAt(nIndex); }

    // Grows the array (with nulls) when nIndex lies beyond its end.
    void SetAtGrow(int nIndex, void* p)
    {
        assert(nIndex >= 0);
        if (nIndex < 0)
            return;
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[size_t(nIndex)] = p;
    }
    int Add(void* p)
    {
        m_data.push_back(p);
        return GetUpperBound();
    }
    // nIndex may be the size (append); beyond it the gap fills with nulls.
    void InsertAt(int nIndex, void* p, int nCount = 1)
    {
        assert(nIndex >= 0);
        if (nIndex < 0 || nCount <= 0)
            return;
        if (nIndex > GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, size_t(nCount), p);
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (!IsValid(nIndex) || nCount <= 0)
            return;
        size_t nEnd = size_t(nIndex) + size_t(nCount);
        m_data.erase(m_data.begin() + nIndex,
                     nEnd > m_data.size() ? m_data.end() : m_data.begin() + long(nEnd));
    }
    void Copy(const CPtrArray& src) { m_data = src.m_data; }

private:
    bool IsValid(int nIndex) const { return nIndex >= 0 && size_t(nIndex) < m_data.size(); }

    std::vector<void*> m_data;
};
