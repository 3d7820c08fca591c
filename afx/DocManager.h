// CDocManager: what the application asks of its documents.
#pragma once
#include "AfxSetup.h"

class CDocTemplate;
class CDocument;

// What the application asks of its documents; the document side implements it
// (AddDocTemplate makes one with AfxCreateDocManager).
class CDocManager
{
public:
    virtual ~CDocManager() = default;
    virtual void AddDocTemplate(CDocTemplate* pTemplate) = 0;
    // lpszFileName null: a new (untitled) document. Null result on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName) = 0;
    virtual void OnFileNew() = 0;
    virtual BOOL SaveAllModified() = 0;
    virtual void CloseAllDocuments(BOOL bEndSession) = 0;
    virtual int GetOpenDocumentCount() = 0;
    // The template File New and File Open use; null before the first is added.
    virtual CDocTemplate* GetFirstDocTemplate() = 0;
};
CDocManager* AfxCreateDocManager();
