// The voice object as the program reaches it: through the component library
// and the platform's declaration of the interface, speaking through a stand-in
// engine (tests/voice/fake-espeak) or through espeak-ng itself.
#include "afx/AfxSetup.h"

#include <sapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "voice/SentenceRun.h"
#include "voice/SpeechWorker.h"
#include "voice/Voice.h"
#include "wine/WineBridge.h"

namespace
{

using Clock = std::chrono::steady_clock;

// As the program creates it.
const CLSID kClsidSpVoice = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
const DWORD kContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

bool WaitFor(const std::function<bool()>& condition, int ms = 10000)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!condition())
    {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Lines(const std::wstring& path)
{
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(path)};
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Contents(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryW(folder.c_str());
}

void SetEnv(const wchar_t* name, const std::wstring& value)
{
    SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

// Field 22 of a Unix process's stat: its start time, as the voice records it.
std::string StartTimeOf(const std::string& id)
{
    std::string stat = Contents(WindowsPathOf("/proc/" + id + "/stat"));
    const size_t name = stat.rfind(')');
    if (name == std::string::npos)
        return std::string();
    std::istringstream fields(stat.substr(name + 1));
    std::string field;
    for (int i = 0; i < 20; ++i)
        fields >> field;
    return fields ? field : std::string();
}

// A fresh folder per test (with a space in its name: paths cross to Unix as
// single arguments), the engine chosen through the environment, COM started.
class Voice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"kesu voice test " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++s_nFolders);
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
        m_log = m_folder + L"\\said.log";
        m_hold = m_folder + L"\\hold";
        SetEnv(L"KESU_FAKE_LOG", WideOfUtf8(UnixPathOf(m_log)));
        SetEnv(L"KESU_FAKE_HOLD", WideOfUtf8(UnixPathOf(m_hold)));
        SetEnv(L"KESU_FAKE_EXIT", L"");
        SetEnv(L"KESU_VOICE_WAV", L"");
        SetEnv(L"KESU_ESPEAK", WideOfUtf8(KESU_FAKE_ENGINE));
    }

    void TearDown() override
    {
        for (ISpVoice* pVoice : m_voices)
            pVoice->Release();
        SetEnv(L"KESU_ESPEAK", L"");
        CoUninitialize();
        SetEnv(L"KESU_VOICE_WAV", L"");
        // The voices have ended; what they and the stand-in left goes.
        RemoveFolder(m_folder + L"\\wav");
        RemoveFolder(m_folder);
    }

    // A voice the fixture releases, unless the test does first (Forget).
    ISpVoice* Create()
    {
        void* pVoice = nullptr;
        const HRESULT hr = CoCreateInstance(kClsidSpVoice, nullptr, kContext, __uuidof(ISpVoice), &pVoice);
        EXPECT_EQ(S_OK, hr) << "is the voice registered? (scripts/testbed.sh start)";
        if (pVoice)
            m_voices.push_back(static_cast<ISpVoice*>(pVoice));
        return static_cast<ISpVoice*>(pVoice);
    }
    void Forget(ISpVoice* pVoice) { m_voices.erase(std::find(m_voices.begin(), m_voices.end(), pVoice)); }

    void Hold() { std::ofstream(std::filesystem::path(m_hold)).put('1'); }
    void Let() { DeleteFileW(m_hold.c_str()); }
    size_t Said() { return Lines(m_log).size(); }

    static inline int s_nFolders = 0;
    std::wstring m_folder, m_log, m_hold;
    std::vector<ISpVoice*> m_voices;
};

