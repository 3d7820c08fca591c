// CDataExchange: one pass of a dialog's data exchange between its controls and its members, and the DDX_
// steps it is made of.
#pragma once
#include "AfxSetup.h"
#include "String.h"

class CWnd;

class CDataExchange
{
public:
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }
    // The control's window; null (and the exchange marked failed) when the dialog lacks it.
    HWND PrepareCtrl(int nIDC);
    void Fail() { m_bFailed = TRUE; }
    BOOL m_bFailed = FALSE;
};

// Joins control nIDC to rControl (subclassing it) on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
