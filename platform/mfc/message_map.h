// CObject, CCmdTarget and MFC message maps. A map is a static array of entries, each with
// a small function (a thunk) that unpacks the message and calls the handler; maps chain to
// their base class's map. Handlers are named as pointers to members
// (ON_MESSAGE(WM_COPY, &CMyWnd::OnCopy)); the ON_WM_* macros call the usual On... names.
#pragma once
#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

#ifndef afx_msg
#define afx_msg
#endif
#ifndef PASCAL
#define PASCAL
#endif

// Reflected messages come back to the child as WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00

class CCmdTarget;

// What a thunk gets: the message, and for WM_COMMAND/WM_NOTIFY the control id and header.
struct AFX_MSG_CALL {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT* pResult = nullptr;
  UINT nID = 0;
  NMHDR* pNMHDR = nullptr;
};

// Answers whether the message counts as handled (the _EX handlers' own answer).
using AFX_MSG_THUNK = BOOL (*)(CCmdTarget* target, AFX_MSG_CALL& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + one of them
  UINT nCode;     // control notification code (0 for plain window messages)
  UINT nID;       // first control id
  UINT nLastID;   // last control id
  UINT_PTR nSig;  // unused; kept for the entry's shape
  AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The WM_NOTIFY data handed to OnCmdMsg.
struct AFX_NOTIFY {
  LRESULT* pResult = nullptr;
  NMHDR* pNMHDR = nullptr;
};
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
};
#define CN_COMMAND 0

// Run-time class declarations: the plug-in writes them, but nothing reads run-time class
// information, so they declare nothing.
#define DECLARE_DYNAMIC(theClass)
#define IMPLEMENT_DYNAMIC(theClass, baseClass)

class CObject {
public:
  virtual ~CObject() = default;
};

class CCmdTarget : public CObject {
public:
  // Routes a command or notification through the message maps: nCode is the control
  // notification code for WM_COMMAND, or MAKELONG(code, WM_NOTIFY) (also with
  // WM_REFLECT_BASE + WM_NOTIFY / WM_COMMAND) with pExtra an AFX_NOTIFY.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
  // The first entry of this object's maps (most derived first) that matches.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                   \
protected:                                      \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass [[maybe_unused]] = baseClass;                                \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, 0, nullptr }                                                                    \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

#define AFX_THIS(t) static_cast<ThisClass*>(t)
#define AFX_THUNK [](CCmdTarget * t, AFX_MSG_CALL & c) -> BOOL

// ---- Window messages with their usual handler signatures.
#define ON_WM_CREATE()                                                                                               \
  {WM_CREATE, 0, 0, 0, 0, AFX_THUNK{* c.pResult = AFX_THIS(t)->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c.lParam)); \
  return TRUE;                                                                                                       \
  }                                                                                                                  \
  }                                                                                                                  \
  ,
#define ON_WM_DESTROY()                                        \
  {WM_DESTROY, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->OnDestroy(); \
  return TRUE;                                                 \
  }                                                            \
  }                                                            \
  ,
#define ON_WM_NCDESTROY()                                          \
  {WM_NCDESTROY, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->OnNcDestroy(); \
  return TRUE;                                                     \
  }                                                                \
  }                                                                \
  ,
#define ON_WM_PAINT()                                      \
  {WM_PAINT, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->OnPaint(); \
  return TRUE;                                             \
  }                                                        \
  }                                                        \
  ,
#define ON_WM_KILLFOCUS()                                                                                            \
  {WM_KILLFOCUS, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))); \
  return TRUE;                                                                                                       \
  }                                                                                                                  \
  }                                                                                                                  \
  ,
#define ON_WM_SETFOCUS()                                                                                           \
  {WM_SETFOCUS, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))); \
  return TRUE;                                                                                                     \
  }                                                                                                                \
  }                                                                                                                \
  ,
