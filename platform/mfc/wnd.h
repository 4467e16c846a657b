// CWnd: the MFC window object. Its window procedure is WindowProc: the message map first,
// then Default(), which runs the window's previous procedure (for a control, the
// control's built-in model). Windows created through Create/CreateEx are attached before
// their first message and PreSubclassWindow runs then (with AfxGetThreadState()->
// m_pWndInit set to the object being created); SubclassWindow/SubclassDlgItem attach an
// existing window and run PreSubclassWindow with m_pWndInit null.
//
// WM_NOTIFY and WM_COMMAND from a child are first offered back to the child (reflection,
// OnChildNotify); only when the child did not eat them does the parent's map see them.
// As in MFC, a reflected _EX handler that answers FALSE hands the message on: when the
// parent does not handle it either, the sender gets the default procedure's answer (0),
// not the value the child's handler put in *pResult. A handler whose result must reach
// the sender answers TRUE.
// Windows do not get the focus by being created or shown: keys typed through
// StandIn::PressKey go to the window SetFocus (or a click on it) gave the focus.
// After WM_NCDESTROY the object is detached and PostNcDestroy runs.
#pragma once
#include <typeindex>

#include "platform/mfc/cstring.h"
#include "platform/mfc/message_map.h"
#include "platform/mfc/point_rect.h"
#include "platform/win/clipboard.h"
#include "platform/win/common_controls.h"
#include "platform/win/dialogs.h"
#include "platform/win/gdi.h"
#include "platform/win/window_manager.h"

class CWnd;
class CDC;
class CFont;
class CMenu;
class CScrollBar;

// The per-thread state MFC keeps while windows are created and messages are sent.
struct _AFX_THREAD_STATE {
  CWnd* m_pWndInit = nullptr;      // the CWnd being created, until its window is attached
  MSG m_lastSentMsg;               // the message being handled (what Default() passes on)
  HWND m_hToolTipOwner = nullptr;  // window whose tool the framework tooltip shows
  UINT_PTR m_nLastHitTool = (UINT_PTR)-1;
};
_AFX_THREAD_STATE* AfxGetThreadState();

// The framework's tooltip window (class "tooltips_class32", control id 0), created by the
// first EnableToolTips; null before.
HWND AfxGetToolTipWindow();
// Registers a window class name with default behaviour for CreateEx (MFC's generic class).
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
// The PreTranslateMessage walk from the message's window up its parents; true when one
// of them handled the message. The message pump runs it for every message it takes.
BOOL AfxPreTranslateMessage(MSG* msg);
// The window procedure of every attached CWnd.
LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
public:
  CWnd();
  ~CWnd() override;  // destroys a window still attached
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }  // on a live object only

  // The permanent object attached to the window, else a temporary one that lives until
  // the window is destroyed; null for a null handle.
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  // The temporary wrapper of one type for a window (made once, kept until the window is
  // destroyed); null for a dead window.
  static CWnd* TemporaryOf(HWND window, std::type_index type, CWnd* (*make)());

  // ---- Creating, attaching, destroying.
  virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      void* createContext = nullptr);
  virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();
  BOOL Attach(HWND window);
  HWND Detach();
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // ---- Overridables.
  virtual void PreSubclassWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual void PostNcDestroy();
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Tooltips: -1 when the point has no tool; otherwise fills the tool and answers its id.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const;
  BOOL EnableToolTips(BOOL enable = TRUE);
  // Runs the window's previous procedure on the message being handled.
  LRESULT Default();

  // ---- Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // ---- Relations, ids, styles, text.
  CWnd* GetParent() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(LPCWSTR text);
  int GetWindowText(LPWSTR buffer, int bufferMax) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;

  // ---- Geometry and visibility.
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;

  // ---- Painting state.
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void UpdateWindow();
  void SetRedraw(BOOL redraw = TRUE);

  // ---- Scroll bars.
  int GetScrollPos(int bar) const;
  void GetScrollRange(int bar, int* minPos, int* maxPos) const;

  // ---- Focus and capture.
  CWnd* SetFocus();
  static CWnd* GetFocus();

  // ---- Fonts.
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;

  // ---- Dialog items and message boxes (dialog_items.cpp).
  int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);
  void SetDlgItemText(int id, LPCWSTR text);
  int GetDlgItemText(int id, CString& text) const;
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  int GetCheckedRadioButton(int first, int last) const;  // 0 when none is checked

  // ---- The desktop.
  static CWnd* GetDesktopWindow();

  // ---- Handlers with MFC's default processing (Default()).
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnSetFocus(CWnd* oldWnd);
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

protected:
  WNDPROC m_pfnSuper = nullptr;  // the procedure that Default() runs
  DECLARE_MESSAGE_MAP()

private:
  friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend void AfxAttachCreatedWindow(HWND window, const CREATESTRUCTW& create);
  void FilterToolTipMessage(MSG* msg);
  bool temporary_ = false;
  bool toolTips_ = false;
  friend struct AfxWindowMaps;
};

// The permanent object of the window when it is a T, else a temporary T for the window.
template <typename T>
T* AfxWndFromHandle(HWND window) {
  if (T* permanent = dynamic_cast<T*>(CWnd::FromHandlePermanent(window))) return permanent;
  return static_cast<T*>(CWnd::TemporaryOf(window, typeid(T), []() -> CWnd* { return new T; }));
}

// A scroll-bar control (only as the argument of the scroll handlers).
class CScrollBar : public CWnd {
public:
  // The permanent CScrollBar of a scroll-bar control, null otherwise.
  static CScrollBar* FromHandleOrNull(HWND window);
};

// Number of CWnd objects alive (permanent and temporary).
namespace StandIn {
int LiveWndObjectCount();
}
