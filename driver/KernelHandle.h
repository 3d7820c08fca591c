// Sole owner of a kernel handle: closes it when destroyed, moves but never
// copies.
#pragma once

#include "afx/AfxSetup.h"

class KernelHandle
{
public:
    KernelHandle() = default;
    // Takes INVALID_HANDLE_VALUE and null alike as "no handle".
    explicit KernelHandle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~KernelHandle() { Reset(); }

    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    KernelHandle(KernelHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    KernelHandle& operator=(KernelHandle&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }

    bool IsValid() const { return m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

    void Reset()
    {
        if (m_handle != nullptr)
            ::CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    HANDLE m_handle = nullptr;
};
