// ComPtr: sole owner of one reference to a COM object, released when
// destroyed or replaced; moves but never copies.
#pragma once

#include "afx/AfxSetup.h"

#include <utility>

template <class Interface>
class ComPtr
{
public:
    ComPtr() = default;
    // Takes over a reference the caller holds, as a creation call hands one out.
    explicit ComPtr(Interface* pObject) : m_pObject(pObject) {}
    ~ComPtr() { Reset(); }

    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_pObject(std::exchange(other.m_pObject, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_pObject = std::exchange(other.m_pObject, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return m_pObject; }
    Interface* operator->() const { return m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }

    // Unset before Release, so an object whose release reaches back here finds nothing held.
    void Reset()
    {
        if (Interface* pObject = std::exchange(m_pObject, nullptr))
            pObject->Release();
    }

private:
    Interface* m_pObject = nullptr;
};
