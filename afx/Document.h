// CDocument: a document's data side: path, title, modified flag, its views, loading and saving.
#pragma once

#include "afx/CmdTarget.h"
#include "afx/String.h"

#include <vector>

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

// Opaque iterator over a document's views (or a template's documents).
typedef struct __POSITION* POSITION;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    // ---- Identity -------------------------------------------------------
    const CString& GetTitle() const { return m_strTitle; }
    // Also retitles every frame that shows this document.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the full path, takes the file's name as title and, with
    // bAddToMRU, puts the file on the application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ---- Views ----------------------------------------------------------
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    // With auto-delete, a document whose last view went away closes itself.
    virtual void OnChangedViewList();
    // Brings the title of every frame showing this document up to date.
    void UpdateFrameCounts();
    // Asked before pFrame closes: the save prompt when modified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    // ---- Life cycle -----------------------------------------------------
    // Empties the document's data; the default has none to empty.
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize. A failure is reported to the user; if
    // reading had begun the document stays marked modified (its contents may
    // be partly replaced), which is how the template knows to make it new.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the file through Serialize; a failure is reported to the user
    // and the file that was there is left untouched.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Closes every frame showing this document, then deletes it if auto-delete.
    virtual void OnCloseDocument();
    virtual void Serialize(CArchive& ar);

    // The "save changes?" prompt when modified. FALSE: the user cancelled, or
    // chose to save and saving failed; the caller must not go on.
    virtual BOOL SaveModified();
    // lpszPathName null asks the user for a name. bReplace makes the saved
    // file the document's path.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    // Saves to the document's path, asking for a name if it has none or the
    // file is read-only.
    virtual BOOL DoFileSave();

    // Shows the standard message for a failed load or save. nError is a
    // CArchive error (none when the file itself could not be opened);
    // dwOsError the system's code, if any.
    virtual void ReportSaveLoadError(LPCSTR lpszPathName, int nError, DWORD dwOsError, BOOL bSaving);

    BOOL m_bAutoDelete = TRUE;

    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;
};

// The standard message texts, for callers that report the same failures.
CString AfxGetSaveLoadErrorText(LPCSTR lpszPathName, int nError, DWORD dwOsError, BOOL bSaving);
