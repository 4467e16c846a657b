// The combo box's model: its entries (text and item data), the selection, the list's
// dropped state and size, the item heights and, for a drop-down combo, the edit child that
// holds its text. The window is as high as its closed box; a height it is given (at creation
// or by SetWindowPos) is the dropped list's. With CBS_SORT an added entry goes before the
// first entry that compares greater, ignoring case; CB_INSERTSTRING never sorts. The window
// text of a drop-down list is its selected entry.
#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/dialog_controls.h"
#include "platform/win/gdi.h"
#include "platform/win/system_info.h"

namespace StandIn {

namespace {

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = static_cast<wchar_t>(std::towlower(a[i])), y = static_cast<wchar_t>(std::towlower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

class ComboBoxModel : public ControlModel {
public:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
  struct Entry {
    std::wstring text;
    LRESULT data = 0;
  };
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Valid(WPARAM index) const { return static_cast<INT_PTR>(index) >= 0 && static_cast<INT_PTR>(index) < Count(); }
  void ShowSelection(HWND window) {
    std::wstring text = selection_ >= 0 ? entries_[static_cast<size_t>(selection_)].text : std::wstring();
    SetText(window, text.c_str());
    if (edit_) SendMessageW(edit_, EM_SETSEL, 0, -1);
    InvalidateRect(window, nullptr, TRUE);
  }
  // Text set by the program: into the edit child when there is one, without CBN_EDITCHANGE.
  void SetText(HWND window, LPCWSTR text) {
    if (!edit_) {
      DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
      return;
    }
    settingText_ = true;
    SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    settingText_ = false;
  }
  void Create(HWND window, const CREATESTRUCTW* create);
  void ApplyFont(HWND window, HFONT font);
  // Gives the closed box its height (the selection field plus its frame).
  void SizeBox(HWND window);
  int BoxHeight() const { return fieldHeight_ + 6; }
  int DroppedWidth(HWND window) const {
    RECT r;
    GetWindowRect(window, &r);
    return std::max<int>(droppedWidth_, r.right - r.left);
  }
  // The focus went to `next`: unless it stays in the combo box, the list closes and the
  // parent hears CBN_KILLFOCUS.
  void FocusLeft(HWND window, HWND next) {
    if (next == window || (next && (next == edit_ || IsChild(window, next)))) return;
    if (dropped_) {
      dropped_ = false;
      SendCommandNotify(window, CBN_CLOSEUP);
    }
    SendCommandNotify(window, CBN_KILLFOCUS);
  }
  // The first entry after `startAfter` (wrapping round) that fits; CB_ERR when none.
  template <typename Fits>
  int Find(WPARAM startAfter, Fits fits) const {
    int n = Count();
    if (n == 0) return CB_ERR;
    int start = static_cast<INT_PTR>(startAfter) < 0 || static_cast<INT_PTR>(startAfter) >= n
                    ? -1
                    : static_cast<int>(startAfter);
    for (int k = 1; k <= n; ++k) {
      int i = (start + k) % n;
      if (fits(entries_[static_cast<size_t>(i)].text)) return i;
    }
    return CB_ERR;
  }
  int Insert(HWND window, int index, const std::wstring& text);

  static constexpr int kEditId = 1001;
  std::vector<Entry> entries_;
  int droppedHeight_ = 0;
  int droppedWidth_ = 0;
  int itemHeight_ = 13;
  int fieldHeight_ = 15;
  int selection_ = -1;
  bool dropped_ = false;
  bool settingText_ = false;
  bool sizingBox_ = false;
  HFONT font_ = nullptr;
  HWND edit_ = nullptr;
};

void ComboBoxModel::Create(HWND window, const CREATESTRUCTW* create) {
  // The height given at creation is the dropped list's; the closed box is one line.
  droppedHeight_ = create ? create->cy : 0;
  int width = create ? create->cx : 0;
  if (create && (create->style & 3) != CBS_DROPDOWNLIST) {
    edit_ = CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 3, 3,
                            std::max(0, width - 6 - GetSystemMetrics(SM_CXVSCROLL)), fieldHeight_, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
    SetEditFieldOwner(edit_, window);
  }
  ApplyFont(window, nullptr);
}

void ComboBoxModel::ApplyFont(HWND window, HFONT font) {
  font_ = font;
  itemHeight_ = TextHeightOf(FontOf(font));
  fieldHeight_ = itemHeight_ + 2;
  if (edit_) SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SizeBox(window);
}

void ComboBoxModel::SizeBox(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  sizingBox_ = true;
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, BoxHeight(), SWP_NOMOVE | SWP_NOZORDER);
  sizingBox_ = false;
  if (edit_) {
    RECT e;
    GetWindowRect(edit_, &e);
    SetWindowPos(edit_, nullptr, 0, 0, e.right - e.left, fieldHeight_, SWP_NOMOVE | SWP_NOZORDER);
  }
}

int ComboBoxModel::Insert(HWND window, int index, const std::wstring& text) {
  if (index < 0 || index > Count()) index = Count();
  entries_.insert(entries_.begin() + index, Entry{text, 0});
  if (selection_ >= index) ++selection_;
  InvalidateRect(window, nullptr, TRUE);
  return index;
}

LRESULT ComboBoxModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  auto text = [&]() { return std::wstring(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L""); };
  switch (message) {
    case WM_CREATE:
      Create(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
      handled = false;
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* change = reinterpret_cast<WINDOWPOS*>(lParam);
      if (change && !sizingBox_ && !(change->flags & SWP_NOSIZE)) {
        droppedHeight_ = change->cy;
        change->cy = BoxHeight();
      }
      return 0;
    }
    case WM_SETTEXT:
      if (!edit_) {
        handled = false;
        return 0;
      }
      SetText(window, reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (!edit_) {
        handled = false;
        return 0;
      }
      return SendMessageW(edit_, message, wParam, lParam);
    case WM_COMMAND:
      // The edit child's changes: a person's typing, not the text the combo box sets.
      if (edit_ && reinterpret_cast<HWND>(lParam) == edit_ && !settingText_) {
        if (HIWORD(wParam) == EN_UPDATE) SendCommandNotify(window, CBN_EDITUPDATE);
        else if (HIWORD(wParam) == EN_CHANGE) SendCommandNotify(window, CBN_EDITCHANGE);
      }
      return 0;
    case WM_STANDIN_FIELDKILLFOCUS: FocusLeft(window, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_STANDIN_FIELDKEY: return 0;
    case CB_GETITEMHEIGHT: {
      INT_PTR index = static_cast<INT_PTR>(wParam);
      if (index < -1) return CB_ERR;
      return index == -1 ? fieldHeight_ : itemHeight_;
    }
    case CB_SETITEMHEIGHT: {
      INT_PTR index = static_cast<INT_PTR>(wParam);
      if (index < -1 || lParam < 1 || lParam > 255) return CB_ERR;
      if (index == -1) {
        fieldHeight_ = static_cast<int>(lParam);
        SizeBox(window);
      } else {
        itemHeight_ = static_cast<int>(lParam);
      }
      return CB_OKAY;
    }
    case CB_SETDROPPEDWIDTH:
      if (static_cast<INT_PTR>(wParam) < 0) return CB_ERR;
      droppedWidth_ = static_cast<int>(wParam);
      return DroppedWidth(window);
    case CB_GETDROPPEDWIDTH: return DroppedWidth(window);
    case CB_INITSTORAGE: entries_.reserve(entries_.size() + wParam); return static_cast<LRESULT>(entries_.capacity());
    case CB_ADDSTRING: {
      std::wstring added = text();
      int index = Count();
      if (GetWindowLongW(window, GWL_STYLE) & CBS_SORT) {
        auto at = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& e) { return CompareNoCase(e.text, added) > 0; });
        index = static_cast<int>(at - entries_.begin());
      }
      return Insert(window, index, added);
    }
    case CB_GETCOUNT: return Count();
    case CB_GETCURSEL: return selection_;
    case CB_SETCURSEL: {
      if (static_cast<INT_PTR>(wParam) == -1 || !Valid(wParam)) {
        selection_ = -1;
        ShowSelection(window);
        return CB_ERR;
      }
      selection_ = static_cast<int>(wParam);
      ShowSelection(window);
      return selection_;
    }
    case CB_GETLBTEXT: {
      if (!Valid(wParam)) return CB_ERR;
      const std::wstring& t = entries_[wParam].text;
      if (auto* buffer = reinterpret_cast<LPWSTR>(lParam)) {
        std::wmemcpy(buffer, t.c_str(), t.size() + 1);
      }
      return static_cast<LRESULT>(t.size());
    }
    case CB_GETLBTEXTLEN: return Valid(wParam) ? static_cast<LRESULT>(entries_[wParam].text.size()) : CB_ERR;
    case CB_FINDSTRINGEXACT: {
      std::wstring wanted = text();
      return Find(wParam, [&](const std::wstring& t) { return CompareNoCase(t, wanted) == 0; });
    }
    case CB_GETITEMDATA: return Valid(wParam) ? entries_[wParam].data : CB_ERR;
    case CB_SETITEMDATA:
      if (!Valid(wParam)) return CB_ERR;
      entries_[wParam].data = lParam;
      return CB_OKAY;
    case CB_SHOWDROPDOWN: {
      bool show = wParam != 0;
      if (show == dropped_) return TRUE;
      dropped_ = show;
      SendCommandNotify(window, show ? CBN_DROPDOWN : CBN_CLOSEUP);
      return TRUE;
    }
    case CB_GETDROPPEDSTATE: return dropped_;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect) return FALSE;
      GetWindowRect(window, rect);
      rect->bottom = rect->top + std::max<LONG>(droppedHeight_, rect->bottom - rect->top);
      rect->right = rect->left + DroppedWidth(window);
      return TRUE;
    }
    case CB_STANDIN_CHOOSE: {
      // A person opens the list, moves to the entry and clicks it.
      if (!Valid(wParam)) return CB_ERR;
      SetFocus(window);
      if (!dropped_) {
        dropped_ = true;
        SendCommandNotify(window, CBN_DROPDOWN);
      }
      bool changed = selection_ != static_cast<int>(wParam);
      selection_ = static_cast<int>(wParam);
      ShowSelection(window);
      if (changed) SendCommandNotify(window, CBN_SELCHANGE);
      SendCommandNotify(window, CBN_SELENDOK);
      dropped_ = false;
      SendCommandNotify(window, CBN_CLOSEUP);
      return selection_;
    }
    case WM_KEYDOWN: {
      // Up and Down move the selection of the closed list.
      int next = selection_;
      if (wParam == VK_DOWN) next = std::min(Count() - 1, selection_ + 1);
      else if (wParam == VK_UP) next = std::max(0, selection_ - 1);
      else if (wParam == VK_HOME) next = Count() ? 0 : -1;
      else if (wParam == VK_END) next = Count() - 1;
      else return 0;
      if (next != selection_ && next >= 0) {
        selection_ = next;
        ShowSelection(window);
        SendCommandNotify(window, CBN_SELCHANGE);
      }
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      // A drop-down combo passes the focus on to its edit, its text selected.
      if (edit_) {
        SetFocus(edit_);
        SendMessageW(edit_, EM_SETSEL, 0, -1);
      }
      if (!edit_ || reinterpret_cast<HWND>(wParam) != edit_) SendCommandNotify(window, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS: FocusLeft(window, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_LBUTTONDOWN: SetFocus(window); return 0;
    case WM_SETFONT: ApplyFont(window, reinterpret_cast<HFONT>(wParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeComboBox(HWND, const CREATESTRUCTW&) { return std::make_unique<ComboBoxModel>(); }

}  // namespace

void RegisterComboBoxClass() { RegisterControlClass(WC_COMBOBOXW, MakeComboBox); }

}  // namespace StandIn
