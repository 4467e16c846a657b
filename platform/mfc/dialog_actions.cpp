// CDialog::PerformAction: a person's next action on a modal dialog, done with the mouse
// and the keyboard (user_input.h) on the dialog's controls, as a person would do it: a list
// is scrolled until the cell or heading shows before it is clicked, and every point the
// mouse goes to is first checked to lie on its control, so that no click lands beside it.
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "platform/mfc/dialog.h"
#include "platform/win/codepage.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/user_input.h"

namespace {

using StandIn::InputScriptError;
using StandIn::ModalAction;

// Throws the action's error for a problem.
using Failure = std::function<void(const std::string&)>;

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

// Whether typed characters become the control's text: an edit that is not read-only, a
// combo box with an edit part (which takes the focus), a date-time picker that takes typed
// dates. A button, a list or a static text only takes keys.
bool TakesText(HWND control) {
  const std::wstring kind = StandIn::ClassNameOf(control);
  const LONG style = ::GetWindowLongW(control, GWL_STYLE);
  if (kind == WC_EDITW) return !(style & ES_READONLY);
  if (kind == WC_COMBOBOXW) return (style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST;
  if (kind == DATETIMEPICK_CLASSW) return (style & DTS_APPCANPARSE) != 0;
  return false;
}

// ---- The mouse: every point it goes to is checked first.

// A person's mouse on the dialog's controls. Before each gesture it checks that the point
// (in the control's client coordinates) lies on the control as a person sees it: the
// pointer there reaches the control itself, not a window over or beside it, nor a part of
// the control that its parent has scrolled out of view. Every pointing action goes through
// here, so no click is ever sent beside its control.
class Mouse {
public:
  explicit Mouse(Failure fail) : fail_(std::move(fail)) {}
  void Click(HWND control, POINT point, UINT modifiers = 0) {
    StandIn::LeftClick(control, On(control, point), modifiers);
  }
  void DoubleClick(HWND control, POINT point, UINT modifiers = 0) {
    StandIn::DoubleClick(control, On(control, point), modifiers);
  }
  void RightClick(HWND control, POINT point, UINT modifiers = 0) {
    StandIn::RightClick(control, On(control, point), modifiers);
  }
  void Press(HWND control, POINT point) { StandIn::LeftButtonDown(control, On(control, point)); }
  void MoveTo(HWND control, POINT point, UINT buttons) { StandIn::MouseMove(control, On(control, point), buttons); }
  void Release(HWND control, POINT point) { StandIn::LeftButtonUp(control, On(control, point)); }
  // Presses at `from` and moves to `to` with the button held (a list then starts its drag).
  void Drag(HWND control, POINT from, POINT to) { StandIn::DragFrom(control, On(control, from), On(control, to)); }
  // The point, once it is known to lie on the control.
  POINT On(HWND control, POINT point) const {
    RECT client;
    ::GetClientRect(control, &client);
    POINT screen = point;
    ::ClientToScreen(control, &screen);
    HWND reached = ::WindowFromPoint(screen);
    if (!::PtInRect(&client, point) || reached != control)
      fail_("a pointer at (" + std::to_string(point.x) + "," + std::to_string(point.y) + ") of " +
            StandIn::DescribeWindow(control) + " would reach " +
            (reached ? StandIn::DescribeWindow(reached) : std::string("no window")) + ", not the control");
    return point;
  }

private:
  Failure fail_;
};

// ---- Lists: what a person scrolls into view before pointing at it.

HWND HeaderOf(HWND list) { return reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0)); }

// A column as messages name it: its index and its heading's text.
std::string ColumnName(HWND list, int column) {
  std::string name = "column " + std::to_string(column);
  wchar_t text[256] = {};
  HDITEMW heading;
  heading.mask = HDI_TEXT;
  heading.pszText = text;
  heading.cchTextMax = 256;
  HWND header = HeaderOf(list);
  if (header && ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading)) &&
      text[0])
    name += " (\"" + WideToUtf8(text) + "\")";
  return name;
}

// Where a column lies across the list: its heading's rectangle in the list's client
// coordinates. False when the list has no such column.
bool ColumnSpan(HWND list, int column, RECT& span) {
  HWND header = HeaderOf(list);
  if (!header || !::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&span)))
    return false;
  ::MapWindowPoints(header, list, reinterpret_cast<POINT*>(&span), 2);
  return true;
}

// Scrolls the list sideways as a person drags its scroll bar's thumb (WM_HSCROLL, which a
// grid sees as it sees the person's), until its client x from `left` to `right` is in
// view; when the list is narrower, the left end.
void ScrollSideways(HWND list, LONG left, LONG right) {
  RECT client;
  ::GetClientRect(list, &client);
  LONG shift = left < 0 ? left : right > client.right ? std::min(right - client.right, left) : 0;
  SCROLLINFO bar;
  bar.fMask = SIF_POS;
  if (!shift || !::GetScrollInfo(list, SB_HORZ, &bar)) return;
  const LONG thumb = std::clamp<LONG>(bar.nPos + shift, 0, 0xFFFF);
  for (WORD code : {SB_THUMBTRACK, SB_THUMBPOSITION})
    ::SendMessageW(list, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(thumb)), 0);
}

