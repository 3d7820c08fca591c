// An owned GDI brush.
#include "afx/Brush.h"

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Adopt(::CreateSolidBrush(crColor));
}
