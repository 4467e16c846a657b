#include "platform/win/window_manager.h"

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <deque>
#include <map>
#include <vector>

#include "platform/win/control_model.h"
#include "platform/win/handle_table.h"
#include "platform/win/input_driver.h"
#include "platform/win/module_loader.h"
#include "platform/win/on_failure.h"
#include "platform/win/teardown_steps.h"

using namespace StandIn;

namespace {

struct Window {
  HWND handle = nullptr;
  std::wstring className;
  WNDPROC classProc = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  std::wstring text;
  RECT rect;  // relative to the parent's client area (screen for a top-level window)
  HWND parent = nullptr;
  HWND owner = nullptr;
  std::vector<HWND> children;
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  std::unique_ptr<ControlModel> model;
  bool invalid = false;
  bool redrawDisabled = false;
  bool destroying = false;
  SCROLLINFO scroll[2];
};

struct ClassEntry {
  WNDCLASSW info;
  std::wstring name;
  ControlModelFactory factory = nullptr;
};

LRESULT ControlClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct WindowManager {
  HandleTable<Window> windows;
  std::vector<ClassEntry> classes;
  std::deque<MSG> queue;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::map<int, bool> keysDown;
  POINT messagePos;
  ULONGLONG clock = 1767225600000ULL;  // 2026-01-01 00:00:00 UTC
  PreTranslateHook preTranslate = nullptr;
  WindowCreatedHook created = nullptr;
  WindowDestroyedHook destroyed = nullptr;
  bool quitPosted = false;
};

WindowManager& wm() {
  static WindowManager manager;
  return manager;
}

Window* W(HWND h) { return h ? wm().windows.Find(h) : nullptr; }

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

ClassEntry* FindClass(const std::wstring& name) {
  std::wstring key = Lower(name);
  for (auto& c : wm().classes)
    if (Lower(c.name) == key) return &c;
  return nullptr;
}

POINT OriginOnScreen(HWND h) {
  POINT p{0, 0};
  for (Window* w = W(h); w; w = (w->style & WS_CHILD) ? W(w->parent) : nullptr) {
    p.x += w->rect.left;
    p.y += w->rect.top;
  }
  return p;
}

bool InTree(HWND root, HWND h) {
  for (Window* w = W(h); w; w = (w->style & WS_CHILD) ? W(w->parent) : nullptr)
    if (w->handle == root) return true;
  return false;
}

void CollectOwned(HWND owner, std::vector<HWND>& out) {
  for (const auto& [value, w] : wm().windows.All())
    if (!(w->style & WS_CHILD) && w->owner == owner && !w->destroying) out.push_back(w->handle);
}

// A window's destruction goes on whatever its handlers throw (kept by the steps and thrown on
// at the end): a window is never left half destroyed, with a procedure whose object is gone.
// It asks for no memory of its own: the children are walked in place.
void SendDestroy(HWND h, TeardownSteps& steps) {
  if (!W(h)) return;
  steps.run([h] { SendMessageW(h, WM_DESTROY, 0, 0); });
  for (std::size_t i = 0; W(h) && i < W(h)->children.size(); ++i) SendDestroy(W(h)->children[i], steps);
}

void SendNcDestroyAndFree(HWND h, TeardownSteps& steps) {
  Window* w = W(h);
  if (!w) return;
  // Each child, once freed, leaves the list.
  for (HWND child = nullptr; (w = W(h)) && !w->children.empty() && w->children.front() != child;) {
    child = w->children.front();
    SendNcDestroyAndFree(child, steps);
  }
  steps.run([h] { SendMessageW(h, WM_NCDESTROY, 0, 0); });
  w = W(h);
  if (!w) return;
  if (wm().capture == h) wm().capture = nullptr;
  if (wm().focus == h) wm().focus = nullptr;
  if (wm().active == h) wm().active = nullptr;
  if (Window* p = W(w->parent))
    p->children.erase(std::remove(p->children.begin(), p->children.end(), h), p->children.end());
  std::unique_ptr<Window> dead = wm().windows.Remove(h);
  dead.reset();
  if (wm().destroyed) steps.run([h] { wm().destroyed(h); });
}

bool IsCharacterKey(UINT vk) {
  return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE ||
         vk == VK_TAB || vk == VK_BACK;
}

wchar_t CharacterOf(UINT vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool control = GetKeyState(VK_CONTROL) < 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return static_cast<wchar_t>(vk - 'A' + 1);
    return static_cast<wchar_t>(shift ? vk : vk - 'A' + 'a');
  }
  switch (vk) {
    case VK_SPACE: return L' ';
    case VK_RETURN: return L'\r';
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return L'\t';
    case VK_BACK: return 0x08;
    default: return static_cast<wchar_t>(vk);
  }
}

