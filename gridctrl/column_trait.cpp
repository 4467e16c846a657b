#include "gridctrl/column_trait.h"

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

int CompareSortKeys(const CellSortKey& a, const CellSortKey& b, bool ascending) {
  if (a.last != b.last) return a.last ? 1 : -1;
  const CellSortKey& x = ascending ? a : b;
  const CellSortKey& y = ascending ? b : a;
  if (x.byValue) return (x.value > y.value) - (x.value < y.value);
  return _wcsicmp(x.text, y.text);
}

void CColumnTrait::OnColumnAdded(CListGridCtrl&, int) {}

void CColumnTrait::OnCellCustomDraw(CListGridCtrl&, NMLVCUSTOMDRAW*, LRESULT*) {}

int CColumnTrait::ClassifyClick(CListGridCtrl&, int, int, CPoint, bool) { return kClickNone; }

CWnd* CColumnTrait::OpenEditor(CListGridCtrl& owner, int row, int col, CPoint) { return OpenEditor(owner, row, col); }

CWnd* CColumnTrait::OpenEditor(CListGridCtrl&, int, int) { return nullptr; }

void CColumnTrait::OnEditorClosed() {}

int CColumnTrait::CompareTexts(const wchar_t*, const wchar_t*, bool) { return 0; }

int CColumnTrait::CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) {
  return CompareTexts(a.pszText ? a.pszText : L"", b.pszText ? b.pszText : L"", ascending);
}

bool CColumnTrait::MakeSortKey(const LVITEM&, CellSortKey&) { return false; }

void CColumnTrait::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

bool CColumnTrait::IsCellLocked(CListGridCtrl&, int, int, CPoint) { return !state.editable; }
