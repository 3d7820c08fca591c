// Sole owner of a library loaded at run time: frees it when destroyed, moves
// but never copies; and loading one from the system folder only.
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

// A platform library from the system folder only: one of that name beside
// the program (in a downloads folder, say) is never run.
inline LoadedModule LoadSystemLibrary(const char* name)
{
    return LoadedModule(::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}