HWND FirstInvalidWindow() {
  for (const auto& [value, w] : wm().windows.All())
    if (w->invalid && IsWindowVisible(w->handle)) return w->handle;
  return nullptr;
}

HWND DeepestAt(HWND h, POINT screen) {
  Window* w = W(h);
  if (!w || !(w->style & WS_VISIBLE)) return nullptr;
  RECT r;
  GetWindowRect(h, &r);
  if (!PtInRect(&r, screen)) return nullptr;
  for (auto it = w->children.begin(); it != w->children.end(); ++it) {
    Window* c = W(*it);
    if (!c || (c->style & WS_DISABLED)) continue;
    if (HWND hit = DeepestAt(*it, screen)) return hit;
  }
  return h;
}

void RegisterBuiltinClasses();

}  // namespace

// ---- Classes.

void StandIn::RegisterControlClass(const wchar_t* className, ControlModelFactory factory) {
  if (ClassEntry* existing = FindClass(className)) {
    existing->factory = factory;
    existing->info.lpfnWndProc = ControlClassProc;
    return;
  }
  ClassEntry entry;
  entry.name = className;
  entry.info.lpfnWndProc = ControlClassProc;
  entry.info.style = CS_DBLCLKS;
  entry.factory = factory;
  wm().classes.push_back(entry);
  wm().classes.back().info.lpszClassName = nullptr;
}

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
    return 0;
  }
  if (FindClass(windowClass->lpszClassName)) {
    return 0;  // the class already exists
  }
  ClassEntry entry;
  entry.info = *windowClass;
  entry.name = windowClass->lpszClassName;
  entry.info.lpszClassName = nullptr;
  wm().classes.push_back(entry);
  return static_cast<ATOM>(0xC000 + wm().classes.size());
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* windowClass) {
  RegisterBuiltinClasses();
  ClassEntry* entry = className ? FindClass(className) : nullptr;
  if (!entry) return FALSE;
  if (windowClass) {
    *windowClass = entry->info;
    windowClass->lpszClassName = entry->name.c_str();
  }
  return TRUE;
}

