// Command targets and their per-class message maps: tables of {message, code, id range, handler}
// that a class declares with DECLARE_MESSAGE_MAP / BEGIN_MESSAGE_MAP, searched from the most
// derived class to its bases. Commands travel view -> document -> frame -> application.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

class CCmdTarget;
struct __POSITION;
typedef __POSITION* POSITION;
class CCmdUI;
class CMenu;
class CWnd;

typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures a message-map entry can hold.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_vv,        // void Handler()
    AfxSig_vCmdUI,    // void Handler(CCmdUI*)
    AfxSig_vw,        // void Handler(UINT id): command ranges
    AfxSig_bw,        // BOOL Handler(UINT id): command ranges that may decline
    AfxSig_vwCmdUI,   // void Handler(CCmdUI*) for an id range
    AfxSig_lwl,       // LRESULT Handler(WPARAM, LPARAM): ON_MESSAGE
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notification codes of the command route.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Control notifications a control handles itself (ON_CONTROL_REFLECT) arrive with this offset.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler of a command (nCode CN_COMMAND or a control notification) or the update
    // handler (CN_UPDATE_COMMAND_UI, pExtra is the CCmdUI*) from this target's map and its bases.
    // TRUE when a handler was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

    // Wait cursor while a long operation runs (BeginWaitCursor / EndWaitCursor).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Finds the map entry for a message (not WM_COMMAND) from this class up; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    // Calls an ON_MESSAGE entry.
    LRESULT CallMessageEntry(const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam);
};

// What an update handler sees: the menu item, tool-bar button or status pane of one command id.
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's route for an update handler; without one, an item whose command has no
    // handler is disabled when bDisableIfNoHndler is set.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
                                                               \
public:                                                        \
    const AFX_MSGMAP* GetMessageMap() const override;          \
                                                               \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    _Pragma("GCC diagnostic push")                                                      \
    _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                     \
    {                                                                                   \
        using ThisClass [[maybe_unused]] = theClass;                                    \
        typedef baseClass TheBaseClass;                                                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                               \
            { 0, 0, 0, 0, AfxSig_end, nullptr }                                         \
        };                                                                              \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,        \
                                               &_messageEntries[0] };                   \
        return &messageMap;                                                             \
    }                                                                                   \
    _Pragma("GCC diagnostic pop")

#define AFX_MSG_CAST(type, fn) \
    reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))

#define ON_COMMAND(id, fn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_vv, \
      AFX_MSG_CAST(void (ThisClass::*)(), fn) },
#define ON_COMMAND_RANGE(id, idLast, fn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_vw, \
      AFX_MSG_CAST(void (ThisClass::*)(UINT), fn) },
#define ON_COMMAND_EX(id, fn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_bw, \
      AFX_MSG_CAST(BOOL (ThisClass::*)(UINT), fn) },
#define ON_COMMAND_EX_RANGE(id, idLast, fn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_bw, \
      AFX_MSG_CAST(BOOL (ThisClass::*)(UINT), fn) },
#define ON_UPDATE_COMMAND_UI(id, fn) \
    { WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(id), \
      AfxSig_vCmdUI, AFX_MSG_CAST(void (ThisClass::*)(CCmdUI*), fn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    { WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(idLast), \
      AfxSig_vwCmdUI, AFX_MSG_CAST(void (ThisClass::*)(CCmdUI*), fn) },
#define ON_CONTROL(code, id, fn) \
    { WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_vv, \
      AFX_MSG_CAST(void (ThisClass::*)(), fn) },
#define ON_CONTROL_REFLECT(code, fn) \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<UINT>(code), 0, 0, AfxSig_vv, \
      AFX_MSG_CAST(void (ThisClass::*)(), fn) },
#define ON_MESSAGE(message, fn) \
    { static_cast<UINT>(message), 0, 0, 0, AfxSig_lwl, \
      AFX_MSG_CAST(LRESULT (ThisClass::*)(WPARAM, LPARAM), fn) },

#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
