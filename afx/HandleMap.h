// CHandleMap: a per-thread map from platform handles to wrapper objects, permanent or temporary.
#pragma once
#include "AfxSetup.h"
#include "TempMapBase.h"

#include <memory>
#include <unordered_map>

// T wraps a handle H in a public field; pField names it (e.g. &CWnd::m_hWnd).
// Temporary objects are detached (field cleared) before they are deleted, so
// deleting them never destroys the handle they wrapped.
template <class T, class H, H T::*pField>
class CHandleMap : public CTempMapBase
{
public:
    static CHandleMap& Get()
    {
        static thread_local CHandleMap map;
        return map;
    }

    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    T* LookupTemporary(H h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.get();
    }
    // Permanent object, else a temporary wrapper (made on first request); null for a null handle.
    T* FromHandle(H h)
    {
        if (h == nullptr)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        auto& slot = m_temporary[h];
        if (!slot)
        {
            slot.reset(new (std::nothrow) T);
            if (!slot)
            {
                m_temporary.erase(h);
                return nullptr;
            }
            (*slot).*pField = h;
        }
        return slot.get();
    }
    void SetPermanent(H h, T* p) { m_permanent[h] = p; }
    void RemoveHandle(H h) { m_permanent.erase(h); }

    void DeleteTemp() override
    {
        // Swap first: a destructor may ask for another wrapper while we clear.
        std::unordered_map<H, std::unique_ptr<T>> doomed;
        doomed.swap(m_temporary);
        for (auto& entry : doomed)
            (*entry.second).*pField = nullptr;
    }

    ~CHandleMap() { DeleteTemp(); }

private:
    CHandleMap() = default;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, std::unique_ptr<T>> m_temporary;
};