int GetClassNameW(HWND window, LPWSTR buffer, int bufferMax) {
  Window* w = W(window);
  if (!w || !buffer || bufferMax <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->className.size()), bufferMax - 1);
  std::wmemcpy(buffer, w->className.c_str(), static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

std::wstring StandIn::ClassNameOf(HWND window) {
  Window* w = W(window);
  return w ? w->className : std::wstring();
}

ControlModel* StandIn::ModelOf(HWND window) {
  Window* w = W(window);
  return w ? w->model.get() : nullptr;
}

namespace {
LRESULT ControlClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = W(window);
  if (w && w->model) {
    bool handled = false;
    LRESULT result = w->model->Handle(window, message, wParam, lParam, handled);
    if (handled) return result;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

// ---- Creating and destroying.

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  RegisterBuiltinClasses();
  ClassEntry* entry = className ? FindClass(className) : nullptr;
  if (!entry) {
    return nullptr;  // no such window class
  }
  if ((style & WS_CHILD) && !W(parent)) {
    return nullptr;  // a child needs a parent
  }
  auto window = std::make_unique<Window>();
  window->className = entry->name;
  window->classProc = entry->info.lpfnWndProc;
  window->proc = entry->info.lpfnWndProc;
  window->style = style & ~WS_VISIBLE;
  window->exStyle = exStyle;
  window->text = windowName ? windowName : L"";
  window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
  window->instance = instance;
  if (style & WS_CHILD) {
    window->parent = parent;
    window->id = static_cast<int>(reinterpret_cast<INT_PTR>(menuOrId));
  } else {
    window->owner = parent;
  }
  HWND h = wm().windows.Add<HWND>(std::move(window), HandleKind::Window);
  Window* w = W(h);
  w->handle = h;

  CREATESTRUCTW cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menuOrId;
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;
  // Memory ran out, or a handler threw: the window half made goes again.
  StandIn::OnFailure destroyOnFailure([h] {
    if (W(h)) DestroyWindow(h);
  });
  if (Window* p = W(w->parent)) p->children.push_back(h);
  if (entry->factory) w->model = entry->factory(h, cs);
  if (wm().created) wm().created(h, cs);

  if (!SendMessageW(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!W(h)) return nullptr;
  if (SendMessageW(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!W(h)) return nullptr;
  SendMessageW(h, WM_SIZE, 0, MAKELPARAM(std::max(0, width), std::max(0, height)));
  if (style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
  return h;
}

BOOL DestroyWindow(HWND window) {
  Window* w = W(window);
  if (!w) {
    return FALSE;  // invalid window handle
  }
  if (w->destroying) return TRUE;
  std::vector<HWND> owned;
  CollectOwned(window, owned);  // before anything changes: it may run out of memory
  w->destroying = true;
  // What a handler throws goes on once every window is destroyed.
  TeardownSteps steps;
  for (HWND o : owned) steps.run([o] { DestroyWindow(o); });
  // The focus leaves the dying windows first, to the parent when there is one.
  if (W(window) && wm().focus && InTree(window, wm().focus)) {
    HWND parent = (W(window)->style & WS_CHILD) ? W(window)->parent : nullptr;
    steps.run([parent] { SetFocus(parent); });
    if (wm().focus && InTree(window, wm().focus)) wm().focus = nullptr;
  }
  if (Window* still = W(window)) still->style &= ~WS_VISIBLE;
  SendDestroy(window, steps);
  SendNcDestroyAndFree(window, steps);
  steps.rethrow();
  return TRUE;
}

BOOL IsWindow(HWND window) { return W(window) ? TRUE : FALSE; }

int StandIn::LiveWindowCount() { return wm().windows.Size(); }

// ---- Messages.

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = W(window);
  if (!w || !w->proc) return 0;
  return w->proc(window, message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !W(window)) {
    return FALSE;
  }
  MSG msg;
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(wm().clock);
  msg.pt = wm().messagePos;
  wm().queue.push_back(msg);
  return TRUE;
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  auto& queue = wm().queue;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (window && it->hwnd != window && !IsChild(window, it->hwnd)) continue;
    if ((filterMin || filterMax) && (it->message < filterMin || it->message > filterMax)) continue;
    if (msg) *msg = *it;
    if (removeFlags & PM_REMOVE) {
      wm().messagePos = it->pt;
      queue.erase(it);
    }
    return TRUE;
  }
  if (!filterMin && !filterMax) {
    HWND invalid = FirstInvalidWindow();
    if (invalid && (!window || invalid == window || IsChild(window, invalid))) {
      if (msg) {
        *msg = MSG();
        msg->hwnd = invalid;
        msg->message = WM_PAINT;
      }
      return TRUE;
    }
  }
  return FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!PeekMessageW(msg, window, filterMin, filterMax, PM_REMOVE))
    throw InputScriptError("GetMessage waits for input that no one will give (" + DescribeWindow(window) + ")");
  return msg && msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->message != WM_KEYDOWN || !IsCharacterKey(static_cast<UINT>(msg->wParam))) return FALSE;
  MSG ch = *msg;
  ch.message = WM_CHAR;
  ch.wParam = CharacterOf(static_cast<UINT>(msg->wParam));
  wm().queue.push_front(ch);
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;
  Window* w = W(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_PAINT) w->invalid = false;  // as BeginPaint would
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!procedure) return DefWindowProcW(window, message, wParam, lParam);
  return procedure(window, message, wParam, lParam);
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = W(window);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT: w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L""; return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      int max = static_cast<int>(wParam);
      if (!buffer || max <= 0) return 0;
      int n = std::min<int>(static_cast<int>(w->text.size()), max - 1);
      std::wmemcpy(buffer, w->text.c_str(), static_cast<size_t>(n));
      buffer[n] = 0;
      return n;
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETREDRAW: w->redrawDisabled = !wParam; return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_PAINT: {
      w->invalid = false;
      return 0;
    }
    case WM_RBUTTONUP: {
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &pt);
      SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(pt.x, pt.y));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      if ((w->style & WS_CHILD) && w->parent) return SendMessageW(w->parent, message, wParam, lParam);
      return 0;
    default: return 0;
  }
}

DWORD GetMessagePos() { return static_cast<DWORD>(MAKELONG(wm().messagePos.x, wm().messagePos.y)); }

