// The instance and resource module handles, kept below the application so value types can load
// resources without it.
#include "ResourceHandle.h"

namespace
{
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hInstResource = nullptr;
}  // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance ? g_hInstance : GetModuleHandleA(nullptr);
}

void AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hInstResource ? g_hInstResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hInstResource = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (FindResourceA(hInst, lpszName, lpszType))
        return hInst;
    HINSTANCE hApp = AfxGetInstanceHandle();
    if (hApp != hInst && FindResourceA(hApp, lpszName, lpszType))
        return hApp;
    return hInst;  // as good a place as any for the caller's own lookup to fail
}
