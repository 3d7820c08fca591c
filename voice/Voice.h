// CVoice: the voice object; speaks texts in the background, in order, through
// the Unix speech engine. Every method the program does not call says so.
#pragma once

#include "voice/SpeechInterface.h"
#include "voice/SpeechWorker.h"

class CVoice final : public voice::IVoice
{
public:
    // Longest text taken, in wide characters; the program's own stay far below.
    static constexpr size_t kMaxText = 8192;

    // Starts with one reference, the caller's.
    CVoice();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Notification source
    HRESULT STDMETHODCALLTYPE SetNotifySink(voice::NotifySink*) override;
    HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND, UINT, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(voice::NotifyCallbackFunction*, WPARAM,
                                                        LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(voice::NotifyCallback*, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override;
    HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override;
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override;
    // Event source
    HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG, ULONGLONG) override;
    HRESULT STDMETHODCALLTYPE GetEvents(ULONG, voice::Event*, ULONG*) override;
    HRESULT STDMETHODCALLTYPE GetInfo(voice::EventSourceInfo*) override;
    // Voice
    HRESULT STDMETHODCALLTYPE SetOutput(IUnknown*, BOOL) override;
    HRESULT STDMETHODCALLTYPE GetOutputObjectToken(voice::ObjectToken**) override;
    HRESULT STDMETHODCALLTYPE GetOutputStream(voice::StreamFormat**) override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Resume() override;
    HRESULT STDMETHODCALLTYPE SetVoice(voice::ObjectToken*) override;
    HRESULT STDMETHODCALLTYPE GetVoice(voice::ObjectToken**) override;
    // Queues the text and returns at once; only asynchronous speech is offered.
    HRESULT STDMETHODCALLTYPE Speak(LPCWSTR pText, DWORD flags, ULONG* pStreamNumber) override;
    HRESULT STDMETHODCALLTYPE SpeakStream(IStream*, DWORD, ULONG*) override;
    HRESULT STDMETHODCALLTYPE GetStatus(voice::VoiceStatus*, LPWSTR*) override;
    HRESULT STDMETHODCALLTYPE Skip(LPCWSTR, long, ULONG*) override;
    HRESULT STDMETHODCALLTYPE SetPriority(int) override;
    HRESULT STDMETHODCALLTYPE GetPriority(int*) override;
    HRESULT STDMETHODCALLTYPE SetAlertBoundary(int) override;
    HRESULT STDMETHODCALLTYPE GetAlertBoundary(int*) override;
    HRESULT STDMETHODCALLTYPE SetRate(long) override;
    HRESULT STDMETHODCALLTYPE GetRate(long*) override;
    HRESULT STDMETHODCALLTYPE SetVolume(USHORT) override;
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT*) override;
    HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG) override;
    HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG) override;
    HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG*) override;
    HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override;
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, BOOL*) override;
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override;

private:
    // Only the last Release deletes.
    ~CVoice();

    // Holds the module from before the worker starts until after its thread
    // has ended, so the code that thread runs is never unloaded under it.
    struct CModuleLock
    {
        CModuleLock();
        ~CModuleLock();
    };

    CModuleLock m_moduleLock;
    volatile LONG m_nReferences;
    volatile LONG m_nStreams;
    CSpeechWorker m_worker;
};

// Objects and server locks alive in this module; it may unload when both are 0.
void LockVoiceModule();
void UnlockVoiceModule();
