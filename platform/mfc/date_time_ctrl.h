// CDateTimeCtrl: the date-time picker (platform/win/date_time_picker.h says how it behaves).
#pragma once
#include "platform/mfc/time_value.h"
#include "platform/mfc/wnd.h"

class CDateTimeCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // A valid value sets it, a null one clears it (DTS_SHOWNONE); false when refused.
  BOOL SetTime(const COleDateTime& time);
  BOOL SetTime(const SYSTEMTIME* time);   // null: no value
  DWORD GetTime(SYSTEMTIME* time) const;  // GDT_VALID, GDT_NONE or GDT_ERROR
  BOOL SetFormat(LPCWSTR format);         // null: the style's format
  // The month calendar while it is dropped down, else null.
  CWnd* GetMonthCalCtrl() const;
};