// Scrolls the columns into view together, as far as the list is wide. A column of no width
// (hidden) cannot be reached: that fails, naming it. Columns the list lacks are left to
// the caller, and a list without columns has nothing to scroll.
void BringColumnsIntoView(HWND list, std::initializer_list<int> columns, const Failure& fail) {
  RECT all{};
  bool any = false;
  for (int column : columns) {
    RECT span;
    if (!ColumnSpan(list, column, span)) continue;
    if (span.right <= span.left) fail(ColumnName(list, column) + " cannot be reached: it is hidden (it has no width)");
    all = any ? RECT{std::min(all.left, span.left), 0, std::max(all.right, span.right), 0} : span;
    any = true;
  }
  if (any) ScrollSideways(list, all.left, all.right);
}

// The part of a rectangle of the list's client area that a person sees: below the
// headings when `body` (rows and cells), anywhere in the client area otherwise (headings).
// Empty when none.
RECT InView(HWND list, const RECT& rect, bool body) {
  RECT client, shown{};
  ::GetClientRect(list, &client);
  HWND header = HeaderOf(list);
  if (body && header && ::IsWindowVisible(header)) {
    RECT headings;
    ::GetWindowRect(header, &headings);
    ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&headings), 2);
    client.top = std::max(client.top, headings.bottom);
  }
  ::IntersectRect(&shown, &rect, &client);
  return shown;
}

}  // namespace

