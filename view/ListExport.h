// The list as a spreadsheet reads it: CSV in UTF-8 with a byte-order mark,
// RFC 4180 quoting, one header row, one row per access point.
#pragma once

#include <string>
#include <vector>

#include "afx/AfxSetup.h"
#include "scan/ListOrder.h"

constexpr int kExportColumnCount = 10;

struct ExportTexts
{
    const char* headers[kExportColumnCount];  // ANSI code page
    ListTexts list;
    const char* hiddenName;
};

// The whole file for these entries in this order. Text from the list (names,
// annotations, makers, language texts) is taken in the ANSI code page.
std::string ListAsCsv(const std::vector<const CNetworkEntry*>& entries, const ExportTexts& texts,
                      const CMakerTable& makers);

// Writes 'bytes' beside 'path' and moves them over it once complete, so a
// failure leaves no half file and an earlier file whole. 0 or the system's error.
DWORD WriteFileReplacing(const char* path, const std::string& bytes);
