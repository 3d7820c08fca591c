// An owned GDI bitmap in a device's format.
#include "afx/Bitmap.h"

#include "afx/Dc.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (pDC != nullptr && pDC->GetSafeHdc() != nullptr)
        return Adopt(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
    // A bitmap compatible with a fresh memory DC would be monochrome; the screen's
    // format is what "compatible with nothing" should mean.
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
    ::ReleaseDC(nullptr, hScreen);
    return Adopt(hBitmap);
}
