// The one Windows setup header: project defines, then the platform headers.
#pragma once

#ifdef UNICODE
#error "Kesu is an ANSI program: build without UNICODE"
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
