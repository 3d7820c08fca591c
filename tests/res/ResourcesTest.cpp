// The linked resources as the frame, the dialogs and the image lists load them.
#include "afx/AfxSetup.h"
#include "afx/AfxRes.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

std::string MenuText(HMENU menu, UINT pos)
{
    char text[128] = {};
    GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string LoadA(UINT id)
{
    char text[512] = {};
    int n = LoadStringA(Self(), id, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

std::wstring LoadW(UINT id)
{
    wchar_t text[512] = {};
    int n = LoadStringW(Self(), id, text, 512);
    return std::wstring(text, n > 0 ? n : 0);
}

// The raw bytes of a resource, empty when it is missing.
std::vector<uint8_t> RawResource(UINT id, LPCSTR type)
{
    HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(id), type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(Self(), found);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    return std::vector<uint8_t>(data, data + SizeofResource(Self(), found));
}

uint16_t Word(const std::vector<uint8_t>& d, size_t at)
{
    return uint16_t(d[at] | d[at + 1] << 8);
}
uint32_t Dword(const std::vector<uint8_t>& d, size_t at)
{
    return Word(d, at) | uint32_t(Word(d, at + 2)) << 16;
}

struct Item
{
    const char* text;  // nullptr: separator
    UINT id;
};

void ExpectPopup(HMENU bar, UINT pos, const char* title, const std::vector<Item>& items)
{
    SCOPED_TRACE(title);
    EXPECT_EQ(MenuText(bar, pos), title);
    HMENU popup = GetSubMenu(bar, pos);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), int(items.size()));
    for (UINT i = 0; i < items.size(); ++i)
    {
        if (!items[i].text)
        {
            EXPECT_TRUE(GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR) << "item " << i;
            continue;
        }
        EXPECT_EQ(MenuText(popup, i), items[i].text);
        EXPECT_EQ(GetMenuItemID(popup, i), items[i].id) << items[i].text;
    }
}

TEST(Resources, MenuHasTheCommandTableInOrder)
{
    HMENU bar = LoadMenuA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    ExpectPopup(bar, 0, "&Archivo",
                {{"Nuevo", 57600},
                 {"Abrir...", 57601},
                 {"Guardar", 57603},
                 {"Guardar como...", 57604},
                 {"Exportar...", ID_FILE_EXPORT},
                 {nullptr, 0},
                 {"Fichero reciente", 57616},
                 {nullptr, 0},
                 {"Salir", 57665}});
    // The Windows-1252 byte of the accented letter, as the ANSI calls hand it out.
    if (GetACP() == 1252)
    {
        EXPECT_EQ(MenuText(bar, 1), "&Edici\xF3n");
    }
    wchar_t wide[32] = {};
    GetMenuStringW(bar, 1, wide, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(wide), L"&Edici\u00F3n");
    ExpectPopup(bar, 1, MenuText(bar, 1).c_str(),
                {{"Deshacer", 57643},
                 {nullptr, 0},
                 {"Cortar", 57635},
                 {"Copiar", 57634},
                 {"Pegar", 57637},
                 {"Eliminar", 57632},
                 {nullptr, 0},
                 {"Seleccionar todo", 57642}});
    ExpectPopup(bar, 2, "&Ver",
                {{"Barra de herramientas", 59392},
                 {"Barra de estado", 59393},
                 {"Medidor de potencia", 32771},
                 {"Anotaciones", 32772},
                 {"Canales", 32780}});
    ExpectPopup(bar, 3, "Ayuda", {{"Acerca de...", 57664}});
    // The recent-file placeholder is greyed until the list replaces it.
    EXPECT_TRUE(GetMenuState(GetSubMenu(bar, 0), 57616, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(GetSubMenu(bar, 0), 57600, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(bar);
}

TEST(Resources, AcceleratorsAreTheThirteenListed)
{
    HACCEL table = LoadAcceleratorsA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL got[32];
    ASSERT_EQ(CopyAcceleratorTableA(table, got, 32), 13);
    const BYTE ctrl = FVIRTKEY | FCONTROL, shift = FVIRTKEY | FSHIFT, alt = FVIRTKEY | FALT;
    const ACCEL want[13] = {{ctrl, 'N', 57600},       {ctrl, 'O', 57601},        {ctrl, 'S', 57603},
                            {ctrl, 'Z', 57643},       {ctrl, 'X', 57635},        {ctrl, 'C', 57634},
                            {ctrl, 'V', 57637},       {alt, VK_BACK, 57643},     {shift, VK_DELETE, 57635},
                            {ctrl, VK_INSERT, 57634}, {shift, VK_INSERT, 57637}, {FVIRTKEY, VK_F6, 57680},
                            {shift, VK_F6, 57681}};
    for (int i = 0; i < 13; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].fVirt & 0x7F, want[i].fVirt);
        EXPECT_EQ(got[i].key, want[i].key);
        EXPECT_EQ(got[i].cmd, want[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

TEST(Resources, StringsKeepTheirExactWording)
{
    EXPECT_EQ(LoadA(128), "Kesu\n\nKesu\nListas de Kesu (*.kes)\n.kes\nKesu.Document\nKesu Document");
    EXPECT_EQ(LoadA(57344), "Kesu");
    EXPECT_EQ(LoadA(57345), "Preparado");
    EXPECT_EQ(LoadA(57600), "Empezar otra exploraci\xF3n (la lista se conserva)\nNuevo");
    EXPECT_EQ(LoadA(57616), "Abrir documento");
    EXPECT_EQ(LoadA(57631), "Abrir documento");
    EXPECT_EQ(LoadA(57641), "Reemplar el texto especificado\nReemplazar");
    EXPECT_EQ(LoadA(57642), "Seleccionar todo el documento\nSelecionar todo");
    EXPECT_EQ(LoadA(32771), "Mostrar o ocultart el medidor de potencia\nMedidor de potencia");
    EXPECT_EQ(LoadA(32772), "Mostrar o ocultar anotaciones\nAnotaciones");
    EXPECT_EQ(LoadA(ID_FILE_EXPORT), "Exportar la lista a un archivo CSV para hojas de c\xE1lculo\nExportar");
    EXPECT_EQ(LoadA(32780), "Mostrar u ocultar el mapa de canales\nCanales");
    EXPECT_EQ(LoadA(59136), "EXT");
    EXPECT_EQ(LoadA(59141), "REC");
    EXPECT_EQ(LoadA(61203), "Activar lista de tareas");
    EXPECT_EQ(LoadW(57632), L"Borrar la selecci\u00F3n\nBorrar");
    EXPECT_EQ(LoadW(57640), L"Repetir la \u00FAltima acci\u00F3n\nRepetir");
    EXPECT_EQ(LoadW(61184), L"Cambiar el tama\u00F1o de la ventana");
    if (GetACP() == 1252)
    {
        EXPECT_EQ(LoadA(57665), "Salir de la aplicaci\xF3n\nSalir");
    }
    // Ids the table leaves out stay out (the framework falls back on them).
    EXPECT_EQ(LoadA(57605), "");
    EXPECT_EQ(LoadA(61191), "");
}

// Bits per pixel and size of each image in an icon group, in order.
std::vector<std::vector<int>> IconGroup(UINT id)
{
    std::vector<uint8_t> dir = RawResource(id, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    std::vector<std::vector<int>> images;
    if (dir.size() < 6)
        return images;
    for (int i = 0; i < Word(dir, 4) && 6 + 14 * (i + 1) <= int(dir.size()); ++i)
        images.push_back({dir[6 + 14 * i], dir[7 + 14 * i], Word(dir, 6 + 14 * i + 6)});
    return images;
}

// Pixels that change when the icon is drawn on a plain background.
int PaintedPixels(HICON icon, COLORREF background)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all = {0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    int changed = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            changed += GetPixel(dc, x, y) != background;
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return changed;
}

TEST(Resources, IconsLoadWithTheirImagesAndTransparency)
{
    const std::vector<std::vector<int>> big256 = {{32, 32, 8}};
    EXPECT_EQ(IconGroup(IDR_MAINFRAME), (std::vector<std::vector<int>>{{32, 32, 8}, {16, 16, 4}}));
    EXPECT_EQ(IconGroup(IDI_BLANK), (std::vector<std::vector<int>>{{32, 32, 4}}));
    for (UINT id : {IDI_ENCRYPTED, IDI_HEARD, IDI_ANNOTATED, IDI_NETWORK_CARD, IDI_TRACKED})
        EXPECT_EQ(IconGroup(id), big256) << id;

    for (UINT id : {IDR_MAINFRAME, IDI_ENCRYPTED, IDI_HEARD, IDI_ANNOTATED, IDI_NETWORK_CARD, IDI_TRACKED})
    {
        HICON icon = LoadIconA(Self(), MAKEINTRESOURCEA(id));
        ASSERT_NE(icon, nullptr) << id;
        // A picture on a see-through ground: plenty drawn, and the ground left alone.
        int drawn = PaintedPixels(icon, RGB(255, 0, 255));
        EXPECT_GT(drawn, 200) << id;
        EXPECT_LT(drawn, 32 * 32 - 50) << id;
    }
    HICON blank = LoadIconA(Self(), MAKEINTRESOURCEA(IDI_BLANK));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(PaintedPixels(blank, RGB(255, 255, 255)), 0);
    EXPECT_EQ(PaintedPixels(blank, RGB(0, 0, 0)), 0);
}

TEST(Resources, ToolbarListsItsButtonsOverTheStrip)
{
    std::vector<uint8_t> bar = RawResource(IDR_MAINFRAME, MAKEINTRESOURCEA(RT_TOOLBAR_ID));
    ASSERT_EQ(bar.size(), 8u + 11 * 2);
    EXPECT_EQ(Word(bar, 0), 1);
    EXPECT_EQ(Word(bar, 2), 16);
    EXPECT_EQ(Word(bar, 4), 15);
    EXPECT_EQ(Word(bar, 6), 11);
    const uint16_t ids[11] = {57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0, 57664};
    int images = 0;
    for (int i = 0; i < 11; ++i)
    {
        EXPECT_EQ(Word(bar, 8 + 2 * i), ids[i]) << i;
        images += ids[i] != 0;
    }
    HBITMAP strip = LoadBitmapA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(strip, nullptr);
    BITMAP info = {};
    GetObjectA(strip, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16 * images);
    EXPECT_EQ(info.bmHeight, 15);
    DeleteObject(strip);

    HBITMAP about = LoadBitmapA(Self(), MAKEINTRESOURCEA(IDB_ABOUT));
    ASSERT_NE(about, nullptr);
    GetObjectA(about, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 266);
    DeleteObject(about);
    std::vector<uint8_t> dib = RawResource(IDB_ABOUT, MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_GE(dib.size(), 40u);
    EXPECT_EQ(Word(dib, 14), 8);  // 256 colours
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::string ClassOf(HWND wnd)
{
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND wnd)
{
    char text[64] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

TEST(Resources, DialogsBuildTheirControls)
{
    INITCOMMONCONTROLSEX cc = {sizeof cc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&cc);

    HWND adapter = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_ADAPTER), nullptr, QuietDialog, 0);
    ASSERT_NE(adapter, nullptr);
    LONG style = GetWindowLongA(adapter, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_EQ(TextOf(adapter), "Dialog");
    HWND list = GetDlgItem(adapter, IDC_ADAPTER_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_STRCASEEQ(ClassOf(list).c_str(), "SysListView32");
    LONG listStyle = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE((listStyle & LVS_SINGLESEL) && (listStyle & LVS_SHOWSELALWAYS) && (listStyle & WS_TABSTOP));
    EXPECT_EQ(TextOf(GetDlgItem(adapter, IDOK)), "OK");
    EXPECT_EQ(GetWindowLongA(GetDlgItem(adapter, IDOK), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(GetDlgItem(adapter, IDCANCEL)), "Cancel");
    // The buttons sit below the list, Cancel right of OK.
    RECT rl, ro, rc;
    GetWindowRect(list, &rl);
    GetWindowRect(GetDlgItem(adapter, IDOK), &ro);
    GetWindowRect(GetDlgItem(adapter, IDCANCEL), &rc);
    EXPECT_GT(ro.top, rl.bottom);
    EXPECT_GT(rc.left, ro.right);
    DestroyWindow(adapter);

    HWND about = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, QuietDialog, 0);
    ASSERT_NE(about, nullptr);
    LONG aboutStyle = GetWindowLongA(about, GWL_STYLE);
    EXPECT_NE(aboutStyle & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(aboutStyle & WS_BORDER);
    HWND picture = GetDlgItem(about, IDC_ABOUT_PICTURE);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
    EXPECT_NE(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    DestroyWindow(about);
}

TEST(Resources, ManifestAsksForCommonControlsSix)
{
    std::vector<uint8_t> manifest = RawResource(1, MAKEINTRESOURCEA(24));  // RT_MANIFEST
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
}

TEST(Resources, BeepBesideTheProgramIsShortPcm)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(0, file.find_last_of('\\') + 1) + "test.wav";
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    std::vector<uint8_t> wav((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(Dword(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Word(wav, 20), WAVE_FORMAT_PCM);
    EXPECT_EQ(Word(wav, 22), 1);        // mono
    EXPECT_EQ(Dword(wav, 24), 22050u);  // samples per second
    EXPECT_EQ(Word(wav, 34), 16);       // bits per sample
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    uint32_t bytes = Dword(wav, 40);
    EXPECT_EQ(bytes, wav.size() - 44);
    double ms = bytes / 2 * 1000.0 / 22050;
    EXPECT_GT(ms, 40);
    EXPECT_LT(ms, 250);
    // Fades in from silence, so it starts without a click.
    EXPECT_EQ(int16_t(Word(wav, 44)), 0);
}

}  // namespace
