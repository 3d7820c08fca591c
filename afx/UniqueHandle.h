// Sole owner of a platform handle, released through its traits when destroyed;
// moves but never copies. Kernel handles and loaded libraries are its two kinds.
#pragma once

#include "afx/AfxSetup.h"

template <class Traits>
class UniqueHandle
{
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    // Whatever the traits call "no handle" is kept as null, so IsValid has one test.
    explicit UniqueHandle(Handle handle) : m_handle(Traits::IsNone(handle) ? nullptr : handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
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
    Handle Get() const { return m_handle; }

    void Reset()
    {
        if (m_handle != nullptr)
            Traits::Close(m_handle);
        m_handle = nullptr;
    }

private:
    Handle m_handle = nullptr;
};

struct KernelHandleTraits
{
    using Handle = HANDLE;
    // Kernel calls fail with INVALID_HANDLE_VALUE or null depending on the call.
    static bool IsNone(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

struct LoadedModuleTraits
{
    using Handle = HMODULE;
    static bool IsNone(HMODULE module) { return module == nullptr; }
    static void Close(HMODULE module) { ::FreeLibrary(module); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using LoadedModule = UniqueHandle<LoadedModuleTraits>;

// A platform library from the system folder only: one of that name beside
// the program (in a downloads folder, say) is never run.
inline LoadedModule LoadSystemLibrary(const char* name)
{
    return LoadedModule(::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}
