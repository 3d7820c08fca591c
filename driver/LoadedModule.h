// Sole owner of a library loaded at run time: frees it when destroyed, moves
// but never copies.
#pragma once

#include "afx/AfxSetup.h"

class LoadedModule
{
public:
    LoadedModule() = default;
    explicit LoadedModule(HMODULE module) : m_module(module) {}
    ~LoadedModule() { Reset(); }

    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    LoadedModule(LoadedModule&& other) noexcept : m_module(other.m_module) { other.m_module = nullptr; }
    LoadedModule& operator=(LoadedModule&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_module = other.m_module;
            other.m_module = nullptr;
        }
        return *this;
    }

    bool IsValid() const { return m_module != nullptr; }
    HMODULE Get() const { return m_module; }

    void Reset()
    {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
        m_module = nullptr;
    }

private:
    HMODULE m_module = nullptr;
};
