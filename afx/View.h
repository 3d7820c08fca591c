// CView: a window that shows one document.
#pragma once

// Views are made from a creation context; whoever makes one fills it in.
#include "afx/CreateContext.h"
#include "afx/Wnd.h"

class CDC;
class CDocTemplate;
class CDocument;
class CFrameWnd;

// A window that shows one document. Views live on the heap and delete
// themselves after their window is gone; the document they show is told first.
class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // Commands go to the view first, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Each time a document is made new or opened; the default updates once.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints everything.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // The frame made this view active (bActivate) or another one.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    CView() = default;

    CDocument* m_pDocument = nullptr;

    friend class CDocument;
};
