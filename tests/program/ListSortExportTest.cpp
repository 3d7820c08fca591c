// The list sorted by a header click (arrow, order, selection and tracking
// following their entry, the maker column) and exported as CSV.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/program/ProgramTestSupport.h"

namespace
{

void ClickHeader(int column)
{
    CListCtrl& list = View()->GetListCtrl();
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = list.m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    Frame()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

int HeaderSortFlags(int column)
{
    HWND hHeader = reinterpret_cast<HWND>(View()->GetListCtrl().SendMessage(LVM_GETHEADER));
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(hHeader, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
}

std::vector<std::string> Column(int column)
{
    std::vector<std::string> cells;
    for (int row = 0; row < View()->GetListCtrl().GetItemCount(); ++row)
        cells.push_back(CellText(row, column));
    return cells;
}

int SelectedRow()
{
    return static_cast<int>(
        View()->GetListCtrl().SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using Names = std::vector<std::string>;

}  // namespace

TEST_F(ProgramTest, HeaderClicksSortTheListAndTheSelectionAndTrackingFollowTheirEntry)
{
    NDIS_WLAN_BSSID apple = MakeScriptedElement(0x21, "Manzana", -60);
    const UCHAR appleMac[kMacAddressLength] = {0x60, 0x8b, 0x0e, 0x00, 0x00, 0x21};
    std::memcpy(apple.MacAddress, appleMac, sizeof appleMac);
    m_card.AddPass(
        PassHearing({apple, MakeScriptedElement(0x22, "Casa", -40), MakeScriptedElement(0x23, "Bar", -80)}));
    HearInFirstPass({MakeScriptedElement(0x22, "Casa", -40), MakeScriptedElement(0x24, "Nueva", -50)});
    EXPECT_EQ((Names{"Apple, Inc.", "direcci\xF3n aleatoria", "direcci\xF3n aleatoria"}),
              Column(kColumnMaker));

    CListCtrl& list = View()->GetListCtrl();
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CNetworkEntry* pApple = Doc()->m_entries.Head();
    Doc()->m_pTracked = pApple;

    ClickHeader(kColumnSignal);
    EXPECT_EQ(HDF_SORTUP, HeaderSortFlags(kColumnSignal));
    EXPECT_EQ((Names{"Bar", "Manzana", "Casa"}), Column(kColumnName));
    EXPECT_EQ(1, SelectedRow());
    EXPECT_EQ(kImageTracked, CellImage(1, 0));

    ClickHeader(kColumnSignal);
    EXPECT_EQ(HDF_SORTDOWN, HeaderSortFlags(kColumnSignal));
    EXPECT_EQ((Names{"Casa", "Manzana", "Bar"}), Column(kColumnName));
    EXPECT_EQ(1, SelectedRow());

    // The next pass: one not heard (empty signal, last), one new in its sorted place.
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ((Names{"Casa", "Nueva", "Manzana", "Bar"}), Column(kColumnName));
    EXPECT_EQ(2, SelectedRow());
    EXPECT_EQ(kImageTracked, CellImage(2, 0));

    // Another column starts ascending and takes the arrow; the third click is the order of discovery.
    ClickHeader(kColumnName);
    EXPECT_EQ(0, HeaderSortFlags(kColumnSignal));
    EXPECT_EQ(HDF_SORTUP, HeaderSortFlags(kColumnName));
    EXPECT_EQ((Names{"Bar", "Casa", "Manzana", "Nueva"}), Column(kColumnName));
    ClickHeader(kColumnName);
    ClickHeader(kColumnName);
    EXPECT_EQ(0, HeaderSortFlags(kColumnName));
    EXPECT_EQ((Names{"Manzana", "Casa", "Bar", "Nueva"}), Column(kColumnName));
    EXPECT_EQ(0, SelectedRow());
    EXPECT_EQ("", std::string(AfxGetApp()->GetProfileString("ListColumns", "Sort", "?")));
}

TEST_F(ProgramTest, ExportWritesTheListAsUtf8CsvInTheShownOrderAndLeavesTheModifiedMarkAlone)
{
    NDIS_WLAN_BSSID full = MakeScriptedElement(0x35, "", -41, 0);
    std::memcpy(full.Ssid, "0123456789abcdefghijklmnopqrstuv", 32);
    full.SsidLength = 32;
    full.Configuration.DSConfig = 5955000;  // 6 GHz channel 1
    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x31, "say \"hi\", ok", -45),
                     MakeScriptedElement(0x32,
                                         "l\xED"
                                         "nea\nnueva\x7f",
                                         -50, 0),
                     MakeScriptedElement(0x33, "", -60), MakeScriptedElement(0x34, "=1+2", -70), full}));
    m_card.SetLocalTime({2024, 2, 0, 29, 23, 5, 9, 0});
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
    {
        CEntryListLock lock(*Doc());
        Doc()->m_entries.Head()->m_strAnnotation = "Se\xF1"
                                                   "al \"fuerte\"\r\nen la esquina";
    }
    ClickHeader(kColumnSignal);
    ClickHeader(kColumnSignal);  // strongest first
    Doc()->SetModifiedFlag(FALSE);

    const std::string path = TempPath("export.csv");
    ASSERT_TRUE(View()->ExportTo(path.c_str()));
    ClickHeader(kColumnSignal);
    const std::string expected =
        "\xEF\xBB\xBFNombre de red,Direcci\xC3\xB3n MAC,Fabricante,Cifrado,Modo,Canal,Frecuencia (MHz),"
        "Se\xC3\xB1"
        "al (dBm),Primera vez,Anotaci\xC3\xB3n\r\n"
        "0123456789abcdefghijklmnopqrstuv,02:00:00:00:00:35,direcci\xC3\xB3n aleatoria,Open,Infraestructura,"
        "1 (6 GHz),5955,-41,2024-02-29T23:05:09,\r\n"
        "\"say \"\"hi\"\", ok\",02:00:00:00:00:31,direcci\xC3\xB3n "
        "aleatoria,Encrypted,Infraestructura,6,2437,-45,"
        "2024-02-29T23:05:09,\"Se\xC3\xB1"
        "al \"\"fuerte\"\"\r\nen la esquina\"\r\n"
        "l\xC3\xAD"
        "nea\\x0Anueva\\x7F,02:00:00:00:00:32,direcci\xC3\xB3n aleatoria,Open,Infraestructura,6,2437,-50,"
        "2024-02-29T23:05:09,\r\n"
        "(red oculta),02:00:00:00:00:33,direcci\xC3\xB3n aleatoria,Encrypted,Infraestructura,6,2437,-60,"
        "2024-02-29T23:05:09,\r\n"
        "'=1+2,02:00:00:00:00:34,direcci\xC3\xB3n aleatoria,Encrypted,Infraestructura,6,2437,-70,"
        "2024-02-29T23:05:09,\r\n";
    EXPECT_EQ(expected, ReadFile(path));
    EXPECT_FALSE(Doc()->IsModified());

    // A failed export says so, leaves nothing behind and the earlier file whole.
    const std::string missing = TempPath("no-such-folder\\lista.csv");
    EXPECT_FALSE(View()->ExportTo(missing.c_str()));
    ASSERT_EQ(1u, App().m_messages.size());
    EXPECT_NE(std::string::npos, App().m_messages[0].find("lista.csv"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing.c_str()));
    // Another program holds the earlier export open.
    HANDLE hHeld = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(View()->ExportTo(path.c_str()));
    CloseHandle(hHeld);
    EXPECT_EQ(expected, ReadFile(path));
    DeleteFileA(path.c_str());
    EXPECT_FALSE(Doc()->IsModified());
}
