#include "platform/mfc/data_exchange.h"

#include <stdexcept>
#include <string>

#include "platform/mfc/dialog.h"
#include "platform/mfc/message_box.h"
#include "platform/mfc/wnd.h"

namespace {

CString TextOf(HWND control) {
  int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return CString(text);
}

std::wstring Trimmed(const CString& text) {
  std::wstring_view s = text.str();
  size_t a = s.find_first_not_of(L" \t");
  if (a == std::wstring::npos) return L"";
  return std::wstring(s.substr(a, s.find_last_not_of(L" \t") - a + 1));
}

// A whole decimal integer (optional sign), within the limits; false otherwise.
bool ParseInteger(const std::wstring& text, long long minValue, long long maxValue, long long& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  if (i >= text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    v = v * 10 + (text[i] - L'0');
    if (v > 0xFFFFFFFFLL) return false;
  }
  value = negative ? -v : v;
  return value >= minValue && value <= maxValue;
}

void Complain(CDataExchange* pDX, const wchar_t* message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  pDX->Fail();
}

HWND GroupStart(CDataExchange* pDX, int id) { return pDX->PrepareCtrl(id); }

bool IsRadio(HWND control) {
  if (StandIn::ClassNameOf(control) != WC_BUTTONW) return false;
  DWORD kind = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & BS_TYPEMASK;
  return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

}  // namespace

void AfxThrowUserException() { throw new CUserException; }

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id) : nullptr;
  if (!control) {
    auto* dialog = dynamic_cast<CDialog*>(m_pDlgWnd);
    int dialogId = dialog ? static_cast<int>(dialog->GetTemplateId()) : 0;
    throw std::logic_error("data exchange: the dialog" + (dialogId ? " " + std::to_string(dialogId) : std::string()) +
                           " has no control " + std::to_string(id));
  }
  lastControl_ = control;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) { return PrepareCtrl(id); }

void CDataExchange::Fail() {
  if (lastControl_ && IsWindow(lastControl_)) {
    SetFocus(lastControl_);
    SendMessageW(lastControl_, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.GetSafeHwnd()) return;
  HWND item = pDX->PrepareCtrl(id);
  if (!control.SubclassWindow(item))
    throw std::logic_error("DDX_Control: control " + std::to_string(id) + " is already attached to another object");
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  HWND control = pDX->PrepareEditCtrl(id);
  if (pDX->m_bSaveAndValidate) value = TextOf(control);
  else SetWindowTextW(control, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
  HWND control = pDX->PrepareEditCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseInteger(Trimmed(TextOf(control)), -2147483648LL, 2147483647LL, parsed))
      Complain(pDX, L"Please enter an integer.");
    value = static_cast<int>(parsed);
  } else {
    SetWindowTextW(control, std::to_wstring(value).c_str());
  }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2)
      throw std::logic_error("DDX_Check: control " + std::to_string(id) + " given state " + std::to_string(value));
    SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
  HWND first = GroupStart(pDX, id);
  if (!IsRadio(first)) throw std::logic_error("DDX_Radio: control " + std::to_string(id) + " is not a radio button");
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != first && (GetWindowLongW(c, GWL_STYLE) & WS_GROUP)) break;
    if (!IsRadio(c)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessageW(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
  HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
  else SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count) {
  if (pDX->m_bSaveAndValidate && value.GetLength() > count) {
    std::wstring message = L"Enter no more than " + std::to_wstring(count) + L" characters.";
    Complain(pDX, message.c_str());
  } else if (!pDX->m_bSaveAndValidate && pDX->LastControl()) {
    SendMessageW(pDX->LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
  }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue) {
  if (pDX->m_bSaveAndValidate && (value < minValue || value > maxValue)) {
    std::wstring message =
        L"Enter an integer between " + std::to_wstring(minValue) + L" and " + std::to_wstring(maxValue) + L".";
    Complain(pDX, message.c_str());
  }
}
