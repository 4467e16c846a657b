// The edit control's model: the text (kept as the window text), the selection, the text
// limit, margins, the modified flag and read-only state. Every change of the text sends
// EN_UPDATE and EN_CHANGE to the parent; so does WM_SETTEXT, except in a multi-line edit,
// which reports only the changes a person makes.
#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/win/clipboard.h"
#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/gdi.h"
#include "platform/win/list_view_model.h"

namespace StandIn {

namespace {

class EditModel : public ControlModel {
public:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  HWND labelOwner = nullptr;  // the list view whose label this edit edits
  HWND fieldOwner = nullptr;  // the composite control this edit is the field of

private:
  std::wstring Text() const {
    int length = GetWindowTextLengthW(window_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window_, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
  }
  void StoreText(const std::wstring& text) {
    DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Changed() {
    InvalidateRect(window_, nullptr, TRUE);
    SendCommandNotify(window_, EN_UPDATE);
    SendCommandNotify(window_, EN_CHANGE);
  }
  bool ReplaceSelection(const std::wstring& insert, bool typed);
  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)); }

  HWND window_ = nullptr;
  int selStart_ = 0;
  int selEnd_ = 0;
  int limit_ = 0x7FFFFFFE;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  bool modified_ = false;
  HFONT font_ = nullptr;
};

bool EditModel::ReplaceSelection(const std::wstring& insert, bool typed) {
  std::wstring text = Text();
  int start = std::clamp(std::min(selStart_, selEnd_), 0, static_cast<int>(text.size()));
  int end = std::clamp(std::max(selStart_, selEnd_), 0, static_cast<int>(text.size()));
  std::wstring piece = insert;
  if (typed) {
    DWORD style = Style();
    if (style & ES_READONLY) return false;
    if (style & ES_NUMBER)
      piece.erase(std::remove_if(piece.begin(), piece.end(), [](wchar_t c) { return c < L'0' || c > L'9'; }),
                  piece.end());
    if (style & ES_UPPERCASE)
      std::transform(piece.begin(), piece.end(), piece.begin(),
                     [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    if (style & ES_LOWERCASE)
      std::transform(piece.begin(), piece.end(), piece.begin(),
                     [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    int room = limit_ - (static_cast<int>(text.size()) - (end - start));
    if (static_cast<int>(piece.size()) > room) {
      piece.resize(static_cast<size_t>(std::max(0, room)));
      SendCommandNotify(window_, EN_MAXTEXT);
    }
    if (piece.empty() && start == end) return false;
  }
  text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), piece);
  StoreText(text);
  selStart_ = selEnd_ = start + static_cast<int>(piece.size());
  modified_ = true;
  Changed();
  return true;
}

LRESULT EditModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  window_ = window;
  handled = true;
  switch (message) {
    case WM_SETTEXT: {
      DefWindowProcW(window, WM_SETTEXT, wParam, lParam);
      selStart_ = selEnd_ = 0;
      modified_ = false;
      if (Style() & ES_MULTILINE) InvalidateRect(window_, nullptr, TRUE);
      else Changed();
      return TRUE;
    }
    case EM_LIMITTEXT: limit_ = wParam ? static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE)) : 0x7FFFFFFE; return 0;
    case EM_GETLIMITTEXT: return limit_;
    case EM_SETSEL: {
      int length = static_cast<int>(Text().size());
      int start = static_cast<int>(static_cast<INT_PTR>(wParam)), end = static_cast<int>(lParam);
      if (start == -1) {
        selStart_ = selEnd_ = std::clamp(selEnd_, 0, length);
        return 0;
      }
      if (end == -1 || end > length) end = length;
      selStart_ = std::clamp(start, 0, length);
      selEnd_ = std::clamp(end, 0, length);
      return 0;
    }
    case EM_GETSEL: {
      int start = std::min(selStart_, selEnd_), end = std::max(selStart_, selEnd_);
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
      return MAKELRESULT(start, end);
    }
    case EM_SETMARGINS:
      if (wParam & EC_LEFTMARGIN) leftMargin_ = LOWORD(lParam);
      if (wParam & EC_RIGHTMARGIN) rightMargin_ = HIWORD(lParam);
      return 0;
    case EM_GETMARGINS: return MAKELRESULT(leftMargin_, rightMargin_);
    case EM_GETMODIFY: return modified_;
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if ((Style() & ES_MULTILINE) && (Style() & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETFOCUS: SendCommandNotify(window, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS:
      SendCommandNotify(window, EN_KILLFOCUS);
      if (labelOwner) PostMessageW(labelOwner, LVM_STANDIN_ENDLABELEDIT, TRUE, 0);
      if (fieldOwner) SendMessageW(fieldOwner, WM_STANDIN_FIELDKILLFOCUS, wParam, 0);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      selStart_ = selEnd_ = static_cast<int>(Text().size());
      return 0;
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(wParam);
      if (ch == 0x08) {
        if (Style() & ES_READONLY) return 0;
        if (selStart_ == selEnd_ && selStart_ > 0) --selStart_;
        ReplaceSelection(L"", false);
        return 0;
      }
      if (ch == L'\r') {
        if ((Style() & ES_MULTILINE) && (Style() & ES_WANTRETURN)) ReplaceSelection(L"\r\n", true);
        return 0;
      }
      if (ch == 0x1B || ch == L'\t' || ch < 0x20) return 0;
      ReplaceSelection(std::wstring(1, ch), true);
      return 0;
    }
    case WM_KEYDOWN: {
      int length = static_cast<int>(Text().size());
      switch (wParam) {
        case VK_LEFT:
          selStart_ = selEnd_ = std::max(0, std::min(selStart_, selEnd_) - (selStart_ == selEnd_ ? 1 : 0));
          break;
        case VK_RIGHT:
          selStart_ = selEnd_ = std::min(length, std::max(selStart_, selEnd_) + (selStart_ == selEnd_ ? 1 : 0));
          break;
        case VK_HOME: selStart_ = selEnd_ = 0; break;
        case VK_END: selStart_ = selEnd_ = length; break;
        case VK_DELETE:
          if (Style() & ES_READONLY) break;
          if (selStart_ == selEnd_ && selEnd_ < length) ++selEnd_;
          ReplaceSelection(L"", false);
          break;
        case VK_RETURN:
        case VK_ESCAPE:
          if (labelOwner) PostMessageW(labelOwner, LVM_STANDIN_ENDLABELEDIT, wParam == VK_RETURN, 0);
          if (fieldOwner) SendMessageW(fieldOwner, WM_STANDIN_FIELDKEY, wParam, 0);
          break;
        default: break;
      }
      return 0;
    }
    case WM_COPY:
    case WM_CUT: {
      std::wstring text = Text();
      int start = std::min(selStart_, selEnd_), end = std::max(selStart_, selEnd_);
      if (start == end) return 0;
      std::wstring piece = text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (piece.size() + 1) * sizeof(wchar_t));
      if (!memory) return 0;
      auto* data = static_cast<wchar_t*>(GlobalLock(memory));
      std::wmemcpy(data, piece.c_str(), piece.size() + 1);
      GlobalUnlock(memory);
      if (OpenClipboard(window)) {
        EmptyClipboard();
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        CloseClipboard();
      } else {
        GlobalFree(memory);
      }
      if (message == WM_CUT && !(Style() & ES_READONLY)) ReplaceSelection(L"", false);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
      RECT r;
      GetClientRect(window, &r);
      r.left += leftMargin_;
      r.right -= rightMargin_;
      DWORD style = Style();
      UINT align = (style & ES_RIGHT) ? DT_RIGHT : (style & ES_CENTER) ? DT_CENTER : DT_LEFT;
      std::wstring text = Text();
      DrawTextW(dc, text.c_str(), -1, &r, align | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(window, &ps);
      return 0;
    }
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeEdit(HWND, const CREATESTRUCTW&) { return std::make_unique<EditModel>(); }

}  // namespace

void SetLabelEditOwner(HWND edit, HWND list) {
  if (auto* model = ModelAs<EditModel>(edit)) model->labelOwner = list;
}

void SetEditFieldOwner(HWND edit, HWND owner) {
  if (auto* model = ModelAs<EditModel>(edit)) model->fieldOwner = owner;
}

void RegisterEditClass() { RegisterControlClass(WC_EDITW, MakeEdit); }

}  // namespace StandIn
