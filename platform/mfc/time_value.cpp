#include "platform/mfc/time_value.h"

#include "platform/win/window_manager.h"

CTime CTime::GetCurrentTime() { return CTime(static_cast<__time64_t>(StandIn::Clock() / 1000)); }

// ---- COleDateTime ---------------------------------------------------------------------------

namespace {

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

CString Two(int value) {
  CString text;
  text.Format(L"%02d", value);
  return text;
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  bool inRange = year >= 100 && year <= 9999 && StandIn::IsValidDate(year, month, day) && hour >= 0 && hour < 24 &&
                 minute >= 0 && minute < 60 && second >= 0 && second < 60;
  if (!inRange) {
    seconds_ = 0;
    status_ = invalid;
    return 1;
  }
  seconds_ = StandIn::DayNumberOf(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  status_ = valid;
  return 0;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
  if (status_ != valid) return false;
  long long days = FloorDiv(seconds_, 86400);
  long long within = seconds_ - days * 86400;
  int year = 0, month = 0, day = 0;
  StandIn::DateOfDayNumber(days, year, month, day);
  time = SYSTEMTIME();
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wDayOfWeek = static_cast<WORD>(StandIn::DayOfWeekOf(year, month, day));
  time.wHour = static_cast<WORD>(within / 3600);
  time.wMinute = static_cast<WORD>(within / 60 % 60);
  time.wSecond = static_cast<WORD>(within % 60);
  return true;
}

namespace {
template <typename Part>
int PartOf(const COleDateTime& value, Part part) {
  SYSTEMTIME time;
  return value.GetAsSystemTime(time) ? part(time) : -1;
}
}  // namespace

int COleDateTime::GetYear() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wYear); });
}
int COleDateTime::GetMonth() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wMonth); });
}
int COleDateTime::GetDay() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wDay); });
}
int COleDateTime::GetHour() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wHour); });
}
int COleDateTime::GetMinute() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wMinute); });
}
int COleDateTime::GetSecond() const {
  return PartOf(*this, [](const SYSTEMTIME& t) { return int(t.wSecond); });
}

bool COleDateTime::ParseDateTime(LPCWSTR text, DWORD flags, LCID locale) {
  SYSTEMTIME time;
  if (!text || !StandIn::ParseDateText(text, flags, locale, time) ||
      SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond) != 0) {
    seconds_ = 0;
    status_ = invalid;
    return false;
  }
  return true;
}

CString COleDateTime::Format(DWORD flags, LCID locale) const {
  if (status_ == null) return CString();
  SYSTEMTIME time;
  if (!GetAsSystemTime(time)) return CString(L"Invalid DateTime");
  bool midnight = time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0;
  bool withDate =
      !(flags & VAR_TIMEVALUEONLY) && ((flags & VAR_DATEVALUEONLY) || FloorDiv(seconds_, 86400) != 0 || midnight);
  bool withTime = !(flags & VAR_DATEVALUEONLY) && ((flags & VAR_TIMEVALUEONLY) || !midnight);
  std::wstring text;
  if (withDate) text = StandIn::FormatDatePicture(time, StandIn::LocaleDatePicture(locale, false));
  if (withDate && withTime) text += L' ';
  if (withTime) text += StandIn::FormatDatePicture(time, StandIn::LocaleTimePicture(locale));
  return CString(text.c_str());
}

CString COleDateTime::Format(LPCWSTR format) const {
  SYSTEMTIME t;
  if (!format || !GetAsSystemTime(t)) return Format(static_cast<DWORD>(0));
  CString out;
  for (const wchar_t* p = format; *p; ++p) {
    if (*p != L'%' || !p[1]) {
      out += *p;
      continue;
    }
    int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    switch (*++p) {
      case L'Y': out += std::to_wstring(t.wYear).c_str(); break;
      case L'y': out += Two(t.wYear % 100); break;
      case L'm': out += Two(t.wMonth); break;
      case L'd': out += Two(t.wDay); break;
      case L'H': out += Two(t.wHour); break;
      case L'I': out += Two(hour12); break;
      case L'M': out += Two(t.wMinute); break;
      case L'S': out += Two(t.wSecond); break;
      case L'p': out += t.wHour < 12 ? L"AM" : L"PM"; break;
      case L'B': out += StandIn::MonthName(t.wMonth); break;
      case L'b': out += CString(StandIn::MonthName(t.wMonth)).Left(3); break;
      case L'A': out += StandIn::DayName(t.wDayOfWeek); break;
      case L'a': out += CString(StandIn::DayName(t.wDayOfWeek)).Left(3); break;
      case L'%': out += L'%'; break;
      default:
        out += L'%';
        out += *p;
        break;
    }
  }
  return out;
}
