// CFrameWnd: the main window: view as client, control bars in its layout, command routing, prompts and
// update-UI.
#pragma once
#include "ControlBar.h"
#include "Rect.h"

#include <vector>

class CView;
class CDocument;
class CDocTemplate;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// Frame window styles (bits a frame's own class interprets).
#define FWS_ADDTOTITLE 0x00008000L  // the title shows the active document's title before the frame's own
#define FWS_SNAPTOBARS 0x00002000L  // the frame sizes itself around its bars at every layout
// Small (floating) frame styles
#define MFS_SYNCACTIVE 0x00000100L    // caption looks active while its owner is active
#define MFS_4THICKFRAME 0x00000200L   // sizing from the four sides only, not the corners
#define MFS_THICKFRAME 0x00000400L    // a sizing border
#define MFS_MOVEFRAME 0x00000800L     // pressing the border moves the frame instead of sizing it
#define MFS_BLOCKSYSMENU 0x00001000L  // the system menu does not open from the caption

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // Joins the calling thread's frames (idle processing visits each).
    CFrameWnd();
    ~CFrameWnd() override;

    // Window title from string nIDResource (its first "\n"-separated part), menu,
    // accelerators and icon with the same id; pContext describes the view to make.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    static const CRect rectDefault;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsFrameWnd() const override;
    void PostNcDestroy() override;

    // Creates the view described by pContext (if any) as pane AFX_IDW_PANE_FIRST.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Every control bar child takes its place (WM_SIZEPARENT, in z-order); the
    // pane AFX_IDW_PANE_FIRST gets the rest of the client area. With FWS_SNAPTOBARS
    // the frame instead takes the size its bars ask for. A pending delayed layout
    // is done by this one; a delayed layout passes its notify request on as bNotify.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Layout at the next idle time (bars that change size while being laid out).
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    // Sends WM_INITIALUPDATE to the views, activates the first one, shows the frame if bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Status-bar prompt: pane 0 of the bar AFX_IDW_STATUS_BAR.
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    // The text before "\n" of string nID (prompt), or after it (tooltip).
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    CWnd* GetMessageBar();
    // The window with the focus when commands go to it before the active view: one of ours, in this frame
    // or in a floating frame it owns, that is neither a frame nor a view; else null.
    CWnd* GetCommandFocus() const;

    // A bar of this frame with that id, wherever it sits (docked, floating, in a rebar), or null.
    CControlBar* GetControlBar(UINT nID);
    // Shows or hides the bar (at the next layout when bDelay) and lays out the frame that holds it.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The bars whose dock site this frame is; bars join and leave as their windows are made and destroyed.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    std::vector<CControlBar*> m_listControlBars;

    // ---- Docking ----------------------------------------------------------
    // Dock bars for the sides in dwDockStyle (CBRS_ALIGN_*), made in the order top, bottom, left, right,
    // and the floating frame class CMiniDockFrameWnd.
    void EnableDocking(DWORD dwDockStyle);
    // Into dock bar nDockBarID (0: the first side the bar allows, in the order top, bottom, left, right).
    // lpRect (screen) chooses row and place; without it the bar gets its own new row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Into a floating frame whose window's top-left is point (screen); dwStyle's CBRS_ALIGN_* bit gives
    // the orientation, CBRS_FLOAT_MULTI lets the frame take more bars. A bar already floating alone moves.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // The side (CBRS_ALIGN_*) among dwDockStyle whose dock bar rect (screen) touches, or 0.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // A new floating frame of class m_pFloatingFrameClass for a bar of style dwStyle, or null.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The layout of every bar of this frame; putting one back re-docks, floats, shows and hides bars.
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    // The same through the per-user settings under lpszProfileName (see CDockState).
    void LoadBarState(LPCSTR lpszProfileName);
    void SaveBarState(LPCSTR lpszProfileName) const;
    // TRUE when a drag of one of this frame's bars was running: it is cancelled and the close is posted
    // again, to come once the drag's own message loop has returned.
    BOOL DeferCloseDuringBarDrag();
    // Sends WM_FLOATSTATUS with dwFlags to the floating frames this frame owns.
    void NotifyFloatingWindows(DWORD dwFlags);
    // The dock bar ids and their sides, in the order docking chooses them.
    static const DWORD dwDockBarMap[4][2];

    // Idle update-UI of the bars (the framework calls it with bDisableIfNoHndler TRUE).
    void OnIdleUpdateCmdUI();

    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAutoMenuEnable = TRUE;                   // menu items without a handler show disabled
    CRuntimeClass* m_pFloatingFrameClass = nullptr;  // class of floating bar frames (set by EnableDocking)
    BOOL m_bInRecalcLayout = FALSE;
    UINT m_nIDTracking = 0;  // command whose prompt is shown
    UINT m_nIDLastMessage = 0;

    // Message handlers
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUIMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Floating frames follow the frame's active look and enabled state (WM_FLOATSTATUS).
    LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    UINT m_nIdleFlags = 0;
    enum IdleFlags
    {
        idleLayout = 1,
        idleNotify = 2
    };

    friend class CWinThread;
};
