// The date-time picker's model: its value, format and window text, the typing field of
// DTS_APPCANPARSE and the month calendar a person picks a day from (date_time_picker.h
// says how it behaves).
#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/date_time_picker.h"

namespace StandIn {

namespace {

bool SameMoment(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

class DateTimePickerModel : public ControlModel {
public:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)); }
  std::wstring Picture() const;
  std::wstring Text() const { return hasValue_ ? FormatDatePicture(value_, Picture()) : std::wstring(); }
  LRESULT CopyText(WPARAM size, LPWSTR buffer) const;
  LRESULT SetByProgram(WPARAM flags, const SYSTEMTIME* time);
  // A person's change: the value and DTN_DATETIMECHANGE when it differs.
  void SetByPerson(bool hasValue, const SYSTEMTIME& time);
  void StartTyping(wchar_t first);
  // What closing the typing field does besides hiding it.
  struct TypingEnd {
    bool take = false;     // its text goes to the parent
    bool refocus = false;  // the focus goes back to the picker when the field has it
  };
  void EndTyping(const TypingEnd& end);
  LRESULT PickDay(const SYSTEMTIME* day);

  HWND window_ = nullptr;
  SYSTEMTIME value_ = SystemTimeOfClock();
  bool hasValue_ = true;
  std::wstring format_;
  HFONT font_ = nullptr;
  HWND field_ = nullptr;
  bool typing_ = false;
  HWND calendar_ = nullptr;
};

std::wstring DateTimePickerModel::Picture() const {
  if (!format_.empty()) return format_;
  DWORD style = Style();
  if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) return LocaleTimePicture(LOCALE_USER_DEFAULT);
  if ((style & DTS_SHORTDATECENTURYFORMAT) == DTS_LONGDATEFORMAT) return LocaleDatePicture(LOCALE_USER_DEFAULT, true);
  return LocaleDatePicture(LOCALE_USER_DEFAULT, false);
}