TEST_F(Voice, KeepsTheComponentRules)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    Forget(pVoice);

    // Every interface it implements is the same object; others are refused.
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(S_OK, pVoice->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    void* pBase = nullptr;
    for (const IID& iid : {__uuidof(ISpEventSource), __uuidof(ISpNotifySource), __uuidof(ISpVoice)})
    {
        ASSERT_EQ(S_OK, pVoice->QueryInterface(iid, &pBase));
        IUnknown* pIdentity = nullptr;
        static_cast<IUnknown*>(pBase)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pIdentity));
        EXPECT_EQ(pUnknown, pIdentity);
        pIdentity->Release();
        static_cast<IUnknown*>(pBase)->Release();
    }
    for (const IID& iid : {IID_IDispatch, IID_IClassFactory, __uuidof(ISpObjectToken)})
    {
        pBase = &pBase;
        EXPECT_EQ(E_NOINTERFACE, pVoice->QueryInterface(iid, &pBase));
        EXPECT_EQ(nullptr, pBase);
    }
    EXPECT_EQ(E_POINTER, pVoice->QueryInterface(IID_IUnknown, nullptr));

    // Counts: the creator's reference and the one QueryInterface added.
    EXPECT_EQ(3u, pVoice->AddRef());
    EXPECT_EQ(2u, pVoice->Release());
    EXPECT_EQ(1u, pUnknown->Release());
    EXPECT_EQ(0u, pVoice->Release());

    // Not an aggregate part of anything.
    void* pInner = &pInner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, CoCreateInstance(kClsidSpVoice, reinterpret_cast<IUnknown*>(&pInner),
                                                      CLSCTX_INPROC_SERVER, IID_IUnknown, &pInner));
}

// Through the platform's own declaration, so a slot out of place shows here.
TEST_F(Voice, MethodsTheProgramDoesNotCallSayNotImplemented)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    ULONG n = 0;
    long rate = 0;
    USHORT volume = 0;
    BOOL supported = FALSE;
    SPVPRIORITY priority;
    SPEVENTENUM boundary;
    EXPECT_EQ(E_NOTIMPL, pVoice->SetNotifySink(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetNotifyWindowMessage(nullptr, 0, 0, 0));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetNotifyCallbackFunction(nullptr, 0, 0));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetNotifyCallbackInterface(nullptr, 0, 0));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetNotifyWin32Event());
    EXPECT_EQ(E_NOTIMPL, pVoice->WaitForNotifyEvent(0));
    EXPECT_EQ(nullptr, pVoice->GetNotifyEventHandle());
    EXPECT_EQ(E_NOTIMPL, pVoice->SetInterest(0, 0));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetEvents(1, nullptr, &n));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetInfo(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetOutput(nullptr, TRUE));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetOutputObjectToken(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetOutputStream(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->Pause());
    EXPECT_EQ(E_NOTIMPL, pVoice->Resume());
    EXPECT_EQ(E_NOTIMPL, pVoice->SetVoice(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetVoice(nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->SpeakStream(nullptr, SPF_ASYNC, &n));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetStatus(nullptr, nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->Skip(L"SENTENCE", 1, &n));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetPriority(SPVPRI_NORMAL));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetPriority(&priority));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetAlertBoundary(SPEI_WORD_BOUNDARY));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetAlertBoundary(&boundary));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetRate(2));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetRate(&rate));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetVolume(50));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetVolume(&volume));
    EXPECT_EQ(E_NOTIMPL, pVoice->WaitUntilDone(0));
    EXPECT_EQ(E_NOTIMPL, pVoice->SetSyncSpeakTimeout(0));
    EXPECT_EQ(E_NOTIMPL, pVoice->GetSyncSpeakTimeout(&n));
    EXPECT_EQ(nullptr, pVoice->SpeakCompleteEvent());
    EXPECT_EQ(E_NOTIMPL, pVoice->IsUISupported(SPDUI_EngineProperties, nullptr, 0, &supported));
    EXPECT_EQ(E_NOTIMPL, pVoice->DisplayUI(nullptr, L"", SPDUI_EngineProperties, nullptr, 0));
    // Only asynchronous speech of a sane length is offered; nothing here reaches the engine.
    EXPECT_EQ(E_NOTIMPL, pVoice->Speak(L"hola", SPF_DEFAULT, nullptr));
    EXPECT_EQ(E_NOTIMPL, pVoice->Speak(L"hola", SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr));
    EXPECT_EQ(E_POINTER, pVoice->Speak(nullptr, SPF_ASYNC, nullptr));
    EXPECT_EQ(E_INVALIDARG, pVoice->Speak(std::wstring(9000, L'a').c_str(), SPF_ASYNC, nullptr));
    // Nothing to say is done at once.
    EXPECT_EQ(S_OK, pVoice->Speak(L"", SPF_ASYNC, nullptr));
    Sleep(300);
    EXPECT_EQ(0u, Said());
}

