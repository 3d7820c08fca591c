// GDI wrappers: who deletes what, selection round trips, and the pixel rules drawing relies on.
#include "afx/Dc.h"
#include "afx/Pen.h"
#include "afx/Brush.h"
#include "afx/Font.h"
#include "afx/Bitmap.h"
#include "afx/TempMapBase.h"
#include "afx/Point.h"
#include "tests/graph/MemorySurface.h"

#include <gtest/gtest.h>

#include <utility>

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);

TEST(GdiObject, DeletesOnDestructionAndMovesOwnership)
{
    HGDIOBJ hPen;
    {
        CPen pen(PS_SOLID, 0, kWhite);
        hPen = pen.GetSafeHandle();
        ASSERT_NE(nullptr, hPen);
        CPen moved(std::move(pen));
        EXPECT_EQ(nullptr, pen.GetSafeHandle());
        EXPECT_EQ(hPen, moved.GetSafeHandle());
        EXPECT_EQ(OBJ_PEN, static_cast<int>(::GetObjectType(hPen)));
    }
    EXPECT_EQ(0u, ::GetObjectType(hPen));

    CBrush brush(kWhite);
    HGDIOBJ hFirst = brush.GetSafeHandle();
    ASSERT_TRUE(brush.CreateSolidBrush(kBlack));
    EXPECT_EQ(0u, ::GetObjectType(hFirst)) << "re-creating must release the old brush";

    HGDIOBJ hDetached = brush.Detach();
    EXPECT_FALSE(brush.DeleteObject());
    EXPECT_EQ(OBJ_BRUSH, static_cast<int>(::GetObjectType(hDetached)));
    ::DeleteObject(hDetached);
}

TEST(GdiObject, FontsAndBitmapsAreCreatedInTheirKinds)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(14, 0, 900, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial"));
    LOGFONTA lf = {};
    ASSERT_EQ(static_cast<int>(sizeof lf), ::GetObjectA(font.GetSafeHandle(), sizeof lf, &lf));
    EXPECT_EQ(900, lf.lfEscapement);
    EXPECT_EQ(14, lf.lfHeight);
    CFont copy;
    EXPECT_TRUE(copy.CreateFontIndirect(&lf));
    EXPECT_FALSE(copy.CreateFontIndirect(nullptr));
    EXPECT_EQ(nullptr, copy.GetSafeHandle());

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(nullptr, 32, 16));
    BITMAP bm = {};
    ASSERT_NE(0, ::GetObjectA(bitmap.GetSafeHandle(), sizeof bm, &bm));
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
    EXPECT_GT(bm.bmBitsPixel, 1) << "screen format, not monochrome";
}

TEST(Dc, OwnsWhatItCreatesAndOnlyBorrowsWhatIsAttached)
{
    HDC hOwned;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hOwned = dc.GetSafeHdc();
        CDC moved(std::move(dc));
        EXPECT_EQ(nullptr, dc.GetSafeHdc());
        EXPECT_EQ(hOwned, moved.GetSafeHdc());
    }
    EXPECT_EQ(0u, ::GetObjectType(hOwned));

    HDC hForeign = ::CreateCompatibleDC(nullptr);
    {
        CDC dc;
        dc.Attach(hForeign);
        EXPECT_FALSE(dc.DeleteDC());
        dc.Attach(hForeign);
    }
    EXPECT_EQ(OBJ_MEMDC, static_cast<int>(::GetObjectType(hForeign)));
    ::DeleteDC(hForeign);
}

TEST(Dc, SelectReturnsThePreviousObjectForRestoring)
{
    MemorySurface surface(8, 8);
    CPen first(PS_SOLID, 0, kWhite);
    CPen second(PS_SOLID, 0, kBlack);
    HGDIOBJ hOriginal = surface.dc.SelectObject(&first);
    ASSERT_NE(nullptr, hOriginal);
    EXPECT_EQ(first.GetSafeHandle(), surface.dc.SelectObject(&second));
    EXPECT_EQ(second.GetSafeHandle(), surface.dc.SelectGdiObject(hOriginal));
    EXPECT_EQ(nullptr, surface.dc.SelectObject(nullptr));
}

