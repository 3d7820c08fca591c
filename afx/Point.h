// CPoint: the platform's POINT with the usual arithmetic, and a mouse message's packed coordinates.
#pragma once
#include "AfxSetup.h"
#include "Size.h"

class CPoint : public tagPOINT
{
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt)
    {
        x = initPt.x;
        y = initPt.y;
    }
    CPoint(SIZE initSize)
    {
        x = initSize.cx;
        y = initSize.cy;
    }
    // Coordinates packed as in a mouse message's lParam (signed 16-bit halves).
    explicit CPoint(LPARAM dwPoint)
    {
        x = short(LOWORD(DWORD(dwPoint)));
        y = short(HIWORD(DWORD(dwPoint)));
    }

    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size)
    {
        x += size.cx;
        y += size.cy;
    }
    void operator-=(SIZE size)
    {
        x -= size.cx;
        y -= size.cy;
    }
    void operator+=(POINT point)
    {
        x += point.x;
        y += point.y;
    }
    void operator-=(POINT point)
    {
        x -= point.x;
        y -= point.y;
    }
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};
