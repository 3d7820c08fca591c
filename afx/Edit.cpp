// CEdit: the edit control's operations on a borrowed window, and the Edit menu's commands acting on it.
#include "afx/Edit.h"

#include "afx/AfxRes.h"
#include "afx/CmdUI.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BEGIN_MESSAGE_MAP(CEdit, CWnd)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
END_MESSAGE_MAP()

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::LimitText(int nChars)
{
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, WPARAM(nChars), 0);
}

UINT CEdit::GetLimitText() const
{
    return UINT(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, WPARAM(&dwStart), LPARAM(&dwEnd));
    nStartChar = int(dwStart);
    nEndChar = int(dwEnd);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, WPARAM(nStartChar), LPARAM(nEndChar));
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessageA(m_hWnd, EM_REPLACESEL, WPARAM(bCanUndo),
                   LPARAM(lpszNewText != nullptr ? lpszNewText : ""));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return BOOL(::SendMessageA(m_hWnd, EM_SETREADONLY, WPARAM(bReadOnly), 0));
}

BOOL CEdit::GetModify() const
{
    return BOOL(::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified)
{
    ::SendMessageA(m_hWnd, EM_SETMODIFY, WPARAM(bModified), 0);
}

int CEdit::GetLineCount() const
{
    return int(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessageA(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(nLeft, nRight));
}

BOOL CEdit::CanUndo() const
{
    return BOOL(::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0));
}

BOOL CEdit::Undo()
{
    return BOOL(::SendMessageA(m_hWnd, EM_UNDO, 0, 0));
}

void CEdit::Clear()
{
    ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0);
}

void CEdit::Copy()
{
    ::SendMessageA(m_hWnd, WM_COPY, 0, 0);
}

void CEdit::Cut()
{
    ::SendMessageA(m_hWnd, WM_CUT, 0, 0);
}

void CEdit::Paste()
{
    ::SendMessageA(m_hWnd, WM_PASTE, 0, 0);
}

void CEdit::OnEditCut()
{
    Cut();
}

void CEdit::OnEditCopy()
{
    Copy();
}

void CEdit::OnEditPaste()
{
    Paste();
}

void CEdit::OnEditClear()
{
    Clear();
}

void CEdit::OnEditSelectAll()
{
    SetSel(0, -1);
}

void CEdit::OnEditUndo()
{
    Undo();
}

BOOL CEdit::HasSelection() const
{
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    return nStart != nEnd;
}

BOOL CEdit::IsWritable() const
{
    return IsWindowEnabled() && !(GetStyle() & ES_READONLY);
}

BOOL CEdit::CanCopy() const
{
    return HasSelection() && !(GetStyle() & ES_PASSWORD);
}

void CEdit::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopy() && IsWritable());
}

void CEdit::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopy());
}

void CEdit::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection() && IsWritable());
}

void CEdit::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsWritable() && IsClipboardFormatAvailable(CF_TEXT));
}

void CEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWindowTextLength() > 0);
}

void CEdit::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsWritable() && CanUndo());
}
