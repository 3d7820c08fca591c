// CControlBar: a child of a frame that takes its place in the frame's layout through WM_SIZEPARENT.
#pragma once
#include "Wnd.h"
#include "Rect.h"

class CDC;
class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar style bits (m_dwStyle); the alignment bits also ride in the window style given to Create.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Modes of CalcDynamicLayout
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    // Destroys the window while the object is still a bar, so it leaves its frame's list.
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    // Visible as far as the layout is concerned: a pending delayed show or hide counts as done.
    virtual BOOL IsVisible() const;
    virtual BOOL IsDockBar() const;
    // The frame whose layout holds the bar window (a floating frame, else the dock site).
    CFrameWnd* GetDockingFrame() const;
    // Docked in a floating frame's dock bar.
    BOOL IsFloating() const;
    // The sides (CBRS_ALIGN_*) the bar may dock to, and CBRS_FLOAT_MULTI; makes the drag context
    // (a CDockContext) when the bar has none, and makes the parent the owner when there is none.
    void EnableDocking(DWORD dwDockStyle);

    // The bar's size: bStretch across the whole side, bHorz for a top/bottom place.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // nLength -1: the natural size; nMode holds LM_* bits.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Update-UI of the bar's items against pTarget's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // A bar inside this one was shown or hidden through its frame (the rebar shows its band).
    virtual void OnShowChildBar(CControlBar* pBar, BOOL bShow);

    // Show or hide at the frame's next layout; until then IsVisible answers the pending state.
    void DelayShow(BOOL bShow);
    // Carries out a pending DelayShow, through lpLayout->hDWP when it has one.
    void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // The bar's part of a saved layout, and putting it back (visibility, place, last dock and float places).
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // Borders by the CBRS_BORDER_* bits; rect shrinks to what lies inside them.
    void DrawBorders(CDC* pDC, CRect& rect);
    // The area inside the borders and the margins.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Margins between the window edge and the items.
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    DWORD m_dwStyle = 0;               // CBRS_* bits; a derived Create sets them before the window exists
    DWORD m_dwDockStyle = 0;           // sides the bar may dock to
    CFrameWnd* m_pDockSite = nullptr;  // the frame whose bar list holds the bar (set at creation)
    BOOL m_bAutoDelete = FALSE;        // made on the heap: deleted with its window
    CDockBar* m_pDockBar = nullptr;    // the dock bar holding the bar, if docked or floating
    CDockContext* m_pDockContext = nullptr;  // owned; made by EnableDocking
    int m_nMRUWidth = 32767;                 // a floating bar's last width (bars that wrap)
    UINT m_nStateFlags = 0;                  // StateFlags
    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2,
        tempHide = 4,
        statusSet = 8
    };

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // A press moves the bar (it may dock elsewhere or float); a double-click toggles docked and floating.
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    // A bar shown or hidden by ShowWindow tells its floating dock bar, which shows or hides the frame.
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // Unhandled commands and notifications of the bar's children go to the owner, else the dock site.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;
    // Where the bar's unhandled commands go.
    CWnd* GetCommandTarget() const;
};
