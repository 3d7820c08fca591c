// CBitmap: an owned GDI bitmap.
#pragma once

#include "afx/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject
{
public:
    // A bitmap in the format of pDC's device (the screen's when pDC is null).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
