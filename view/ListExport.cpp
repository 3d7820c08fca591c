// CSV export of the list.
#include "view/ListExport.h"

#include <cstdio>
#include <cstring>

#include "scan/Channel.h"

namespace
{

// Spreadsheets take a cell that starts with one of these as a formula; a name
// heard over the air must never be one.
bool LooksLikeFormula(const std::string& text)
{
    return !text.empty() && std::strchr("=+-@\t\r", text[0]) != nullptr;
}

std::string AnsiToUtf8(const char* text, size_t length)
{
    size_t i = 0;
    while (i < length && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    if (i == length)
        return std::string(text, length);
    const int wide = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &w[0], wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

// One field, UTF-8 in, quoted when it holds a quote, a comma or a line break.
void AppendField(std::string& out, const std::string& utf8, bool bFirst)
{
    if (!bFirst)
        out += ',';
    if (utf8.find_first_of("\",\r\n") == std::string::npos)
    {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8)
    {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Text from outside: taken from the ANSI code page, kept from being a formula.
std::string TextField(const char* ansi)
{
    std::string text = ansi ? AnsiToUtf8(ansi, std::strlen(ansi)) : std::string();
    return LooksLikeFormula(text) ? "'" + text : text;
}

std::string NameField(const NDIS_WLAN_BSSID& bssid, const char* hiddenName)
{
    char ssid[kMaxSsidLength + 1];
    const size_t length = CopySsidText(bssid, ssid, sizeof ssid);
    if (length == 0)
        return TextField(hiddenName);
    std::string ansi;
    for (size_t i = 0; i < length; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(ssid[i]);
        if (c < 0x20 || c == 0x7f)
        {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            ansi += escaped;
        }
        else
        {
            ansi += static_cast<char>(c);
        }
    }
    return TextField(ansi.c_str());
}

void AppendRow(std::string& out, const CNetworkEntry& entry, const ExportTexts& texts,
               const CMakerTable& makers)
{
    const NDIS_WLAN_BSSID& b = entry.m_bssid;
    char cell[64];
    AppendField(out, NameField(b, texts.hiddenName), true);
    FormatMacAddress(b.MacAddress, cell, sizeof cell);
    AppendField(out, cell, false);
    AppendField(out, TextField(MakerText(makers, b.MacAddress, texts.list)), false);
    AppendField(out, IsEncrypted(b) ? "Encrypted" : "Open", false);
    const int mode = static_cast<int>(b.InfrastructureMode);
    AppendField(out, mode >= 0 && mode <= 2 ? TextField(texts.list.modes[mode]) : std::string(), false);
    FormatChannelCell(b.Configuration.DSConfig, cell, sizeof cell);
    AppendField(out, cell, false);
    // Only a known centre frequency is one; a legacy driver's channel number is not.
    const bool bFrequency = ChannelOfDsConfig(b.Configuration.DSConfig).band != ChannelBand::Unknown;
    AppendField(out, bFrequency ? std::to_string(b.Configuration.DSConfig / 1000) : std::string(), false);
    AppendField(out, b.Rssi != 0 ? std::to_string(b.Rssi) : std::string(), false);
    std::string seen;
    if (entry.HasFirstSeenTime())
    {
        const SYSTEMTIME& t = entry.m_timeFirstSeen;
        std::snprintf(cell, sizeof cell, "%04d-%02d-%02dT%02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
                      t.wMinute, t.wSecond);
        seen = cell;
    }
    AppendField(out, seen, false);
    AppendField(out, TextField(entry.m_strAnnotation.c_str()), false);
    out += "\r\n";
}

}  // namespace

std::string ListAsCsv(const std::vector<const CNetworkEntry*>& entries, const ExportTexts& texts,
                      const CMakerTable& makers)
{
    std::string out = "\xEF\xBB\xBF";
    out.reserve(entries.size() * 96);
    for (int column = 0; column < kExportColumnCount; ++column)
        AppendField(out, TextField(texts.headers[column]), column == 0);
    out += "\r\n";
    for (const CNetworkEntry* pEntry : entries)
        AppendRow(out, *pEntry, texts, makers);
    return out;
}

DWORD WriteFileReplacing(const char* path, const std::string& bytes)
{
    char full[MAX_PATH];
    char* pName = nullptr;
    const DWORD length = GetFullPathNameA(path, sizeof full, full, &pName);
    if (length == 0 || length >= sizeof full || !pName)
        return ERROR_BAD_PATHNAME;
    const std::string folder(full, static_cast<size_t>(pName - full));
    char temp[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "ksu", 0, temp) == 0)
        return GetLastError();
    DWORD error = 0;
    HANDLE hFile =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        error = GetLastError();
        DeleteFileA(temp);
        return error;
    }
    DWORD written = 0;
    if (!WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (!CloseHandle(hFile) && !error)
        error = GetLastError();
    if (!error && !MoveFileExA(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error)
        DeleteFileA(temp);
    return error;
}
