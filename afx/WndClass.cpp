// Window classes registered on demand and kept, with their names, until the process ends.
#include "Wnd.h"
#include "ResourceHandle.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    // Node-based: the names handed out never move.
    static std::set<std::string> names;

    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[96];
    snprintf(szName, sizeof(szName), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
             static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));

    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(szName);
    if (it != names.end())
        return it->c_str();

    WNDCLASSA wc = {};
    if (!GetClassInfoA(hInst, szName, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = szName;
        if (!RegisterClassA(&wc))
            return nullptr;
    }
    return names.insert(szName).first->c_str();
}
