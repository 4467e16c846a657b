// Dates of the stand-in against the standard library's calendar, and COleDateTime's texts
// read back into the values they were written from.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "platform/mfc/time_value.h"

namespace {

using namespace std::chrono;

// A small deterministic generator, so that every run walks the same values.
struct Walk {
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  int Next(int lo, int hi) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return lo + static_cast<int>((state >> 33) % static_cast<std::uint64_t>(hi - lo + 1));
  }
};

TEST(StandInDates, DayNumbersAndWeekdaysAgreeWithTheStandardCalendar) {
  const sys_days origin = year{1899} / December / 30;
  for (long long n = -657434; n <= 2958465; n += 997) {  // 0100-01-01 to 9999-12-31
    year_month_day expected{origin + days{n}};
    int y = 0, m = 0, d = 0;
    StandIn::DateOfDayNumber(n, y, m, d);
    ASSERT_EQ(y, static_cast<int>(expected.year())) << n;
    ASSERT_EQ(m, static_cast<int>(static_cast<unsigned>(expected.month()))) << n;
    ASSERT_EQ(d, static_cast<int>(static_cast<unsigned>(expected.day()))) << n;
    ASSERT_EQ(StandIn::DayNumberOf(y, m, d), n);
    ASSERT_EQ(StandIn::DayOfWeekOf(y, m, d), static_cast<int>(weekday{origin + days{n}}.c_encoding())) << n;
    ASSERT_EQ(
        StandIn::DaysInMonth(y, m),
        static_cast<int>(static_cast<unsigned>(year_month_day_last{expected.year() / expected.month() / last}.day())));
  }
}

TEST(StandInDates, FormattedValuesParseBackInEveryLocaleOrder) {
  Walk walk;
  for (int i = 0; i < 3000; ++i) {
    int y = walk.Next(100, 9999), m = walk.Next(1, 12);
    COleDateTime value(y, m, walk.Next(1, StandIn::DaysInMonth(y, m)), walk.Next(0, 23), walk.Next(0, 59),
                       walk.Next(0, 59));
    if (i % 7 == 0) value.SetDateTime(y, m, 1, 0, 0, 0);  // midnight: the time is left out
    ASSERT_EQ(value.GetStatus(), COleDateTime::valid);
    for (LCID locale : {LCID{LOCALE_USER_DEFAULT}, LCID{0x040C}}) {
      CString text = value.Format(0, locale);
      COleDateTime back;
      ASSERT_TRUE(back.ParseDateTime(text, 0, locale)) << text;
      ASSERT_EQ(back, value);
      CString dateOnly = value.Format(VAR_DATEVALUEONLY, locale);
      ASSERT_TRUE(back.ParseDateTime(dateOnly, 0, locale));
      ASSERT_EQ(back, COleDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), 0, 0, 0));
      ASSERT_TRUE(back.ParseDateTime(text, VAR_TIMEVALUEONLY, locale));
      ASSERT_EQ(back, COleDateTime(1899, 12, 30, value.GetHour(), value.GetMinute(), value.GetSecond()));
    }
  }
}

TEST(StandInDates, TextsThatAreNoDatesLeaveAnInvalidValue) {
  for (const wchar_t* text : {L"", L"noon", L"2/30/2024", L"13/1/2024", L"1/1/2024 24:00", L"1/1/2024 1:60",
                              L"13:00 PM", L"1/1/99999", L"1/1/2024 1/2/2024", L"12:00 12:00", L"1-1/2024"}) {
    COleDateTime value(2024, 1, 1, 0, 0, 0);
    EXPECT_FALSE(value.ParseDateTime(text)) << std::wstring(text);
    EXPECT_EQ(value.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(value.Format(), L"Invalid DateTime");
  }
  COleDateTime dayFirst;
  ASSERT_TRUE(dayFirst.ParseDateTime(L"3/4/24 1:05 pm", 0, 0x040C));
  EXPECT_EQ(dayFirst, COleDateTime(2024, 4, 3, 13, 5, 0));
  EXPECT_EQ(dayFirst.Format(L"%A %d %B %Y, %I:%M %p"), L"Wednesday 03 April 2024, 01:05 PM");
}

}  // namespace