TEST_F(Voice, SpeaksInOrderWhileSpeakReturnsAtOnce)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    const wchar_t* texts[] = {L"Nueva red Casa , Canal 2437000 , red cifrada",
                              L"Nueva red Ñandú café , Canal 6", L"Nueva red \"<b>\" , Canal 11"};
    Hold();
    double slowestMs = 0;
    ULONG stream = 0;
    for (ULONG i = 0; i < 3; ++i)
    {
        const auto start = Clock::now();
        EXPECT_EQ(S_OK, pVoice->Speak(texts[i], SPF_ASYNC, &stream));
        slowestMs =
            std::max(slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        EXPECT_EQ(i + 1, stream);
        // The first is being spoken before the others are even queued.
        if (i == 0)
        {
            ASSERT_TRUE(WaitFor([&] { return Said() == 1; }));
        }
    }
    std::printf("slowest Speak while the engine was speaking: %.3f ms\n", slowestMs);
    Sleep(300);
    EXPECT_EQ(1u, Said()) << "the second text must wait for the end of the first";

    Let();
    ASSERT_TRUE(WaitFor([&] { return Said() == 3; }));
    EXPECT_EQ((std::vector<std::string>{"Nueva red Casa , Canal 2437000 , red cifrada",
                                        "Nueva red \xC3\x91\x61ndú café , Canal 6",
                                        "Nueva red \"<b>\" , Canal 11"}),
              Lines(m_log));
    EXPECT_EQ(0u, Contents(m_log + L".args").find("-v es -b 1 -f /"));
}

// A network name may hold any byte: none reaches the engine as a control
// character (the engine reads some as commands), and each stays one space.
TEST_F(Voice, ControlCharactersReachTheEngineAsSpacesAndTheLongestTextIsTaken)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    EXPECT_EQ(S_OK, pVoice->Speak(L"Nueva red \x01"
                                  L"0A\x01"
                                  L"1S\x1F\x7F\x80\x85\x9F\t\r\nfin \xA0\xD1",
                                  SPF_ASYNC, nullptr));
    const std::wstring longest(CVoice::kMaxText, L'a');
    EXPECT_EQ(S_OK, pVoice->Speak(longest.c_str(), SPF_ASYNC, nullptr));
    EXPECT_EQ(E_INVALIDARG, pVoice->Speak((longest + L"a").c_str(), SPF_ASYNC, nullptr));
    ASSERT_TRUE(WaitFor([&] { return Said() == 2; }));
    EXPECT_EQ((std::vector<std::string>{"Nueva red  0A 1S        fin \xC2\xA0\xC3\x91", Utf8Of(longest)}),
              Lines(m_log));
}

TEST_F(Voice, LastReleaseEndsTheSentenceBeingSpokenAndDropsTheRest)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    Hold();
    EXPECT_EQ(S_OK, pVoice->Speak(L"uno", SPF_ASYNC, nullptr));
    EXPECT_EQ(S_OK, pVoice->Speak(L"dos", SPF_ASYNC, nullptr));
    ASSERT_TRUE(WaitFor([&] { return Said() == 1; }));
    const std::string pid = Lines(m_log + L".pid").at(0);

    Forget(pVoice);
    const auto start = Clock::now();
    EXPECT_EQ(0u, pVoice->Release());
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("last Release while speaking: %.0f ms\n", ms);
    EXPECT_LT(ms, 5000.0);
    EXPECT_FALSE(Exists(WindowsPathOf("/proc/" + pid))) << "the engine outlived the voice";
    Sleep(300);
    EXPECT_EQ(1u, Said());
}

