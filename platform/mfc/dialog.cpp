#include "platform/mfc/dialog.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "platform/mfc/win_app.h"
#include "platform/win/codepage.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/teardown_steps.h"
#include "platform/win/user_input.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

using StandIn::InputScriptError;
using StandIn::ModalAction;

// While a person drags a row: the hand moves onto the target and lets go there; every
// other request goes to the driver in force.
class DropOnTarget : public StandIn::InputDriver {
public:
  DropOnTarget(StandIn::InputDriver& inner, POINT target) : inner_(inner), target_(target) {}
  UINT ChooseMenuCommand(const StandIn::MenuSnapshot& menu) override { return inner_.ChooseMenuCommand(menu); }
  StandIn::DragStep NextDragStep(const StandIn::DragContext&) override {
    StandIn::DragStep step;
    step.kind = moved_ ? StandIn::DragStep::Drop : StandIn::DragStep::Move;
    step.screenPoint = target_;
    moved_ = true;
    return step;
  }
  ModalAction NextModalAction(HWND dialog, int dialogId) override { return inner_.NextModalAction(dialog, dialogId); }
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override {
    return inner_.AnswerMessageBox(text, caption, type);
  }
  StandIn::FileDialogAnswer AnswerFileDialog(const StandIn::FileDialogRequest& request) override {
    return inner_.AnswerFileDialog(request);
  }
  StandIn::PickAnswer AnswerPick(const StandIn::PickRequest& request) override { return inner_.AnswerPick(request); }
  StandIn::PointAnswer AnswerPoint(const StandIn::PointRequest& request) override {
    return inner_.AnswerPoint(request);
  }

private:
  StandIn::InputDriver& inner_;
  POINT target_;
  bool moved_ = false;
};

CPoint Centre(const RECT& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

std::wstring ItemText(HWND list, int item, int subItem) {
  wchar_t buffer[512] = {};
  LVITEMW lv;
  lv.iSubItem = subItem;
  lv.pszText = buffer;
  lv.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return buffer;
}

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_pParentWnd(parent), m_lpszTemplateName(MAKEINTRESOURCEW(templateId)), m_nIDHelp(templateId),
      templateId_(templateId) {}

CDialog::~CDialog() {
  if (m_hWnd && IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(CWnd* parent) {
  if (m_hWnd || !templateId_) return FALSE;
  HINSTANCE instance = m_hTemplateInstance ? m_hTemplateInstance : AfxFindDialogResourceHandle(templateId_);
  const DialogTemplate* dialog = FindDialogResource(instance, templateId_);
  if (!dialog) return FALSE;
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  struct ResetInit {
    _AFX_THREAD_STATE* state;
    ~ResetInit() { state->m_pWndInit = nullptr; }
  } reset{state};
  state->m_pWndInit = this;
  HWND window = CreateDialogIndirectParamW(instance, dialog, parent ? parent->GetSafeHwnd() : nullptr, nullptr, 0);
  return window && m_hWnd == window;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  templateId_ = templateId;
  m_nIDHelp = templateId;
  m_lpszTemplateName = MAKEINTRESOURCEW(templateId);
  if (parent) m_pParentWnd = parent;
  return CreateFromTemplate(m_pParentWnd);
}

BOOL CDialog::Create(LPCWSTR templateName, CWnd* parent) {
  if (!IS_INTRESOURCE(templateName)) return FALSE;
  return Create(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)), parent);
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd || inModal_) return -1;
  CWnd* owner = m_pParentWnd;
  if (!owner && AfxGetApp()) owner = AfxGetApp()->m_pMainWnd;
  HWND parent = owner ? owner->GetSafeHwnd() : nullptr;
  // Undoes everything on the way out, also when the driver or a handler throws. What the
  // window's destruction throws goes on, unless something thrown before is on its way.
  struct Cleanup {
    CDialog* dialog;
    HWND parent;
    bool parentWasEnabled;
    int unwinding = std::uncaught_exceptions();
    ~Cleanup() noexcept(false) {
      dialog->continueModal_ = false;
      dialog->inModal_ = false;
      StandIn::TeardownSteps steps;
      if (parent && parentWasEnabled) steps.run([this] { ::EnableWindow(parent, TRUE); });
      HWND window = dialog->m_hWnd;
      if (window && ::IsWindow(window)) {
        steps.run([window] {
          ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        });
        steps.run([this] { dialog->DestroyWindow(); });
      }
      if (std::uncaught_exceptions() == unwinding) steps.rethrow();
    }
  } cleanup{this, parent, parent && ::IsWindowEnabled(parent)};
  if (parent) ::EnableWindow(parent, FALSE);
  m_nModalResult = -1;
  continueModal_ = true;
  inModal_ = true;
  if (!CreateFromTemplate(owner)) return -1;
  if (continueModal_ && m_hWnd) {
    ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
  }
  return m_nModalResult;
}

