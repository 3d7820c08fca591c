// Test helper: a screen-format memory DC with its own black bitmap selected.
#pragma once

#include "afx/Dc.h"
#include "afx/Brush.h"
#include "afx/Bitmap.h"

struct MemorySurface
{
    CDC dc;
    CBitmap bitmap;
    HGDIOBJ hOld = nullptr;

    MemorySurface(int cx, int cy)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(nullptr, cx, cy);
        hOld = dc.SelectObject(&bitmap);
        CBrush black(RGB(0, 0, 0));
        const RECT rc = {0, 0, cx, cy};
        dc.FillRect(&rc, &black);
    }
    ~MemorySurface() { dc.SelectGdiObject(hOld); }
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    COLORREF Pixel(int x, int y) const { return dc.GetPixel(x, y); }
};
