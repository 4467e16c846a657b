#include "platform/mfc/wnd.h"

#include <algorithm>
#include <map>
#include <memory>

#include "platform/mfc/gdi_objects.h"
#include "platform/win/tooltip_model.h"

namespace {
int g_liveWnds = 0;
}

// The handle maps: permanent objects attached to their windows, and temporary wrappers
// made by FromHandle that live until their window is destroyed.
struct AfxWindowMaps {
  std::map<HWND, CWnd*> permanent;
  std::map<HWND, std::map<std::type_index, std::unique_ptr<CWnd>>> temporary;
  HWND toolTip = nullptr;

  static AfxWindowMaps& Get() {
    static AfxWindowMaps maps;
    return maps;
  }
  ~AfxWindowMaps() {
    for (auto& [h, wrappers] : temporary)
      for (auto& [type, w] : wrappers) w->m_hWnd = nullptr;
  }
  void DropTemporaries(HWND window) {
    auto it = temporary.find(window);
    if (it == temporary.end()) return;
    auto wrappers = std::move(it->second);
    temporary.erase(it);
    for (auto& [type, w] : wrappers) w->m_hWnd = nullptr;
  }

  static void OnWindowDestroyed(HWND window) {
    AfxWindowMaps& maps = Get();
    maps.permanent.erase(window);
    maps.DropTemporaries(window);
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hToolTipOwner == window) {
      state->m_hToolTipOwner = nullptr;
      state->m_nLastHitTool = static_cast<UINT_PTR>(-1);
    }
  }
};

_AFX_THREAD_STATE* AfxGetThreadState() {
  static _AFX_THREAD_STATE state;
  return &state;
}

void AfxAttachCreatedWindow(HWND window, const CREATESTRUCTW&) {
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  CWnd* wnd = state->m_pWndInit;
  if (!wnd) return;
  wnd->Attach(window);
  wnd->PreSubclassWindow();
  wnd->m_pfnSuper =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  state->m_pWndInit = nullptr;
}

namespace {
bool PreTranslateHook(MSG* msg) { return AfxPreTranslateMessage(msg) != FALSE; }

// The stand-in window manager calls MFC at these points.
struct HookInstaller {
  HookInstaller() {
    StandIn::SetWindowCreatedHook(&AfxAttachCreatedWindow);
    StandIn::SetWindowDestroyedHook(&AfxWindowMaps::OnWindowDestroyed);
    StandIn::SetPreTranslateHook(&PreTranslateHook);
  }
};
HookInstaller g_hooks;

LRESULT AfxCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  MSG saved = state->m_lastSentMsg;
  state->m_lastSentMsg.hwnd = window;
  state->m_lastSentMsg.message = message;
  state->m_lastSentMsg.wParam = wParam;
  state->m_lastSentMsg.lParam = lParam;
  LRESULT result = wnd->WindowProc(message, wParam, lParam);  // wnd may be deleted now
  state->m_lastSentMsg = saved;
  return result;
}
}  // namespace

LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(window);
  if (!wnd) return ::DefWindowProcW(window, message, wParam, lParam);
  return AfxCallWndProc(wnd, window, message, wParam, lParam);
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static const wchar_t* name = L"AfxWnd";
  WNDCLASSW info;
  if (!GetClassInfoW(nullptr, name, &info)) {
    info = WNDCLASSW();
    info.style = classStyle | CS_DBLCLKS;
    info.lpfnWndProc = &::DefWindowProcW;
    info.hCursor = cursor;
    info.hbrBackground = background;
    info.hIcon = icon;
    info.lpszClassName = name;
    RegisterClassW(&info);
  }
  return name;
}

BOOL AfxPreTranslateMessage(MSG* msg) {
  if (!msg) return FALSE;
  for (HWND h = msg->hwnd; h && IsWindow(h);) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(h))
      if (wnd->PreTranslateMessage(msg)) return TRUE;
    if (!IsWindow(h) || !(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
    h = GetParent(h);
  }
  return FALSE;
}

HWND AfxGetToolTipWindow() {
  HWND tip = AfxWindowMaps::Get().toolTip;
  return IsWindow(tip) ? tip : nullptr;
}

// ---- CWnd.

CWnd::CWnd() { ++g_liveWnds; }

CWnd::~CWnd() {
  --g_liveWnds;
  if (m_hWnd && !temporary_ && IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) {
    // The derived parts are gone: the window goes down with CWnd's own handling only.
    ::DestroyWindow(m_hWnd);
  }
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) AfxWindowMaps::Get().permanent.erase(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  if (!window) return nullptr;
  auto& maps = AfxWindowMaps::Get();
  auto it = maps.permanent.find(window);
  return it == maps.permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::TemporaryOf(HWND window, std::type_index type, CWnd* (*make)()) {
  if (!window || !IsWindow(window)) return nullptr;
  auto& wrappers = AfxWindowMaps::Get().temporary[window];
  auto it = wrappers.find(type);
  if (it != wrappers.end()) return it->second.get();
  std::unique_ptr<CWnd> wrapper(make());
  wrapper->m_hWnd = window;
  wrapper->temporary_ = true;
  CWnd* result = wrapper.get();
  wrappers[type] = std::move(wrapper);
  return result;
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* wnd = FromHandlePermanent(window)) return wnd;
  return TemporaryOf(window, typeid(CWnd), []() { return new CWnd; });
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  if (m_hWnd) return FALSE;  // already has a window
  CREATESTRUCTW cs;
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = static_cast<LONG>(style);
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = idOrMenu;
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) return FALSE;
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  state->m_pWndInit = this;
  HWND window = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  state->m_pWndInit = nullptr;
  return window ? TRUE : FALSE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param) {
  HMENU idOrMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, idOrMenu, param);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::Attach(HWND window) {
  if (!window || m_hWnd || FromHandlePermanent(window)) return FALSE;
  AfxWindowMaps::Get().permanent[window] = this;
  m_hWnd = window;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window && FromHandlePermanent(window) == this) AfxWindowMaps::Get().permanent.erase(window);
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!IsWindow(window) || !Attach(window)) return FALSE;
  PreSubclassWindow();
  WNDPROC old =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper ? m_pfnSuper : &::DefWindowProcW));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::PreSubclassWindow() {}
BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::PreTranslateMessage(MSG* msg) {
  if (toolTips_ && msg && msg->message == WM_MOUSEMOVE) FilterToolTipMessage(msg);
  return FALSE;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    Detach();
    m_pfnSuper = nullptr;
    PostNcDestroy();  // may delete this
  }
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT local = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (result) *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &local)) return FALSE;
    if (result) *result = local;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
  if (!entry) return FALSE;
  AFX_MSG_CALL call;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  call.pResult = &local;
  if (!entry->pfn(this, call)) return FALSE;
  if (result) *result = local;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (control) {
    if (CWnd* child = FromHandlePermanent(control))
      if (child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
  }
  return OnCmdMsg(id, static_cast<int>(HIWORD(wParam)), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return FALSE;
  HWND control = header->hwndFrom;
  if (CWnd* child = FromHandlePermanent(control))
    if (child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result)) return TRUE;
  UINT id = static_cast<WORD>(::GetDlgCtrlID(control));
  AFX_NOTIFY notify;
  notify.pResult = result;
  notify.pNMHDR = header;
  return OnCmdMsg(id, static_cast<int>(MAKELONG(header->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return FALSE;
    LRESULT local = 0;
    AFX_NOTIFY notify;
    notify.pResult = result ? result : &local;
    notify.pNMHDR = header;
    return OnCmdMsg(0, static_cast<int>(MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
  }
  if (message == WM_COMMAND && lParam) {
    return OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr);
  }
  return FALSE;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

BOOL CWnd::EnableToolTips(BOOL enable) {
  toolTips_ = enable != FALSE;
  if (toolTips_ && !AfxGetToolTipWindow() && m_hWnd) {
    AfxWindowMaps::Get().toolTip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP, 0, 0, 0, 0, m_hWnd, nullptr, nullptr, nullptr);
  }
  return TRUE;
}

void CWnd::FilterToolTipMessage(MSG* msg) {
  if (!m_hWnd) return;
  if (!AfxGetToolTipWindow()) EnableToolTips(TRUE);
  HWND tip = AfxGetToolTipWindow();
  if (!tip) return;
  POINT point{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
  if (msg->hwnd != m_hWnd) MapWindowPoints(msg->hwnd, m_hWnd, &point, 1);
  TOOLINFOW info;
  INT_PTR hit = OnToolHitTest(CPoint(point), &info);
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  if (hit == static_cast<INT_PTR>(state->m_nLastHitTool) && state->m_hToolTipOwner == m_hWnd) return;
  ::SendMessageW(tip, TTM_POP, 0, 0);
  if (state->m_hToolTipOwner && state->m_nLastHitTool != static_cast<UINT_PTR>(-1)) {
    TOOLINFOW old;
    old.hwnd = state->m_hToolTipOwner;
    old.uId = state->m_nLastHitTool;
    ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
  }
  state->m_nLastHitTool = static_cast<UINT_PTR>(hit);
  state->m_hToolTipOwner = m_hWnd;
  if (hit == -1) return;
  if (!info.hwnd) info.hwnd = m_hWnd;
  ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  ::SendMessageW(tip, TTM_STANDIN_SHOW, info.uId, reinterpret_cast<LPARAM>(info.hwnd));
}

LRESULT CWnd::Default() {
  const MSG& m = AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  DWORD style = GetStyle();
  DWORD next = (style & ~remove) | add;
  if (style == next) return FALSE;
  SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(next));
  if (flags) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  DWORD style = GetExStyle();
  DWORD next = (style & ~remove) | add;
  if (style == next) return FALSE;
  SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(next));
  if (flags) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

void CWnd::SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
int CWnd::GetWindowText(LPWSTR buffer, int bufferMax) const { return ::GetWindowTextW(m_hWnd, buffer, bufferMax); }
void CWnd::GetWindowText(CString& text) const {
  int length = GetWindowTextLength();
  ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  if (rect) ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, static_cast<WPARAM>(redraw), 0); }

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
void CWnd::GetScrollRange(int bar, int* minPos, int* maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

CWnd* CWnd::GetDesktopWindow() {
  static CWnd* desktop = [] {
    static CWnd object;
    --g_liveWnds;  // the desktop stand-in is not a window of the program
    return &object;
  }();
  return desktop;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
  return &map;
}
const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CScrollBar* CScrollBar::FromHandleOrNull(HWND window) { return dynamic_cast<CScrollBar*>(FromHandlePermanent(window)); }

int StandIn::LiveWndObjectCount() { return g_liveWnds; }