// ---- Window data.

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  Window* w = W(window);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  Window* w = W(window);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrW(window, index);
  switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_ID: w->id = static_cast<int>(value); break;
    case GWL_STYLE: {
      bool wasVisible = (w->style & WS_VISIBLE) != 0;
      w->style = static_cast<DWORD>(value);
      if (!wasVisible && (w->style & WS_VISIBLE)) w->invalid = true;
      break;
    }
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWLP_USERDATA: w->userData = value; break;
    default: return 0;
  }
  return old;
}

LONG GetWindowLongW(HWND window, int index) { return static_cast<LONG>(GetWindowLongPtrW(window, index)); }
LONG SetWindowLongW(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrW(window, index, value));
}

int GetDlgCtrlID(HWND window) {
  Window* w = W(window);
  return w && (w->style & WS_CHILD) ? w->id : 0;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = W(dialog);
  if (!w) return nullptr;
  for (HWND c : w->children)
    if (Window* cw = W(c); cw && cw->id == id) return c;
  return nullptr;
}

HWND GetParent(HWND window) {
  Window* w = W(window);
  if (!w) return nullptr;
  return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND GetWindow(HWND window, UINT relation) {
  Window* w = W(window);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (relation == GW_OWNER) return (w->style & WS_CHILD) ? nullptr : w->owner;
  Window* p = W(w->parent);
  if (!p || !(w->style & WS_CHILD)) return nullptr;
  auto& list = p->children;
  auto it = std::find(list.begin(), list.end(), window);
  switch (relation) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it != list.end() && it + 1 != list.end()) ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return (it != list.end() && it != list.begin()) ? *(it - 1) : nullptr;
    default: return nullptr;
  }
}

HWND GetAncestor(HWND window, UINT flags) {
  Window* w = W(window);
  if (!w) return nullptr;
  if (flags == GA_PARENT) return (w->style & WS_CHILD) ? w->parent : nullptr;
  while ((w->style & WS_CHILD) && W(w->parent)) w = W(w->parent);
  return w->handle;
}

