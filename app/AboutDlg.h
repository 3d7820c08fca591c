// CAboutDlg: the about box, a borderless picture that closes on a click.
#pragma once

#include "afx/Dialog.h"
#include "afx/Point.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

protected:
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
