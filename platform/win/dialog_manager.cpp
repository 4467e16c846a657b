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
    case DM_SETDEFID: {
      // The old default push button becomes a plain one, the new one the default.
      HWND old = GetDlgItem(window, static_cast<int>(defaultId_));
      if (old && (StyleOf(old) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
      defaultId_ = static_cast<UINT>(wParam);
      HWND now = GetDlgItem(window, static_cast<int>(defaultId_));
      if (now && (StyleOf(now) & BS_TYPEMASK) == BS_PUSHBUTTON) SendMessageW(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      return TRUE;
    }
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (target && IsChild(window, target)) {
        SetFocus(target);
        if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_INITDIALOG: return TRUE;
    default:
      handled = false;
      return 0;
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
    SetLastError(1813);  // the resource was not found
    return nullptr;
  }
  POINT origin{ToPixelsX(dialog->x), ToPixelsY(dialog->y)};
  if (parent && !(dialog->style & WS_CHILD)) ClientToScreen(parent, &origin);
  g_pendingProcedure = procedure;
  HWND window = CreateWindowExW(dialog->exStyle, WC_DIALOGW, dialog->caption.c_str(), dialog->style & ~WS_VISIBLE, origin.x,
                                origin.y, ToPixelsX(dialog->cx), ToPixelsY(dialog->cy), parent, nullptr, instance,
                                reinterpret_cast<LPVOID>(param));
  g_pendingProcedure = nullptr;
  if (!window) return nullptr;
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const DialogControlTemplate& control : dialog->controls) {
    HWND item = CreateWindowExW(control.exStyle, control.className.c_str(), control.text.c_str(), control.style | WS_CHILD,
                                ToPixelsX(control.x), ToPixelsY(control.y), ToPixelsX(control.cx), ToPixelsY(control.cy),
                                window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), instance, nullptr);
    if (!item) {
      DestroyWindow(window);
      SetLastError(1407);  // a control of an unknown class
      return nullptr;
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

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC procedure, LPARAM param) {
  if (!IS_INTRESOURCE(templateName)) return nullptr;
  const DialogTemplate* dialog = FindDialogResource(instance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)));
  return CreateDialogIndirectParamW(instance, dialog, parent, procedure, param);
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
      HWND next = GetNextDlgTabItem(dialog, focus && IsChild(dialog, focus) ? focus : nullptr, GetKeyState(VK_SHIFT) < 0);
      if (next) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
      return TRUE;
    }
    case VK_RETURN: {
      HWND focus = GetFocus();
      int id = 0;
      if (focus && IsChild(dialog, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
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

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  if (!IsWindow(dialog) || !rect) return FALSE;
  rect->left = ToPixelsX(rect->left);
  rect->right = ToPixelsX(rect->right);
  rect->top = ToPixelsY(rect->top);
  rect->bottom = ToPixelsY(rect->bottom);
  return TRUE;
}

LONG GetDialogBaseUnits() { return MAKELONG(6, 13); }

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (buffer && bufferMax > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(item, buffer, bufferMax));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  std::wstring text = isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
  return SetDlgItemTextW(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  size_t a = text.find_first_not_of(L" \t");
  size_t b = text.find_last_not_of(L" \t");
  if (a == std::wstring::npos) return 0;
  text = text.substr(a, b - a + 1);
  bool negative = !text.empty() && text[0] == L'-';
  if (negative && !isSigned) return 0;
  size_t digits = negative || text[0] == L'+' ? 1 : 0;
  if (digits >= text.size()) return 0;
  unsigned long long value = 0;
  for (size_t i = digits; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return 0;
    value = value * 10 + static_cast<unsigned>(text[i] - L'0');
    if (value > (isSigned ? 0x80000000ULL : 0xFFFFFFFFULL)) return 0;
  }
  if (isSigned && !negative && value > 0x7FFFFFFFULL) return 0;
  if (translated) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
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

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (!IsWindow(dialog)) return FALSE;
  for (int id = first; id <= last; ++id) {
    if (HWND item = GetDlgItem(dialog, id)) SendMessageW(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
