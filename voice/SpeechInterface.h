// The voice interface as the component library sees it: identifiers, flags and
// the full method table, slot for slot as callers compiled against it expect.
#pragma once

#include "afx/AfxSetup.h"

#include <objidl.h>

namespace voice
{

// {96749377-3391-11D2-9EE3-00C04F797396}
constexpr CLSID kClsidVoice = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
// {6C44DF74-72B9-4992-A1EC-EF996E0422D4}
constexpr IID kIidVoice = {0x6C44DF74, 0x72B9, 0x4992, {0xA1, 0xEC, 0xEF, 0x99, 0x6E, 0x04, 0x22, 0xD4}};
// The voice's base interfaces, which it answers for as well.
// {BE7A9CCE-5F9E-11D2-960F-00C04F8EE628}
constexpr IID kIidEventSource = {
    0xBE7A9CCE, 0x5F9E, 0x11D2, {0x96, 0x0F, 0x00, 0xC0, 0x4F, 0x8E, 0xE6, 0x28}};
// {5EFF4AEF-8487-11D2-961C-00C04F8EE628}
constexpr IID kIidNotifySource = {
    0x5EFF4AEF, 0x8487, 0x11D2, {0x96, 0x1C, 0x00, 0xC0, 0x4F, 0x8E, 0xE6, 0x28}};

constexpr DWORD kSpeakAsync = 1;
// Plain text is all this voice reads, so saying so changes nothing.
constexpr DWORD kSpeakIsNotXml = 0x10;

// Argument types of the methods this voice does not implement; never dereferenced.
struct NotifySink;
struct NotifyCallback;
struct ObjectToken;
struct StreamFormat;
struct Event;
struct EventSourceInfo;
struct VoiceStatus;
typedef void __stdcall NotifyCallbackFunction(WPARAM wParam, LPARAM lParam);

// The method table, base interfaces first.
struct IVoice : public IUnknown
{
    // Notification source
    virtual HRESULT STDMETHODCALLTYPE SetNotifySink(NotifySink* pNotifySink) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND hWnd, UINT msg, WPARAM wParam,
                                                             LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(NotifyCallbackFunction* pfnCallback,
                                                                WPARAM wParam, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(NotifyCallback* pCallback, WPARAM wParam,
                                                                 LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() = 0;
    virtual HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD milliseconds) = 0;
    virtual HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() = 0;
    // Event source
    virtual HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG eventInterest, ULONGLONG queuedInterest) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetEvents(ULONG count, Event* pEvents, ULONG* pFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetInfo(EventSourceInfo* pInfo) = 0;
    // Voice
    virtual HRESULT STDMETHODCALLTYPE SetOutput(IUnknown* pOutput, BOOL allowFormatChanges) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOutputObjectToken(ObjectToken** ppToken) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOutputStream(StreamFormat** ppStream) = 0;
    virtual HRESULT STDMETHODCALLTYPE Pause() = 0;
    virtual HRESULT STDMETHODCALLTYPE Resume() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetVoice(ObjectToken* pToken) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVoice(ObjectToken** ppToken) = 0;
    virtual HRESULT STDMETHODCALLTYPE Speak(LPCWSTR pText, DWORD flags, ULONG* pStreamNumber) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpeakStream(IStream* pStream, DWORD flags, ULONG* pStreamNumber) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStatus(VoiceStatus* pStatus, LPWSTR* ppLastBookmark) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(LPCWSTR pItemType, long items, ULONG* pSkipped) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPriority(int priority) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPriority(int* pPriority) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAlertBoundary(int boundary) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAlertBoundary(int* pBoundary) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRate(long rateAdjust) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRate(long* pRateAdjust) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetVolume(USHORT volume) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVolume(USHORT* pVolume) = 0;
    virtual HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG milliseconds) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG milliseconds) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG* pMilliseconds) = 0;
    virtual HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() = 0;
    virtual HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR pTypeOfUI, void* pExtraData, ULONG extraDataSize,
                                                    BOOL* pSupported) = 0;
    virtual HRESULT STDMETHODCALLTYPE DisplayUI(HWND hParent, LPCWSTR pTitle, LPCWSTR pTypeOfUI,
                                                void* pExtraData, ULONG extraDataSize) = 0;
};

}  // namespace voice