TEST_F(Voice, RefusesTextsBeyondItsQueueWithoutWaiting)
{
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    Hold();
    EXPECT_EQ(S_OK, pVoice->Speak(L"primero", SPF_ASYNC, nullptr));
    ASSERT_TRUE(WaitFor([&] { return Said() == 1; }));
    int queued = 0;
    while (queued < 1000 && pVoice->Speak(L"otro", SPF_ASYNC, nullptr) == S_OK)
        ++queued;
    EXPECT_EQ(64, queued);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BUSY), pVoice->Speak(L"otro", SPF_ASYNC, nullptr));
}

TEST_F(Voice, AnEngineThatCantRunOrKeepsFailingMakesSpeakFailAndDropsWhatWaits)
{
    SetEnv(L"KESU_ESPEAK", L"/nonexistent/espeak-ng");
    ISpVoice* pMissing = Create();
    ASSERT_NE(nullptr, pMissing);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), pMissing->Speak(L"hola", SPF_ASYNC, nullptr));

    // A file that is there but can't be run: given up at the first text.
    const std::wstring notAProgram = m_folder + L"\\not a program";
    std::ofstream(std::filesystem::path(notAProgram)) << "hola";
    SetEnv(L"KESU_ESPEAK", WideOfUtf8(UnixPathOf(notAProgram)));
    ISpVoice* pBroken = Create();
    ASSERT_NE(nullptr, pBroken);
    EXPECT_EQ(S_OK, pBroken->Speak(L"uno", SPF_ASYNC, nullptr));
    EXPECT_EQ(S_OK, pBroken->Speak(L"dos", SPF_ASYNC, nullptr));
    Sleep(2000);
    EXPECT_TRUE(FAILED(pBroken->Speak(L"tres", SPF_ASYNC, nullptr)));

    // An engine that fails on every text: given up after a few in a row, and
    // the texts still waiting are dropped, not handed to it one by one.
    SetEnv(L"KESU_ESPEAK", WideOfUtf8(KESU_FAKE_ENGINE));
    SetEnv(L"KESU_FAKE_EXIT", L"1");
    ISpVoice* pFailing = Create();
    ASSERT_NE(nullptr, pFailing);
    Hold();
    EXPECT_EQ(S_OK, pFailing->Speak(L"uno", SPF_ASYNC, nullptr));
    ASSERT_TRUE(WaitFor([&] { return Said() == 1; }));
    for (const wchar_t* text : {L"dos", L"tres", L"cuatro", L"cinco", L"seis"})
        EXPECT_EQ(S_OK, pFailing->Speak(text, SPF_ASYNC, nullptr));
    Let();
    ASSERT_TRUE(WaitFor([&] { return Said() == size_t(CSpeechWorker::kFailuresToGiveUp); }));
    Sleep(1500);
    EXPECT_EQ(size_t(CSpeechWorker::kFailuresToGiveUp), Said());
    EXPECT_TRUE(FAILED(pFailing->Speak(L"siete", SPF_ASYNC, nullptr)));
}

