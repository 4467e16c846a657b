// The button control's model: its kind (from the style), check state, pushed and focus
// state, and the image it shows. Clicks reach it as mouse messages, BM_CLICK or Space.
#include <algorithm>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/dialog_controls.h"
#include "platform/win/dialogs.h"

namespace StandIn {

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
DWORD KindOf(HWND window) { return StyleOf(window) & BS_TYPEMASK; }

bool IsButton(HWND window) { return ClassNameOf(window) == WC_BUTTONW; }

class ButtonModel : public ControlModel {
public:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
  void Click(HWND window);
  void UncheckGroupMates(HWND window);

  UINT check_ = BST_UNCHECKED;
  bool pushed_ = false;
  bool pressedInside_ = false;
  HANDLE image_[2] = {nullptr, nullptr};  // IMAGE_BITMAP, IMAGE_ICON
  HFONT font_ = nullptr;
};

void ButtonModel::UncheckGroupMates(HWND window) {
  HWND dialog = GetParent(window);
  if (!dialog) return;
  for (HWND mate = GetNextDlgGroupItem(dialog, window, FALSE); mate && mate != window;
       mate = GetNextDlgGroupItem(dialog, mate, FALSE)) {
    if (IsButton(mate) && KindOf(mate) == BS_AUTORADIOBUTTON) SendMessageW(mate, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void ButtonModel::Click(HWND window) {
  switch (KindOf(window)) {
    case BS_AUTOCHECKBOX: check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case BS_AUTO3STATE: check_ = (check_ + 1) % 3; break;
    case BS_AUTORADIOBUTTON:
      check_ = BST_CHECKED;
      UncheckGroupMates(window);
      break;
    case BS_GROUPBOX: return;
    default: break;
  }
  InvalidateRect(window, nullptr, TRUE);
  SendCommandNotify(window, BN_CLICKED);
}

LRESULT ButtonModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case BM_GETCHECK: return check_;
    case BM_SETCHECK: {
      UINT wanted = static_cast<UINT>(wParam);
      DWORD kind = KindOf(window);
      if (wanted == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE) wanted = BST_CHECKED;
      if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_GROUPBOX) return 0;
      if (check_ != wanted) {
        check_ = wanted;
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    }
    case BM_GETIMAGE: return wParam <= IMAGE_ICON ? reinterpret_cast<LRESULT>(image_[wParam]) : 0;
    case BM_SETIMAGE: {
      if (wParam > IMAGE_ICON) return 0;
      HANDLE old = image_[wParam];
      image_[wParam] = reinterpret_cast<HANDLE>(lParam);
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETDLGCODE: {
      DWORD kind = KindOf(window);
      if (kind == BS_DEFPUSHBUTTON) return DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON) return DLGC_UNDEFPUSHBUTTON;
      if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) return DLGC_RADIOBUTTON;
      if (kind == BS_GROUPBOX) return DLGC_STATIC;
      return DLGC_BUTTON;
    }
    case WM_LBUTTONDOWN:
      if (KindOf(window) == BS_GROUPBOX) return 0;
      pressedInside_ = true;
      pushed_ = true;
      SetFocus(window);
      return 0;
    case WM_LBUTTONUP: {
      bool click = pressedInside_;
      pressedInside_ = false;
      pushed_ = false;
      if (GetCapture() == window) ReleaseCapture();
      if (click) Click(window);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && KindOf(window) != BS_GROUPBOX) pushed_ = true;
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && pushed_) {
        pushed_ = false;
        Click(window);
      }
      return 0;
    case WM_CHAR: return 0;
    case WM_SETFOCUS:
      if (StyleOf(window) & BS_NOTIFY) SendCommandNotify(window, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      pushed_ = false;
      if (StyleOf(window) & BS_NOTIFY) SendCommandNotify(window, BN_KILLFOCUS);
      return 0;
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeButton(HWND, const CREATESTRUCTW&) { return std::make_unique<ButtonModel>(); }

}  // namespace

void RegisterButtonClass() { RegisterControlClass(WC_BUTTONW, MakeButton); }

}  // namespace StandIn
