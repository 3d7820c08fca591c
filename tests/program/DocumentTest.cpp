// The document's list files, saved and loaded through the framework's
// archive over real files, also while the scanner runs.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "afx/Archive.h"
#include "afx/File.h"
#include "res/resource.h"
#include "tests/program/ProgramTestSupport.h"
#include "tests/scan/TestLists.h"
#include "tests/scan/TestTarget.h"

namespace
{

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One record: the driver's 104 bytes, the stated length, then 'text' (which
// need not be as long as the length says).
void AppendRecord(std::vector<char>& bytes, const NDIS_WLAN_BSSID& bssid, int32_t length,
                  const std::string& text)
{
    const char* p = reinterpret_cast<const char*>(&bssid);
    bytes.insert(bytes.end(), p, p + sizeof bssid);
    const uint32_t le = static_cast<uint32_t>(length);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((le >> shift) & 0xFF));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// Loads 'bytes' through the document's Serialize as the framework would.
bool LoadBytes(const std::vector<char>& bytes)
{
    const std::string path = TempPath("load.ksu");
    WriteFile(path, bytes);
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return false;
    CArchive ar(&file, CArchive::load);
    Doc()->Serialize(ar);
    ar.Close();
    file.Close();
    DeleteFileA(path.c_str());
    return ar.IsOk() != FALSE;
}

std::vector<CNetworkEntry*> Entries()
{
    return ListEntries(*Doc());
}

bool IsZeroTime(const SYSTEMTIME& t)
{
    static const SYSTEMTIME zero = {};
    return std::memcmp(&t, &zero, sizeof t) == 0;
}

}  // namespace

TEST_F(ProgramTest, ListSavedAndOpenedAgainWhileTheScanGoesOn)
{
    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x61, "Portal", -40), MakeScriptedElement(0x62, "Kiosco", -55, 0),
                     MakeScriptedElement(0x63, "", -70)}));
    HearInFirstPass({MakeScriptedElement(0x61, "Portal", -42), MakeScriptedElement(0x64, "Nueva", -60)});
    std::vector<CNetworkEntry*> before = Entries();
    ASSERT_EQ(3u, before.size());
    before[0]->m_strAnnotation = "Portal 3, segundo piso";
    before[2]->m_strAnnotation = "x";
    Doc()->m_pTracked = before[1];

    const size_t retiredBefore = Doc()->GetRetiredCount();
    const std::string path = TempPath("list.ksu");
    ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
    EXPECT_FALSE(Doc()->IsModified());
    const std::vector<char> saved = ReadFile(path);
    ASSERT_EQ(3 * 108 + 22 + 1, saved.size());
    EXPECT_EQ(0, std::memcmp(saved.data(), &before[0]->m_bssid, 104));

    std::vector<NDIS_WLAN_BSSID> records;
    for (const CNetworkEntry* pEntry : before)
        records.push_back(pEntry->m_bssid);

    // The scanner is in its second pass while the file replaces the list.
    App().m_announced.clear();
    ASSERT_TRUE(Doc()->OnOpenDocument(path.c_str()));
    std::vector<CNetworkEntry*> loaded = Entries();
    ASSERT_EQ(3u, loaded.size());
    for (size_t i = 0; i < loaded.size(); ++i)
    {
        EXPECT_NE(before[i], loaded[i]);
        EXPECT_EQ(0, std::memcmp(&records[i], &loaded[i]->m_bssid, sizeof records[i])) << i;
        EXPECT_EQ(before[i]->m_strAnnotation, loaded[i]->m_strAnnotation) << i;
        EXPECT_EQ(0, loaded[i]->m_bSeen);
        EXPECT_EQ(1, loaded[i]->m_bAnnounced);
        EXPECT_TRUE(IsZeroTime(loaded[i]->m_timeFirstSeen));
    }
    // What the load replaced stays alive for whoever still holds it.
    EXPECT_EQ(retiredBefore + 1, Doc()->GetRetiredCount());
    EXPECT_EQ("Kiosco", std::string(reinterpret_cast<const char*>(Doc()->m_pTracked->m_bssid.Ssid), 6));
    // No scan reaches them any more, so they read as not heard: the tracked one
    // stops beeping at the next expiry and the graph falls to the floor.
    for (const CNetworkEntry* pOld : before)
    {
        EXPECT_EQ(0, pOld->m_bSeen);
        EXPECT_EQ(0, pOld->m_bssid.Rssi);
    }
    Frame()->SetTimer(ID_TIMER_BEEP, 60000, nullptr);
    Tick(ID_TIMER_BEEP);
    EXPECT_TRUE(m_sounds.empty());
    EXPECT_FALSE(StopBeepTimer());
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-100.0, LastGraphPoint());
    EXPECT_TRUE(App().m_announced.empty());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ("Portal 3, segundo piso", loaded[0]->m_strAnnotation.str());

    // The scan merges into the loaded list: heard again is refreshed, not
    // announced; the new one follows the loaded ones.
    // A loaded entry's stored signal is not plotted before a scan hears it.
    Doc()->m_pTracked = loaded[0];
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-100.0, LastGraphPoint());
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-42.0, LastGraphPoint());
    EXPECT_EQ(0, before[0]->m_bSeen) << "the scan merges into the loaded list only";
    std::vector<CNetworkEntry*> merged = Entries();
    ASSERT_EQ(4u, merged.size());
    EXPECT_EQ(loaded[0], merged[0]);
    EXPECT_EQ(1, merged[0]->m_bSeen);
    EXPECT_EQ(-42, merged[0]->m_bssid.Rssi);
    EXPECT_EQ(0x64, merged[3]->m_bssid.MacAddress[5]);
    EXPECT_EQ((std::vector<std::string>{"Nueva red Nueva , Canal 6 , red cifrada"}), App().m_announced);
    DeleteFileA(path.c_str());
}

