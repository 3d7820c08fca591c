// CFont: an owned GDI font, made from a description or a size in points.
#pragma once

#include "afx/GdiObject.h"

class CDC;

class CFont : public CGdiObject
{
public:
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont);
    // nPointSize in tenths of a point, converted for pDC's (else the screen's) resolution.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    // As CreatePointFont, with the rest of the font (character set, weight...) from
    // pLogFont; its lfHeight is in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTA* pLogFont, CDC* pDC = nullptr);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
