// CCmdTarget and message maps: how messages, commands and update-UI requests find their handlers.
#pragma once
#include "Object.h"
#include "Point.h"
#include "AfxRes.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;

// Every handler is stored as this type and cast back to its own signature
// (named by the entry's AfxSig) before the call.
typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures. Adding a message: a value here, a case in CWnd::OnWndMsg's
// dispatcher, an ON_ macro below.
enum AfxSig : UINT
{
    AfxSig_end = 0,
    AfxSig_v_v,         // void ()
    AfxSig_b_v,         // BOOL ()
    AfxSig_v_u,         // void (UINT)                      command ranges
    AfxSig_b_u,         // BOOL (UINT)                      ON_COMMAND_EX
    AfxSig_cmdui,       // void (CCmdUI*)
    AfxSig_notify,      // void (NMHDR*, LRESULT*)
    AfxSig_b_notify,    // BOOL (NMHDR*, LRESULT*)          _EX: FALSE lets others see it
    AfxSig_notify_u,    // void (UINT, NMHDR*, LRESULT*)    notify ranges
    AfxSig_b_notify_u,  // BOOL (UINT, NMHDR*, LRESULT*)
    AfxSig_l_w_l,       // LRESULT (WPARAM, LPARAM)         ON_MESSAGE
    AfxSig_i_CREATE,    // int (LPCREATESTRUCT)
    AfxSig_v_TIMER,     // void (UINT_PTR)
    AfxSig_v_u_ii,      // void (UINT, int, int)            WM_SIZE
    AfxSig_v_MINMAX,    // void (MINMAXINFO*)
    AfxSig_v_u_p,       // void (UINT, CPoint)              mouse and non-client mouse
    AfxSig_l_p,         // LRESULT (CPoint)                 WM_NCHITTEST
    AfxSig_v_b_NCCALC,  // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_v_POS,       // void (WINDOWPOS*)                WM_WINDOWPOSCHANGING/CHANGED
    AfxSig_v_W,         // void (CWnd*)                     focus, capture changes
    AfxSig_b_W_u_u,     // BOOL (CWnd*, UINT, UINT)         WM_SETCURSOR
    AfxSig_v_W_p,       // void (CWnd*, CPoint)             WM_CONTEXTMENU
    AfxSig_v_u_u_u,     // void (UINT, UINT, UINT)          keys
    AfxSig_v_b_u,       // void (BOOL, UINT)                WM_SHOWWINDOW
    AfxSig_v_u_l,       // void (UINT, LPARAM)              WM_SYSCOMMAND
    AfxSig_v_u_s,       // void (UINT, LPCSTR)              WM_SETTINGCHANGE
    AfxSig_v_M_u_b,     // void (CMenu*, UINT, BOOL)        WM_INITMENUPOPUP
    AfxSig_v_u_u_M,     // void (UINT, UINT, HMENU)         WM_MENUSELECT
    AfxSig_v_u_W_b,     // void (UINT, CWnd*, BOOL)         WM_ACTIVATE
    AfxSig_thunk,       // dispatched by the entry's own thunk (arguments of other headers' types)
};

typedef LRESULT (*AFX_THUNK)(CWnd* pWnd, AFX_PMSG pfn, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message; WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;     // command kind (CN_*), control or notification code; 0 for window messages
    UINT nID;       // first control/command id
    UINT nLastID;   // last id of the range (equal to nID for a single id)
    AfxSig nSig;
    AFX_PMSG pfn;
    AFX_THUNK pfnThunk;  // only for AfxSig_thunk
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command kinds passed to OnCmdMsg as nCode.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (UINT(-1))
// Reflected notifications arrive at the control with the message offset by this.
#define WM_REFLECT_BASE 0xBC00

// What OnCmdMsg reports when only asked whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra = CCmdUI*), a control
    // notification code, or MAKELONG(notify code, WM_NOTIFY) (pExtra = AFX_NOTIFY*).
    // With pHandlerInfo set nothing is called: it only reports whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the first entry for (nMessage, nCode, nID) in this class's map or its bases'.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                    UINT nID);
    // Calls a command-map entry with the arguments nCode implies.
    BOOL DispatchCmdMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT nID, int nCode, void* pExtra);
};

// ---- Declaring and defining message maps --------------------------------------

#define DECLARE_MESSAGE_MAP()                                                                                \
public:                                                                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        typedef theClass ThisClass;                                                                          \
        typedef baseClass TheBaseClass;                                                                      \
        (void)sizeof(ThisClass);                                                                             \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, 0, AfxSig_end, nullptr, nullptr                                                             \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// Stores a handler as AFX_PMSG; the static_cast in AFX_MSG_CAST checks its exact signature.
template <class PMF>
inline AFX_PMSG AfxStorePmf(PMF pmf)
{
    static_assert(sizeof(PMF) == sizeof(AFX_PMSG), "member function pointers differ in size");
    AFX_PMSG stored;
    __builtin_memcpy(&stored, &pmf, sizeof(stored));
    return stored;
}
template <class PMF>
inline PMF AfxLoadPmf(AFX_PMSG stored)
{
    PMF pmf;
    __builtin_memcpy(&pmf, &stored, sizeof(pmf));
    return pmf;
}
#define AFX_MSG_CAST(sigType, memberFxn) AfxStorePmf<sigType>(static_cast<sigType>(&ThisClass::memberFxn))

#define AFX_WND_ENTRY(msg, sig, sigType, memberFxn)                                                          \
    {msg, 0, 0, 0, sig, AFX_MSG_CAST(sigType, memberFxn), nullptr},

