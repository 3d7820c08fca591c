// CEdit: the edit control's operations on a borrowed window.
#include "afx/Edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

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
