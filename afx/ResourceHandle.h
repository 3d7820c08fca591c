// The modules the program's windows and resources come from: its instance and the resource module.
#pragma once
#include "AfxSetup.h"

// The program's module: the one AfxWinInit was given, else the process's executable.
HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE hInstance);
// Where strings, menus and dialogs are loaded from; the instance unless set.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding a resource of that name and type (ours, else null).
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
