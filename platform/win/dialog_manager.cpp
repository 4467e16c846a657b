// Dialog windows: the dialog class's built-in procedure (default button, WM_CLOSE as
// IDCANCEL, WM_NEXTDLGCTL), creation from a template, the dialog keys and the helpers
// that reach a dialog's controls by id.
#include <string>
#include <vector>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/dialogs.h"
#include "platform/win/gdi.h"
#include "platform/win/module_loader.h"

namespace StandIn {

namespace {

DLGPROC g_pendingProcedure = nullptr;  // handed to the next dialog window made

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }

bool Usable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

class DialogModel : public ControlModel {
public:
  explicit DialogModel(DLGPROC procedure) : procedure_(procedure) {}
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
  DLGPROC procedure_;
  UINT defaultId_ = IDOK;
  HFONT font_ = nullptr;
};

LRESULT DialogModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (procedure_) {
    INT_PTR answer = procedure_(window, message, wParam, lParam);
    if (answer) {
      handled = true;
      return answer;
    }
  }
  handled = true;
  switch (message) {
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(window, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;  // no way out but the buttons
      SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID: return MAKELONG(defaultId_, DC_HASDEFID);
    case WM_NEXTDLGCTL: {
      HWND target =
          LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (target && IsChild(window, target)) {
        SetFocus(target);
        if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_INITDIALOG: return TRUE;
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeDialog(HWND, const CREATESTRUCTW&) {
  DLGPROC procedure = g_pendingProcedure;
  g_pendingProcedure = nullptr;
  return std::make_unique<DialogModel>(procedure);
}

int ToPixelsX(int units) { return units * 6 / 4; }
int ToPixelsY(int units) { return units * 13 / 8; }

// The dialog's children in creation order.
std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> list;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
  return list;
}

}  // namespace

void RegisterDialogClass() { RegisterControlClass(WC_DIALOGW, MakeDialog); }

}  // namespace StandIn

using namespace StandIn;

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC procedure,
                                LPARAM param) {
  if (!dialog) {
    return nullptr;  // the resource was not found
  }
  POINT origin{ToPixelsX(dialog->x), ToPixelsY(dialog->y)};
  if (parent && !(dialog->style & WS_CHILD)) ClientToScreen(parent, &origin);
  g_pendingProcedure = procedure;
  HWND window = CreateWindowExW(dialog->exStyle, WC_DIALOGW, dialog->caption.c_str(), dialog->style & ~WS_VISIBLE,
                                origin.x, origin.y, ToPixelsX(dialog->cx), ToPixelsY(dialog->cy), parent, nullptr,
                                instance, reinterpret_cast<LPVOID>(param));
  g_pendingProcedure = nullptr;
  if (!window) return nullptr;
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const DialogControlTemplate& control : dialog->controls) {
    HWND item =
        CreateWindowExW(control.exStyle, control.className.c_str(), control.text.c_str(), control.style | WS_CHILD,
                        ToPixelsX(control.x), ToPixelsY(control.y), ToPixelsX(control.cx), ToPixelsY(control.cy),
                        window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), instance, nullptr);
    if (!item) {
      DestroyWindow(window);
      return nullptr;  // a control of an unknown class
    }
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  if (SendMessageW(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(window)) {
    first = GetNextDlgTabItem(window, nullptr, FALSE);
    if (first) {
      SetFocus(first);
      if (SendMessageW(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(first, EM_SETSEL, 0, -1);
    }
  }
  if (IsWindow(window) && (dialog->style & WS_VISIBLE)) ShowWindow(window, SW_SHOW);
  return IsWindow(window) ? window : nullptr;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (!msg || !dialog || msg->message != WM_KEYDOWN) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
  if (code & DLGC_WANTALLKEYS) return FALSE;
  switch (msg->wParam) {
    case VK_TAB: {
      if (code & DLGC_WANTTAB) return FALSE;
      HWND focus = GetFocus();
      HWND next =
          GetNextDlgTabItem(dialog, focus && IsChild(dialog, focus) ? focus : nullptr, GetKeyState(VK_SHIFT) < 0);
      if (next) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
      return TRUE;
    }
    case VK_RETURN: {
      HWND focus = GetFocus();
      int id = 0;
      if (focus && IsChild(dialog, focus) &&
          (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        id = GetDlgCtrlID(focus);
      if (!id) {
        LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
      }
      HWND button = GetDlgItem(dialog, id);
      if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return TRUE;
      }
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return TRUE;
    }
    case VK_ESCAPE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return TRUE;
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return TRUE;
    }
    default: return FALSE;
  }
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = Controls(dialog);
  int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<size_t>(i)] == control) at = i;
  for (int k = 1; k <= n; ++k) {
    int i = at < 0 ? (previous ? n - k : k - 1) : ((at + (previous ? -k : k)) % n + n) % n;
    HWND c = list[static_cast<size_t>(i)];
    if ((StyleOf(c) & WS_TABSTOP) && Usable(c)) return c;
  }
  return nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = Controls(dialog);
  int n = static_cast<int>(list.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<size_t>(i)] == control) at = i;
  if (at < 0) return nullptr;
  // The group: from the nearest WS_GROUP control at or before `at` to the control before
  // the next WS_GROUP control.
  int first = at;
  while (first > 0 && !(StyleOf(list[static_cast<size_t>(first)]) & WS_GROUP)) --first;
  int last = at + 1;
  while (last < n && !(StyleOf(list[static_cast<size_t>(last)]) & WS_GROUP)) ++last;
  int size = last - first;
  for (int k = 1; k < size; ++k) {
    int i = first + ((at - first + (previous ? -k : k)) % size + size) % size;
    HWND c = list[static_cast<size_t>(i)];
    if (Usable(c)) return c;
  }
  return control;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? static_cast<UINT>(SendMessageW(item, BM_GETCHECK, 0, 0)) : 0;
}
