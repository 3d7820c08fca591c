// CSingleDocTemplate: one document and one frame, reused by File New and File Open.
#include "afx/SingleDocTemplate.h"

#include "afx/Frame.h"
#include "afx/View.h"
#include "afx/WinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    delete m_pOnlyDoc;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == reinterpret_cast<POSITION>(m_pOnlyDoc) ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName))
        strDocName = AfxGetUntitledName();
    pDocument->SetTitle(strDocName);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;

    if (pDocument != nullptr)
    {
        // The one document is reused: its changes are offered for saving first.
        if (!pDocument->SaveModified())
            return nullptr;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (CView* pView = pDocument->GetNextView(pos))
            pFrame = pView->GetParentFrame();
        if (pFrame == nullptr)
            pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        if (pFrame == nullptr)
            return nullptr;
    }
    else
    {
        pDocument = CreateNewDocument();
        if (pDocument == nullptr)
        {
            AfxMessageBox("No se puede crear un documento vac\xEDo.", MB_OK | MB_ICONEXCLAMATION);
            return nullptr;
        }
        bCreated = TRUE;
        // A frame that fails half-way destroys its view, and the view's
        // document would go with it; the document is ours to delete here.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr)
        {
            AfxMessageBox("No se puede crear un documento vac\xEDo.", MB_OK | MB_ICONEXCLAMATION);
            delete pDocument;
            return nullptr;
        }
    }

    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument())
        {
            if (bCreated)
                pFrame->DestroyWindow();  // takes the view and with it the document
            return nullptr;
        }
    }
    else
    {
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            // The user has been told why.
            if (bCreated)
                pFrame->DestroyWindow();
            else if (!pDocument->IsModified())
                pDocument->SetModifiedFlag(bWasModified);  // the file never opened: nothing changed
            else
            {
                // Loading had begun: what the document holds is neither the old
                // contents nor the file's, so it starts over as a new one.
                SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
            }
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
