// CKesuApp: the application object, its start-up and shut-down, and the
// services every other piece asks of it (texts, announcer, chosen adapter,
// image lists).
#pragma once

#include "afx/AfxSetup.h"
#include "afx/ComPtr.h"
#include "afx/ImageList.h"
#include "afx/WinApp.h"
#include "res/LanguageText.h"

#include <cstdint>
#include <memory>

class CLanguageTable;
struct ISpVoice;

// Image indices shared by both image lists, in the order the icons are added.
enum KesuImage
{
    kImageApp = 0,
    kImagePlain = 1,
    kImageHeard = 2,
    kImageEncrypted = 3,
    kImageAnnotated = 4,
    kImageTracked = 5,
    kImageNetworkCard = 6,
};

constexpr size_t kAdapterNameSize = 512;
constexpr size_t kSpeechBufferSize = 1024;

class CKesuApp : public CWinApp
{
public:
    CKesuApp();
    ~CKesuApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The text by its name, or "***" while there is no table.
    const char* GetString(LanguageText text) const;
    // Speaks the text without waiting for it, then beeps. Virtual so tests
    // can hear what is announced.
    virtual void Announce(const char* text);

    const char* GetAdapterName() const { return m_szAdapter; }
    void SetAdapterName(const char* name);

    CImageList* GetLargeImageList() const { return m_pLargeImages.get(); }
    CImageList* GetSmallImageList() const { return m_pSmallImages.get(); }

    // Start-up and shut-down steps, public so tests can run them on their own.
    BOOL OpenLanguage(const char* fileName);
    void BuildImageLists();
    void CreateVoice();
    void ReleaseServices();

    // Where the announcer's beep goes; a seam so tests can hear it.
    typedef BOOL (*MessageBeepFn)(UINT uType);
    static MessageBeepFn s_pfnMessageBeep;

    // Made in InitInstance, released in ExitInstance (the voice before COM ends).
    std::unique_ptr<CImageList> m_pLargeImages;
    std::unique_ptr<CImageList> m_pSmallImages;
    std::unique_ptr<CLanguageTable> m_pLanguage;
    ComPtr<ISpVoice> m_pVoice;
    char m_szAdapter[kAdapterNameSize];
    int32_t m_bSpeak;
    int32_t m_bBeep;

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bComInitialised;
};

// The one application object.
CKesuApp* KesuApp();