TEST_F(ProgramTest, SaveAsOffersListFilesWithTheirExtensionAndOpenTakesAFileWithout)
{
    HearInFirstPass({MakeScriptedElement(0x61, "Portal", -40)});
    const std::string filter("Listas de Kesu (*.kes)\0*.kes\0Todos los archivos (*.*)\0*.*\0", 58);
    const std::string saved = TempPath("redes casa");
    App().m_fileAnswers.push_back(saved);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    ASSERT_EQ(1u, App().m_fileDialogs.size());
    const CTestKesuApp::FileDialog save = App().m_fileDialogs[0];
    EXPECT_FALSE(save.bOpen);
    EXPECT_EQ(filter, save.filter);
    EXPECT_EQ(1u, save.nFilterIndex);
    EXPECT_EQ("kes", save.defExt) << "a name typed without extension gets .kes";
    EXPECT_EQ("Sin t\xEDtulo.kes", save.file);
    EXPECT_EQ(108u, ReadFile(saved).size());

    // Lists saved before had no extension; the open dialog appends none.
    const std::string other = TempPath("otra lista");
    ASSERT_TRUE(CopyFileA(saved.c_str(), other.c_str(), FALSE));
    App().m_fileAnswers.push_back(other);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    ASSERT_EQ(2u, App().m_fileDialogs.size());
    EXPECT_TRUE(App().m_fileDialogs[1].bOpen);
    EXPECT_EQ(filter, App().m_fileDialogs[1].filter);
    EXPECT_EQ("", App().m_fileDialogs[1].defExt);
    EXPECT_STRCASEEQ(other.c_str(), Doc()->GetPathName());
    EXPECT_EQ(1u, Entries().size());
    DeleteFileA(saved.c_str());
    DeleteFileA(other.c_str());
}

TEST_F(ProgramTest, EmptyListIsAnEmptyFileAndShortFilesChangeNothing)
{
    const std::string path = TempPath("empty.ksu");
    ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
    EXPECT_TRUE(ReadFile(path).empty());

    PutList(*Doc(), ListOf({MakeScriptedElement(0x71, "Queda", -50)}));
    CNetworkEntry* pEntry = EntryAt(0);
    ASSERT_TRUE(Doc()->OnOpenDocument(path.c_str()));
    EXPECT_EQ(std::vector<CNetworkEntry*>{pEntry}, Entries());
    EXPECT_TRUE(LoadBytes(std::vector<char>(103, 'k')));
    EXPECT_EQ(std::vector<CNetworkEntry*>{pEntry}, Entries());
    EXPECT_TRUE(App().m_messages.empty());
    DeleteFileA(path.c_str());
}

