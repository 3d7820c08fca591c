// The bridge to the Unix side when the program runs under Wine: telling Wine
// from Windows, file names in both worlds, and starting Unix programs.
#pragma once

#include <string>
#include <vector>

// True under Wine, false on Windows.
bool RunningUnderWine();

// The Unix (UTF-8) name of a Windows path (the file need not exist); empty
// outside Wine or on failure.
std::string UnixPathOf(const std::wstring& windowsPath);
// The Windows name of a Unix path; empty outside Wine or on failure.
std::wstring WindowsPathOf(const std::string& unixPath);

// UTF-8, the encoding Unix programs read, and back.
std::string Utf8Of(const std::wstring& wide);
std::wstring WideOfUtf8(const std::string& utf8);
// A text in the ANSI code page, as the program's "A" calls return it.
std::wstring WideOfAnsi(const std::string& ansi);

// One argument quoted so that the receiver's command-line splitting returns it unchanged.
std::wstring QuoteArgument(const std::wstring& argument);
// Starts a Unix program (arguments in UTF-8, the program first) without
// waiting for it. Its process handle can't be waited on under Wine, so the
// caller learns of its end by other means, such as files it writes.
bool StartUnixProgram(const std::vector<std::string>& arguments);
