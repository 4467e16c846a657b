// Calendar arithmetic, the locale's date pictures, writing a time in a picture and reading
// date texts (date_time_picker.h says what is accepted).
#include <cwctype>
#include <optional>
#include <vector>

#include "platform/win/date_time_picker.h"
#include "platform/win/window_manager.h"

namespace StandIn {

namespace {

const wchar_t* const kMonthNames[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                      L"July",    L"August",   L"September", L"October", L"November", L"December"};
const wchar_t* const kDayNames[] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                    L"Thursday", L"Friday", L"Saturday"};

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const long long kOleOriginDays = DaysFromCivil(1899, 12, 30);

bool MonthFirst(LCID locale) { return locale == 0 || locale == 0x0400 || locale == 0x0800 || locale == 0x0409; }

std::wstring Padded(int value, size_t width) {
  std::wstring digits = std::to_wstring(value);
  return digits.size() < width ? std::wstring(width - digits.size(), L'0') + digits : digits;
}

// One picture field (a run of one letter) written for the time; nullopt for a letter
// that is not a field.
std::optional<std::wstring> PictureField(const SYSTEMTIME& t, wchar_t letter, size_t run) {
  int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
  switch (letter) {
    case L'd':
      if (run >= 4) return DayName(DayOfWeekOf(t.wYear, t.wMonth, t.wDay));
      if (run == 3) return std::wstring(DayName(DayOfWeekOf(t.wYear, t.wMonth, t.wDay))).substr(0, 3);
      return Padded(t.wDay, run);
    case L'M':
      if (t.wMonth < 1 || t.wMonth > 12) return Padded(t.wMonth, run > 2 ? 2 : run);
      if (run >= 4) return MonthName(t.wMonth);
      if (run == 3) return std::wstring(MonthName(t.wMonth)).substr(0, 3);
      return Padded(t.wMonth, run);
    case L'y':
      if (run <= 2) return Padded(t.wYear % 100, run);
      return Padded(t.wYear, run == 3 ? 4 : run);
    case L'h': return Padded(hour12, run > 2 ? 2 : run);
    case L'H': return Padded(t.wHour, run > 2 ? 2 : run);
    case L'm': return Padded(t.wMinute, run > 2 ? 2 : run);
    case L's': return Padded(t.wSecond, run > 2 ? 2 : run);
    case L't': return std::wstring(t.wHour < 12 ? L"AM" : L"PM").substr(0, run == 1 ? 1 : 2);
    default: return std::nullopt;
  }
}

// ---- reading ------------------------------------------------------------------------------

std::vector<std::wstring> Words(const std::wstring& text) {
  std::vector<std::wstring> words;
  std::wstring word;
  for (wchar_t c : text) {
    if (std::iswspace(c)) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The numbers of a word split at one separator; empty when a part is not 1 to 4 digits.
std::vector<std::wstring> NumberParts(const std::wstring& word, wchar_t separator) {
  std::vector<std::wstring> parts(1);
  for (wchar_t c : word) {
    if (c == separator) parts.emplace_back();
    else if (c >= L'0' && c <= L'9') parts.back() += c;
    else return {};
  }
  for (const auto& part : parts)
    if (part.empty() || part.size() > 4) return {};
  return parts;
}

int FullYear(const std::wstring& digits) {
  int year = std::stoi(digits);
  if (digits.size() <= 2) year += year < 30 ? 2000 : 1900;
  return year;
}

bool ReadDate(const std::wstring& word, LCID locale, int& year, int& month, int& day) {
  for (wchar_t separator : {L'-', L'/', L'.'}) {
    if (word.find(separator) == std::wstring::npos) continue;
    std::vector<std::wstring> parts = NumberParts(word, separator);
    if (parts.size() != 3) return false;
    if (parts[0].size() == 4) {
      year = std::stoi(parts[0]);
      month = std::stoi(parts[1]);
      day = std::stoi(parts[2]);
    } else {
      int first = std::stoi(parts[0]);
      int second = std::stoi(parts[1]);
      month = MonthFirst(locale) ? first : second;
      day = MonthFirst(locale) ? second : first;
      year = FullYear(parts[2]);
    }
    return year >= 100 && year <= 9999 && IsValidDate(year, month, day);
  }
  return false;
}

bool ReadTime(const std::wstring& word, const std::wstring& meridiem, int& hour, int& minute, int& second) {
  std::vector<std::wstring> parts = NumberParts(word, L':');
  if (parts.size() < 2 || parts.size() > 3) return false;
  for (const auto& part : parts)
    if (part.size() > 2) return false;
  hour = std::stoi(parts[0]);
  minute = std::stoi(parts[1]);
  second = parts.size() == 3 ? std::stoi(parts[2]) : 0;
  if (minute > 59 || second > 59) return false;
  if (meridiem.empty()) return hour <= 23;
  if (hour < 1 || hour > 12) return false;
  hour = hour % 12 + (meridiem == L"PM" ? 12 : 0);
  return true;
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

}  // namespace

const wchar_t* MonthName(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : L""; }

const wchar_t* DayName(int dayOfWeek) { return dayOfWeek >= 0 && dayOfWeek <= 6 ? kDayNames[dayOfWeek] : L""; }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
  return t.wYear >= 1601 && t.wYear <= 30827 && IsValidDate(t.wYear, t.wMonth, t.wDay) && t.wHour < 24 &&
         t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

long long DayNumberOf(int year, int month, int day) { return DaysFromCivil(year, month, day) - kOleOriginDays; }

void DateOfDayNumber(long long days, int& year, int& month, int& day) {
  CivilFromDays(days + kOleOriginDays, year, month, day);
}

int DayOfWeekOf(int year, int month, int day) {
  long long days = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

std::wstring LocaleDatePicture(LCID locale, bool longDate) {
  if (longDate) return L"dddd, MMMM d, yyyy";
  return MonthFirst(locale) ? L"M/d/yyyy" : L"d/M/yyyy";
}

std::wstring LocaleTimePicture(LCID) { return L"h:mm:ss tt"; }

std::wstring FormatDatePicture(const SYSTEMTIME& time, const std::wstring& picture) {
  std::wstring out;
  for (size_t i = 0; i < picture.size();) {
    wchar_t c = picture[i];
    if (c == L'\'') {
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != L'\'') out += picture[i];
        else if (i + 1 < picture.size() && picture[i + 1] == L'\'') out += picture[++i];
        else break;
      }
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (std::optional<std::wstring> field = PictureField(time, c, run)) out += *field;
    else out.append(run, c);
    i += run;
  }
  return out;
}

bool ParseDateText(const std::wstring& text, DWORD flags, LCID locale, SYSTEMTIME& out) {
  std::vector<std::wstring> words = Words(text);
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  bool haveDate = false, haveTime = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::wstring& word = words[i];
    if (word.find(L':') != std::wstring::npos) {
      std::wstring meridiem;
      if (i + 1 < words.size() && (Upper(words[i + 1]) == L"AM" || Upper(words[i + 1]) == L"PM"))
        meridiem = Upper(words[++i]);
      if (haveTime || !ReadTime(word, meridiem, hour, minute, second)) return false;
      haveTime = true;
    } else {
      if (haveDate || !ReadDate(word, locale, year, month, day)) return false;
      haveDate = true;
    }
  }
  if (!haveDate && !haveTime) return false;
  if (flags & VAR_TIMEVALUEONLY) year = 1899, month = 12, day = 30;
  if (flags & VAR_DATEVALUEONLY) hour = minute = second = 0;
  out = SYSTEMTIME();
  out.wYear = static_cast<WORD>(year);
  out.wMonth = static_cast<WORD>(month);
  out.wDay = static_cast<WORD>(day);
  out.wDayOfWeek = static_cast<WORD>(DayOfWeekOf(year, month, day));
  out.wHour = static_cast<WORD>(hour);
  out.wMinute = static_cast<WORD>(minute);
  out.wSecond = static_cast<WORD>(second);
  return true;
}

SYSTEMTIME SystemTimeOfClock() {
  unsigned long long ms = Clock();
  long long seconds = static_cast<long long>(ms / 1000);
  int year = 1970, month = 1, day = 1;
  CivilFromDays(seconds / 86400, year, month, day);
  long long within = seconds % 86400;
  SYSTEMTIME t;
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wDayOfWeek = static_cast<WORD>(DayOfWeekOf(year, month, day));
  t.wHour = static_cast<WORD>(within / 3600);
  t.wMinute = static_cast<WORD>(within / 60 % 60);
  t.wSecond = static_cast<WORD>(within % 60);
  t.wMilliseconds = static_cast<WORD>(ms % 1000);
  return t;
}

}  // namespace StandIn
