#include "gridctrl/cell_editor_date_time.h"

#include "gridctrl/column_trait_date_time.h"
#include "gridctrl/list_grid_ctrl.h"
#include "platform/win/codepage.h"

BEGIN_MESSAGE_MAP(CCellEditorDateTimeCtrl, CDateTimeCtrl)
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_NOTIFY_REFLECT(DTN_DATETIMECHANGE, &CCellEditorDateTimeCtrl::OnDateTimeChange)
ON_NOTIFY_REFLECT(DTN_USERSTRINGW, &CCellEditorDateTimeCtrl::OnUserStringW)
ON_NOTIFY_REFLECT(DTN_USERSTRINGA, &CCellEditorDateTimeCtrl::OnUserStringA)
ON_NOTIFY_REFLECT(DTN_CLOSEUP, &CCellEditorDateTimeCtrl::OnCloseUp)
END_MESSAGE_MAP()

CColumnTraitDateTime* CCellEditorDateTimeCtrl::ColumnTrait() {
  CListGridCtrl* grid = dynamic_cast<CListGridCtrl*>(GetParent());
  return grid ? dynamic_cast<CColumnTraitDateTime*>(grid->GetCellTrait(row, col)) : nullptr;
}

void CCellEditorDateTimeCtrl::TakeTypedDate(const CString& typed, SYSTEMTIME& time, DWORD& flags) {
  CColumnTraitDateTime* trait = ColumnTrait();
  if (!trait) return;
  COleDateTime parsed;
  if (trait->ParseDateTime(typed, parsed) && parsed.GetAsSystemTime(time)) {
    flags = GDT_VALID;
    return;
  }
  flags = GetTime(&time);
  modified = valueChanged;
}

void CCellEditorDateTimeCtrl::OnUserStringW(NMHDR* hdr, LRESULT* result) {
  auto* request = reinterpret_cast<NMDATETIMESTRINGW*>(hdr);
  TakeTypedDate(CString(request->pszUserString ? request->pszUserString : L""), request->st, request->dwFlags);
  *result = 0;
}

void CCellEditorDateTimeCtrl::OnUserStringA(NMHDR* hdr, LRESULT* result) {
  auto* request = reinterpret_cast<NMDATETIMESTRINGA*>(hdr);
  std::wstring typed = AnsiToWide(request->pszUserString ? request->pszUserString : "");
  TakeTypedDate(CString(typed.c_str()), request->st, request->dwFlags);
  *result = 0;
}

void CCellEditorDateTimeCtrl::OnDateTimeChange(NMHDR*, LRESULT* result) {
  modified = true;
  valueChanged = true;
  *result = 0;
}

void CCellEditorDateTimeCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
  modified = true;
  CDateTimeCtrl::OnChar(ch, repeat, flags);
}

void CCellEditorDateTimeCtrl::OnKillFocus(CWnd* newWnd) {
  CDateTimeCtrl::OnKillFocus(newWnd);
  if (GetMonthCalCtrl()) return;                                   // the calendar is open
  if (newWnd && ::IsChild(m_hWnd, newWnd->GetSafeHwnd())) return;  // the typing field
  EndEdit(true);
}

void CCellEditorDateTimeCtrl::OnCloseUp(NMHDR*, LRESULT* result) {
  if (::GetFocus() != m_hWnd) EndEdit(true);
  *result = 0;
}

void CCellEditorDateTimeCtrl::EndEdit(bool accept) {
  if (completed) return;
  completed = true;
  // A date still being typed (its field shown) is taken, or found to be no date, before
  // the value is read.
  HWND focus = ::GetFocus();
  if (focus && ::IsChild(m_hWnd, focus) && ::IsWindowVisible(focus)) SetFocus();
  CString text;
  GetWindowText(text);
  NMLVDISPINFO info{};
  if (accept && modified) SetRecordText(info, text);
  ReportEnd(*this, row, col, info);
}

BOOL CCellEditorDateTimeCtrl::PreTranslateMessage(MSG* msg) {
  BOOL consumed = FALSE;
  if (EndEditOnKey(msg, /*enterEnds=*/true, /*wheelEnds=*/true, consumed)) return consumed;
  return CDateTimeCtrl::PreTranslateMessage(msg);
}

void CCellEditorDateTimeCtrl::PostNcDestroy() {
  CDateTimeCtrl::PostNcDestroy();
  delete this;
}
