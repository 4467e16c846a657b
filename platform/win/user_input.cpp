#include "platform/win/user_input.h"

#include <initializer_list>
#include <utility>

#include "platform/win/date_time_picker.h"
#include "platform/win/list_view_model.h"
#include "platform/win/window_manager.h"

namespace StandIn {

namespace {

// Holds the modifier keys down for the length of an action.
class HeldKeys {
public:
  explicit HeldKeys(UINT modifiers) : modifiers_(modifiers) {
    if (modifiers_ & kShift) SetKeyDown(VK_SHIFT, true);
    if (modifiers_ & kControl) SetKeyDown(VK_CONTROL, true);
  }
  ~HeldKeys() {
    if (modifiers_ & kShift) SetKeyDown(VK_SHIFT, false);
    if (modifiers_ & kControl) SetKeyDown(VK_CONTROL, false);
  }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  UINT modifiers_;
};

// The window a person's pointer reaches at a client point of `window`: the capture, or
// the deepest visible window under the point, or `window` itself.
struct Aim {
  HWND target = nullptr;
  POINT screen;
};

Aim AimAt(HWND window, POINT client) {
  Aim aim;
  aim.screen = client;
  ClientToScreen(window, &aim.screen);
  aim.target = GetCapture();
  if (!aim.target) aim.target = WindowFromPoint(aim.screen);
  if (!aim.target) aim.target = window;
  return aim;
}

// Posts a mouse message to the aimed window, at the screen point converted to its client area.
void PostMouse(const Aim& aim, UINT message, WPARAM keys, POINT screen) {
  POINT client = screen;
  ScreenToClient(aim.target, &client);
  SetMessagePos(screen);
  PostMessageW(aim.target, message, keys, MAKELPARAM(client.x, client.y));
}

POINT ToScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

}  // namespace

// One gesture of the mouse at one point: the messages in order, each with its buttons.
void Gesture(HWND window, POINT point, UINT modifiers, std::initializer_list<std::pair<UINT, UINT>> steps) {
  HeldKeys held(modifiers);
  Aim aim = AimAt(window, point);
  for (auto [message, buttons] : steps) PostMouse(aim, message, buttons | modifiers, aim.screen);
  PumpMessages();
}

void MouseMove(HWND window, POINT point, UINT buttons) {
  Gesture(window, point, buttons & (kShift | kControl), {{WM_MOUSEMOVE, buttons}});
}

void LeftButtonDown(HWND window, POINT point, UINT modifiers) {
  Gesture(window, point, modifiers, {{WM_LBUTTONDOWN, MK_LBUTTON}});
}

void LeftButtonUp(HWND window, POINT point, UINT modifiers) { Gesture(window, point, modifiers, {{WM_LBUTTONUP, 0}}); }

void LeftClick(HWND window, POINT point, UINT modifiers) {
  Gesture(window, point, modifiers, {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}});
}

void DoubleClick(HWND window, POINT point, UINT modifiers) {
  Gesture(window, point, modifiers,
          {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0}});
}

void RightClick(HWND window, POINT point, UINT modifiers) {
  Gesture(window, point, modifiers, {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}});
}

void MouseWheel(HWND window, POINT point, int delta) {
  Aim aim = AimAt(window, point);
  HWND target = GetFocus() ? GetFocus() : aim.target;
  SetMessagePos(aim.screen);
  PostMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(aim.screen.x, aim.screen.y));
  PumpMessages();
}

void DragFrom(HWND window, POINT from, POINT to, UINT modifiers) {
  HeldKeys held(modifiers);
  Aim aim = AimAt(window, from);
  PostMouse(aim, WM_LBUTTONDOWN, MK_LBUTTON | modifiers, aim.screen);
  PostMouse(aim, WM_MOUSEMOVE, MK_LBUTTON | modifiers, ToScreen(window, to));
  PumpMessages();
}

void PressKey(UINT virtualKey, UINT modifiers) {
  HeldKeys held(modifiers);
  HWND focus = GetFocus();
  if (!focus) return;
  PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(focus, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
  PumpMessages();
}

void TypeText(const std::wstring& text, UINT modifiers) {
  HeldKeys held(modifiers);
  for (wchar_t ch : text) {
    HWND focus = GetFocus();
    if (!focus) return;
    PostMessageW(focus, WM_CHAR, static_cast<WPARAM>(ch), 1);
    PumpMessages();
  }
}

void MoveFocusTo(HWND window) { SetFocus(window); }

bool GroupHeaderPoint(HWND list, int groupId, POINT& point) {
  RECT header{0, LVGGR_HEADER, 0, 0};
  if (!SendMessageW(list, LVM_GETGROUPRECT, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&header)))
    return false;
  point = POINT{header.left + 2, (header.top + header.bottom) / 2};
  return true;
}

bool GroupTaskLinkPoint(HWND list, int groupId, POINT& point) {
  RECT task{};
  if (!SendMessageW(list, LVM_STANDIN_GETGROUPTASKRECT, static_cast<WPARAM>(groupId), reinterpret_cast<LPARAM>(&task)))
    return false;
  point = POINT{(task.left + task.right) / 2, (task.top + task.bottom) / 2};
  return true;
}

bool ClickGroupHeader(HWND list, int groupId) {
  POINT point;
  if (!GroupHeaderPoint(list, groupId, point)) return false;
  LeftClick(list, point);
  return true;
}

bool ClickGroupTaskLink(HWND list, int groupId) {
  POINT point;
  if (!GroupTaskLinkPoint(list, groupId, point)) return false;
  LeftClick(list, point);
  return true;
}

bool PickCalendarDay(HWND picker, int year, int month, int day) {
  SYSTEMTIME date;
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  bool picked = SendMessageW(picker, DTM_STANDIN_PICKDAY, 0, reinterpret_cast<LPARAM>(&date)) != 0;
  PumpMessages();
  return picked;
}

}  // namespace StandIn
