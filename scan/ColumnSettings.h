// The list's column widths and sort as the per-user settings keep them: text
// values read back strictly, so a damaged or foreign value gives the defaults.
#pragma once

#include <string>

#include "scan/ListOrder.h"

struct ColumnSettings
{
    int widths[kListColumnCount];
    ListSort sort;
};

ColumnSettings DefaultColumnSettings();

// The order the columns are shown in, left to right, by sub-item number: the
// maker is read with the address, so it stands beside it.
constexpr int kShownColumnOrder[kListColumnCount] = {kColumnName,     kColumnAddress,   kColumnMaker,
                                                     kColumnSecurity, kColumnMode,      kColumnChannel,
                                                     kColumnSignal,   kColumnFirstSeen, kColumnAnnotation};

// "100,100,..." with one width per column.
std::string FormatColumnWidths(const int (&widths)[kListColumnCount]);
// "5,up", "5,down", or "" for the order of discovery.
std::string FormatListSort(const ListSort& sort);

// Each returns false, leaving its output untouched, unless the text is exactly
// what the matching Format writes for values in range.
bool ParseColumnWidths(const char* text, int (&widths)[kListColumnCount]);
bool ParseListSort(const char* text, ListSort& sort);
