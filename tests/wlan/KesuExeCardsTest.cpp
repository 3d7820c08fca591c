// Kesu.exe itself with the modern ways of reaching a card: a copy of the
// program with a stand-in Native Wi-Fi library in the system folder, or beside
// a stand-in Linux helper (folders the build lays out, see CMakeLists.txt),
// picks the card in its adapter dialog and lists exactly the networks the
// stand-in hears. Also: a library planted beside the program is never loaded,
// and without one in the system folder the program still starts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "afx/AfxSetup.h"
#include "scan/NetworkEntry.h"
#include "tests/wlan/CannedNetworks.h"
#include "tools/pickcard/PickCard.h"

namespace
{

constexpr char kCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

std::string BinFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// A card among the machine's network cards, as Wine lists its interfaces.
class RegisteredCard
{
public:
    RegisteredCard(const char* subkey, const char* service, const char* description)
        : m_path(std::string(kCardsKey) + "\\" + subkey)
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr,
                                                 REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr));
        RegSetValueExA(key, "ServiceName", 0, REG_SZ, reinterpret_cast<const BYTE*>(service),
                       static_cast<DWORD>(strlen(service) + 1));
        RegSetValueExA(key, "Description", 0, REG_SZ, reinterpret_cast<const BYTE*>(description),
                       static_cast<DWORD>(strlen(description) + 1));
        RegCloseKey(key);
    }
    ~RegisteredCard() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str()); }

private:
    std::string m_path;
};

// The stand-in library where the system's own lives, while this object does;
// the system's copy is put back after (and kept aside across a crashed run).
class SystemWlanLibrary
{
public:
    SystemWlanLibrary()
    {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        m_path = std::string(system) + "\\wlanapi.dll";
        m_saved = m_path + ".kesu-saved";
        if (GetFileAttributesA(m_saved.c_str()) == INVALID_FILE_ATTRIBUTES)
            MoveFileExA(m_path.c_str(), m_saved.c_str(), MOVEFILE_REPLACE_EXISTING);
        m_placed = CopyFileA((BinFolder() + "standin-planted\\wlanapi.dll").c_str(), m_path.c_str(), FALSE);
    }
    ~SystemWlanLibrary()
    {
        if (GetFileAttributesA(m_saved.c_str()) != INVALID_FILE_ATTRIBUTES)
            MoveFileExA(m_saved.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
        else
            DeleteFileA(m_path.c_str());
    }
    bool Placed() const { return m_placed; }

private:
    std::string m_path;
    std::string m_saved;
    bool m_placed = false;
};

template <class Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    while (!pred())
    {
        if (GetTickCount64() - start > timeoutMs)
            return pred();
        Sleep(20);
    }
    return true;
}

// The copy running, with 'service' picked in its adapter dialog; the library
// overrides extended by 'overrides' for it alone.
class RunningKesu
{
public:
    RunningKesu(const char* folder, const char* service, const char* overrides, const std::string& temp = "")
    {
        char saved[1024] = "";
        const DWORD had = GetEnvironmentVariableA("WINEDLLOVERRIDES", saved, sizeof saved);
        const std::string extended = had ? std::string(saved) + ";" + overrides : overrides;
        SetEnvironmentVariableA("WINEDLLOVERRIDES", extended.c_str());
        char savedTemp[MAX_PATH] = "";
        const DWORD hadTemp = GetEnvironmentVariableA("TMP", savedTemp, sizeof savedTemp);
        if (!temp.empty())
            SetEnvironmentVariableA("TMP", temp.c_str());
        const std::string path = BinFolder() + folder + "\\";
        std::string commandLine = "\"" + path + "Kesu.exe\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        m_started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   path.c_str(), &si, &m_process) != FALSE;
        SetEnvironmentVariableA("WINEDLLOVERRIDES", had ? saved : nullptr);
        SetEnvironmentVariableA("TMP", hadTemp ? savedTemp : nullptr);
        if (!m_started)
            return;
        HWND dialog = WaitForAdapterDialog(AdapterDialogTitle(), m_process.dwProcessId, 30000);
        m_picked = dialog && ChooseCard(dialog, service) == kPicked;
        WaitUntil([this] { return (m_frame = FindMainFrame(m_process.dwProcessId)) != nullptr; }, 30000);
    }