void CDialog::RunModalLoop() {
  while (continueModal_) {
    StandIn::PumpMessages();
    if (!continueModal_ || !m_hWnd || !::IsWindow(m_hWnd)) break;
    ModalAction action = StandIn::CurrentInputDriver().NextModalAction(m_hWnd, static_cast<int>(templateId_));
    PerformAction(action);
  }
  StandIn::PumpMessages();
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  if (!continueModal_) return;
  continueModal_ = false;
  if (m_hWnd) ShowWindow(SW_HIDE);
}

void CDialog::PerformAction(const ModalAction& action) {
  std::string what = "dialog " + std::to_string(templateId_) + ": " + StandIn::DescribeModalAction(action);
  auto fail = [&](const std::string& problem) -> void { throw InputScriptError(what + ": " + problem); };
  auto control = [&](const wchar_t* className) {
    HWND item = ::GetDlgItem(m_hWnd, action.controlId);
    if (!item) fail("the dialog has no control " + std::to_string(action.controlId));
    if (className && StandIn::ClassNameOf(item) != className)
      fail("control " + std::to_string(action.controlId) + " is a " + WideToUtf8(StandIn::ClassNameOf(item)) +
           ", not a " + WideToUtf8(className));
    if (!::IsWindowVisible(item)) fail("control " + std::to_string(action.controlId) + " is hidden");
    if (!::IsWindowEnabled(item)) fail("control " + std::to_string(action.controlId) + " is disabled");
    return item;
  };
  auto listItem = [&](HWND list) {
    int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (action.item >= 0) {
      if (action.item >= count) fail("the list has " + std::to_string(count) + " items");
      return action.item;
    }
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = header ? std::max(1, static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0))) : 1;
    for (int item = 0; item < count; ++item)
      for (int col = 0; col < columns; ++col)
        if (ItemText(list, item, col) == action.text) return item;
    fail("no item of the list shows \"" + WideToUtf8(action.text) + "\"");
    return -1;
  };
  auto cellPoint = [&](HWND list, int item, int subItem) {
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    RECT r;
    r.top = subItem;
    r.left = LVIR_LABEL;
    BOOL ok = subItem == 0 ? static_cast<BOOL>(::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                                              reinterpret_cast<LPARAM>(&r)))
                           : static_cast<BOOL>(::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                                                              reinterpret_cast<LPARAM>(&r)));
    if (!ok || r.right <= r.left)
      fail("cell " + std::to_string(item) + "," + std::to_string(subItem) + " cannot be reached");
    return Centre(r);
  };
  auto headerPoint = [&](HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    if (!header || !::IsWindowVisible(header) ||
        !::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r)) ||
        r.right <= r.left)
      fail("the list has no visible header column " + std::to_string(column));
    return std::make_pair(header, Centre(r));
  };
  // The middle of the row's part in view, across all its columns: its first column may be
  // hidden, and its last ones scrolled out of view.
  auto rowPoint = [&](HWND list, int item) {
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    RECT bounds, client, shown;
    bounds.left = LVIR_BOUNDS;
    ::GetClientRect(list, &client);
    if (!::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds)) ||
        !::IntersectRect(&shown, &bounds, &client))
      fail("row " + std::to_string(item) + " cannot be reached");
    return Centre(shown);
  };

  switch (action.kind) {
    case ModalAction::ClickButton: {
      HWND button = control(WC_BUTTONW);
      RECT r;
      ::GetClientRect(button, &r);
      StandIn::LeftClick(button, Centre(r));
      break;
    }
    case ModalAction::PressKey: {
      HWND focus = ::GetFocus();
      if (!focus || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) ::SetFocus(m_hWnd);
      StandIn::PressKey(action.key, action.modifiers);
      break;
    }
    case ModalAction::TypeText: {
      if (action.controlId) {
        HWND edit = control(nullptr);
        StandIn::MoveFocusTo(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
      } else {
        HWND focus = ::GetFocus();
        if (!focus || !::IsChild(m_hWnd, focus)) fail("no control of the dialog has the focus");
      }
      StandIn::TypeText(action.text);
      break;
    }
    case ModalAction::CheckItem: {
      HWND list = control(WC_LISTVIEWW);
      int item = listItem(list);
      auto checked = [&] {
        UINT state =
            static_cast<UINT>(::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK));
        return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
      };
      if (checked() == action.check) break;
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
      RECT bounds, icon;
      bounds.left = LVIR_BOUNDS;
      icon.left = LVIR_ICON;
      ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds));
      ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&icon));
      LVHITTESTINFO hit;
      hit.pt = POINT{(bounds.left + icon.left) / 2, (bounds.top + bounds.bottom) / 2};
      ::SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (icon.left <= bounds.left || hit.iItem != item || !(hit.flags & LVHT_ONITEMSTATEICON))
        fail("item " + std::to_string(item) + " shows no check box");
      StandIn::LeftClick(list, hit.pt);
      if (::IsWindow(list) && checked() != action.check) fail("the click did not change the check box");
      break;
    }
    case ModalAction::CheckCell: {
      HWND list = control(WC_LISTVIEWW);
      int item = listItem(list);
      auto image = [&] {
        LVITEMW cell{};
        cell.mask = LVIF_IMAGE;
        cell.iItem = item;
        cell.iSubItem = action.subItem;
        return ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&cell)) ? cell.iImage : -1;
      };
      const int wanted = action.check ? 1 : 0;
      const std::string cell = std::to_string(item) + "," + std::to_string(action.subItem);
      int shown = image();
      if (shown != 0 && shown != 1) fail("cell " + cell + " shows no check image");
      if (shown == wanted) break;
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
      RECT icon;
      icon.top = action.subItem;
      icon.left = LVIR_ICON;
      if (!::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&icon)) ||
          icon.right <= icon.left)
        fail("the check image of cell " + cell + " cannot be reached");
      StandIn::LeftClick(list, Centre(icon));
      if (::IsWindow(list) && image() != wanted) fail("the click did not change the check image of cell " + cell);
      break;
    }
    case ModalAction::ClickItem:
    case ModalAction::DoubleClickItem:
    case ModalAction::RightClickItem: {
      HWND list = control(WC_LISTVIEWW);
      CPoint point = cellPoint(list, listItem(list), action.subItem);
      if (action.kind == ModalAction::ClickItem) StandIn::LeftClick(list, point, action.modifiers);
      else if (action.kind == ModalAction::DoubleClickItem) StandIn::DoubleClick(list, point, action.modifiers);
      else StandIn::RightClick(list, point, action.modifiers);
      break;
    }
    case ModalAction::ClickHeader:
    case ModalAction::RightClickHeader: {
      auto [header, point] = headerPoint(control(WC_LISTVIEWW), action.subItem);
      if (action.kind == ModalAction::ClickHeader) StandIn::LeftClick(header, point);
      else StandIn::RightClick(header, point);
      break;
    }
    case ModalAction::DragItem: {
      HWND list = control(WC_LISTVIEWW);
      int item = listItem(list);
      int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      if (action.targetItem < 0 || action.targetItem >= count)
        fail("the list has no item " + std::to_string(action.targetItem) + " to drop on");
      CPoint target = rowPoint(list, action.targetItem);
      CPoint from = rowPoint(list, item);
      ::ClientToScreen(list, &target);
      DropOnTarget drop(StandIn::CurrentInputDriver(), target);
      StandIn::ScopedInputDriver scoped(drop);
      StandIn::DragFrom(list, from, CPoint(from.x, from.y + 8));
      StandIn::PumpMessages();
      break;
    }
    case ModalAction::DragHeader: {
      HWND list = control(WC_LISTVIEWW);
      if (action.subItem == action.targetItem) fail("a heading is dropped on another one, not on itself");
      auto [header, from] = headerPoint(list, action.subItem);
      CPoint to = headerPoint(list, action.targetItem).second;
      StandIn::LeftButtonDown(header, from);
      StandIn::MouseMove(header, to, MK_LBUTTON);
      StandIn::LeftButtonUp(header, to);
      break;
    }
    case ModalAction::ChooseEntry: {
      HWND combo = control(WC_COMBOBOXW);
      int index = action.item;
      int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
      if (index < 0)
        index = static_cast<int>(::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(action.text.c_str())));
      if (index < 0 || index >= count)
        fail("the combo box has " + std::to_string(count) + " entries and none is the one asked for");
      ::SendMessageW(combo, CB_STANDIN_CHOOSE, static_cast<WPARAM>(index), 0);
      break;
    }
    case ModalAction::PickDate: {
      HWND picker = control(DATETIMEPICK_CLASSW);
      SYSTEMTIME date;
      if (!StandIn::ParseDateText(action.text, VAR_DATEVALUEONLY, LOCALE_USER_DEFAULT, date))
        fail("\"" + WideToUtf8(action.text) + "\" is no date");
      if (!StandIn::PickCalendarDay(picker, date.wYear, date.wMonth, date.wDay)) fail("the picker has no calendar");
      break;
    }
    case ModalAction::Close: ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0); break;
    case ModalAction::ClickGroupHeader:
    case ModalAction::ClickGroupTask: {
      HWND list = control(WC_LISTVIEWW);
      bool clicked = action.kind == ModalAction::ClickGroupHeader ? StandIn::ClickGroupHeader(list, action.item)
                                                                  : StandIn::ClickGroupTaskLink(list, action.item);
      if (!clicked) fail("the list shows no such group header or task link");
      break;
    }
  }
  StandIn::PumpMessages();
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return FALSE;
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* failure) {
    failure->Delete();
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control && m_hWnd) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()), TRUE);
}
void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg && m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && ::IsDialogMessageW(m_hWnd, msg))
    return TRUE;
  return CWnd::PreTranslateMessage(msg);
}
