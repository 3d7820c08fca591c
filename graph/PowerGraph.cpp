// CPowerGraph: layout, operations, off-screen drawing and paint composition.
#include "graph/PowerGraph.h"

#include "afx/PaintDc.h"
#include "afx/ClientDc.h"
#include "afx/WinApp.h"
#include "afx/Font.h"
#include "graph/GraphLayout.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CPowerGraph, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPowerGraph::CPowerGraph()
    : m_nScrollStep(4), m_nDecimals(3), m_strXUnits("Samples"), m_strYUnits("Y units"),
      m_crBackground(RGB(0, 0, 0)), m_crGrid(RGB(0, 255, 255)), m_crTrace(RGB(255, 255, 255)),
      m_dCurrent(0.0), m_dPrevious(0.0), m_bTraceEmpty(true), m_nCurrentInset(2), m_nPreviousInset(6),
      m_nClientHeight(0), m_nClientWidth(0), m_nPlotHeight(0), m_nPlotWidth(0), m_dLower(-10.0),
      m_dUpper(10.0), m_dSpan(20.0), m_dPixelsPerUnit(0.0), m_rcClient(0, 0, 0, 0), m_rcPlot(0, 0, 0, 0),
      m_hOldGridBitmap(nullptr), m_hOldTraceBitmap(nullptr)
{
    m_penTrace.CreatePen(PS_SOLID, 0, m_crTrace);
    m_brushBackground.CreateSolidBrush(m_crBackground);
}

CPowerGraph::~CPowerGraph()
{
    // The bitmaps can only be deleted once they are out of their DCs; the
    // members then go in reverse declaration order: bitmaps, DCs, brush, pen.
    if (m_dcGrid.GetSafeHdc() != nullptr)
        m_dcGrid.SelectGdiObject(m_hOldGridBitmap);
    if (m_dcTrace.GetSafeHdc() != nullptr)
        m_dcTrace.SelectGdiObject(m_hOldTraceBitmap);
}

BOOL CPowerGraph::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    static CString s_strClassName;
    if (s_strClassName.IsEmpty())
        s_strClassName = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);

    // The size message arrives inside CreateEx, so the layout is ready for Reset.
    const BOOL bCreated = CreateEx(0, s_strClassName, nullptr, dwStyle, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
    if (bCreated)
        Reset();
    return bCreated;
}

void CPowerGraph::SetRange(double dLower, double dUpper, int nDecimals)
{
    m_dLower = dLower;
    m_dUpper = dUpper;
    m_nDecimals = GraphClampDecimals(nDecimals);
    m_dSpan = m_dUpper - m_dLower;
    m_dPixelsPerUnit = GraphPixelsPerUnit(m_nPlotHeight, m_dSpan);
    Reset();
}

void CPowerGraph::SetXUnits(const char* pszUnits)
{
    m_strXUnits = pszUnits != nullptr ? pszUnits : "";
    Reset();
}

void CPowerGraph::SetYUnits(const char* pszUnits)
{
    m_strYUnits = pszUnits != nullptr ? pszUnits : "";
    Reset();
}

double CPowerGraph::AppendPoint(double dValue)
{
    const double dBefore = m_dCurrent;
    m_dCurrent = dValue;
    ScrollAndPlot();
    // Without a window a null handle would invalidate every window on the desktop.
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(nullptr, TRUE);
    return dBefore;
}

int CPowerGraph::ValueToRow(double dValue) const
{
    return GraphValueToRow(dValue, m_dLower, m_dPixelsPerUnit, m_rcPlot.bottom);
}

