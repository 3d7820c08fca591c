// CChannelMap: band buttons, change detection and the off-screen copy of the map.
#include "chanmap/ChannelMap.h"

#include <cstdio>
#include <cstring>

#include "afx/WinApp.h"
#include "afx/PaintDc.h"
#include "afx/ClientDc.h"

BEGIN_MESSAGE_MAP(CChannelMap, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CChannelMap::CChannelMap()
    : m_texts{"", "", "", "", ""}, m_bandLabels{"", "", ""}, m_bandCounts{}, m_band(MapBand::Ghz24),
      m_bBandChosen(false), m_bDirty(true), m_nRenders(0), m_cx(0), m_cy(0), m_hOldBack(nullptr), m_cxBack(0),
      m_cyBack(0)
{
}

CChannelMap::~CChannelMap()
{
    if (m_dcBack.GetSafeHdc() != nullptr)
        m_dcBack.SelectGdiObject(m_hOldBack);
}

BOOL CChannelMap::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, const MapTexts& texts,
                         const std::array<const char*, kMapBandCount>& bandLabels)
{
    m_texts = texts;
    m_bandLabels = bandLabels;
    static CString s_strClassName;
    if (s_strClassName.IsEmpty())
        s_strClassName = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(0, s_strClassName, nullptr, dwStyle | WS_CLIPCHILDREN, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    const HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < kMapBandCount; ++i)
    {
        if (!m_buttons[i].CreateEx(0, "BUTTON", m_bandLabels[i],
                                   WS_CHILD | WS_VISIBLE | BS_PUSHLIKE | BS_RADIOBUTTON, 0, 0, 0, 0, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstBandButton + i))))
            return FALSE;
        m_buttons[i].SetFont(hFont, FALSE);
    }
    // The size message came before the buttons existed.
    LayoutButtons();
    UpdateButtons();
    return TRUE;
}

bool CChannelMap::SetAccessPoints(std::vector<MapAp>& aps)
{
    if (aps == m_aps)
        return false;
    m_aps.swap(aps);
    m_bandCounts = MapBandCounts(m_aps);
    UpdateButtons();
    if (!m_bBandChosen)
        m_band = MapBusiestBand(m_bandCounts);
    ShowBand(m_band);
    return true;
}

void CChannelMap::SelectBand(MapBand band)
{
    m_bBandChosen = true;
    ShowBand(band);
}

void CChannelMap::ShowBand(MapBand band)
{
    m_band = band;
    for (int i = 0; i < kMapBandCount; ++i)
        if (m_buttons[i].GetSafeHwnd() != nullptr)
            m_buttons[i].SendMessage(BM_SETCHECK, i == static_cast<int>(band) ? BST_CHECKED : BST_UNCHECKED,
                                     0);
    m_bDirty = true;
    // Without a window a null handle would invalidate every window on the desktop.
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(nullptr, FALSE);
}

void CChannelMap::UpdateButtons()
{
    char text[64];
    for (int i = 0; i < kMapBandCount; ++i)
    {
        if (m_buttons[i].GetSafeHwnd() == nullptr)
            continue;
        std::snprintf(text, sizeof text, "%s (%d)", m_bandLabels[i], m_bandCounts[i]);
        CString current;
        m_buttons[i].GetWindowText(current);
        if (std::strcmp(static_cast<LPCSTR>(current), text) != 0)
            m_buttons[i].SetWindowText(text);
    }
}

BOOL CChannelMap::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && nID >= kFirstBandButton &&
        nID < kFirstBandButton + kMapBandCount)
    {
        SelectBand(static_cast<MapBand>(nID - kFirstBandButton));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CChannelMap::Render()
{
    if (m_cx <= 0 || m_cy <= 0)
        return;
    if (m_dcBack.GetSafeHdc() == nullptr || m_cx > m_cxBack || m_cy > m_cyBack)
    {
        // Grown to the largest client seen, so a drag of the bar's edge allocates only while it grows.
        CClientDC dcClient(this);
        if (m_dcBack.GetSafeHdc() == nullptr && !m_dcBack.CreateCompatibleDC(&dcClient))
            return;
        CBitmap bmp;
        const int cx = m_cx > m_cxBack ? m_cx : m_cxBack;
        const int cy = m_cy > m_cyBack ? m_cy : m_cyBack;
        if (!bmp.CreateCompatibleBitmap(&dcClient, cx, cy))
            return;
        HGDIOBJ hOld = m_dcBack.SelectObject(&bmp);
        if (m_hOldBack == nullptr)
            m_hOldBack = hOld;
        m_bmpBack = std::move(bmp);
        m_cxBack = cx;
        m_cyBack = cy;
    }
    PaintChannelMap(m_dcBack, m_cx, m_cy, kButtonRowHeight, m_band, m_aps, m_texts);
    m_bDirty = false;
    ++m_nRenders;
}

BOOL CChannelMap::Compose(CDC* pDestDC)
{
    if (pDestDC == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bDirty)
        Render();
    if (m_dcBack.GetSafeHdc() == nullptr)
        return FALSE;
    return pDestDC->BitBlt(0, 0, m_cx, m_cy, &m_dcBack, 0, 0, SRCCOPY);
}

void CChannelMap::OnPaint()
{
    CPaintDC dc(this);
    Compose(&dc);
}

void CChannelMap::OnSize(UINT /*nType*/, int cx, int cy)
{
    if (cx == m_cx && cy == m_cy)
        return;
    m_cx = cx;
    m_cy = cy;
    LayoutButtons();
    m_bDirty = true;
    InvalidateRect(nullptr, FALSE);
}

void CChannelMap::LayoutButtons()
{
    const int width = (m_cx - 4) / kMapBandCount;
    for (int i = 0; i < kMapBandCount; ++i)
        if (m_buttons[i].GetSafeHwnd() != nullptr)
            m_buttons[i].SetWindowPos(nullptr, 2 + i * width, 2, width - 2, kButtonRowHeight - 4,
                                      SWP_NOZORDER | SWP_NOACTIVATE);
}
