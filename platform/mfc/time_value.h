// CTime and CTimeSpan: seconds since 1970-01-01 UTC; the current time comes from the
// stand-in clock (StandIn::SetClock), so tests control it.
#pragma once
#include <cstdint>

#include "platform/win/win32_types.h"

using __time64_t = std::int64_t;

class CTimeSpan {
public:
  CTimeSpan() = default;
  explicit CTimeSpan(__time64_t seconds) : seconds_(seconds) {}
  CTimeSpan(LONG days, int hours, int minutes, int seconds)
      : seconds_(((static_cast<__time64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}
  __time64_t GetTotalSeconds() const { return seconds_; }
  LONGLONG GetDays() const { return seconds_ / 86400; }
  bool operator==(CTimeSpan o) const { return seconds_ == o.seconds_; }
  bool operator!=(CTimeSpan o) const { return seconds_ != o.seconds_; }
  bool operator<(CTimeSpan o) const { return seconds_ < o.seconds_; }
  bool operator<=(CTimeSpan o) const { return seconds_ <= o.seconds_; }
  bool operator>(CTimeSpan o) const { return seconds_ > o.seconds_; }
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
  CTime operator+(CTimeSpan s) const { return CTime(seconds_ + s.GetTotalSeconds()); }
  CTime operator-(CTimeSpan s) const { return CTime(seconds_ - s.GetTotalSeconds()); }
  bool operator==(CTime o) const { return seconds_ == o.seconds_; }
  bool operator!=(CTime o) const { return seconds_ != o.seconds_; }
  bool operator<(CTime o) const { return seconds_ < o.seconds_; }
  bool operator>(CTime o) const { return seconds_ > o.seconds_; }

private:
  __time64_t seconds_ = 0;
};
