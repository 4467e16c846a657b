// The window manager: a registry of windows (handles never reused), their tree, styles,
// ids, texts and rectangles; window classes with built-in procedures (the control models);
// SendMessage, the post queue and the message pump; focus, capture, key state, message
// position and a clock that tests set. Nothing is painted: invalidation only marks a
// window for WM_PAINT, which the pump delivers when the queue is empty.
//
// Coordinates: every window has no non-client area, so its client rectangle is
// (0, 0, width, height); a child's position is relative to its parent's client area, a
// top-level window's to the screen.
#pragma once
#include <string>

#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

// ---- Window classes.
struct WNDCLASSW {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCWSTR lpszMenuName = nullptr;
  LPCWSTR lpszClassName = nullptr;
};
#define CS_DBLCLKS 0x0008

ATOM RegisterClassW(const WNDCLASSW* windowClass);
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* windowClass);
int GetClassNameW(HWND window, LPWSTR buffer, int bufferMax);

// ---- Creating and destroying.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
// Destroys the window's owned windows and children first (deepest last sent WM_DESTROY),
// sending WM_DESTROY parent-first and WM_NCDESTROY child-first, as Windows does. An exception
// that a handler throws on the way (memory run out) is thrown on once every window is gone.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

// ---- Messages.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Never blocks: with nothing to retrieve it throws StandIn::InputScriptError, since a
// loop waiting for input here would wait forever (modal loops ask the input driver).
BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);  // WM_KEYDOWN of a character key posts WM_CHAR
LRESULT DispatchMessageW(const MSG* msg);
LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
DWORD GetMessagePos();  // screen position of the last input event, x in the low word
#define SendMessage SendMessageW
#define PostMessage PostMessageW
#define DefWindowProc DefWindowProcW

// ---- Window data.
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG GetWindowLongW(HWND window, int index);
LONG SetWindowLongW(HWND window, int index, LONG value);
int GetDlgCtrlID(HWND window);
HWND GetDlgItem(HWND dialog, int id);
HWND GetParent(HWND window);  // the parent of a child, the owner of a top-level window
HWND GetWindow(HWND window, UINT relation);
HWND GetAncestor(HWND window, UINT flags);
#define GA_PARENT 1
#define GA_ROOT 2
BOOL IsChild(HWND parent, HWND window);
int GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax);
int GetWindowTextLengthW(HWND window);
BOOL SetWindowTextW(HWND window, LPCWSTR text);

// ---- Geometry and visibility.
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);  // screen coordinates
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Sends WM_WINDOWPOSCHANGING first, whose WINDOWPOS the window may change.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ClientToScreen(HWND window, LPPOINT point);
BOOL ScreenToClient(HWND window, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
HWND WindowFromPoint(POINT screenPoint);  // the deepest visible, enabled window there
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);  // the window and all its ancestors are visible
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);

// ---- Painting state (nothing is drawn; see gdi.h for the recording device context).
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL UpdateWindow(HWND window);  // sends WM_PAINT now when the window is invalid

// ---- Scroll bars (state only; the list view keeps its own up to date).
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
int GetScrollPos(HWND window, int bar);
BOOL GetScrollRange(HWND window, int bar, int* minPos, int* maxPos);

// ---- Focus, capture and the keyboard.
HWND SetFocus(HWND window);  // WM_KILLFOCUS (wParam = new) to the old, WM_SETFOCUS (wParam = old) to the new
HWND GetFocus();
HWND GetActiveWindow();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
SHORT GetKeyState(int virtualKey);  // high bit set while the key is down
BOOL MessageBeep(UINT type);

// ---- Time.
ULONGLONG GetTickCount64();
void Sleep(DWORD milliseconds);  // advances the stand-in clock; never blocks

// ---- Stand-in controls for tests and the host program.
namespace StandIn {
// Live windows (created and not yet destroyed).
int LiveWindowCount();
// Key state that GetKeyState reports (set by the input helpers, or directly).
void SetKeyDown(int virtualKey, bool down);
void ReleaseAllKeys();
// The position GetMessagePos reports, in screen coordinates.
void SetMessagePos(POINT screenPoint);
// The clock behind GetTickCount64, CTime::GetCurrentTime and Sleep:
// milliseconds since 1970-01-01 UTC.
void SetClock(ULONGLONG millisecondsSinceEpoch);
void AdvanceClock(ULONGLONG milliseconds);
ULONGLONG Clock();
// Dispatches every posted message (and the WM_PAINT of invalid windows) until the queue
// is empty; each message goes through the pre-translate hook first. Returns the count.
int PumpMessages();
// Messages waiting in the post queue.
int PendingMessageCount();
// Called for every message the pump takes, before TranslateMessage/DispatchMessage;
// true means the message was handled. MFC installs its PreTranslateMessage walk here.
using PreTranslateHook = bool (*)(MSG*);
void SetPreTranslateHook(PreTranslateHook hook);
// Called right after a window exists, before WM_NCCREATE (MFC attaches its object here).
using WindowCreatedHook = void (*)(HWND, const CREATESTRUCTW&);
void SetWindowCreatedHook(WindowCreatedHook hook);
// Called after a window's WM_NCDESTROY (MFC drops its temporary wrappers here).
using WindowDestroyedHook = void (*)(HWND);
void SetWindowDestroyedHook(WindowDestroyedHook hook);
// A window's class name (empty for a dead window).
std::wstring ClassNameOf(HWND window);
// The window's built-in control model, if its class has one.
class ControlModel;
ControlModel* ModelOf(HWND window);
}  // namespace StandIn
