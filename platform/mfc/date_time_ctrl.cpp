#include "platform/mfc/date_time_ctrl.h"

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(DATETIMEPICK_CLASSW, L"", style, rect, parent, id);
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& time) {
  if (time.GetStatus() == COleDateTime::null) return SetTime(static_cast<const SYSTEMTIME*>(nullptr));
  SYSTEMTIME value;
  if (!time.GetAsSystemTime(value)) return FALSE;
  return SetTime(&value);
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time) {
  WPARAM flags = time ? GDT_VALID : GDT_NONE;
  return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, flags, reinterpret_cast<LPARAM>(time)));
}

DWORD CDateTimeCtrl::GetTime(SYSTEMTIME* time) const {
  return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
}

BOOL CDateTimeCtrl::SetFormat(LPCWSTR format) {
  return static_cast<BOOL>(SendMessage(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format)));
}

CWnd* CDateTimeCtrl::GetMonthCalCtrl() const {
  return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(DTM_GETMONTHCAL)));
}
