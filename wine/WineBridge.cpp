// Wine's own exports are looked up at run time: Windows has none of them.
#include "wine/WineBridge.h"

#include "afx/AfxSetup.h"
#include "afx/UniqueHandle.h"

namespace
{

// Their results live on the process heap.
typedef char*(CDECL* UnixNameFunction)(LPCWSTR);
typedef WCHAR*(CDECL* WindowsNameFunction)(LPCSTR);

template <typename Function>
Function WineExport(const char* module, const char* name)
{
    HMODULE hModule = GetModuleHandleA(module);
    FARPROC proc = hModule ? GetProcAddress(hModule, name) : nullptr;
    // Through the generic function type, which any function pointer may pass.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

std::wstring WideOf(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

}  // namespace

bool RunningUnderWine()
{
    return WineExport<FARPROC>("ntdll.dll", "wine_get_version") != nullptr;
}

std::string Utf8Of(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                        nullptr);
    return text;
}

std::wstring WideOfUtf8(const std::string& utf8)
{
    return WideOf(utf8, CP_UTF8);
}

std::wstring WideOfAnsi(const std::string& ansi)
{
    return WideOf(ansi, CP_ACP);
}

std::string UnixPathOf(const std::wstring& windowsPath)
{
    auto convert = WineExport<UnixNameFunction>("kernel32.dll", "wine_get_unix_file_name");
    if (!convert || windowsPath.empty())
        return std::string();
    char* pName = convert(windowsPath.c_str());
    if (!pName)
        return std::string();
    std::string name(pName);
    HeapFree(GetProcessHeap(), 0, pName);
    return name;
}

std::wstring WindowsPathOf(const std::string& unixPath)
{
    auto convert = WineExport<WindowsNameFunction>("kernel32.dll", "wine_get_dos_file_name");
    if (!convert || unixPath.empty())
        return std::wstring();
    WCHAR* pName = convert(unixPath.c_str());
    if (!pName)
        return std::wstring();
    std::wstring name(pName);
    HeapFree(GetProcessHeap(), 0, pName);
    return name;
}

std::wstring QuoteArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument)
    {
        if (c == L'\\')
        {
            ++backslashes;
            continue;
        }
        // Backslashes count only in front of a quote: there they must be doubled.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

bool StartUnixProgram(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.front().empty())
        return false;
    std::wstring commandLine;
    for (const std::string& argument : arguments)
    {
        if (!commandLine.empty())
            commandLine += L' ';
        commandLine += QuoteArgument(WideOfUtf8(argument));
    }
    // Wide, so that Unix names in UTF-8 arrive as they are, whatever the ANSI
    // code page makes of their bytes.
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    // For a Unix program Wine leaves the process handle null and the rest
    // unset: the "thread handle" may be the number of a handle this process
    // holds for something else (a scanner thread's, say), so nothing is
    // closed unless it is the process and thread just started.
    if (process.hProcess != nullptr && ::GetProcessId(process.hProcess) == process.dwProcessId)
    {
        KernelHandle hProcess(process.hProcess);
        if (process.hThread != nullptr && ::GetThreadId(process.hThread) == process.dwThreadId)
            KernelHandle hThread(process.hThread);
    }
    return true;
}
