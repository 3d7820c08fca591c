// The about box.
#include "app/AboutDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::OnLButtonUp(UINT, CPoint)
{
    EndDialog(0);
    Default();
}
