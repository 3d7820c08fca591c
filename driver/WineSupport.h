// What the driver layer asks of Wine when the program runs under it.
#pragma once

#include <string>

// True when the program runs under Wine rather than on Windows.
bool RunningUnderWine();

// The Unix path of a Windows path (the file need not exist); empty outside
// Wine or if it has none.
std::string UnixPathOf(const std::string& windowsPath);