BOOL IsChild(HWND parent, HWND window) {
  if (!W(parent) || !W(window) || parent == window) return FALSE;
  return InTree(parent, window) ? TRUE : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax) {
  return static_cast<int>(
      SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(bufferMax), reinterpret_cast<LPARAM>(buffer)));
}
int GetWindowTextLengthW(HWND window) { return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)); }
BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  if (!W(window)) return FALSE;
  return static_cast<BOOL>(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

// ---- Geometry and visibility.

BOOL GetClientRect(HWND window, LPRECT rect) {
  Window* w = W(window);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  Window* w = W(window);
  if (!w || !rect) return FALSE;
  POINT origin = OriginOnScreen(window);
  *rect =
      RECT{origin.x, origin.y, origin.x + (w->rect.right - w->rect.left), origin.y + (w->rect.bottom - w->rect.top)};
  return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = W(window);
  if (!w) return FALSE;
  // The window may change the new position and size before they apply.
  WINDOWPOS change{window, insertAfter, x, y, cx, cy, flags};
  SendMessageW(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&change));
  if (!(w = W(window))) return FALSE;
  x = change.x;
  y = change.y;
  cx = change.cx;
  cy = change.cy;
  RECT old = w->rect;
  if (!(flags & SWP_NOMOVE)) OffsetRect(&w->rect, x - w->rect.left, y - w->rect.top);
  if (!(flags & SWP_NOSIZE)) {
    w->rect.right = w->rect.left + std::max(0, cx);
    w->rect.bottom = w->rect.top + std::max(0, cy);
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
  if (!W(window)) return TRUE;
  bool resized = (old.right - old.left) != (w->rect.right - w->rect.left) ||
                 (old.bottom - old.top) != (w->rect.bottom - w->rect.top);
  if (resized) {
    SendMessageW(window, WM_SIZE, 0, MAKELPARAM(w->rect.right - w->rect.left, w->rect.bottom - w->rect.top));
    if (!(flags & SWP_NOREDRAW)) InvalidateRect(window, nullptr, TRUE);
  }
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  if (!W(window) || !point) return FALSE;
  POINT origin = OriginOnScreen(window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  if (!W(window) || !point) return FALSE;
  POINT origin = OriginOnScreen(window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a = from ? OriginOnScreen(from) : POINT{0, 0};
  POINT b = to ? OriginOnScreen(to) : POINT{0, 0};
  for (UINT i = 0; i < count; ++i) {
    points[i].x += a.x - b.x;
    points[i].y += a.y - b.y;
  }
  return MAKELONG(a.x - b.x, a.y - b.y);
}

HWND WindowFromPoint(POINT screenPoint) {
  // Top-level windows, the most recently created first (they lie on top).
  std::vector<HWND> tops;
  for (const auto& [value, w] : wm().windows.All())
    if (!(w->style & WS_CHILD)) tops.push_back(w->handle);
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (HWND hit = DeepestAt(*it, screenPoint)) return hit;
  return nullptr;
}

BOOL ShowWindow(HWND window, int command) {
  Window* w = W(window);
  if (!w) return FALSE;
  bool was = (w->style & WS_VISIBLE) != 0;
  bool show = command != SW_HIDE;
  if (was == show) return was;
  SendMessageW(window, WM_SHOWWINDOW, show, 0);
  if (!(w = W(window))) return was;
  if (show) {
    w->style |= WS_VISIBLE;
    w->invalid = true;
  } else {
    w->style &= ~WS_VISIBLE;
    if (Window* p = W(w->parent)) p->invalid = true;
  }
  return was;
}

BOOL IsWindowVisible(HWND window) {
  for (Window* w = W(window); w; w = (w->style & WS_CHILD) ? W(w->parent) : nullptr)
    if (!(w->style & WS_VISIBLE)) return FALSE;
  return W(window) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Window* w = W(window);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (wm().focus && InTree(window, wm().focus)) SetFocus(nullptr);
  }
  if (wasDisabled != !enable) SendMessageW(window, WM_ENABLE, enable, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  Window* w = W(window);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---- Painting state.

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  Window* w = W(window);
  if (!w) return FALSE;
  if (!w->redrawDisabled) w->invalid = true;
  return TRUE;
}

BOOL ValidateRect(HWND window, const RECT*) {
  Window* w = W(window);
  if (!w) return FALSE;
  w->invalid = false;
  return TRUE;
}

BOOL UpdateWindow(HWND window) {
  Window* w = W(window);
  if (!w) return FALSE;
  if (w->invalid && IsWindowVisible(window)) {
    w->invalid = false;
    SendMessageW(window, WM_PAINT, 0, 0);
  }
  return TRUE;
}

// ---- Scroll bars.

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL) {
  Window* w = W(window);
  if (!w || !info || (bar != SB_HORZ && bar != SB_VERT)) return 0;
  SCROLLINFO& s = w->scroll[bar];
  if (info->fMask & SIF_RANGE) {
    s.nMin = info->nMin;
    s.nMax = info->nMax;
  }
  if (info->fMask & SIF_PAGE) s.nPage = info->nPage;
  if (info->fMask & SIF_POS) s.nPos = info->nPos;
  int limit = s.nMax - std::max<int>(0, static_cast<int>(s.nPage) - 1);
  s.nPos = std::max(s.nMin, std::min(s.nPos, std::max(s.nMin, limit)));
  return s.nPos;
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  Window* w = W(window);
  if (!w || !info || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
  const SCROLLINFO& s = w->scroll[bar];
  if (info->fMask & SIF_RANGE) {
    info->nMin = s.nMin;
    info->nMax = s.nMax;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
  if (info->fMask & SIF_POS) info->nPos = s.nPos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.nPos;
  return TRUE;
}

int GetScrollPos(HWND window, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

BOOL GetScrollRange(HWND window, int bar, int* minPos, int* maxPos) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  if (!GetScrollInfo(window, bar, &info)) return FALSE;
  if (minPos) *minPos = info.nMin;
  if (maxPos) *maxPos = info.nMax;
  return TRUE;
}

// ---- Focus, capture, keyboard.

HWND SetFocus(HWND window) {
  if (window && !W(window)) return nullptr;
  HWND old = wm().focus;
  if (old == window) return old;
  if (old) {
    SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (wm().focus != old) return old;  // a handler moved the focus itself
  }
  if (window && !W(window)) return old;
  wm().focus = window;
  if (window) {
    wm().active = GetAncestor(window, GA_ROOT);
    SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(W(old) ? old : nullptr), 0);
  }
  return old;
}

HWND GetFocus() { return W(wm().focus) ? wm().focus : nullptr; }
HWND GetActiveWindow() { return W(wm().active) ? wm().active : nullptr; }

HWND SetCapture(HWND window) {
  HWND old = GetCapture();
  wm().capture = W(window) ? window : nullptr;
  return old;
}
BOOL ReleaseCapture() {
  HWND old = GetCapture();
  wm().capture = nullptr;
  if (old) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}
HWND GetCapture() { return W(wm().capture) ? wm().capture : nullptr; }

SHORT GetKeyState(int virtualKey) {
  auto it = wm().keysDown.find(virtualKey);
  return it != wm().keysDown.end() && it->second ? static_cast<SHORT>(0x8000) : 0;
}

BOOL MessageBeep(UINT) { return TRUE; }

// ---- Time.

ULONGLONG GetTickCount64() { return wm().clock; }
void Sleep(DWORD milliseconds) { wm().clock += milliseconds; }

// ---- Stand-in controls.

void StandIn::SetKeyDown(int virtualKey, bool down) { wm().keysDown[virtualKey] = down; }
void StandIn::ReleaseAllKeys() { wm().keysDown.clear(); }
void StandIn::SetMessagePos(POINT screenPoint) { wm().messagePos = screenPoint; }
void StandIn::SetClock(ULONGLONG millisecondsSinceEpoch) { wm().clock = millisecondsSinceEpoch; }
void StandIn::AdvanceClock(ULONGLONG milliseconds) { wm().clock += milliseconds; }
ULONGLONG StandIn::Clock() { return wm().clock; }
int StandIn::PendingMessageCount() { return static_cast<int>(wm().queue.size()); }
void StandIn::SetPreTranslateHook(PreTranslateHook hook) { wm().preTranslate = hook; }
void StandIn::SetWindowCreatedHook(WindowCreatedHook hook) { wm().created = hook; }
void StandIn::SetWindowDestroyedHook(WindowDestroyedHook hook) { wm().destroyed = hook; }

int StandIn::PumpMessages() {
  int count = 0;
  MSG msg;
  std::map<HWND, int> paints;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ++count;
    if (msg.message == WM_QUIT) {
      wm().quitPosted = true;
      break;
    }
    if (msg.message == WM_PAINT) {
      // A window that invalidates itself while painting is painted a few times, not forever.
      if (++paints[msg.hwnd] > 3) {
        ValidateRect(msg.hwnd, nullptr);
        continue;
      }
      DispatchMessageW(&msg);
      continue;
    }
    if (wm().preTranslate && wm().preTranslate(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (count > 100000) break;
  }
  return count;
}

bool StandIn::TakeQueuedMouseMessage(HWND window, MSG& msg) {
  auto& queue = wm().queue;
  if (queue.empty()) return false;
  const MSG& next = queue.front();
  if (next.hwnd != window || next.message < WM_MOUSEFIRST || next.message > WM_MOUSELAST) return false;
  msg = next;
  wm().messagePos = next.pt;
  queue.pop_front();
  return true;
}

LRESULT StandIn::SendNotify(HWND from, UINT code, NMHDR* header) {
  Window* w = W(from);
  if (!w || !header) return 0;
  header->hwndFrom = from;
  header->idFrom = static_cast<UINT_PTR>(w->id);
  header->code = code;
  HWND parent = (w->style & WS_CHILD) ? w->parent : w->owner;
  if (!W(parent)) return 0;
  return SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(header));
}

LRESULT StandIn::SendCommandNotify(HWND from, UINT code) {
  Window* w = W(from);
  if (!w) return 0;
  HWND parent = (w->style & WS_CHILD) ? w->parent : w->owner;
  if (!W(parent)) return 0;
  return SendMessageW(parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(from));
}

namespace StandIn {
void RegisterListViewClass();
void RegisterHeaderClass();
void RegisterEditClass();
void RegisterTooltipClass();
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterComboBoxClass();
void RegisterDateTimePickerClass();
void RegisterDialogClass();
}  // namespace StandIn

namespace {
void RegisterBuiltinClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSW plain;
  plain.lpfnWndProc = DefWindowProcW;
  plain.style = CS_DBLCLKS;
  plain.lpszClassName = L"Static";
  RegisterClassW(&plain);
  RegisterListViewClass();
  RegisterHeaderClass();
  RegisterEditClass();
  RegisterTooltipClass();
  RegisterButtonClass();
  RegisterStaticClass();  // gives the plain "Static" class its pictures
  RegisterComboBoxClass();
  RegisterDateTimePickerClass();
  RegisterDialogClass();
}
}  // namespace