void CDialog::PerformAction(const ModalAction& action) {
  // A problem names the action, and where the driver found it when it knows.
  std::string what = StandIn::DescribeModalAction(action);
  Failure fail = [&](const std::string& problem) {
    if (!action.origin.empty()) throw InputScriptError(action.origin, what + ": " + problem);
    throw InputScriptError("dialog " + std::to_string(templateId_) + ": " + what + ": " + problem);
  };
  Mouse mouse(fail);
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
    HWND header = HeaderOf(list);
    int columns = header ? std::max(1, static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0))) : 1;
    for (int item = 0; item < count; ++item)
      for (int col = 0; col < columns; ++col)
        if (ItemText(list, item, col) == action.text) return item;
    fail("no item of the list shows \"" + WideToUtf8(action.text) + "\"");
    return -1;
  };
  // A cell's part (LVIR_LABEL, LVIR_ICON) as a person sees it once the row and the column
  // are scrolled into view.
  auto cellPart = [&](HWND list, int item, int subItem, int part, const std::string& name) {
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    BringColumnsIntoView(list, {subItem}, fail);
    RECT r;
    r.top = subItem;
    r.left = part;
    BOOL ok = subItem == 0 ? static_cast<BOOL>(::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                                              reinterpret_cast<LPARAM>(&r)))
                           : static_cast<BOOL>(::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                                                              reinterpret_cast<LPARAM>(&r)));
    RECT shown = InView(list, r, true);
    if (!ok || ::IsRectEmpty(&shown))
      fail(name + " " + std::to_string(item) + "," + std::to_string(subItem) + " in " + ColumnName(list, subItem) +
           " cannot be reached");
    return shown;
  };
  // The middle of a heading's part in view, in the header's coordinates; the caller has
  // scrolled it into view.
  auto headingPoint = [&](HWND list, int column) {
    HWND header = HeaderOf(list);
    if (!header || !::IsWindowVisible(header)) fail("the list shows no column headings");
    RECT span;
    if (!ColumnSpan(list, column, span)) fail("the list has no column " + std::to_string(column));
    RECT shown = InView(list, span, false);
    if (::IsRectEmpty(&shown)) fail(ColumnName(list, column) + " cannot be reached");
    CPoint point = Centre(shown);
    ::MapWindowPoints(list, header, &point, 1);
    return std::make_pair(header, point);
  };
  // The middle of the row's part in view, across all its columns: its first column may be
  // hidden, and its last ones scrolled out of view.
  auto rowPoint = [&](HWND list, int item) {
    RECT bounds;
    bounds.left = LVIR_BOUNDS;
    if (!::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds)))
      fail("row " + std::to_string(item) + " cannot be reached");
    RECT shown = InView(list, bounds, true);
    if (::IsRectEmpty(&shown)) fail("row " + std::to_string(item) + " is not in view with the other row");
    return Centre(shown);
  };

  switch (action.kind) {
    case ModalAction::ClickButton: {
      HWND button = control(WC_BUTTONW);
      RECT r;
      ::GetClientRect(button, &r);
      mouse.Click(button, Centre(r));
      break;
    }
    case ModalAction::PressKey: {
      HWND focus = ::GetFocus();
      if (!focus || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) ::SetFocus(m_hWnd);
      StandIn::PressKey(action.key, action.modifiers);
      break;
    }
    case ModalAction::TypeText: {
      HWND target = action.controlId ? control(nullptr) : ::GetFocus();
      if (!action.controlId && (!target || !::IsChild(m_hWnd, target))) fail("no control of the dialog has the focus");
      if (!TakesText(target)) fail(StandIn::DescribeWindow(target) + " takes no text");
      if (action.controlId) {
        StandIn::MoveFocusTo(target);
        ::SendMessageW(target, EM_SETSEL, 0, -1);
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
      // The check box is the state image at the left of the item's own column, before its icon.
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
      BringColumnsIntoView(list, {0}, fail);
      RECT bounds, icon;
      bounds.left = LVIR_BOUNDS;
      icon.left = LVIR_ICON;
      ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds));
      ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&icon));
      RECT span;
      const LONG left = ColumnSpan(list, 0, span) ? span.left : bounds.left;
      LVHITTESTINFO hit;
      hit.pt = POINT{(left + icon.left) / 2, (bounds.top + bounds.bottom) / 2};
      ::SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (icon.left <= left || hit.iItem != item || !(hit.flags & LVHT_ONITEMSTATEICON))
        fail("item " + std::to_string(item) + " shows no check box");
      mouse.Click(list, hit.pt);
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
      mouse.Click(list, Centre(cellPart(list, item, action.subItem, LVIR_ICON, "the check image of cell")));
      if (::IsWindow(list) && image() != wanted) fail("the click did not change the check image of cell " + cell);
      break;
    }
    case ModalAction::ClickItem:
    case ModalAction::DoubleClickItem:
    case ModalAction::RightClickItem: {
      HWND list = control(WC_LISTVIEWW);
      CPoint point = Centre(cellPart(list, listItem(list), action.subItem, LVIR_LABEL, "cell"));
      if (action.kind == ModalAction::ClickItem) mouse.Click(list, point, action.modifiers);
      else if (action.kind == ModalAction::DoubleClickItem) mouse.DoubleClick(list, point, action.modifiers);
      else mouse.RightClick(list, point, action.modifiers);
      break;
    }
    case ModalAction::ClickHeader:
    case ModalAction::RightClickHeader: {
      HWND list = control(WC_LISTVIEWW);
      BringColumnsIntoView(list, {action.subItem}, fail);
      auto [header, point] = headingPoint(list, action.subItem);
      if (action.kind == ModalAction::ClickHeader) mouse.Click(header, point);
      else mouse.RightClick(header, point);
      break;
    }
    case ModalAction::DragItem: {
      HWND list = control(WC_LISTVIEWW);
      int item = listItem(list);
      int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      if (action.targetItem < 0 || action.targetItem >= count)
        fail("the list has no item " + std::to_string(action.targetItem) + " to drop on");
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(action.targetItem), FALSE);
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
      CPoint from = rowPoint(list, item);
      CPoint target = rowPoint(list, action.targetItem);
      POINT drop = mouse.On(list, target);
      ::ClientToScreen(list, &drop);
      DropOnTarget dropOnTarget(StandIn::CurrentInputDriver(), drop);
      StandIn::ScopedInputDriver scoped(dropOnTarget);
      mouse.Drag(list, from, CPoint(from.x, from.y + 8));
      StandIn::PumpMessages();
      break;
    }
    case ModalAction::DragHeader: {
      HWND list = control(WC_LISTVIEWW);
      if (action.subItem == action.targetItem) fail("a heading is dropped on another one, not on itself");
      BringColumnsIntoView(list, {action.subItem, action.targetItem}, fail);
      for (int column : {action.subItem, action.targetItem}) {
        RECT span;
        if (!ColumnSpan(list, column, span)) continue;
        RECT shown = InView(list, span, false);
        if (::IsRectEmpty(&shown))
          fail("the list is too narrow to show " + ColumnName(list, action.subItem) + " and " +
               ColumnName(list, action.targetItem) + " together");
      }
      auto [header, from] = headingPoint(list, action.subItem);
      CPoint to = headingPoint(list, action.targetItem).second;
      mouse.Press(header, from);
      mouse.MoveTo(header, to, MK_LBUTTON);
      mouse.Release(header, to);
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
      POINT point;
      bool shown = action.kind == ModalAction::ClickGroupHeader ? StandIn::GroupHeaderPoint(list, action.item, point)
                                                                : StandIn::GroupTaskLinkPoint(list, action.item, point);
      if (!shown) fail("the list shows no such group header or task link");
      mouse.Click(list, point);
      break;
    }
  }
  StandIn::PumpMessages();
}
