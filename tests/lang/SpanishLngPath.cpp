// Locates the spanish.lng that the build generated.
#include "LanguageImage.h"

#ifdef _WIN32
#include <windows.h>

std::string SpanishLngPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
    {
        return "spanish.lng";
    }
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "spanish.lng";
}
#else
std::string SpanishLngPath()
{
    return KESU_SPANISH_LNG;
}
#endif
