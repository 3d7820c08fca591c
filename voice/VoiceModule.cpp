// The server's entry points: its class factory and when it may be unloaded.
#include "voice/Voice.h"

#include <new>

namespace
{

volatile LONG g_nModuleLocks = 0;

// Static and shared: its references only keep the module loaded.
class CVoiceFactory : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
        {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        LockVoiceModule();
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        UnlockVoiceModule();
        return 1;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        CVoice* pVoice = new (std::nothrow) CVoice;
        if (!pVoice)
            return E_OUTOFMEMORY;
        const HRESULT hr = pVoice->QueryInterface(riid, ppv);
        pVoice->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            LockVoiceModule();
        else
            UnlockVoiceModule();
        return S_OK;
    }
};

CVoiceFactory g_factory;

}  // namespace

void LockVoiceModule()
{
    InterlockedIncrement(&g_nModuleLocks);
}

void UnlockVoiceModule()
{
    InterlockedDecrement(&g_nModuleLocks);
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, voice::kClsidVoice))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return g_nModuleLocks == 0 ? S_OK : S_FALSE;
}
