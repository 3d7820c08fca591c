// CDocManagerImpl: the application's document manager, owning its templates.
#include "afx/DocManagerImpl.h"

#include "afx/DocTemplate.h"
#include "afx/File.h"
#include "afx/Frame.h"
#include "afx/View.h"

#include <new>

CDocManagerImpl::~CDocManagerImpl()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
}

void CDocManagerImpl::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templates.push_back(pTemplate);
}

CDocument* CDocManagerImpl::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    if (lpszFileName == nullptr)
        return m_templates.front()->OpenDocumentFile(nullptr);

    CString strPath = AfxFullPath(lpszFileName);
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

void CDocManagerImpl::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

BOOL CDocManagerImpl::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates)
    {
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManagerImpl::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

int CDocManagerImpl::GetOpenDocumentCount()
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

CDocTemplate* CDocManagerImpl::GetFirstDocTemplate()
{
    return m_templates.empty() ? nullptr : m_templates.front();
}

CDocManager* AfxCreateDocManager()
{
    return new (std::nothrow) CDocManagerImpl;
}
