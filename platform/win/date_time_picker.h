// The date-time picker and the date texts behind it: SYSTEMTIME, the picker's styles,
// messages and notifications, and the calendar arithmetic, locale formats and date parsing
// that the picker and COleDateTime share.
//
// The picker keeps a value (a SYSTEMTIME, or none with DTS_SHOWNONE) and shows it as its
// window text, in the custom format given with DTM_SETFORMATW, else in the locale's short
// date (DTS_SHORTDATEFORMAT, DTS_SHORTDATECENTURYFORMAT), long date (DTS_LONGDATEFORMAT) or
// time (DTS_TIMEFORMAT). It starts at the stand-in clock's time. The program's changes
// (DTM_SETSYSTEMTIME) send nothing; a person's changes send DTN_DATETIMECHANGE.
// Typing: with DTS_APPCANPARSE a typed character opens the typing field, an edit child that
// holds the shown text, all selected, and takes the focus (other typing is not modelled).
// Enter in it, or the focus leaving it, hands its text to the parent with DTN_USERSTRINGW,
// whose st holds the present value and dwFlags GDT_VALID; the value becomes the st the
// parent leaves with GDT_VALID, or none with GDT_NONE (DTS_SHOWNONE only). Escape drops it.
// The focus leaving the typing field for a window outside the picker sends the picker
// WM_KILLFOCUS, as the picker's focus is gone.
// The calendar: a person picking a day (DTM_STANDIN_PICKDAY; not with DTS_UPDOWN) gives
// the picker the focus, drops the month calendar (DTN_DROPDOWN; while it is open
// DTM_GETMONTHCAL answers it and it has the focus), sets the date keeping the time of day,
// gives the focus back to the picker, closes the calendar and sends DTN_CLOSEUP.
//
// Locales: the user and system defaults (0x0400, 0x0800, 0) and 0x0409 write dates month
// first ("M/d/yyyy"), every other locale day first ("d/M/yyyy"); long dates are
// "dddd, MMMM d, yyyy", times "h:mm:ss tt", with English month and day names.
#pragma once
#include <string>

#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;  // 0 Sunday
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

#define DATETIMEPICK_CLASSW L"SysDateTimePick32"
#define MONTHCAL_CLASSW L"SysMonthCal32"

#define DTS_UPDOWN 0x0001
#define DTS_SHOWNONE 0x0002
#define DTS_LONGDATEFORMAT 0x0004
#define DTS_SHORTDATECENTURYFORMAT 0x000C
#define DTS_TIMEFORMAT 0x0009
#define DTS_APPCANPARSE 0x0010
#define DTS_RIGHTALIGN 0x0020

#define GDT_ERROR (-1)
#define GDT_VALID 0
#define GDT_NONE 1

#define DTM_FIRST 0x1000
#define DTM_GETSYSTEMTIME (DTM_FIRST + 1)
#define DTM_SETSYSTEMTIME (DTM_FIRST + 2)
#define DTM_GETMONTHCAL (DTM_FIRST + 8)
#define DTM_SETFORMATW (DTM_FIRST + 50)
// A person picks a day from the calendar (lParam: const SYSTEMTIME* whose date is taken).
#define DTM_STANDIN_PICKDAY (DTM_FIRST + 0x3F0)

#define DTN_FIRST (0U - 740U)
#define DTN_FIRST2 (0U - 753U)
#define DTN_USERSTRINGW (DTN_FIRST - 5)
#define DTN_CLOSEUP (DTN_FIRST2)
#define DTN_DROPDOWN (DTN_FIRST2 - 1)
#define DTN_USERSTRINGA (DTN_FIRST2 - 5)
#define DTN_DATETIMECHANGE (DTN_FIRST2 - 6)

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags = GDT_VALID;
  SYSTEMTIME st;
};
struct NMDATETIMESTRINGW {
  NMHDR nmhdr;
  LPCWSTR pszUserString = nullptr;
  SYSTEMTIME st;
  DWORD dwFlags = GDT_VALID;
};
struct NMDATETIMESTRINGA {
  NMHDR nmhdr;
  const char* pszUserString = nullptr;
  SYSTEMTIME st;
  DWORD dwFlags = GDT_VALID;
};

#define LOCALE_USER_DEFAULT 0x0400
#ifndef LANG_USER_DEFAULT
#define LANG_USER_DEFAULT 0x0400
#endif
// Date parsing flags.
#define VAR_TIMEVALUEONLY 0x00000001
#define VAR_DATEVALUEONLY 0x00000002

namespace StandIn {

int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
// A SYSTEMTIME that names a real moment (its day of the week is not looked at).
bool IsValidSystemTime(const SYSTEMTIME& time);
// Days from 1899-12-30 to the date (negative before it), and back.
long long DayNumberOf(int year, int month, int day);
void DateOfDayNumber(long long days, int& year, int& month, int& day);
// 0 for Sunday.
int DayOfWeekOf(int year, int month, int day);
// English names: month 1 to 12, day of the week 0 (Sunday) to 6.
const wchar_t* MonthName(int month);
const wchar_t* DayName(int dayOfWeek);

// The locale's date picture (short or long) and time picture.
std::wstring LocaleDatePicture(LCID locale, bool longDate);
std::wstring LocaleTimePicture(LCID locale);
// Writes a time in a picture: d dd ddd dddd, M MM MMM MMMM, y yy yyyy (yyy as yyyy),
// h hh H HH, m mm, s ss, t tt; text between single quotes ('' is a quote) and every other
// character as it stands.
std::wstring FormatDatePicture(const SYSTEMTIME& time, const std::wstring& picture);
// Reads a date, a time or both, separated by spaces, into `out`:
//   date  y-M-d (a four-digit year first), y/M/d, or the locale's order with '/', '-' or
//         '.' between the parts; a year of one or two digits is 2000-2029 below 30, else
//         1930-1999; years 100 to 9999;
//   time  H:mm or H:mm:ss, hours 0-23, or 1-12 followed by AM or PM (any case).
// A missing date is 1899-12-30, a missing time midnight; VAR_TIMEVALUEONLY drops the date,
// VAR_DATEVALUEONLY the time. Anything else in the text makes it fail.
bool ParseDateText(const std::wstring& text, DWORD flags, LCID locale, SYSTEMTIME& out);
// The stand-in clock as the local time.
SYSTEMTIME SystemTimeOfClock();

}  // namespace StandIn
