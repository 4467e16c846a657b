// CTime and CTimeSpan: seconds since 1970-01-01 UTC; COleDateTime: a date and time with a
// status. The current time comes from the stand-in clock (StandIn::SetClock), so tests
// control it.
#pragma once
#include <cstdint>

#include "platform/mfc/cstring.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/win32_types.h"

using __time64_t = std::int64_t;

class CTimeSpan {
public:
  CTimeSpan() = default;
  explicit CTimeSpan(__time64_t seconds) : seconds_(seconds) {}
  CTimeSpan(LONG days, int hours, int minutes, int seconds)
      : seconds_(((static_cast<__time64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}
  bool operator==(CTimeSpan o) const { return seconds_ == o.seconds_; }
  bool operator>=(CTimeSpan o) const { return seconds_ >= o.seconds_; }

private:
  __time64_t seconds_ = 0;
};

class CTime {
public:
  CTime() = default;
  CTime(__time64_t seconds) : seconds_(seconds) {}
  static CTime GetCurrentTime();
  __time64_t GetTime() const { return seconds_; }
  CTimeSpan operator-(CTime o) const { return CTimeSpan(seconds_ - o.seconds_); }

private:
  __time64_t seconds_ = 0;
};

// A date and time from 100-01-01 to 9999-12-31, to the second, with a status. Texts are
// read and written by the stand-in's date rules (platform/win/date_time_picker.h).
class COleDateTime {
public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;  // 1899-12-30 00:00:00, valid
  COleDateTime(int year, int month, int day, int hour, int minute, int second);

  DateTimeStatus GetStatus() const { return status_; }
  // 0 when the value is set; 1 (and the status invalid) for a moment out of range.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  bool GetAsSystemTime(SYSTEMTIME& time) const;  // false unless valid
  // The parts of a valid value; -1 otherwise.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;

  // Reads a date and/or time (VAR_DATEVALUEONLY, VAR_TIMEVALUEONLY); a text that is no
  // date leaves the value 0 and the status invalid, and answers false.
  bool ParseDateTime(LPCWSTR text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT);
  // The locale's short date and time, the date left out on 1899-12-30 and the time at
  // midnight (the flags keep only one of them); "Invalid DateTime" for an invalid value,
  // "" for a null one.
  CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;
  // strftime-like: %Y %y %m %d %H %I %M %S %p %B %b %A %a %%.
  CString Format(LPCWSTR format) const;

  // Equal values with equal statuses; the orderings compare the values.
  bool operator==(const COleDateTime& other) const { return status_ == other.status_ && seconds_ == other.seconds_; }
  bool operator<(const COleDateTime& other) const { return seconds_ < other.seconds_; }
  bool operator>(const COleDateTime& other) const { return seconds_ > other.seconds_; }

private:
  long long seconds_ = 0;  // from 1899-12-30 00:00:00
  DateTimeStatus status_ = valid;
};
