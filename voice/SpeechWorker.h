// The texts waiting to be spoken and the one thread that speaks them in order.
#pragma once

#include "afx/AfxSetup.h"

#include <deque>
#include <string>

#include "afx/UniqueHandle.h"
#include "voice/SentenceRun.h"

class CSpeechWorker
{
public:
    // About three minutes of announcements; a voice further behind than that
    // refuses new texts rather than drop queued ones.
    static constexpr size_t kCapacity = 64;
    // Failed sentences in a row after which the engine is taken as broken.
    static constexpr int kFailuresToGiveUp = 3;
    // Failures Queue reports.
    static const HRESULT kEngineMissing;
    static const HRESULT kQueueFull;

    // 'sentenceLimitMs': see SpeechPlace::limitMs.
    explicit CSpeechWorker(DWORD sentenceLimitMs = SpeechPlace().limitMs);
    // Ends the sentence being spoken, drops the rest and waits for the thread.
    ~CSpeechWorker();
    CSpeechWorker(const CSpeechWorker&) = delete;
    CSpeechWorker& operator=(const CSpeechWorker&) = delete;

    // Finds the engine (KESU_ESPEAK, else espeak-ng's usual place), the WAV
    // folder (KESU_VOICE_WAV, Unix or Windows path) and a private work folder,
    // and starts the thread. When it fails, Queue reports why.
    void Start();
    // Appends a UTF-8 text without waiting for anything; S_OK or why not.
    HRESULT Queue(std::string utf8);

private:
    static DWORD WINAPI ThreadProc(void* pWorker);
    void Run();
    HRESULT Prepare();
    void RemoveWorkFolder();

    SpeechPlace m_place;
    SRWLOCK m_lock;
    std::deque<std::string> m_pending;  // guarded by m_lock
    HRESULT m_hrBroken;                 // guarded by m_lock; S_OK while speech works
    unsigned m_nNext;                   // the worker's alone once it runs
    KernelHandle m_hWake;
    KernelHandle m_hStop;
    KernelHandle m_hThread;
};
