// CPowerGraph: the scrolling strip chart that plots the tracked signal strength.
#pragma once

#include "afx/AfxSetup.h"
#include "afx/Dc.h"
#include "afx/Pen.h"
#include "afx/Brush.h"
#include "afx/Bitmap.h"
#include "afx/String.h"
#include "afx/Rect.h"
#include "afx/Wnd.h"

// Two off-screen bitmaps live as long as the control: the grid (frame, dots,
// labels; redrawn only by Reset) and the trace (moved left and extended by
// each AppendPoint). Painting ORs the trace over the grid, so with the black
// background the trace shows white over anything and the grid shows elsewhere.
class CPowerGraph : public CWnd
{
public:
    CPowerGraph();
    ~CPowerGraph() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(double dLower, double dUpper, int nDecimals);
    void SetXUnits(const char* pszUnits);
    void SetYUnits(const char* pszUnits);
    // Returns the value given to the call before.
    double AppendPoint(double dValue);
    void Reset();

    // Grid and trace combined into pDestDC at (0, 0), the client's size; what
    // painting shows. FALSE before the first Reset.
    BOOL Compose(CDC* pDestDC);

protected:
    void ScrollAndPlot();
    int ValueToRow(double dValue) const;

    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    int m_nScrollStep;
    int m_nDecimals;
    CString m_strXUnits;
    CString m_strYUnits;
    COLORREF m_crBackground;
    COLORREF m_crGrid;
    COLORREF m_crTrace;
    double m_dCurrent;
    double m_dPrevious;
    // No point since creation or the last Reset: the next segment starts at its own value.
    bool m_bTraceEmpty;
    int m_nCurrentInset;
    int m_nPreviousInset;
    int m_nClientHeight;
    int m_nClientWidth;
    int m_nPlotHeight;
    int m_nPlotWidth;
    double m_dLower;
    double m_dUpper;
    double m_dSpan;
    double m_dPixelsPerUnit;
    CRect m_rcClient;
    CRect m_rcPlot;
    CPen m_penTrace;
    CBrush m_brushBackground;
    CDC m_dcGrid;
    CDC m_dcTrace;
    HGDIOBJ m_hOldGridBitmap;
    HGDIOBJ m_hOldTraceBitmap;
    CBitmap m_bmpGrid;
    CBitmap m_bmpTrace;
};