    ~RunningKesu()
    {
        if (!m_started)
            return;
        if (m_frame)
        {
            EXPECT_TRUE(CloseWithoutSaving(m_frame, 15000));
        }
        EXPECT_EQ(0u, EndProcess(m_process, 15000));
    }

    bool Ready() const { return m_started && m_picked && m_frame != nullptr; }
    HWND Frame() const { return m_frame; }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
    bool m_picked = false;
    HWND m_frame = nullptr;
};

std::string Mac(const uint8_t* mac)
{
    char text[32];
    FormatMacAddress(mac, text, sizeof text);
    return text;
}

// The list holds the canned networks, in their order, and nothing else.
void ExpectCannedList(HWND frame)
{
    // The first list is merged about four seconds after the scan starts.
    ASSERT_TRUE(WaitUntil([frame] { return ListRowCount(frame) >= kCannedNetworkCount; }, 20000))
        << ListRowCount(frame) << " rows";
    for (int row = 0; row < kCannedNetworkCount; ++row)
    {
        const CannedNetwork& n = kCannedNetworks[row];
        EXPECT_EQ(ListCellText(frame, row, 0), *n.ssid ? n.ssid : "(red oculta)") << row;
        EXPECT_EQ(ListCellText(frame, row, 1), Mac(n.mac)) << row;
        EXPECT_EQ(ListCellText(frame, row, 2), n.privacy ? "Encrypted" : "Open") << row;
        EXPECT_EQ(ListCellText(frame, row, 4), n.channel) << row;
        EXPECT_EQ(ListCellText(frame, row, 5), std::to_string(n.rssi)) << row;
    }
    EXPECT_EQ(ListRowCount(frame), kCannedNetworkCount);
}

bool AnyPaneShows(HWND frame, const std::string& text)
{
    for (int pane = 0; pane < 4; ++pane)
    {
        if (StatusPaneText(frame, pane).find(text) != std::string::npos)
            return true;
    }
    return false;
}

// The stand-in offers another card before Kesu's.
TEST(KesuExeCards, NativeWifiCardListsExactlyItsNetworks)
{
    RegisteredCard card("96", kStandInWlanService, "Tarjeta de prueba");
    SystemWlanLibrary library;
    ASSERT_TRUE(library.Placed());
    // Wine prefers its own library unless told otherwise.
    RunningKesu kesu("standin-wlan", kStandInWlanService, "wlanapi=n");
    ASSERT_TRUE(kesu.Ready());
    ExpectCannedList(kesu.Frame());
}

TEST(KesuExeCards, ALibraryBesideKesuIsNeverLoadedAndWithoutOneKesuStillStarts)
{
    RegisteredCard card("96", kStandInWlanService, "Tarjeta de prueba");
    // Wine's own in the system folder can't be loaded as a native library:
    // only the planted one could answer.
    RunningKesu kesu("standin-planted", kStandInWlanService, "wlanapi=n");
    ASSERT_TRUE(kesu.Ready());
    // The card can't be reached: the scan ends as for a card that can't be opened.
    Sleep(5000);
    EXPECT_EQ(ListRowCount(kesu.Frame()), 0);
}

TEST(KesuExeCards, LinuxInterfaceListsExactlyItsNetworksThroughTheHelper)
{
    RegisteredCard card("95", kStandInLinuxService, kStandInInterface);
    // The answers pass through a temporary folder whose name isn't ASCII:
    // the helper must get its Unix name intact.
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    const std::string temp = std::string(base) + "kesu-a\xF1o-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
    {
        RunningKesu kesu("standin-linux", kStandInLinuxService, "", temp);
        ASSERT_TRUE(kesu.Ready());
        ExpectCannedList(kesu.Frame());
        EXPECT_TRUE(WaitUntil([&] { return AnyPaneShows(kesu.Frame(), Mac(kStandInHelperAddress)); }, 5000))
            << "the card's own address";
    }
    EXPECT_TRUE(RemoveDirectoryA(temp.c_str())) << "every answer file was taken away";
}

TEST(KesuExeCards, AHelperThatNeverAnswersIsACardThatCantBeOpened)
{
    RegisteredCard card("95", kStandInLinuxService, kStandInInterface);
    RunningKesu kesu("standin-silent", kStandInLinuxService, "");
    ASSERT_TRUE(kesu.Ready());
    Sleep(5000);
    EXPECT_EQ(ListRowCount(kesu.Frame()), 0);
}

}  // namespace