void CPowerGraph::Reset()
{
    // Without a window the client DC would be the screen's and the layout unset.
    if (GetSafeHwnd() == nullptr)
        return;

    CPen penGrid(PS_SOLID, 0, m_crGrid);
    CFont fontHorizontal;
    CFont fontVertical;
    CString strLabel;
    CClientDC dcClient(this);

    if (m_dcGrid.GetSafeHdc() == nullptr && m_dcGrid.CreateCompatibleDC(&dcClient) &&
        m_bmpGrid.CreateCompatibleBitmap(&dcClient, m_nClientWidth, m_nClientHeight))
        m_hOldGridBitmap = m_dcGrid.SelectObject(&m_bmpGrid);

    m_dcGrid.SetBkColor(m_crBackground);
    m_dcGrid.FillRect(&m_rcClient, &m_brushBackground);

    m_rcPlot.left = m_rcClient.left + GraphLabelMargin(m_dLower, m_dUpper, m_nDecimals);
    m_nPlotWidth = m_rcPlot.right - m_rcPlot.left;

    // Frame one pixel outside the plot on the right and bottom: LineTo leaves
    // out its end point, so each side ends where the next begins.
    HGDIOBJ hOldPen = m_dcGrid.SelectObject(&penGrid);
    m_dcGrid.MoveTo(m_rcPlot.left, m_rcPlot.top);
    m_dcGrid.LineTo(m_rcPlot.right + 1, m_rcPlot.top);
    m_dcGrid.LineTo(m_rcPlot.right + 1, m_rcPlot.bottom + 1);
    m_dcGrid.LineTo(m_rcPlot.left, m_rcPlot.bottom + 1);
    m_dcGrid.LineTo(m_rcPlot.left, m_rcPlot.top);
    m_dcGrid.SelectGdiObject(hOldPen);

    const int nMid = (m_rcPlot.top + m_rcPlot.bottom) / 2;
    const int nQuarter = m_nPlotHeight / 4;
    for (int x = m_rcPlot.left; x < m_rcPlot.right; x += 4)
    {
        m_dcGrid.SetPixel(x, nMid - nQuarter, m_crGrid);
        m_dcGrid.SetPixel(x, nMid, m_crGrid);
        m_dcGrid.SetPixel(x, nMid + nQuarter, m_crGrid);
    }

    fontHorizontal.CreateFont(14, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
    fontVertical.CreateFont(14, 0, 900, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
    HGDIOBJ hOldFont = m_dcGrid.SelectObject(&fontHorizontal);
    m_dcGrid.SetTextColor(m_crGrid);

    strLabel.Format("%.*lf", m_nDecimals, m_dUpper);
    m_dcGrid.SetTextAlign(TA_RIGHT | TA_TOP);
    m_dcGrid.TextOut(m_rcPlot.left - 4, m_rcPlot.top, strLabel);

    strLabel.Format("%.*lf", m_nDecimals, m_dLower);
    m_dcGrid.SetTextAlign(TA_RIGHT | TA_BASELINE);
    m_dcGrid.TextOut(m_rcPlot.left - 4, m_rcPlot.bottom, strLabel);

    m_dcGrid.SetTextAlign(TA_LEFT | TA_TOP);
    m_dcGrid.TextOut(m_rcPlot.left, m_rcPlot.bottom + 4, "0");

    strLabel.Format("%d", GraphSampleCount(m_nPlotWidth, m_nScrollStep));
    m_dcGrid.SetTextAlign(TA_RIGHT | TA_TOP);
    m_dcGrid.TextOut(m_rcPlot.right, m_rcPlot.bottom + 4, strLabel);

    m_dcGrid.SetTextAlign(TA_CENTER | TA_TOP);
    m_dcGrid.TextOut((m_rcPlot.left + m_rcPlot.right) / 2, m_rcPlot.bottom + 4, m_strXUnits);

    m_dcGrid.SelectGdiObject(hOldFont);
    hOldFont = m_dcGrid.SelectObject(&fontVertical);
    m_dcGrid.SetTextAlign(TA_CENTER | TA_BASELINE);
    m_dcGrid.TextOut((m_rcClient.left + m_rcPlot.left) / 2, (m_rcPlot.top + m_rcPlot.bottom) / 2,
                     m_strYUnits);
    m_dcGrid.SelectGdiObject(hOldFont);

    if (m_dcTrace.GetSafeHdc() == nullptr && m_dcTrace.CreateCompatibleDC(&dcClient) &&
        m_bmpTrace.CreateCompatibleBitmap(&dcClient, m_nClientWidth, m_nClientHeight))
        m_hOldTraceBitmap = m_dcTrace.SelectObject(&m_bmpTrace);

    m_dcTrace.SetBkColor(m_crBackground);
    m_dcTrace.FillRect(&m_rcClient, &m_brushBackground);
    m_bTraceEmpty = true;

    InvalidateRect(&m_rcClient, TRUE);
}

void CPowerGraph::ScrollAndPlot()
{
    if (m_dcTrace.GetSafeHdc() == nullptr)
        return;

    // One overlapping copy inside the bitmap; GDI handles the overlap.
    if (m_nPlotWidth > 0 && m_nPlotHeight > 0)
        m_dcTrace.BitBlt(m_rcPlot.left, m_rcPlot.top + 1, m_nPlotWidth, m_nPlotHeight, &m_dcTrace,
                         m_rcPlot.left + m_nScrollStep, m_rcPlot.top + 1, SRCCOPY);

    const CRect rcStrip(m_rcPlot.right - m_nScrollStep, m_rcPlot.top, m_rcPlot.right, m_rcPlot.bottom);
    m_dcTrace.FillRect(&rcStrip, &m_brushBackground);

    // A value from before the trace was cleared (or none at all) lies anywhere,
    // often far off the range: a line from it would cross the whole plot.
    if (m_bTraceEmpty)
        m_dPrevious = m_dCurrent;
    m_bTraceEmpty = false;
    const int yPrevious = ValueToRow(m_dPrevious);
    const int yCurrent = ValueToRow(m_dCurrent);
    const int xPrevious = m_rcPlot.right - m_nPreviousInset;
    const int xCurrent = m_rcPlot.right - m_nCurrentInset;
    HGDIOBJ hOldPen = m_dcTrace.SelectObject(&m_penTrace);
    m_dcTrace.MoveTo(xPrevious, yPrevious);
    m_dcTrace.LineTo(xCurrent, yCurrent);
    m_dcTrace.SelectGdiObject(hOldPen);

    // Out-of-range ends are clipped by erasing: above, the frame's top row goes
    // too; below, the bottom row of the plot stays so the lower bound shows.
    if (yPrevious <= m_rcPlot.top || yCurrent <= m_rcPlot.top)
    {
        const CRect rcAbove(xPrevious, m_rcClient.top, xCurrent + 1, m_rcPlot.top + 1);
        m_dcTrace.FillRect(&rcAbove, &m_brushBackground);
    }
    if (yPrevious >= m_rcPlot.bottom || yCurrent >= m_rcPlot.bottom)
    {
        const CRect rcBelow(xPrevious, m_rcPlot.bottom + 1, xCurrent + 1, m_rcClient.bottom + 1);
        m_dcTrace.FillRect(&rcBelow, &m_brushBackground);
    }

    m_dPrevious = m_dCurrent;
}

BOOL CPowerGraph::Compose(CDC* pDestDC)
{
    if (pDestDC == nullptr || m_dcGrid.GetSafeHdc() == nullptr || m_dcTrace.GetSafeHdc() == nullptr)
        return FALSE;
    pDestDC->BitBlt(0, 0, m_nClientWidth, m_nClientHeight, &m_dcGrid, 0, 0, SRCCOPY);
    pDestDC->BitBlt(0, 0, m_nClientWidth, m_nClientHeight, &m_dcTrace, 0, 0, SRCPAINT);
    return TRUE;
}

void CPowerGraph::OnPaint()
{
    CPaintDC dc(this);
    CDC dcMemory;
    CBitmap bmpMemory;
    // Composing off screen and copying once keeps the window free of flicker.
    if (!dcMemory.CreateCompatibleDC(&dc) ||
        !bmpMemory.CreateCompatibleBitmap(&dc, m_nClientWidth, m_nClientHeight))
        return;
    HGDIOBJ hOldBitmap = dcMemory.SelectObject(&bmpMemory);
    if (Compose(&dcMemory))
        dc.BitBlt(0, 0, m_nClientWidth, m_nClientHeight, &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectGdiObject(hOldBitmap);
}

void CPowerGraph::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    GetClientRect(&m_rcClient);
    m_nClientHeight = m_rcClient.bottom - m_rcClient.top;
    m_nClientWidth = m_rcClient.right - m_rcClient.left;
    const GraphBox box = GraphPlotBox(m_rcClient.right, m_rcClient.bottom);
    m_rcPlot = CRect(box.left, box.top, box.right, box.bottom);
    m_nPlotHeight = m_rcPlot.bottom - m_rcPlot.top;
    m_nPlotWidth = m_rcPlot.right - m_rcPlot.left;
    m_dPixelsPerUnit = GraphPixelsPerUnit(m_nPlotHeight, m_dSpan);
}