// Commands and update-UI
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND, UINT(id), UINT(id), AfxSig_v_v, AFX_MSG_CAST(void(CCmdTarget::*)(), memberFxn), \
     nullptr},
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND, UINT(id),                                                                       \
     UINT(id),   AfxSig_b_u, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), memberFxn),                             \
     nullptr},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    {WM_COMMAND,   CN_COMMAND, UINT(id),                                                                     \
     UINT(idLast), AfxSig_b_u, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), memberFxn),                           \
     nullptr},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND,   CN_COMMAND, UINT(id),                                                                     \
     UINT(idLast), AfxSig_v_u, AFX_MSG_CAST(void(CCmdTarget::*)(UINT), memberFxn),                           \
     nullptr},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, UINT(id),                                                             \
     UINT(id),   AfxSig_cmdui,         AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), memberFxn),                \
     nullptr},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND,   CN_UPDATE_COMMAND_UI, UINT(id),                                                           \
     UINT(idLast), AfxSig_cmdui,         AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), memberFxn),              \
     nullptr},

// Control notifications (WM_COMMAND with a code) and WM_NOTIFY, handled by the parent
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, UINT(wNotifyCode), UINT(id),                                                                \
     UINT(id),   AfxSig_v_v,        AFX_MSG_CAST(void(CCmdTarget::*)(), memberFxn),                          \
     nullptr},
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, UINT(WORD(wNotifyCode)), UINT(id),                                                           \
     UINT(id),  AfxSig_notify,           AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn),     \
     nullptr},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY,       UINT(WORD(wNotifyCode)),                                                               \
     UINT(id),        UINT(idLast),                                                                          \
     AfxSig_notify_u, AFX_MSG_CAST(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn),                  \
     nullptr},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                               \
    {WM_NOTIFY,                                                                                              \
     UINT(WORD(wNotifyCode)),                                                                                \
     UINT(id),                                                                                               \
     UINT(idLast),                                                                                           \
     AfxSig_b_notify_u,                                                                                      \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn),                                   \
     nullptr},

// Notifications reflected back to the control that sent them, before its parent sees them
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                            \
     UINT(WORD(wNotifyCode)),                                                                                \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_notify,                                                                                          \
     AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn),                                         \
     nullptr},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                            \
     UINT(WORD(wNotifyCode)),                                                                                \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_b_notify,                                                                                        \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn),                                         \
     nullptr},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                           \
     UINT(wNotifyCode),                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_v_v,                                                                                             \
     AFX_MSG_CAST(void(CCmdTarget::*)(), memberFxn),                                                         \
     nullptr},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                           \
     UINT(wNotifyCode),                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSig_b_v,                                                                                             \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(), memberFxn),                                                         \
     nullptr},

// Any message to a member LRESULT (WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                       \
    {UINT(message), 0, 0, 0, AfxSig_l_w_l, AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), memberFxn),  \
     nullptr},

// Window messages (handlers are CWnd members of the same name)
#define ON_WM_CREATE() AFX_WND_ENTRY(WM_CREATE, AfxSig_i_CREATE, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_WND_ENTRY(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_CLOSE() AFX_WND_ENTRY(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_TIMER() AFX_WND_ENTRY(WM_TIMER, AfxSig_v_TIMER, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SIZE() AFX_WND_ENTRY(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_GETMINMAXINFO()                                                                                \
    AFX_WND_ENTRY(WM_GETMINMAXINFO, AfxSig_v_MINMAX, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_LBUTTONDOWN()                                                                                  \
    AFX_WND_ENTRY(WM_LBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WND_ENTRY(WM_LBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                                \
    AFX_WND_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()                                                                                  \
    AFX_WND_ENTRY(WM_RBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WND_ENTRY(WM_RBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WND_ENTRY(WM_MOUSEMOVE, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_NCHITTEST() AFX_WND_ENTRY(WM_NCHITTEST, AfxSig_l_p, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCPAINT() AFX_WND_ENTRY(WM_NCPAINT, AfxSig_v_v, void (CWnd::*)(), OnNcPaint)
#define ON_WM_NCCALCSIZE()                                                                                   \
    AFX_WND_ENTRY(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCLBUTTONDOWN()                                                                                \
    AFX_WND_ENTRY(WM_NCLBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()                                                                                  \
    AFX_WND_ENTRY(WM_NCLBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK()                                                                              \
    AFX_WND_ENTRY(WM_NCLBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCMOUSEMOVE()                                                                                  \
    AFX_WND_ENTRY(WM_NCMOUSEMOVE, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    AFX_WND_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_v_POS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    AFX_WND_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_v_POS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_WND_ENTRY(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_SETFOCUS() AFX_WND_ENTRY(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WND_ENTRY(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_WND_ENTRY(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_WND_ENTRY(WM_CONTEXTMENU, AfxSig_v_W_p, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_KEYDOWN() AFX_WND_ENTRY(WM_KEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WND_ENTRY(WM_KEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WND_ENTRY(WM_CHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SHOWWINDOW()                                                                                   \
    AFX_WND_ENTRY(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_WND_ENTRY(WM_SYSCOMMAND, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_SETTINGCHANGE()                                                                                \
    AFX_WND_ENTRY(WM_SETTINGCHANGE, AfxSig_v_u_s, void (CWnd::*)(UINT, LPCSTR), OnSettingChange)
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_WND_ENTRY(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT()                                                                                   \
    AFX_WND_ENTRY(WM_MENUSELECT, AfxSig_v_u_u_M, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ACTIVATE()                                                                                     \
    AFX_WND_ENTRY(WM_ACTIVATE, AfxSig_v_u_W_b, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
