// The voice object.
#include "voice/Voice.h"

#include <cwchar>

#include "wine/WineBridge.h"

CVoice::CModuleLock::CModuleLock()
{
    LockVoiceModule();
}

CVoice::CModuleLock::~CModuleLock()
{
    UnlockVoiceModule();
}

CVoice::CVoice() : m_nReferences(1), m_nStreams(0)
{
    m_worker.Start();
}

CVoice::~CVoice() = default;

HRESULT STDMETHODCALLTYPE CVoice::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, voice::kIidVoice) ||
        IsEqualIID(riid, voice::kIidEventSource) || IsEqualIID(riid, voice::kIidNotifySource))
    {
        *ppv = static_cast<voice::IVoice*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CVoice::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nReferences));
}

ULONG STDMETHODCALLTYPE CVoice::Release()
{
    const LONG left = InterlockedDecrement(&m_nReferences);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE CVoice::Speak(LPCWSTR pText, DWORD flags, ULONG* pStreamNumber)
{
    if (!pText)
        return E_POINTER;
    // Speaking while the caller waits, purging and markup are not offered.
    if ((flags & ~voice::kSpeakIsNotXml) != voice::kSpeakAsync)
        return E_NOTIMPL;
    const size_t length = wcsnlen(pText, kMaxText + 1);
    if (length > kMaxText)
        return E_INVALIDARG;
    std::wstring text(pText, length);
    // The engine reads some control characters as commands of its own (one
    // mutes it, another slows it past any time limit), and a network name may
    // hold any of them: they are spoken as the pauses they stand for.
    for (wchar_t& c : text)
    {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            c = L' ';
    }
    HRESULT hr = S_OK;
    // Nothing to say is said at once.
    if (length > 0)
        hr = m_worker.Queue(Utf8Of(text));
    if (SUCCEEDED(hr) && pStreamNumber)
        *pStreamNumber = static_cast<ULONG>(InterlockedIncrement(&m_nStreams));
    return hr;
}

// Not offered: the program never calls these.

HRESULT STDMETHODCALLTYPE CVoice::SetNotifySink(voice::NotifySink*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetNotifyWindowMessage(HWND, UINT, WPARAM, LPARAM)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetNotifyCallbackFunction(voice::NotifyCallbackFunction*, WPARAM, LPARAM)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetNotifyCallbackInterface(voice::NotifyCallback*, WPARAM, LPARAM)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetNotifyWin32Event()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::WaitForNotifyEvent(DWORD)
{
    return E_NOTIMPL;
}
// No notification event exists.
HANDLE STDMETHODCALLTYPE CVoice::GetNotifyEventHandle()
{
    return nullptr;
}
HRESULT STDMETHODCALLTYPE CVoice::SetInterest(ULONGLONG, ULONGLONG)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetEvents(ULONG, voice::Event*, ULONG*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetInfo(voice::EventSourceInfo*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetOutput(IUnknown*, BOOL)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetOutputObjectToken(voice::ObjectToken**)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetOutputStream(voice::StreamFormat**)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::Pause()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::Resume()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetVoice(voice::ObjectToken*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetVoice(voice::ObjectToken**)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SpeakStream(IStream*, DWORD, ULONG*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetStatus(voice::VoiceStatus*, LPWSTR*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::Skip(LPCWSTR, long, ULONG*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetPriority(int)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetPriority(int*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetAlertBoundary(int)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetAlertBoundary(int*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetRate(long)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetRate(long*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetVolume(USHORT)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetVolume(USHORT*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::WaitUntilDone(ULONG)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::SetSyncSpeakTimeout(ULONG)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::GetSyncSpeakTimeout(ULONG*)
{
    return E_NOTIMPL;
}
// No completion event exists.
HANDLE STDMETHODCALLTYPE CVoice::SpeakCompleteEvent()
{
    return nullptr;
}
HRESULT STDMETHODCALLTYPE CVoice::IsUISupported(LPCWSTR, void*, ULONG, BOOL*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CVoice::DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG)
{
    return E_NOTIMPL;
}
