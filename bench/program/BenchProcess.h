// The programs a benchmark measures under Wine: started, found as Linux
// processes (/proc on drive Z:, where Wine keeps their CPU time), raised,
// measured and ended; and the list files and settings they start with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A file in this program's folder.
std::string BesideThis(const char* name);

// Writes a day's drive of 'entries' access points as a list file.
bool WriteDayDriveList(const std::string& path, int entries);

// One of Kesu.exe's per-user settings, which it reads as it starts: false
// if it is not set. Setting a null value removes it.
bool ReadKesuSetting(const char* section, const char* name, std::string& value);
bool SetKesuSetting(const char* section, const char* name, const char* value);

struct BenchProcess
{
    PROCESS_INFORMATION pi = {};
    HWND hWindow = nullptr;
    HWND hList = nullptr;
    int unixPid = 0;
};

// Starts 'exe' (a full path) with 'arguments' and finds its Linux process;
// says why on stderr and answers false if either fails.
bool StartBenchProcess(const std::string& exe, const std::string& arguments, BenchProcess& process);

// Waits up to 'timeoutMs' for the window 'find' answers for the process to
// hold a list view with at least 'rows' rows, keeping both in 'process'.
bool WaitForRows(BenchProcess& process, int rows, HWND (*find)(DWORD pid), ULONGLONG timeoutMs);

// CPU milliseconds per second of wall time over 'seconds', all threads.
double CpuPerSecond(int unixPid, int seconds);
// The process's resident memory in bytes, as Linux counts it; 0 if unknown.
double ResidentBytes(int unixPid);

// What a program is given to settle after a change before it is measured.
constexpr DWORD kSettleMs = 3000;

// Puts the window on top: a covered window paints nothing, which would
// flatter whichever was covered.
void Raise(HWND hWindow);

double Median(std::vector<double> values);

// Closes the program (Kesu.exe declining to save), ending it if it won't.
void FinishBenchProcess(BenchProcess& process, bool bKesu);