LRESULT DateTimePickerModel::CopyText(WPARAM size, LPWSTR buffer) const {
  std::wstring text = Text();
  if (!buffer || size == 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::wmemcpy(buffer, text.c_str(), n);
  buffer[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT DateTimePickerModel::SetByProgram(WPARAM flags, const SYSTEMTIME* time) {
  if (flags == GDT_NONE) {
    if (!(Style() & DTS_SHOWNONE)) return FALSE;
    hasValue_ = false;
  } else if (flags == GDT_VALID && time && IsValidSystemTime(*time)) {
    value_ = *time;
    value_.wDayOfWeek = static_cast<WORD>(DayOfWeekOf(time->wYear, time->wMonth, time->wDay));
    hasValue_ = true;
  } else {
    return FALSE;
  }
  InvalidateRect(window_, nullptr, TRUE);
  return TRUE;
}

void DateTimePickerModel::SetByPerson(bool hasValue, const SYSTEMTIME& time) {
  if (hasValue == hasValue_ && (!hasValue || SameMoment(time, value_))) return;
  if (!SetByProgram(hasValue ? GDT_VALID : GDT_NONE, &time)) return;
  NMDATETIMECHANGE change;
  change.dwFlags = hasValue_ ? GDT_VALID : GDT_NONE;
  change.st = value_;
  SendNotify(window_, DTN_DATETIMECHANGE, &change.nmhdr);
}

void DateTimePickerModel::StartTyping(wchar_t first) {
  if (!field_) {
    RECT client;
    GetClientRect(window_, &client);
    field_ = CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, client.right, client.bottom, window_,
                             reinterpret_cast<HMENU>(1), nullptr, nullptr);
    SetEditFieldOwner(field_, window_);
  }
  std::wstring text = Text();
  SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(field_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(field_, EM_SETSEL, 0, -1);
  ShowWindow(field_, SW_SHOW);
  typing_ = true;
  SetFocus(field_);
  SendMessageW(field_, WM_CHAR, first, 1);
}

void DateTimePickerModel::EndTyping(const TypingEnd& end) {
  if (!typing_) return;
  typing_ = false;
  int length = GetWindowTextLengthW(field_);
  std::wstring typed(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(field_, typed.data(), length + 1);
  typed.resize(static_cast<size_t>(length));
  ShowWindow(field_, SW_HIDE);
  if (end.refocus && GetFocus() == field_) SetFocus(window_);
  if (!end.take) return;
  NMDATETIMESTRINGW request;
  request.pszUserString = typed.c_str();
  request.st = value_;
  request.dwFlags = hasValue_ ? GDT_VALID : GDT_NONE;
  SendNotify(window_, DTN_USERSTRINGW, &request.nmhdr);
  if (request.dwFlags == GDT_VALID && IsValidSystemTime(request.st)) SetByPerson(true, request.st);
  else if (request.dwFlags == GDT_NONE && (Style() & DTS_SHOWNONE)) SetByPerson(false, value_);
}

LRESULT DateTimePickerModel::PickDay(const SYSTEMTIME* day) {
  if ((Style() & DTS_UPDOWN) || !day || !IsValidDate(day->wYear, day->wMonth, day->wDay)) return FALSE;
  EndTyping({.take = true, .refocus = true});
  SetFocus(window_);
  NMHDR drop;
  SendNotify(window_, DTN_DROPDOWN, &drop);
  RECT box;
  GetWindowRect(window_, &box);
  calendar_ = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_POPUP | WS_VISIBLE, box.left, box.bottom, 220, 160, window_,
                              nullptr, nullptr, nullptr);
  SetFocus(calendar_);
  SYSTEMTIME picked = hasValue_ ? value_ : SystemTimeOfClock();
  picked.wYear = day->wYear;
  picked.wMonth = day->wMonth;
  picked.wDay = day->wDay;
  SetByPerson(true, picked);
  HWND calendar = calendar_;
  if (GetFocus() == calendar) SetFocus(window_);
  calendar_ = nullptr;
  DestroyWindow(calendar);
  NMHDR closeUp;
  SendNotify(window_, DTN_CLOSEUP, &closeUp);
  return TRUE;
}

LRESULT DateTimePickerModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  window_ = window;
  handled = true;
  switch (message) {
    case WM_GETTEXT: return CopyText(wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(Text().size());
    case WM_SETTEXT: return FALSE;  // the text is the value's
    case DTM_GETSYSTEMTIME: {
      auto* time = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!time) return GDT_ERROR;
      if (!hasValue_) return GDT_NONE;
      *time = value_;
      return GDT_VALID;
    }
    case DTM_SETSYSTEMTIME: return SetByProgram(wParam, reinterpret_cast<const SYSTEMTIME*>(lParam));
    case DTM_SETFORMATW:
      format_ = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    case DTM_GETMONTHCAL: return reinterpret_cast<LRESULT>(calendar_);
    case DTM_STANDIN_PICKDAY: return PickDay(reinterpret_cast<const SYSTEMTIME*>(lParam));
    case WM_CHAR:
      if ((Style() & DTS_APPCANPARSE) && wParam >= 0x20 && !typing_) StartTyping(static_cast<wchar_t>(wParam));
      return 0;
    case WM_STANDIN_FIELDKEY: EndTyping({.take = wParam == VK_RETURN, .refocus = true}); return 0;
    case WM_STANDIN_FIELDKILLFOCUS: {
      EndTyping({.take = true, .refocus = false});
      // The focus leaving the typing field for another window leaves the picker.
      HWND next = reinterpret_cast<HWND>(wParam);
      if (next != window && !(next && IsChild(window, next))) SendMessageW(window, WM_KILLFOCUS, wParam, 0);
      return 0;
    }
    case WM_LBUTTONDOWN: SetFocus(window); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeDateTimePicker(HWND, const CREATESTRUCTW&) {
  return std::make_unique<DateTimePickerModel>();
}

}  // namespace

void RegisterDateTimePickerClass() {
  RegisterControlClass(DATETIMEPICK_CLASSW, MakeDateTimePicker);
  WNDCLASSW calendar;
  calendar.lpfnWndProc = DefWindowProcW;
  calendar.lpszClassName = MONTHCAL_CLASSW;
  RegisterClassW(&calendar);
}

}  // namespace StandIn