// A sentence past its time (the engine hangs on it) is ended, and the next
// is spoken as if nothing had happened.
TEST_F(Voice, ASentenceThatRunsPastItsTimeCostsThatSentenceOnly)
{
    CSpeechWorker worker(300);
    worker.Start();
    Hold();
    ASSERT_EQ(S_OK, worker.Queue("uno"));
    ASSERT_TRUE(WaitFor([&] { return Said() == 1; }));
    const std::string pid = Lines(m_log + L".pid").at(0);
    ASSERT_EQ(S_OK, worker.Queue("dos"));
    ASSERT_TRUE(WaitFor([&] { return Said() == 2; }));
    EXPECT_FALSE(Exists(WindowsPathOf("/proc/" + pid))) << "the engine that overran still runs";
    Let();
    Sleep(300);
    ASSERT_EQ(S_OK, worker.Queue("tres"));
    ASSERT_TRUE(WaitFor([&] { return Said() == 3; }));
    EXPECT_EQ((std::vector<std::string>{"uno", "dos", "tres"}), Lines(m_log));
}

TEST_F(Voice, OnlyTheRecordedProcessIsEverSignalled)
{
    // A process under a shell that reaps it, so that its end shows in /proc.
    const std::wstring idFile = m_folder + L"\\sleeper";
    ASSERT_TRUE(
        StartUnixProgram({"/bin/sh", "-c", "sleep 30 & echo $! >\"$1.tmp\"; mv \"$1.tmp\" \"$1\"; wait",
                          "kesu-test", UnixPathOf(idFile)}));
    ASSERT_TRUE(WaitFor([&] { return Exists(idFile); }));
    const std::string id = Lines(idFile).at(0);
    const std::wstring proc = WindowsPathOf("/proc/" + id);
    const std::string start = StartTimeOf(id);
    ASSERT_FALSE(start.empty());

    for (const std::string& record :
         {std::string(), id, id + " ", "0 " + start, "00 " + start, "-1 " + start, " " + start, id + " x"})
        EXPECT_FALSE(EndRecordedProcess(record)) << "'" << record << "'";
    // The same id with another start time is another process.
    EXPECT_TRUE(EndRecordedProcess(id + " " + std::to_string(std::stoull(start) + 1)));
    Sleep(1000);
    EXPECT_TRUE(Exists(proc)) << "a process was signalled that is not the one recorded";
    EXPECT_TRUE(EndRecordedProcess(id + " " + start));
    EXPECT_TRUE(WaitFor([&] { return !Exists(proc); }));
}

// espeak-ng itself, into a folder named the Windows way.
TEST_F(Voice, WritesOneWavOfSpeechPerText)
{
    SetEnv(L"KESU_ESPEAK", L"");
    const std::wstring wavs = m_folder + L"\\wav";
    SetEnv(L"KESU_VOICE_WAV", wavs);
    ISpVoice* pVoice = Create();
    ASSERT_NE(nullptr, pVoice);
    const std::string texts[] = {"Nueva red Casa , Canal 2437000 , red cifrada", "Nueva red Bar , Canal 6",
                                 "fin"};
    for (const std::string& text : texts)
        EXPECT_EQ(S_OK, pVoice->Speak(WideOfUtf8(text).c_str(), SPF_ASYNC, nullptr));
    // The third text is written out only once the second has been spoken.
    ASSERT_TRUE(WaitFor([&] { return Exists(wavs + L"\\0003.txt"); }));

    for (int i = 0; i < 2; ++i)
    {
        const std::wstring name = wavs + L"\\000" + std::to_wstring(i + 1);
        EXPECT_EQ(texts[i], Contents(name + L".txt"));
        const std::string wav = Contents(name + L".wav");
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ("RIFF", wav.substr(0, 4));
        EXPECT_EQ("WAVE", wav.substr(8, 4));
        uint32_t bytesPerSecond = 0;
        std::memcpy(&bytesPerSecond, wav.data() + 28, 4);
        ASSERT_GT(bytesPerSecond, 0u);
        const double seconds = static_cast<double>(wav.size() - 44) / bytesPerSecond;
        std::printf("%s: %.2f s\n", texts[i].c_str(), seconds);
        EXPECT_GT(seconds, 0.06 * texts[i].size());
        EXPECT_LT(seconds, 0.2 * texts[i].size());
    }
}

}  // namespace
