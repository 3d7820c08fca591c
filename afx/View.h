// CView, the creation context, and the control views CCtrlView and CListView.
#pragma once

#include "afx/ListCtrl.h"
#include "afx/Wnd.h"

class CDC;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

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

// A view whose window is a platform control of class lpszClass; the control
// paints itself.
class CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCSTR lpszClass, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
};

// A view that is a list-view control ("SysListView32").
class CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    // The control under its own wrapper: the view's window, borrowed.
    CListCtrl& GetListCtrl() const;

private:
    mutable CListCtrl m_listCtrl;
};
