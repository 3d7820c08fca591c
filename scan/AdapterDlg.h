// CAdapterDlg: the modal list of installed network cards; OK stores the
// chosen card's service name in the application.
#pragma once

#include "afx/Dialog.h"
#include "afx/ListCtrl.h"

class CAdapterDlg : public CDialog
{
public:
    explicit CAdapterDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Reads one NetworkCards subkey and adds its row at 'index'.
    void AddAdapter(int index, const char* path);

    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

// The registry key the dialog lists; tests point it elsewhere.
extern const char* g_pszNetworkCardsKey;
