// CDocTemplate and CSingleDocTemplate: how documents, frames and views are made and joined.
#include "afx/DocTemplate.h"

#include "afx/File.h"
#include "afx/Frame.h"
#include "afx/View.h"
#include "afx/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CString AfxGetUntitledName()
{
    return CString("Sin t\xEDtulo");
}

// ---- CDocTemplate --------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    LoadTemplate();
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < int(index); ++i)
    {
        int nNewline = m_strDocStrings.Find('\n', nStart);
        if (nNewline < 0)
            return FALSE;
        nStart = nNewline + 1;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    if (nEnd < 0)
        nEnd = m_strDocStrings.GetLength();
    if (nStart > m_strDocStrings.GetLength())
        return FALSE;
    rString = m_strDocStrings.Mid(nStart, nEnd - nStart);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (pDocument == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CObject* pObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame whose creation fails deletes itself (PostNcDestroy).
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // Fetch the next one first: closing deletes the document.
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

// ---- CSingleDocTemplate --------------------------------------------------------

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

// ---- The application's document manager ----------------------------------------

namespace
{
class CDocManagerImpl : public CDocManager
{
public:
    ~CDocManagerImpl() override
    {
        for (CDocTemplate* pTemplate : m_templates)
            delete pTemplate;
    }

    void AddDocTemplate(CDocTemplate* pTemplate) override
    {
        if (pTemplate == nullptr)
            return;
        pTemplate->LoadTemplate();
        m_templates.push_back(pTemplate);
    }

    CDocument* OpenDocumentFile(LPCSTR lpszFileName) override
    {
        if (m_templates.empty())
            return nullptr;
        if (lpszFileName == nullptr)
            return m_templates.front()->OpenDocumentFile(nullptr);

        CString strPath = AfxFullPath(lpszFileName);
        // A file already open stays as it is, only its window comes forward.
        for (CDocTemplate* pTemplate : m_templates)
        {
            POSITION pos = pTemplate->GetFirstDocPosition();
            while (pos != nullptr)
            {
                CDocument* pDoc = pTemplate->GetNextDoc(pos);
                if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(strPath) == 0)
                {
                    POSITION posView = pDoc->GetFirstViewPosition();
                    if (CView* pView = pDoc->GetNextView(posView))
                    {
                        if (CFrameWnd* pFrame = pView->GetParentFrame())
                            pFrame->BringWindowToTop();
                    }
                    return pDoc;
                }
            }
        }
        return m_templates.front()->OpenDocumentFile(strPath);
    }

    void OnFileNew() override
    {
        if (!m_templates.empty())
            m_templates.front()->OpenDocumentFile(nullptr);
    }

    BOOL SaveAllModified() override
    {
        for (CDocTemplate* pTemplate : m_templates)
        {
            if (!pTemplate->SaveAllModified())
                return FALSE;
        }
        return TRUE;
    }

    void CloseAllDocuments(BOOL bEndSession) override
    {
        for (CDocTemplate* pTemplate : m_templates)
            pTemplate->CloseAllDocuments(bEndSession);
    }

    int GetOpenDocumentCount() override
    {
        int nCount = 0;
        for (CDocTemplate* pTemplate : m_templates)
        {
            POSITION pos = pTemplate->GetFirstDocPosition();
            while (pos != nullptr)
            {
                pTemplate->GetNextDoc(pos);
                ++nCount;
            }
        }
        return nCount;
    }

    CDocTemplate* GetFirstDocTemplate() override
    {
        return m_templates.empty() ? nullptr : m_templates.front();
    }

private:
    std::vector<CDocTemplate*> m_templates;
};
}  // namespace

CDocManager* AfxCreateDocManager()
{
    return new (std::nothrow) CDocManagerImpl;
}