TEST(Dc, LinesFillsAndOverlappingCopiesFollowTheGdiRules)
{
    MemorySurface surface(16, 8);
    CDC& dc = surface.dc;
    CPen pen(PS_SOLID, 0, kWhite);
    HGDIOBJ hOld = dc.SelectObject(&pen);
    dc.MoveTo(2, 3);
    const CPoint previous = dc.MoveTo(2, 3);
    EXPECT_EQ(2, previous.x);
    EXPECT_EQ(3, previous.y);
    dc.LineTo(6, 3);
    dc.SelectGdiObject(hOld);
    EXPECT_EQ(kWhite, dc.GetPixel(2, 3)) << "start point included";
    EXPECT_EQ(kWhite, dc.GetPixel(5, 3));
    EXPECT_EQ(kBlack, dc.GetPixel(6, 3)) << "end point left out";

    // Overlapping copy leftwards inside one bitmap acts like a copy via a buffer.
    dc.BitBlt(0, 3, 12, 1, &dc, 4, 3, SRCCOPY);
    EXPECT_EQ(kWhite, dc.GetPixel(0, 3));
    EXPECT_EQ(kWhite, dc.GetPixel(1, 3));
    EXPECT_EQ(kBlack, dc.GetPixel(2, 3));

    CBrush white(kWhite);
    const RECT rc = {8, 0, 10, 2};
    dc.FillRect(&rc, &white);
    EXPECT_EQ(kWhite, dc.GetPixel(8, 0));
    EXPECT_EQ(kWhite, dc.GetPixel(9, 1));
    EXPECT_EQ(kBlack, dc.GetPixel(10, 1)) << "right edge excluded";
    EXPECT_EQ(kBlack, dc.GetPixel(9, 2)) << "bottom edge excluded";
}

TEST(Dc, FramesAndSolidFillsStayInsideTheirRectangle)
{
    MemorySurface surface(8, 8);
    const COLORREF light = RGB(255, 255, 255), dark = RGB(128, 128, 128);
    const RECT rc = {1, 1, 6, 5};
    surface.dc.Draw3dRect(&rc, light, dark);
    EXPECT_EQ(light, surface.Pixel(1, 1));
    EXPECT_EQ(light, surface.Pixel(4, 1));
    EXPECT_EQ(light, surface.Pixel(1, 3));
    EXPECT_EQ(dark, surface.Pixel(5, 1)) << "top-right corner belongs to the right side";
    EXPECT_EQ(dark, surface.Pixel(1, 4)) << "bottom-left corner belongs to the bottom side";
    EXPECT_EQ(dark, surface.Pixel(5, 4));
    EXPECT_EQ(kBlack, surface.Pixel(2, 2)) << "inside untouched";
    EXPECT_EQ(kBlack, surface.Pixel(6, 4));
    EXPECT_EQ(kBlack, surface.Pixel(5, 5));

    const COLORREF crBefore = surface.dc.SetBkColor(RGB(1, 2, 3));
    surface.dc.FillSolidRect(0, 6, 3, 2, dark);
    EXPECT_EQ(dark, surface.Pixel(2, 7));
    EXPECT_EQ(kBlack, surface.Pixel(3, 7));
    EXPECT_EQ(RGB(1, 2, 3), surface.dc.GetBkColor()) << "the background colour is kept";
    surface.dc.SetBkColor(crBefore);
}

TEST(Dc, TemporaryWrappersAndSharedObjectsNeverDeleteWhatTheyWrap)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC* pDC = CDC::FromHandle(hDC);
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(pDC, CDC::FromHandle(hDC));
    EXPECT_EQ(nullptr, CDC::FromHandle(nullptr));
    AfxDeleteTempMaps();
    EXPECT_EQ(OBJ_MEMDC, static_cast<int>(::GetObjectType(hDC)));
    ::DeleteDC(hDC);

    CBrush* pHalftone = CDC::GetHalftoneBrush();
    ASSERT_NE(nullptr, pHalftone);
    EXPECT_EQ(pHalftone, CDC::GetHalftoneBrush());
    EXPECT_EQ(OBJ_BRUSH, static_cast<int>(::GetObjectType(pHalftone->GetSafeHandle())));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(60, "Marlett"));
    LOGFONTA lf = {};
    ::GetObjectA(font.GetSafeHandle(), sizeof lf, &lf);
    EXPECT_STREQ("Marlett", lf.lfFaceName);
    EXPECT_LT(lf.lfHeight, 0) << "character height, not cell height";
}
