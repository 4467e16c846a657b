#include "gridctrl/column_trait_date_time.h"

#include "gridctrl/cell_editor_date_time.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

namespace {

COleDateTime UnixEpoch() { return COleDateTime(1970, 1, 1, 0, 0, 0); }

}  // namespace

bool CColumnTraitDateTime::ParseDateTime(const CString& text, COleDateTime& out) {
  if (out.ParseDateTime(text, parseFlags, parseLocale)) return true;
  out = UnixEpoch();
  return false;
}

int CColumnTraitDateTime::CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) {
  COleDateTime x;
  COleDateTime y;
  ParseDateTime(CString(a ? a : L""), x);
  ParseDateTime(CString(b ? b : L""), y);
  if (x.GetStatus() != COleDateTime::valid || y.GetStatus() != COleDateTime::valid) return 0;
  if (x > y) return ascending ? 1 : -1;
  if (x < y) return ascending ? -1 : 1;
  return 0;
}

int CColumnTraitDateTime::CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) {
  return CColumnTraitImage::CompareItems(a, b, ascending);
}

CWnd* CColumnTraitDateTime::OpenEditor(CListGridCtrl& owner, int row, int col) {
  CString cellText = owner.GetItemText(row, col);
  COleDateTime value;
  ParseDateTime(cellText, value);
  CRect rect = GetCellEditArea(owner, row, col);
  DWORD pickerStyle = style;
  if (HeaderFormatOf(owner, col) & HDF_RIGHT) pickerStyle |= DTS_RIGHTALIGN;
  CCellEditorDateTimeCtrl* editor = CreateCellEditor(owner, row, col, pickerStyle, rect);
  if (!editor) return nullptr;
  editor->SetFont(owner.GetGridCellFont());
  editor->SetRedraw(TRUE);
  if (!format.IsEmpty()) editor->SetFormat(format);
  editor->SetTime(value);
  // A cell written in another form than the picker shows opens at the epoch.
  CString shown;
  editor->GetWindowText(shown);
  if (shown != cellText) editor->SetTime(UnixEpoch());
  return editor;
}

CCellEditorDateTimeCtrl* CColumnTraitDateTime::CreateCellEditor(CListGridCtrl& owner, int row, int col,
                                                                DWORD pickerStyle, const CRect& rect) {
  auto* editor = new CCellEditorDateTimeCtrl(row, col);
  if (!editor->Create(pickerStyle | WS_CHILD, rect, &owner, 0)) {
    delete editor;
    return nullptr;
  }
  if (!owner.IsExplorerThemed()) editor->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
  return editor;
}

void CColumnTraitDateTime::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }
