// The Unix side of the machine as seen from inside Wine: file names in both
// worlds and starting a Unix program with an exact argument list.
#pragma once

#include "afx/AfxSetup.h"

#include <string>
#include <vector>

// The Unix (UTF-8) name of a Windows path; empty outside Wine or on failure.
std::string UnixPathOf(const std::wstring& windowsPath);
// The Windows name of a Unix path; empty outside Wine or on failure.
std::wstring WindowsPathOf(const std::string& unixPath);
// UTF-8 of a wide text, the encoding Unix programs read.
std::string Utf8Of(const std::wstring& wide);
// One argument quoted so that the receiver's command-line splitting returns it unchanged.
std::wstring QuoteArgument(const std::wstring& argument);
// Starts a Unix program (arguments in UTF-8, the program first) without
// waiting for it. Its process handle can't be waited on under Wine, so the
// caller learns of its end by other means.
bool StartUnixProgram(const std::vector<std::string>& arguments);
