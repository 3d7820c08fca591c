// The application object: start-up, shut-down and shared services.
#include "app/KesuApp.h"

#include <sapi.h>

#include <cstring>
#include <memory>
#include <new>

#include "afx/SingleDocTemplate.h"
#include "app/AboutDlg.h"
#include "app/IconList.h"
#include "app/LanguageTable.h"
#include "frame/MainFrame.h"
#include "res/resource.h"
#include "scan/KesuDoc.h"
#include "view/KesuView.h"

namespace
{

// Declared here rather than taken from the SDK's libraries so the identifiers
// are exactly the ones the voice is created with.
const CLSID kClsidSpVoice = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
const IID kIidSpVoice = {0x6C44DF74, 0x72B9, 0x4992, {0xA1, 0xEC, 0xEF, 0x99, 0x6E, 0x04, 0x22, 0xD4}};

const char kLanguageFile[] = "spanish.lng";
const char kMissingText[] = "***";

// The icons in image-list order (see KesuImage).
const UINT kImageIcons[] = {IDR_MAINFRAME, IDI_BLANK,   IDI_HEARD,       IDI_ENCRYPTED,
                            IDI_ANNOTATED, IDI_TRACKED, IDI_NETWORK_CARD};

BOOL MessageBeepThroughUser(UINT uType)
{
    return MessageBeep(uType);
}

}  // namespace

CKesuApp::MessageBeepFn CKesuApp::s_pfnMessageBeep = MessageBeepThroughUser;

BEGIN_MESSAGE_MAP(CKesuApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

CKesuApp::CKesuApp() : m_szAdapter(), m_bSpeak(1), m_bBeep(1), m_bComInitialised(false) {}

// Here, where the language table and the voice are complete types.
CKesuApp::~CKesuApp() = default;

CKesuApp* KesuApp()
{
    return static_cast<CKesuApp*>(AfxGetApp());
}

BOOL CKesuApp::InitInstance()
{
    // Everything the program reads at run time lies beside the executable.
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return FALSE;
    if (char* pSlash = std::strrchr(path, '\\'))
        *pSlash = '\0';
    SetCurrentDirectoryA(path);

    AfxEnableControlContainer();
    Enable3dControls();

    if (!OpenLanguage(kLanguageFile))
        return FALSE;
    BuildImageLists();
    CreateVoice();

    SetRegistryKey("Ostrel");
    LoadStdProfileSettings(4);

    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CKesuDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CKesuView));
    AddDocTemplate(pTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CKesuApp::ExitInstance()
{
    ReleaseServices();
    return CWinApp::ExitInstance();
}

BOOL CKesuApp::OpenLanguage(const char* fileName)
{
    m_pLanguage.reset(new (std::nothrow) CLanguageTable);
    if (!m_pLanguage)
        return FALSE;
    return m_pLanguage->Open(fileName);
}

void CKesuApp::BuildImageLists()
{
    m_pLargeImages = BuildIconList(32, kImageIcons, sizeof kImageIcons / sizeof kImageIcons[0]);
    m_pSmallImages = BuildIconList(16, kImageIcons, sizeof kImageIcons / sizeof kImageIcons[0]);
}

void CKesuApp::CreateVoice()
{
    if (FAILED(CoInitialize(nullptr)))
        return;
    m_bComInitialised = true;
    void* pVoice = nullptr;
    if (SUCCEEDED(CoCreateInstance(kClsidSpVoice, nullptr,
                                   CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                   kIidSpVoice, &pVoice)))
        m_pVoice = ComPtr<ISpVoice>(static_cast<ISpVoice*>(pVoice));
}

void CKesuApp::ReleaseServices()
{
    m_pLargeImages.reset();
    m_pSmallImages.reset();
    m_pLanguage.reset();
    m_pVoice.Reset();
    if (m_bComInitialised)
    {
        CoUninitialize();
        m_bComInitialised = false;
    }
}

const char* CKesuApp::GetString(LanguageText text) const
{
    return m_pLanguage ? m_pLanguage->GetString(static_cast<int>(text)) : kMissingText;
}

void CKesuApp::Announce(const char* text)
{
    if (m_bSpeak && m_pVoice)
    {
        WCHAR wide[kSpeechBufferSize];
        int converted = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kSpeechBufferSize);
        if (converted == 0)
        {
            // Too long for the buffer: speak as much as fits rather than nothing.
            converted =
                MultiByteToWideChar(CP_ACP, 0, text, kSpeechBufferSize - 1, wide, kSpeechBufferSize - 1);
            wide[converted] = L'\0';
        }
        if (converted > 0)
            m_pVoice->Speak(wide, SPF_ASYNC, nullptr);
    }
    if (m_bBeep)
        s_pfnMessageBeep(0);
}

void CKesuApp::SetAdapterName(const char* name)
{
    std::strncpy(m_szAdapter, name, kAdapterNameSize - 1);
    m_szAdapter[kAdapterNameSize - 1] = '\0';
}

void CKesuApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}
