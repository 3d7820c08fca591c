// CChannelMap: the channel map control: three band buttons over the map of one band, drawn
// off screen and only again when what it shows has changed.
#pragma once

#include <array>
#include <vector>

#include "afx/AfxSetup.h"
#include "afx/Dc.h"
#include "afx/Bitmap.h"
#include "afx/String.h"
#include "afx/Wnd.h"
#include "chanmap/ChannelMapLayout.h"
#include "chanmap/ChannelMapPainter.h"

class CChannelMap : public CWnd
{
public:
    // Ids of the band buttons, children of the map, in band order.
    enum : UINT
    {
        kFirstBandButton = 100
    };
    enum : int
    {
        kButtonRowHeight = 24
    };

    CChannelMap();
    ~CChannelMap() override;

    // bandLabels: the three buttons' texts, in band order. The texts must outlive the control.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, const MapTexts& texts,
                const std::array<const char*, kMapBandCount>& bandLabels);

    // The last scan's access points. Until the user picks a band the busiest one shows. Redraws
    // and returns true only when something shown changed.
    bool SetAccessPoints(std::vector<MapAp>& aps);
    // As a click on the band's button: the choice then stays.
    void SelectBand(MapBand band);
    MapBand GetBand() const { return m_band; }
    const std::vector<MapAp>& GetAccessPoints() const { return m_aps; }
    CWnd& BandButton(MapBand band) { return m_buttons[static_cast<int>(band)]; }
    // Times the map was drawn off screen: what painting costs beyond one copy.
    int GetRenderCount() const { return m_nRenders; }
    // What painting shows, into pDestDC at (0, 0); FALSE without a window.
    BOOL Compose(CDC* pDestDC);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void ShowBand(MapBand band);
    void UpdateButtons();
    void LayoutButtons();
    void Render();

    MapTexts m_texts;
    std::array<const char*, kMapBandCount> m_bandLabels;
    std::array<CWnd, kMapBandCount> m_buttons;
    std::array<int, kMapBandCount> m_bandCounts;
    std::vector<MapAp> m_aps;
    MapBand m_band;
    bool m_bBandChosen;
    bool m_bDirty;
    int m_nRenders;
    int m_cx;
    int m_cy;
    CDC m_dcBack;
    CBitmap m_bmpBack;
    HGDIOBJ m_hOldBack;
    int m_cxBack;
    int m_cyBack;
};
