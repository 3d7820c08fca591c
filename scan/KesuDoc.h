// CKesuDoc: the one document. It owns the access-point list and its scanner
// thread, starts a scan whenever it is made new, and saves and loads lists.
#pragma once

#include "afx/AfxSetup.h"
#include "afx/Document.h"
#include "scan/ScanTarget.h"

#include <cstdint>
#include <vector>

class CKesuDoc : public CDocument, public CScanTarget
{
    DECLARE_DYNCREATE(CKesuDoc)

public:
    CKesuDoc();
    ~CKesuDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    void OnCloseDocument() override;

    const char* GetScanAdapterName() override;

    // Stops this document's scanner, if one runs, and waits for its end.
    void StopScan();
    // The entries that loaded files replaced. They stay alive until the
    // document closes: the scanner, m_pTracked and the note editor may still
    // hold one.
    size_t GetRetiredCount() const { return m_retired.size(); }

    // The platform documents made from now on scan through (null: the
    // program's own host); tests give a scripted card here.
    static IScanHost* s_pScanHostForNewDocuments;

    // m_bScanning, m_entries and m_ownMac come from CScanTarget.
    int32_t m_nHeard;
    CNetworkEntry* m_pTracked;
    HANDLE m_hScanThread;

protected:
    // Shows the adapter dialog; a seam so tests can choose without a dialog.
    virtual void ChooseAdapter();
    // Creates the scanner thread, running at once; null when it can't be made.
    virtual HANDLE BeginScanThread();
    DECLARE_MESSAGE_MAP()

private:
    void StartScan();
    void LoadList(CArchive& ar);
    void StoreList(CArchive& ar);

    std::vector<CEntryList> m_retired;
};
