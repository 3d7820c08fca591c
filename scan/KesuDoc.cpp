// The document: scanner lifetime, list ownership and the list file.
#include "scan/KesuDoc.h"

#include <algorithm>
#include <utility>

#include "afx/Archive.h"
#include "afx/File.h"
#include "afx/Frame.h"
#include "app/KesuApp.h"
#include "driver/WinScanHost.h"
#include "scan/AdapterDlg.h"
#include "scan/ListFile.h"
#include "scan/ScanThread.h"

namespace
{

// CArchive reads at most a UINT at a time.
constexpr size_t kMaxArchiveChunk = 1u << 30;

class ArchiveReader : public IListFileReader
{
public:
    explicit ArchiveReader(CArchive& ar)
        : m_ar(ar), m_length(ar.GetFile() ? ar.GetFile()->GetLength() : 0), m_consumed(0)
    {
    }

    size_t Read(void* buffer, size_t size) override
    {
        size_t done = 0;
        auto* p = static_cast<char*>(buffer);
        while (done < size)
        {
            const UINT chunk = static_cast<UINT>(std::min(size - done, kMaxArchiveChunk));
            const UINT got = m_ar.Read(p + done, chunk);
            done += got;
            if (got < chunk)
                break;
        }
        m_consumed += done;
        return done;
    }

    // The archive reads the file from its start, so what is left is the length
    // less what went through here.
    uint64_t Remaining() const override { return m_consumed < m_length ? m_length - m_consumed : 0; }

private:
    CArchive& m_ar;
    uint64_t m_length;
    uint64_t m_consumed;
};

class ArchiveWriter : public IListFileWriter
{
public:
    explicit ArchiveWriter(CArchive& ar) : m_ar(ar) {}

    bool Write(const void* buffer, size_t size) override
    {
        const auto* p = static_cast<const char*>(buffer);
        while (size > 0 && m_ar.IsOk())
        {
            const UINT chunk = static_cast<UINT>(std::min(size, kMaxArchiveChunk));
            m_ar.Write(p, chunk);
            p += chunk;
            size -= chunk;
        }
        return m_ar.IsOk() != FALSE;
    }

private:
    CArchive& m_ar;
};

// Says in the status bar's first pane what a long open or save is doing,
// painted at once (the window takes no messages until it ends), and gives the
// pane back to the idle prompt after.
class CProgressText
{
public:
    explicit CProgressText(LanguageText text) : m_pFrame(DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()))
    {
        if (!m_pFrame || !m_pFrame->GetSafeHwnd())
        {
            m_pFrame = nullptr;
            return;
        }
        m_pFrame->SetMessageText(KesuApp()->GetString(text));
        if (CWnd* pBar = m_pFrame->GetMessageBar())
            pBar->UpdateWindow();
    }
    ~CProgressText()
    {
        if (m_pFrame)
            m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }

    CProgressText(const CProgressText&) = delete;
    CProgressText& operator=(const CProgressText&) = delete;

private:
    CFrameWnd* m_pFrame;
};

}  // namespace

IMPLEMENT_DYNCREATE(CKesuDoc, CDocument)

BEGIN_MESSAGE_MAP(CKesuDoc, CDocument)
END_MESSAGE_MAP()

IScanHost* CKesuDoc::s_pScanHostForNewDocuments = nullptr;

CKesuDoc::CKesuDoc() : m_nHeard(0), m_pTracked(nullptr), m_hScanThread(nullptr)
{
    SetScanHost(s_pScanHostForNewDocuments ? s_pScanHostForNewDocuments : &WinScanHost::Shared());
}

CKesuDoc::~CKesuDoc()
{
    // Normally done by OnCloseDocument; a document destroyed without it must
    // still not free entries (the retired lists go next) under a running scanner.
    StopScan();
}

const char* CKesuDoc::GetScanAdapterName()
{
    return KesuApp()->GetAdapterName();
}

BOOL CKesuDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ChooseAdapter();
    StartScan();
    return TRUE;
}

BOOL CKesuDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    CProgressText progress(LanguageText::OpeningList);
    return CDocument::OnOpenDocument(lpszPathName);
}

BOOL CKesuDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    CProgressText progress(LanguageText::SavingList);
    return CDocument::OnSaveDocument(lpszPathName);
}

void CKesuDoc::ChooseAdapter()
{
    CAdapterDlg dlg;
    dlg.DoModal();
}

void CKesuDoc::StartScan()
{
    // Never two scanners on one list: the running one ends before the next starts.
    StopScan();
    PrepareScanStart();
    m_hScanThread = BeginScanThread();
    // No thread will ever report: the status bar must say the scan is off.
    if (!m_hScanThread)
        m_bScanning = 0;
}

HANDLE CKesuDoc::BeginScanThread()
{
    return CreateThread(nullptr, 0, ScanThreadProc, static_cast<CScanTarget*>(this), 0, nullptr);
}

void CKesuDoc::StopScan()
{
    if (!m_hScanThread)
        return;
    RequestScanStop();
    WaitForSingleObject(m_hScanThread, INFINITE);
    CloseHandle(m_hScanThread);
    m_hScanThread = nullptr;
}

void CKesuDoc::OnCloseDocument()
{
    StopScan();
    DeleteEntries();
    m_retired.clear();
    m_pTracked = nullptr;
    CDocument::OnCloseDocument();
}

void CKesuDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreList(ar);
    else
        LoadList(ar);
}

void CKesuDoc::StoreList(CArchive& ar)
{
    // Under the lock the scanner can't append or rewrite signals mid-save, so
    // the file holds one pass's state.
    CEntryListLock lock(*this);
    ArchiveWriter writer(ar);
    StoreListFile(m_entries.Head(), writer);
}

void CKesuDoc::LoadList(CArchive& ar)
{
    ArchiveReader reader(ar);
    ListFileLoad load = LoadListFile(reader);
    if (!load.entries.IsEmpty())
    {
        // Indexed before it is shared, so the scanner never waits for it; the
        // old index goes when this scope ends, after the lock.
        CEntryIndex index;
        index.Rebuild(load.entries.Head());
        // The scanner sees the old list or the new one, never a mix.
        CEntryListLock lock(*this);
        if (!m_entries.IsEmpty())
        {
            // No scan reaches these again, so their last signal would stand
            // forever: the tracked one would keep beeping and plot a frozen value.
            // The index knows which of them can read as heard.
            ListIndex().ResetHeard();
            m_retired.push_back(std::move(m_entries));
        }
        m_entries = std::move(load.entries);
        SwapListIndex(index);
    }
    if (load.bOutOfMemory)
        ar.SetError(CArchive::readError, ERROR_NOT_ENOUGH_MEMORY);
}