#define AFX_KEY_ENTRY(msg, fn)                                                                                  \
  {msg, 0, 0, 0, 0, AFX_THUNK{AFX_THIS(t)->fn(static_cast<UINT>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)); \
  return TRUE;                                                                                                  \
  }                                                                                                             \
  }                                                                                                             \
  ,
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define AFX_MOUSE_ENTRY(msg, fn)                                                                                   \
  {msg, 0, 0, 0, 0,                                                                                                \
   AFX_THUNK{AFX_THIS(t)->fn(static_cast<UINT>(c.wParam), CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam))); \
  return TRUE;                                                                                                     \
  }                                                                                                                \
  }                                                                                                                \
  ,
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_CONTEXTMENU()                                                                      \
  {WM_CONTEXTMENU, 0, 0, 0, 0,                                                                   \
   AFX_THUNK{AFX_THIS(t)->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),      \
                                        CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam))); \
  return TRUE;                                                                                   \
  }                                                                                              \
  }                                                                                              \
  ,
#define AFX_SCROLL_ENTRY(msg, fn)                                                             \
  {msg, 0, 0, 0, 0,                                                                           \
   AFX_THUNK{AFX_THIS(t)->fn(LOWORD(c.wParam), HIWORD(c.wParam),                              \
                             CScrollBar::FromHandleOrNull(reinterpret_cast<HWND>(c.lParam))); \
  return TRUE;                                                                                \
  }                                                                                           \
  }                                                                                           \
  ,
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY(WM_VSCROLL, OnVScroll)

// ---- Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                           \
  {message, 0, 0, 0, 0, AFX_THUNK{* c.pResult = (AFX_THIS(t)->*(memberFxn))(c.wParam, c.lParam); \
  return TRUE;                                                                                   \
  }                                                                                              \
  }                                                                                              \
  ,

// ---- Commands and control notifications (WM_COMMAND) in the parent: void handler().
#define ON_COMMAND(id, memberFxn)                                                              \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), 0, AFX_THUNK{(AFX_THIS(t)->*(memberFxn))(); \
  return TRUE;                                                                                 \
  }                                                                                            \
  }                                                                                            \
  ,
#define ON_CONTROL(code, id, memberFxn)                                                          \
  {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), 0, AFX_THUNK{(AFX_THIS(t)->*(memberFxn))(); \
  return TRUE;                                                                                   \
  }                                                                                              \
  }                                                                                              \
  ,
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(0 /* BN_CLICKED */, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)

// ---- Notifications (WM_NOTIFY) in the parent.
// void handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, memberFxn)                                                                             \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), 0, AFX_THUNK{(AFX_THIS(t)->*(memberFxn))(c.pNMHDR, c.pResult); \
  return TRUE;                                                                                                     \
  }                                                                                                                \
  }                                                                                                                \
  ,
// BOOL handler(UINT id, NMHDR*, LRESULT*); FALSE lets the message go on.
#define ON_NOTIFY_EX(code, id, memberFxn)                                    \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), 0,                       \
   AFX_THUNK{return (AFX_THIS(t)->*(memberFxn))(c.nID, c.pNMHDR, c.pResult); \
  }                                                                          \
  }                                                                          \
  ,

// ---- Reflected notifications, handled by the child that sent them.
// void handler(NMHDR*, LRESULT*): the parent does not see the notification.
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                                         \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, 0, AFX_THUNK{(AFX_THIS(t)->*(memberFxn))(c.pNMHDR, c.pResult); \
  return TRUE;                                                                                                     \
  }                                                                                                                \
  }                                                                                                                \
  ,
// BOOL handler(NMHDR*, LRESULT*): FALSE lets the parent handle it as well.
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                         \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, 0,                \
   AFX_THUNK{return (AFX_THIS(t)->*(memberFxn))(c.pNMHDR, c.pResult); \
  }                                                                   \
  }                                                                   \
  ,
// void handler(): a control notification (WM_COMMAND) the parent does not see.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                      \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, 0, AFX_THUNK{(AFX_THIS(t)->*(memberFxn))(); \
  return TRUE;                                                                                   \
  }                                                                                              \
  }                                                                                              \
  ,
