// CDialog: modal dialogs from a template, their controls filled and read through DoDataExchange.
#pragma once
#include "Wnd.h"

class CDataExchange;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // For a template built in memory (the template must outlive DoModal).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog modally; returns the EndDialog result, or -1 if it can't be made.
    // The owner is disabled meanwhile; other windows' messages (timers) keep flowing.
    virtual INT_PTR DoModal();
    // Data exchange then the dialog's OnInitDialog result (TRUE: focus the first control).
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    virtual void DoDataExchange(CDataExchange* pDX);
    // FALSE when an exchange step failed (the dialog stays open).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void NextDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

private:
    BOOL m_bModalLoop = FALSE;
    INT_PTR m_nModalResult = -1;
};
