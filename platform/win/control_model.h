// The built-in procedure of a control class: a model object per window that keeps the
// control's state and answers its messages. Registering a class with a factory makes
// CreateWindowExW build the model before WM_NCCREATE and drop it after WM_NCDESTROY.
#pragma once
#include <memory>

#include "platform/win/window_manager.h"

namespace StandIn {

class ControlModel {
public:
  virtual ~ControlModel() = default;
  // Answers a message; leaving handled false passes it on to DefWindowProcW.
  virtual LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

using ControlModelFactory = std::unique_ptr<ControlModel> (*)(HWND window, const CREATESTRUCTW& create);
void RegisterControlClass(const wchar_t* className, ControlModelFactory factory);

// Sends WM_NOTIFY from a control to its parent, filling the header from the control.
LRESULT SendNotify(HWND from, UINT code, NMHDR* header);
// Sends WM_COMMAND with a control notification code to the control's parent.
LRESULT SendCommandNotify(HWND from, UINT code);

// Takes the next queued message when it is a mouse message for the window (what a
// control's drag detection and tracking loops read while the button is held).
bool TakeQueuedMouseMessage(HWND window, MSG& msg);

// An edit that is the field of a composite control (a combo box's edit, a date-time picker's
// typing field) tells its owner, by sending, when it loses the focus (wParam: the window
// that gets it) and when Enter or Escape is pressed in it (wParam: the key).
#define WM_STANDIN_FIELDKILLFOCUS (WM_USER + 0x7C10)
#define WM_STANDIN_FIELDKEY (WM_USER + 0x7C11)
void SetEditFieldOwner(HWND edit, HWND owner);

template <typename T>
T* ModelAs(HWND window) {
  return dynamic_cast<T*>(ModelOf(window));
}

}  // namespace StandIn
