// Wine's own exports, looked up at run time: Windows has none of them.
#include "driver/WineSupport.h"

#include "afx/AfxSetup.h"

#include <vector>

namespace
{

FARPROC WineExport(const char* module, const char* name)
{
    HMODULE handle = ::GetModuleHandleA(module);
    return handle ? ::GetProcAddress(handle, name) : nullptr;
}

}  // namespace

bool RunningUnderWine()
{
    return WineExport("ntdll.dll", "wine_get_version") != nullptr;
}

std::string UnixPathOf(const std::string& windowsPath)
{
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(WineExport("kernel32.dll", "wine_get_unix_file_name")));
    if (toUnix == nullptr)
        return std::string();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::string();
    std::vector<WCHAR> wide(length);
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
    char* unixPath = toUnix(wide.data());
    if (unixPath == nullptr)
        return std::string();
    std::string result(unixPath);
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}
