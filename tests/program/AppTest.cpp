// The application's services: texts, the announcer, the adapter name and the
// image lists, on the application the program tests started.
#include "tests/program/ProgramTestSupport.h"

#include <sapi.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/IconList.h"
#include "app/LanguageTable.h"
#include "res/resource.h"
#include "tests/graph/MemorySurface.h"

namespace
{

// A voice that records what it is asked to speak; nothing else is used.
class CRecordingVoice : public ISpVoice
{
public:
    struct Request
    {
        std::wstring text;
        DWORD flags;
        bool bWantsStreamNumber;
    };
    std::vector<Request> m_requests;

    HRESULT STDMETHODCALLTYPE Speak(LPCWSTR pwcs, DWORD dwFlags, ULONG* pulStreamNumber) override
    {
        m_requests.push_back({pwcs ? pwcs : L"", dwFlags, pulStreamNumber != nullptr});
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetNotifySink(ISpNotifySink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND, UINT, WPARAM, LPARAM) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM, LPARAM) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM, LPARAM) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override { return E_NOTIMPL; }
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override { return nullptr; }
    HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG, ULONGLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetEvents(ULONG, SPEVENT*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetInfo(SPEVENTSOURCEINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetOutput(IUnknown*, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputObjectToken(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputStream(ISpStreamFormat**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Pause() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVoice(ISpObjectToken*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVoice(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SpeakStream(IStream*, DWORD, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(SPVOICESTATUS*, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(LPCWSTR, LONG, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPriority(SPVPRIORITY) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPriority(SPVPRIORITY*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAlertBoundary(SPEVENTENUM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAlertBoundary(SPEVENTENUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRate(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRate(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVolume(USHORT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG*) override { return E_NOTIMPL; }
    HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override { return nullptr; }
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override { return E_NOTIMPL; }
};

std::vector<UINT> g_beeps;

BOOL RecordBeep(UINT uType)
{
    g_beeps.push_back(uType);
    return TRUE;
}

// The announcer with its beep recorded and the voice the test gives it.
class AnnouncerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_beeps.clear();
        m_pfnSavedBeep = CKesuApp::s_pfnMessageBeep;
        CKesuApp::s_pfnMessageBeep = RecordBeep;
        m_savedVoice = std::move(App().m_pVoice);
    }
    void TearDown() override
    {
        App().m_pVoice = std::move(m_savedVoice);
        CKesuApp::s_pfnMessageBeep = m_pfnSavedBeep;
    }

    CKesuApp::MessageBeepFn m_pfnSavedBeep = nullptr;
    ComPtr<ISpVoice> m_savedVoice;
};

HICON ProgramIcon(UINT id)
{
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// Image 'index' of 'hList' drawn on black, row by row.
std::vector<COLORREF> Picture(HIMAGELIST hList, int index, int size)
{
    MemorySurface surface(size, size);
    ImageList_Draw(hList, index, surface.dc.GetSafeHdc(), 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(surface.Pixel(x, y));
    return pixels;
}

// Icon 'id' as an image list of that size shows it.
std::vector<COLORREF> IconPicture(UINT id, int size)
{
    CImageList one;
    one.Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
    one.SetBkColor(CLR_NONE);
    one.Replace(-1, ProgramIcon(id));
    return Picture(one.GetSafeHandle(), 0, size);
}

}  // namespace

TEST_F(AnnouncerTest, WithoutAVoiceOnlyBeeps)
{
    App().m_pVoice.Reset();
    App().CKesuApp::Announce("Nueva red Casa");
    EXPECT_EQ(std::vector<UINT>{0}, g_beeps);
}

TEST_F(AnnouncerTest, TextsGoToTheVoiceWithoutWaitingInTheOrderGiven)
{
    CRecordingVoice voice;
    App().m_pVoice = ComPtr<ISpVoice>(&voice);  // its Release frees nothing
    for (const char* text : {"uno", "dos", "Nueva red Ca\xF1o"})
        App().CKesuApp::Announce(text);
    ASSERT_EQ(3u, voice.m_requests.size());
    EXPECT_EQ(L"uno", voice.m_requests[0].text);
    EXPECT_EQ(L"dos", voice.m_requests[1].text);
    EXPECT_EQ(L"Nueva red Ca\u00F1o", voice.m_requests[2].text) << "from the ANSI code page";
    for (const CRecordingVoice::Request& request : voice.m_requests)
    {
        EXPECT_EQ(static_cast<DWORD>(SPF_ASYNC), request.flags);
        EXPECT_FALSE(request.bWantsStreamNumber);
    }
    EXPECT_EQ((std::vector<UINT>{0, 0, 0}), g_beeps);
}

TEST(AppServicesTest, TextsAndAdapterName)
{
    EXPECT_STREQ("Nombre de red", App().GetString(LanguageText::HeaderName));
    std::unique_ptr<CLanguageTable> pTable = std::move(App().m_pLanguage);
    EXPECT_STREQ("***", App().GetString(LanguageText::HeaderName));
    App().m_pLanguage = std::move(pTable);

    const std::string saved = App().GetAdapterName();
    App().SetAdapterName(std::string(600, 'a').c_str());
    EXPECT_EQ(std::string(511, 'a'), App().GetAdapterName());
    App().SetAdapterName(saved.c_str());
}

TEST(AppServicesTest, ImageListsHoldTheSevenIconsInTheirOrder)
{
    const UINT order[] = {128, 141, 140, 134, 144, 149, 148};
    for (CImageList* pList : {App().GetLargeImageList(), App().GetSmallImageList()})
    {
        ASSERT_NE(nullptr, pList);
        const int size = pList == App().GetLargeImageList() ? 32 : 16;
        int cx = 0, cy = 0;
        ImageList_GetIconSize(pList->GetSafeHandle(), &cx, &cy);
        EXPECT_EQ(size, cx);
        EXPECT_EQ(size, cy);
        ASSERT_EQ(7, pList->GetImageCount());
        for (int index = 0; index < 7; ++index)
        {
            const std::vector<COLORREF> expected = IconPicture(order[index], size);
            EXPECT_EQ(expected, Picture(pList->GetSafeHandle(), index, size)) << index << " at " << size;
            for (int other = 0; other < index; ++other)
                ASSERT_NE(expected, IconPicture(order[other], size))
                    << "icons must differ to tell them apart";
        }
    }
}

TEST(AppServicesTest, AMissingIconLeavesABlankInItsSlot)
{
    const UINT ids[] = {IDI_HEARD, 9999, IDI_ENCRYPTED};
    const std::unique_ptr<CImageList> pList = BuildIconList(16, ids, 3);
    ASSERT_NE(nullptr, pList);
    ASSERT_EQ(3, pList->GetImageCount());
    EXPECT_EQ(std::vector<COLORREF>(16 * 16, RGB(0, 0, 0)), Picture(pList->GetSafeHandle(), 1, 16));
    EXPECT_EQ(IconPicture(IDI_ENCRYPTED, 16), Picture(pList->GetSafeHandle(), 2, 16));
}
