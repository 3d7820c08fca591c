// CBarCloseButton: the small close button at one end of a gripper band, flat, raised or sunken.
#pragma once

#include "afx/Point.h"

class CDC;

class CBarCloseButton
{
public:
    // Corner relative to the bar window's top-left.
    void SetOrigin(CPoint ptOrigin) { m_ptOrigin = ptOrigin; }
    void Paint(CDC* pDC);

    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    CPoint m_ptOrigin;
};

// The close cross of a button whose corner is ptOrigin: the symbol font's "r"
// (TRUE), or its diagonals drawn as lines where no font of that face exists.
BOOL DrawCloseCross(CDC* pDC, CPoint ptOrigin, LPCSTR pszSymbolFace = "Marlett");
