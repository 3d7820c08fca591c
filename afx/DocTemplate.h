// CDocTemplate: how documents, frames and views are made and joined.
#pragma once

#include "afx/Document.h"

class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Parts of the template string, "\n"-separated, in this order.
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    // FALSE (and empty) when the template string has no such part or it is empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    // Reads the template string (string resource m_nIDResource); done on construction.
    virtual void LoadTemplate();

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // A new document of m_pDocClass, joined to this template; null on failure.
    virtual CDocument* CreateNewDocument();
    // A frame of m_pFrameClass, from resource m_nIDResource, holding a new view
    // of m_pViewClass on pDoc; null on failure (then nothing of it remains).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // The views' initial update, then the frame shown if bMakeVisible.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // lpszPathName null makes a new document. Null result on failure, which
    // has been reported to the user.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    UINT GetResourceID() const { return m_nIDResource; }

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

// The title for documents that have no file yet.
CString AfxGetUntitledName();