TEST_F(ProgramTest, DamagedRecordsLoadWhatTheyHold)
{
    const NDIS_WLAN_BSSID a = MakeScriptedElement(0x81, "A", -40);
    const NDIS_WLAN_BSSID b = MakeScriptedElement(0x82, "B", -50);

    std::vector<char> bytes;
    AppendRecord(bytes, a, 0, "");
    ASSERT_EQ(108u, bytes.size());
    ASSERT_TRUE(LoadBytes(bytes));
    std::vector<CNetworkEntry*> entries = Entries();
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("", entries[0]->m_strAnnotation);

    // A negative length reads no text: the next record follows its 4 bytes.
    bytes.clear();
    AppendRecord(bytes, a, -5, "");
    AppendRecord(bytes, b, 3, "abc");
    ASSERT_TRUE(LoadBytes(bytes));
    entries = Entries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("", entries[0]->m_strAnnotation);
    EXPECT_EQ(0x82, entries[1]->m_bssid.MacAddress[5]);
    EXPECT_EQ("abc", entries[1]->m_strAnnotation);

    // Cut inside the length: the entry with an empty annotation.
    bytes.clear();
    AppendRecord(bytes, a, 8, "complete");
    AppendRecord(bytes, b, 0, "");
    bytes.resize(108 + 8 + 106);
    ASSERT_TRUE(LoadBytes(bytes));
    entries = Entries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("complete", entries[0]->m_strAnnotation);
    EXPECT_EQ("", entries[1]->m_strAnnotation);

    // Cut inside the text, even where the length claims gigabytes: what is
    // there, up to a NUL.
    bytes.clear();
    AppendRecord(bytes, a, 10, "mitad");
    ASSERT_TRUE(LoadBytes(bytes));
    entries = Entries();
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("mitad", entries[0]->m_strAnnotation);
    bytes.clear();
    AppendRecord(bytes, b, 0x7FFFFFFF, std::string("ab\0cd", 5));
    ASSERT_TRUE(LoadBytes(bytes));
    entries = Entries();
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("ab", entries[0]->m_strAnnotation);
    EXPECT_GE(Doc()->GetRetiredCount(), 4u);
}

TEST_F(ProgramTest, FileNewStopsTheRunningScanBeforeStartingTheNext)
{
    ScriptedCardHost first;
    first.SetSleepMilliseconds(5);
    first.AddPass(PassHearing({MakeScriptedElement(0x91, "Antes", -50)}));
    Doc()->SetScanHost(&first);
    AnswerAdapterDialog(kScriptedService);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    ASSERT_TRUE(PumpUntil([] { return !Entries().empty(); }));

    // Cancelled: the next scan uses the card chosen before.
    m_card.SetSleepMilliseconds(5);
    Doc()->SetScanHost(&m_card);
    AnswerAdapterDialog(nullptr);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    ASSERT_TRUE(AdapterDialogAnswered());
    EXPECT_EQ(0, first.OpenDevices()) << "the first scanner has ended";
    EXPECT_TRUE(PumpUntil([&] { return m_card.OpenDevices() == 1; }));
    EXPECT_EQ(std::vector<std::string>{"\\\\.\\" + std::string(kScriptedService)}, m_card.OpenedPaths());
    EXPECT_EQ(1u, Entries().size()) << "a new scan adds to the list";
    Doc()->StopScan();
}

namespace
{

// A document whose scanner thread can't be created, on its own (no frame).
class CThreadlessDoc : public CKesuDoc
{
public:
    int m_nThreadRequests = 0;
    int m_nScanningAtThreadStart = -1;

protected:
    void ChooseAdapter() override {}
    HANDLE BeginScanThread() override
    {
        ++m_nThreadRequests;
        m_nScanningAtThreadStart = m_bScanning;
        return nullptr;
    }
};

}  // namespace

TEST(DocumentScanTest, ScanningOnlyWhileAScannerStartsOrRuns)
{
    CThreadlessDoc* pDoc = new CThreadlessDoc;
    EXPECT_EQ(0, pDoc->m_bScanning.load()) << "no scanner yet, as with a list opened at start-up";
    EXPECT_TRUE(pDoc->OnNewDocument());
    EXPECT_EQ(1, pDoc->m_nThreadRequests);
    EXPECT_EQ(1, pDoc->m_nScanningAtThreadStart) << "starting counts as scanning";
    EXPECT_EQ(nullptr, pDoc->m_hScanThread);
    EXPECT_EQ(0, pDoc->m_bScanning.load());
    delete pDoc;
}

