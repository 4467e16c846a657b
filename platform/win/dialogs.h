// Dialog boxes: windows of the dialog class made from a template found in a module's
// resources, their keyboard interface (IsDialogMessageW: Enter presses the default button,
// Escape IDCANCEL, Tab moves the focus among the WS_TABSTOP controls), the helpers that
// reach a dialog's controls by id, and message boxes, which ask the input driver for the
// button a person presses.
//
// Dialog units become pixels with the base units of the dialog font (6 by 13 pixels per
// 4 by 8 units): x pixels = x units * 6 / 4, y pixels = y units * 13 / 8.
#pragma once
#include "platform/win/dialog_controls.h"
#include "platform/win/resources.h"
#include "platform/win/window_types.h"

#define WC_DIALOGW L"#32770"

// Dialog styles.
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L

// Dialog messages.
#define DM_GETDEFID (WM_USER + 0)
#define DC_HASDEFID 0x534B
#define WM_NEXTDLGCTL 0x0028

// Message boxes.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONINFORMATION MB_ICONASTERISK

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Creates a dialog window from a template: the dialog (class WC_DIALOGW, hidden until
// shown, with the template's caption and style), then each control in template order
// (WS_CHILD added; sizes in pixels), then the font, and finally WM_INITDIALOG (wParam the
// first WS_TABSTOP control, lParam `param`); when WM_INITDIALOG answers non-zero the focus
// goes to that control. `procedure`, when given, is called for every message first (a
// non-zero answer means handled) and may be null when a window procedure is installed by
// the created-window hook instead (as MFC does). Null when a control's class is unknown.
HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND parent, DLGPROC procedure,
                                LPARAM param);

// True when the message was a dialog key for the dialog (and has been handled): Enter
// sends WM_COMMAND of the default button (IDOK when none) unless the focused control
// wants all keys, Escape sends IDCANCEL, Tab and Shift+Tab move the focus.
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
// The next (or previous) control with WS_TABSTOP that is visible and enabled, wrapping.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) control of the control's group (WS_GROUP starts a group), wrapping.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
#define SetDlgItemText SetDlgItemTextW
#define SendDlgItemMessage SendDlgItemMessageW

// Asks the input driver which button a person presses; throws StandIn::InputScriptError
// when the answer is not one of the buttons that the type offers.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
#define MessageBox MessageBoxW

namespace StandIn {
// One message box as it was shown (for tests and the host program's transcript).
struct MessageBoxRecord {
  std::wstring text;
  std::wstring caption;
  UINT type = 0;
  int answer = 0;
};
const std::vector<MessageBoxRecord>& ShownMessageBoxes();
void ClearShownMessageBoxes();
// The buttons a message box type offers, in order (IDOK, IDCANCEL, IDYES, ...).
std::vector<int> MessageBoxButtons(UINT type);
}  // namespace StandIn
