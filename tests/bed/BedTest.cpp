// What every Windows test takes for granted from the Wine test bed.
#include "afx/AfxSetup.h"

#include <gtest/gtest.h>

namespace
{
bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A top-level window that closes with the test.
struct ScopedWindow
{
    HWND hwnd;
    ScopedWindow(int cx, int cy)
        : hwnd(CreateWindowExA(0, "STATIC", "bed", WS_OVERLAPPEDWINDOW, 10, 10, cx, cy, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~ScopedWindow()
    {
        if (hwnd != nullptr)
            DestroyWindow(hwnd);
    }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
};

// A key under HKCU or HKLM that the test creates and removes again.
struct ScopedKey
{
    HKEY root;
    const char* path;
    HKEY key = nullptr;
    LONG created;
    ScopedKey(HKEY r, const char* p, DWORD options) : root(r), path(p)
    {
        created = RegCreateKeyExA(root, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    ~ScopedKey()
    {
        if (key != nullptr)
        {
            RegCloseKey(key);
            RegDeleteKeyA(root, path);
        }
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
};
}  // namespace

// Wine's first start without DISPLAY leaves the desktop on the null driver
// for the server's whole life: the desktop then keeps a made-up 1024 x 768
// while this process's own driver reports the real X screen.
TEST(Bed, DesktopIsOnTheXDisplay)
{
    ScopedWindow w(600, 400);
    ASSERT_NE(w.hwnd, nullptr);
    ShowWindow(w.hwnd, SW_SHOWNORMAL);
    if (UnderWine())
    {
        EXPECT_NE(GetModuleHandleA("winex11.drv"), nullptr) << "no X11 window driver";
    }

    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN)), mode.dmPelsWidth);
    EXPECT_EQ(static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN)), mode.dmPelsHeight);
    // Room for the main window at its minimum size and its dialogs.
    EXPECT_GE(mode.dmPelsWidth, 800u);
    EXPECT_GE(mode.dmPelsHeight, 600u);

    RECT r{};
    ASSERT_TRUE(GetWindowRect(w.hwnd, &r));
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 400);
}

TEST(Bed, UserRegistryIsWritable)
{
    ScopedKey k(HKEY_CURRENT_USER, "Software\\KesuBedTest", REG_OPTION_NON_VOLATILE);
    ASSERT_EQ(k.created, ERROR_SUCCESS);
    const char value[] = "Kesu";
    ASSERT_EQ(RegSetValueExA(k.key, "Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value),
              ERROR_SUCCESS);
    char back[16] = {};
    DWORD size = sizeof back;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(k.key, "Probe", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(back, value);
}

// The simulated card is registered as a volatile subkey of the machine's
// network cards, which must be creatable in the prefix.
TEST(Bed, NetworkCardsTakesVolatileSubkeys)
{
    ScopedKey k(HKEY_LOCAL_MACHINE,
                "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\KesuBedProbe",
                REG_OPTION_VOLATILE);
    EXPECT_EQ(k.created, ERROR_SUCCESS);
}
