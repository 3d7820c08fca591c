// CDocument: a document's data side: path, title, modified flag, its views, loading and saving.
#include "afx/Document.h"

#include "afx/Archive.h"
#include "afx/DocTemplate.h"
#include "afx/File.h"
#include "afx/Frame.h"
#include "afx/View.h"
#include "afx/WaitCursor.h"
#include "afx/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    // Views that outlive their document (never in the normal course) must not
    // reach back into it.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

// ---- Identity ------------------------------------------------------------------

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = AfxFullPath(lpszPathName);
    SetTitle(AfxGetFileName(m_strPathName));
    if (bAddToMRU)
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

// ---- Views ---------------------------------------------------------------------

// A position is the index of the next view plus one, so that null means "no more".
POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(UINT_PTR(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    size_t nIndex = size_t(reinterpret_cast<UINT_PTR>(rPosition));
    if (nIndex == 0 || nIndex > m_viewList.size())
    {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = nIndex < m_viewList.size() ? reinterpret_cast<POSITION>(UINT_PTR(nIndex + 1)) : nullptr;
    return m_viewList[nIndex - 1];
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // By index: a view's update may add or remove views.
    for (size_t i = 0; i < m_viewList.size(); ++i)
    {
        CView* pView = m_viewList[i];
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.empty())
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (CView* pView : m_viewList)
    {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    for (CFrameWnd* pFrame : frames)
        pFrame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

// ---- Life cycle ----------------------------------------------------------------

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    DWORD dwError = 0;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &dwError))
    {
        ReportSaveLoadError(lpszPathName, CArchive::none, dwError, FALSE);
        return FALSE;
    }

    CWaitCursor wait;
    DeleteContents();
    // Modified while loading: if the load fails half-way the contents are no
    // longer what they were, and the mark says so.
    SetModifiedFlag(TRUE);

    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = this;
    if (file.GetLength() != 0)
        Serialize(ar);
    ar.Close();
    if (!ar.IsOk())
    {
        file.Abort();
        DeleteContents();
        ReportSaveLoadError(lpszPathName, ar.GetError(), ar.GetOsError(), FALSE);
        return FALSE;
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

namespace
{
// A fresh, empty file beside lpszTarget, or empty when its folder takes no new file.
CString MakeTempNameBeside(const CString& strTarget)
{
    int nSlash = strTarget.ReverseFind('\\');
    CString strDir = nSlash >= 0 ? strTarget.Left(nSlash + 1) : CString(".");
    char szTemp[MAX_PATH];
    if (strDir.GetLength() >= MAX_PATH - 14 || ::GetTempFileNameA(strDir, "ksu", 0, szTemp) == 0)
        return CString();
    return CString(szTemp);
}
}  // namespace

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CString strTarget = AfxFullPath(lpszPathName);
    // Written beside the target and swapped in only when complete, so that a
    // failed save (disk full, say) leaves the earlier file whole. A folder that
    // takes no new file gets the file written in place.
    CString strTemp = strTarget.IsEmpty() ? CString() : MakeTempNameBeside(strTarget);
    LPCSTR lpszWriteTo = strTemp.IsEmpty() ? lpszPathName : static_cast<LPCSTR>(strTemp);

    CFile file;
    DWORD dwError = 0;
    if (!file.Open(lpszWriteTo, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &dwError))
    {
        if (!strTemp.IsEmpty())
            CFile::Remove(strTemp);
        ReportSaveLoadError(lpszPathName, CArchive::none, dwError, TRUE);
        return FALSE;
    }

    CWaitCursor wait;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    int nError = ar.GetError();
    DWORD dwOsError = ar.GetOsError();
    if (nError == CArchive::none && !file.Close())
    {
        nError = CArchive::writeError;
        dwOsError = file.GetError();
    }
    file.Abort();
    if (nError == CArchive::none && !strTemp.IsEmpty() &&
        !::MoveFileExA(strTemp, strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        nError = CArchive::writeError;
        dwOsError = ::GetLastError();
    }
    if (nError != CArchive::none)
    {
        if (!strTemp.IsEmpty())
            CFile::Remove(strTemp);
        ReportSaveLoadError(lpszPathName, nError, dwOsError, TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The views go with their frames; the document must outlive that.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty())
    {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
            pFrame->DestroyWindow();
        else
            pView->DestroyWindow();
        // A view whose window would not go must not keep this loop turning.
        if (!m_viewList.empty() && m_viewList.front() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::Serialize(CArchive&) {}

// ---- Saving on request ---------------------------------------------------------

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName = m_strPathName.IsEmpty() ? m_strTitle : AfxGetFileName(m_strPathName);
    if (strName.IsEmpty())
        strName = AfxGetUntitledName();
    CString strPrompt;
    strPrompt.Format("\xBFGuardar los cambios en %s?", static_cast<LPCSTR>(strName));
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            // Offer the title, cut before anything a file name can't hold.
            strNewName = m_strTitle;
            for (int i = 0; i < strNewName.GetLength(); ++i)
            {
                if (strchr("\\/:*?\"<>|", strNewName[i]) != nullptr)
                {
                    strNewName = strNewName.Left(i);
                    break;
                }
            }
            CString strExt;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
                strNewName.Find('.') < 0)
                strNewName += strExt;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr || !pApp->DoPromptFileName(strNewName, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                                                       FALSE, m_pDocTemplate))
            return FALSE;
    }

    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    // No file (any more), or one we may not write: ask for a name instead.
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY) != 0)
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

// ---- Error messages ------------------------------------------------------------

void CDocument::ReportSaveLoadError(LPCSTR lpszPathName, int nError, DWORD dwOsError, BOOL bSaving)
{
    AfxMessageBox(AfxGetSaveLoadErrorText(lpszPathName, nError, dwOsError, bSaving),
                  MB_OK | MB_ICONEXCLAMATION);
}

CString AfxGetSaveLoadErrorText(LPCSTR lpszPathName, int nError, DWORD dwOsError, BOOL bSaving)
{
    LPCSTR lpszFormat = nullptr;
    // The system's reason, where it says more than "could not read/write".
    switch (dwOsError)
    {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        lpszFormat = "No se encuentra %s.";
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        lpszFormat = "Acceso denegado a %s.";
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        lpszFormat = "No se puede acceder a %s porque est\xE1 bloqueado.";
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        lpszFormat = "Disco lleno al escribir %s.";
        break;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        lpszFormat = "%s contiene una ruta incorrecta.";
        break;
    default:
        break;
    }
    if (lpszFormat == nullptr)
    {
        switch (nError)
        {
        case CArchive::readError:
            lpszFormat = "Error al leer %s.";
            break;
        case CArchive::writeError:
            lpszFormat = "Error al escribir %s.";
            break;
        case CArchive::endOfFile:
        case CArchive::badFormat:
            lpszFormat = "%s tiene un formato inesperado.";
            break;
        case CArchive::noMemory:
            lpszFormat = "Memoria insuficiente para leer %s.";
            break;
        default:
            lpszFormat = bSaving ? "No se puede guardar el archivo %s." : "No se puede abrir el archivo %s.";
            break;
        }
    }
    CString strText;
    strText.Format(lpszFormat, lpszPathName != nullptr ? lpszPathName : "");
    return strText;
}
