// Column widths and sort to and from their setting texts.
#include "scan/ColumnSettings.h"

#include <cstring>

namespace
{

constexpr int kMaxWidth = 4000;

// Reads a decimal number of at most 'maxValue' at 'p'; false without a digit.
bool ReadNumber(const char*& p, int maxValue, int& value)
{
    if (*p < '0' || *p > '9')
        return false;
    long n = 0;
    while (*p >= '0' && *p <= '9')
    {
        n = n * 10 + (*p++ - '0');
        if (n > maxValue)
            return false;
    }
    value = static_cast<int>(n);
    return true;
}

}  // namespace

ColumnSettings DefaultColumnSettings()
{
    return {{100, 100, 100, 100, 64, 64, 128, 64, 160}, ListSort()};
}

std::string FormatColumnWidths(const int (&widths)[kListColumnCount])
{
    std::string text;
    for (int column = 0; column < kListColumnCount; ++column)
        text += (column ? "," : "") + std::to_string(widths[column]);
    return text;
}

std::string FormatListSort(const ListSort& sort)
{
    if (sort.direction == SortDirection::None)
        return std::string();
    return std::to_string(sort.column) + (sort.direction == SortDirection::Up ? ",up" : ",down");
}

bool ParseColumnWidths(const char* text, int (&widths)[kListColumnCount])
{
    if (!text)
        return false;
    int parsed[kListColumnCount];
    const char* p = text;
    for (int column = 0; column < kListColumnCount; ++column)
    {
        if (column > 0 && *p++ != ',')
            return false;
        if (!ReadNumber(p, kMaxWidth, parsed[column]))
            return false;
    }
    if (*p != '\0')
        return false;
    std::memcpy(widths, parsed, sizeof parsed);
    return true;
}

bool ParseListSort(const char* text, ListSort& sort)
{
    if (!text)
        return false;
    if (*text == '\0')
    {
        sort = ListSort();
        return true;
    }
    const char* p = text;
    int column;
    if (!ReadNumber(p, kListColumnCount - 1, column) || *p++ != ',')
        return false;
    if (std::strcmp(p, "up") == 0)
        sort = {column, SortDirection::Up};
    else if (std::strcmp(p, "down") == 0)
        sort = {column, SortDirection::Down};
    else
        return false;
    return true;
}
