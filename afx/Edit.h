// CEdit: the edit control's operations on a borrowed window, and the Edit menu's commands acting on it.
#pragma once

#include "afx/Wnd.h"

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // nChars 0 lifts the limit to the control's maximum.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(int(nMax)); }
    UINT GetLimitText() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    int GetLineCount() const;
    void SetMargins(UINT nLeft, UINT nRight);
    BOOL CanUndo() const;
    BOOL Undo();
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // Cut, copy, paste, clear, select all and undo on this control, enabled exactly when the control can do
    // them. A frame offers its commands to the window with the focus first (CFrameWnd::OnCmdMsg).
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnEditSelectAll();
    void OnEditUndo();
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditClear(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL HasSelection() const;
    // A password field refuses to give its text away.
    BOOL CanCopy() const;
    BOOL IsWritable() const;
};
