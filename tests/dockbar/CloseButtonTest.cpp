// The close button's cross, drawn into a memory DC and read back pixel by pixel.
#include "afx/Brush.h"
#include "afx/Point.h"
#include "dockbar/BarCloseButton.h"
#include "tests/graph/MemorySurface.h"

#include <gtest/gtest.h>

namespace
{

const CPoint kOrigin(4, 5);

// A button-face surface with the cross drawn at kOrigin by 'draw'.
template <class Draw>
void ExpectCross(Draw draw)
{
    MemorySurface surface(20, 20);
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    CBrush brush(crFace);
    const RECT rc = {0, 0, 20, 20};
    surface.dc.FillRect(&rc, &brush);
    draw(&surface.dc);
    // Both diagonals of the 6 x 6 pixels at (3, 3) in the button; a letter "r" has neither.
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(crText, surface.Pixel(kOrigin.x + 3 + i, kOrigin.y + 3 + i)) << i;
        EXPECT_EQ(crText, surface.Pixel(kOrigin.x + 8 - i, kOrigin.y + 3 + i)) << i;
    }
    // The middles of its sides stay open.
    EXPECT_EQ(crFace, surface.Pixel(kOrigin.x + 5, kOrigin.y + 3));
    EXPECT_EQ(crFace, surface.Pixel(kOrigin.x + 5, kOrigin.y + 8));
    EXPECT_EQ(crFace, surface.Pixel(kOrigin.x + 3, kOrigin.y + 5));
    EXPECT_EQ(crFace, surface.Pixel(kOrigin.x + 8, kOrigin.y + 5));
}

}  // namespace

TEST(CloseButton, SymbolFontIsFoundAndItsGlyphIsTheCross)
{
    CBarCloseButton button;
    button.SetOrigin(kOrigin);
    ExpectCross([&](CDC* pDC) { button.Paint(pDC); });
    ExpectCross([](CDC* pDC) { EXPECT_TRUE(DrawCloseCross(pDC, kOrigin)) << "the bed's Wine has the font"; });
}

TEST(CloseButton, MissingSymbolFontDrawsTheCrossWithLines)
{
    ExpectCross([](CDC* pDC) { EXPECT_FALSE(DrawCloseCross(pDC, kOrigin, "Kesu No Such Face")); });
}
