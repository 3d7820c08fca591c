// The few Windows types the platform-neutral core needs. On Windows they come
// from the SDK's minimal headers; natively they are declared here with the
// same layout, so the core builds on Linux without <windows.h>.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <minwindef.h>
#include <minwinbase.h>
#else
typedef uint8_t UCHAR;
typedef uint16_t WORD;
typedef uint32_t ULONG;  // 32 bits on LLP64 Windows, so never 'unsigned long' here
typedef int32_t LONG;
typedef struct _SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME;
#endif

static_assert(sizeof(ULONG) == 4 && sizeof(LONG) == 4, "driver layouts need 32-bit ULONG/LONG");
static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME is eight 16-bit fields");
