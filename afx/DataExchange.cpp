// Data exchange between a dialog's controls and its members.
#include "DataExchange.h"
#include "Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!hWndCtrl)
        Fail();
    return hWndCtrl;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;  // joined on an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl && !rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        int nLen = ::GetWindowTextLengthA(hWndCtrl);
        int nGot = ::GetWindowTextA(hWndCtrl, value.GetBuffer(nLen), nLen + 1);
        value.ReleaseBuffer(nGot > 0 ? nGot : 0);
    }
    else
    {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    HWND hWndDlg = pDX->m_pDlgWnd->m_hWnd;
    if (pDX->m_bSaveAndValidate)
    {
        BOOL bTranslated = FALSE;
        int n = int(::GetDlgItemInt(hWndDlg, nIDC, &bTranslated, TRUE));
        if (!bTranslated)
        {
            // Not a number: the value stays, the user is told by a beep and the focus.
            ::MessageBeep(MB_ICONEXCLAMATION);
            ::SetFocus(hWndCtrl);
            pDX->Fail();
            return;
        }
        value = n;
    }
    else
    {
        ::SetDlgItemInt(hWndDlg, nIDC, UINT(value), TRUE);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = int(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, WPARAM(value), 0);
}
