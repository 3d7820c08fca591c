// CCreateContext: what a frame needs to make its view.
#pragma once

#include "afx/AfxSetup.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
struct CRuntimeClass;

// What a frame needs to make its view: handed through LoadFrame and the
// frame's creation to CreateView and to the view's own WM_CREATE.
class CCreateContext
{
public:
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
