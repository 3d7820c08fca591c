// The speech queue and its worker thread.
#include "voice/SpeechWorker.h"

#include <cwchar>
#include <vector>

#include "wine/WineBridge.h"

namespace
{

const char kDefaultEngine[] = "/usr/bin/espeak-ng";

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(name, value, sizeof value / sizeof value[0]);
    return length > 0 && length < sizeof value / sizeof value[0] ? std::wstring(value, length)
                                                                 : std::wstring();
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::wstring& path)
{
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The number after the highest "NNNN.wav" in the folder, so that a second run
// into the same folder adds to it instead of overwriting.
unsigned FirstFreeNumber(const std::wstring& folder)
{
    unsigned highest = 0;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder + L"\\*.wav").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 1;
    do
    {
        wchar_t* pEnd = nullptr;
        const unsigned long number = std::wcstoul(found.cFileName, &pEnd, 10);
        if (pEnd != found.cFileName && _wcsicmp(pEnd, L".wav") == 0 && number > highest && number < 1000000)
            highest = static_cast<unsigned>(number);
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return highest + 1;
}

}  // namespace

const HRESULT CSpeechWorker::kEngineMissing = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
const HRESULT CSpeechWorker::kQueueFull = HRESULT_FROM_WIN32(ERROR_BUSY);

CSpeechWorker::CSpeechWorker(DWORD sentenceLimitMs) : m_lock(SRWLOCK_INIT), m_hrBroken(E_FAIL), m_nNext(1)
{
    m_place.limitMs = sentenceLimitMs;
}

CSpeechWorker::~CSpeechWorker()
{
    if (m_hThread.IsValid())
    {
        SetEvent(m_hStop.Get());
        WaitForSingleObject(m_hThread.Get(), INFINITE);
    }
    RemoveWorkFolder();
}

void CSpeechWorker::Start()
{
    const HRESULT hr = Prepare();
    AcquireSRWLockExclusive(&m_lock);
    m_hrBroken = hr;
    ReleaseSRWLockExclusive(&m_lock);
}

HRESULT CSpeechWorker::Prepare()
{
    const std::wstring engine = Environment(L"KESU_ESPEAK");
    m_place.engine = engine.empty() ? kDefaultEngine : Utf8Of(engine);
    if (!IsFile(WindowsPathOf(m_place.engine)))
        return kEngineMissing;

    const std::wstring wav = Environment(L"KESU_VOICE_WAV");
    if (!wav.empty())
    {
        m_place.wavFolder = wav[0] == L'/' ? WindowsPathOf(Utf8Of(wav)) : wav;
        while (m_place.wavFolder.size() > 3 && m_place.wavFolder.back() == L'\\')
            m_place.wavFolder.pop_back();
        if (m_place.wavFolder.empty() || !MakeFolder(m_place.wavFolder))
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        m_nNext = FirstFreeNumber(m_place.wavFolder);
    }

    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    // Each voice has its own folder: a sentence's files are named by number only.
    static volatile LONG s_nVoices = 0;
    for (int attempt = 0; attempt < 100 && m_place.workFolder.empty(); ++attempt)
    {
        wchar_t name[64];
        swprintf(name, sizeof name / sizeof name[0], L"kesu-voice-%lu-%ld", GetCurrentProcessId(),
                 InterlockedIncrement(&s_nVoices));
        const std::wstring folder = std::wstring(temp) + name;
        if (CreateDirectoryW(folder.c_str(), nullptr))
            m_place.workFolder = folder;
    }
    if (m_place.workFolder.empty())
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);

    m_hWake = KernelHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    m_hStop = KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_hWake.IsValid() || !m_hStop.IsValid())
        return HRESULT_FROM_WIN32(GetLastError());
    m_hThread = KernelHandle(CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    return m_hThread.IsValid() ? S_OK : HRESULT_FROM_WIN32(GetLastError());
}

HRESULT CSpeechWorker::Queue(std::string utf8)
{
    AcquireSRWLockExclusive(&m_lock);
    HRESULT hr = m_hrBroken;
    if (SUCCEEDED(hr) && m_pending.size() >= kCapacity)
        hr = kQueueFull;
    if (SUCCEEDED(hr))
        m_pending.push_back(std::move(utf8));
    ReleaseSRWLockExclusive(&m_lock);
    if (SUCCEEDED(hr))
        SetEvent(m_hWake.Get());
    return hr;
}

DWORD WINAPI CSpeechWorker::ThreadProc(void* pWorker)
{
    static_cast<CSpeechWorker*>(pWorker)->Run();
    return 0;
}

void CSpeechWorker::Run()
{
    const HANDLE events[] = {m_hStop.Get(), m_hWake.Get()};
    int failuresInRow = 0;
    for (;;)
    {
        if (WaitForSingleObject(m_hStop.Get(), 0) == WAIT_OBJECT_0)
            return;
        std::string text;
        AcquireSRWLockExclusive(&m_lock);
        const bool idle = m_pending.empty();
        if (!idle)
        {
            text = std::move(m_pending.front());
            m_pending.pop_front();
        }
        ReleaseSRWLockExclusive(&m_lock);
        if (idle)
        {
            WaitForMultipleObjects(2, events, FALSE, INFINITE);
            continue;
        }

        const SentenceResult result = SpeakSentence(m_place, text, m_nNext, m_hStop.Get());
        ++m_nNext;
        if (result == SentenceResult::Stopped)
            return;
        // One sentence the engine stumbled on (a name it reads as a command of
        // its own, say) costs that sentence only; an engine that can't run, or
        // fails on sentence after sentence, is broken: later texts fail at
        // once, so the caller's beep stands in for them.
        failuresInRow = result == SentenceResult::Spoken ? 0 : failuresInRow + 1;
        if (result == SentenceResult::NotStarted || failuresInRow >= kFailuresToGiveUp)
        {
            AcquireSRWLockExclusive(&m_lock);
            m_hrBroken = E_FAIL;
            m_pending.clear();
            ReleaseSRWLockExclusive(&m_lock);
        }
    }
}

void CSpeechWorker::RemoveWorkFolder()
{
    if (m_place.workFolder.empty())
        return;
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((m_place.workFolder + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(m_place.workFolder + L"\\" + found.cFileName);
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    for (const std::wstring& file : files)
        DeleteFileW(file.c_str());
    RemoveDirectoryW(m_place.workFolder.c_str());
}
