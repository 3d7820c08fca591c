// An owned GDI pen.
#include "afx/Pen.h"

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Adopt(::CreatePen(nPenStyle, nWidth, crColor));
}
