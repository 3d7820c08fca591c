// CDocManagerImpl: the application's document manager, owning its templates.
#pragma once

#include "afx/DocManager.h"

#include <vector>

class CDocManagerImpl : public CDocManager
{
public:
    CDocManagerImpl() = default;
    CDocManagerImpl(const CDocManagerImpl&) = delete;
    CDocManagerImpl& operator=(const CDocManagerImpl&) = delete;
    ~CDocManagerImpl() override;

    // Takes ownership; the template string is read now.
    void AddDocTemplate(CDocTemplate* pTemplate) override;
    // A file already open stays as it is, only its window comes forward.
    CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;
    void OnFileNew() override;
    BOOL SaveAllModified() override;
    void CloseAllDocuments(BOOL bEndSession) override;
    int GetOpenDocumentCount() override;
    CDocTemplate* GetFirstDocTemplate() override;

private:
    std::vector<CDocTemplate*> m_templates;
};