TEST_F(ProgramTest, AFailedSaveKeepsTheEarlierFileAndTheListInMemory)
{
    HearInFirstPass({MakeScriptedElement(0xB1, "Uno", -40), MakeScriptedElement(0xB2, "Dos", -50)});
    const std::vector<CNetworkEntry*> entries = Entries();
    ASSERT_EQ(2u, entries.size());
    entries[1]->m_strAnnotation = "nota";
    const std::string path = TempPath("readonly.ksu");
    WriteFile(path, std::vector<char>(108, 'e'));

    // The file may not be replaced: another program holds it.
    EXPECT_TRUE(Doc()->IsModified());
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive));
        EXPECT_FALSE(Doc()->OnSaveDocument(path.c_str()));
    }
    ASSERT_EQ(1u, App().m_messages.size());
    EXPECT_NE(std::string::npos, App().m_messages[0].find(path)) << App().m_messages[0];
    EXPECT_EQ(std::vector<char>(108, 'e'), ReadFile(path));
    EXPECT_TRUE(Doc()->IsModified());

    // The writes themselves fail, as on a disk that fills up: the archive
    // carries the failure to whoever saves.
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::store);
        Doc()->Serialize(ar);
        ar.Close();
        EXPECT_FALSE(ar.IsOk());
    }
    EXPECT_EQ(std::vector<char>(108, 'e'), ReadFile(path));
    EXPECT_EQ(entries, Entries());
    EXPECT_EQ("nota", entries[1]->m_strAnnotation);
    EXPECT_EQ(1, entries[0]->m_bSeen);
    DeleteFileA(path.c_str());
}

namespace
{

// A document on its own whose scanned entries count themselves.
class CCountingDoc : public CKesuDoc
{
public:
    struct CCountedEntry : CNetworkEntry
    {
        CCountedEntry() { ++s_nLive; }
        ~CCountedEntry() override { --s_nLive; }
    };
    static int s_nLive;

    CNetworkEntry* CreateEntry() override { return new (std::nothrow) CCountedEntry; }

protected:
    void ChooseAdapter() override {}
};
int CCountingDoc::s_nLive = 0;

}  // namespace

TEST(DocumentScanTest, ClosingMidPassEndsThePassThenFreesEverything)
{
    ScriptedCardHost card;
    card.SetSleepMilliseconds(5);
    for (int i = 0; i < 3; ++i)
        card.AddPass(
            PassHearing({MakeScriptedElement(0xC1, "Uno", -40), MakeScriptedElement(0xC2, "Dos", -50)}));
    auto* pDoc = new CCountingDoc;
    pDoc->m_bAutoDelete = FALSE;
    pDoc->SetScanHost(&card);
    ASSERT_TRUE(pDoc->OnNewDocument());
    ASSERT_TRUE(card.WaitForPause(1));
    EXPECT_EQ(2, CCountingDoc::s_nLive);
    pDoc->m_pTracked = pDoc->m_entries.Head();

    pDoc->OnCloseDocument();
    EXPECT_EQ(6u, card.IoCalls().size()) << "the pass in progress ended whole first";
    EXPECT_EQ(0, card.OpenDevices());
    EXPECT_EQ(0, card.OutstandingBuffers());
    EXPECT_EQ(0, CCountingDoc::s_nLive);
    EXPECT_TRUE(pDoc->m_entries.IsEmpty());
    EXPECT_EQ(nullptr, pDoc->m_pTracked);
    EXPECT_EQ(nullptr, pDoc->m_hScanThread);
    EXPECT_EQ(0, pDoc->m_bScanning.load());
    delete pDoc;
}

namespace
{

// What the status bar's first pane was given to show, in order.
std::vector<std::string> g_firstPaneTexts;

LRESULT CALLBACK RecordFirstPane(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && pMessage->message == SB_SETTEXTA && (pMessage->wParam & 0xFF) == 0 &&
        pMessage->hwnd == Frame()->m_wndStatusBar.GetSafeHwnd() && pMessage->lParam)
        g_firstPaneTexts.push_back(reinterpret_cast<const char*>(pMessage->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(ProgramTest, OpenAndSaveSayWhatTheyDoInTheStatusBarThenGiveItBack)
{
    HearInFirstPass({MakeScriptedElement(0x61, "Portal", -40)});
    const std::string idle = PaneText(0);
    const std::string path = TempPath("progress.ksu");
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordFirstPane, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    g_firstPaneTexts.clear();
    const bool bSaved = Doc()->OnSaveDocument(path.c_str()) != FALSE;
    const std::vector<std::string> whileSaving = std::exchange(g_firstPaneTexts, {});
    const bool bOpened = Doc()->OnOpenDocument(path.c_str()) != FALSE;
    const std::vector<std::string> whileOpening = std::exchange(g_firstPaneTexts, {});
    UnhookWindowsHookEx(hHook);
    DeleteFileA(path.c_str());

    EXPECT_TRUE(bSaved);
    EXPECT_TRUE(bOpened);
    EXPECT_EQ((std::vector<std::string>{"Guardando la lista...", idle}), whileSaving);
    EXPECT_EQ((std::vector<std::string>{"Abriendo la lista...", idle}), whileOpening);
    EXPECT_EQ(idle, PaneText(0));
}
