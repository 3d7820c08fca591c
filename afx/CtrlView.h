// CCtrlView: a view whose window is a platform control that paints itself.
#pragma once

#include "afx/View.h"

// A view whose window is a platform control of class lpszClass; the control
// paints itself.
class CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCSTR lpszClass, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
};
