#include "gridctrl/column_trait_text.h"

#include <cstring>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"
#include "platform/win/wide_numbers.h"

namespace {

const COLORREF kNoColor = static_cast<COLORREF>(-1);

}  // namespace

void CColumnTraitText::OnCellCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  PinTotalsRowOf(owner);
  if (!draw || !result) return;
  CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      savedTextColor = draw->clrText;
      savedBackColor = draw->clrTextBk;
      if (QueryCellTextColor(draw, draw->clrText)) *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
      if (QueryCellBackColor(draw, draw->clrTextBk)) *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
      if (owner.QueryCellColors(draw)) *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
      LOGFONT font{};
      bool ownerFont = owner.QueryCellFont(draw, font);
      bool traitFont = QueryCellTextFont(draw, font);
      if ((ownerFont || traitFont) && drawFont.SelectMade(dc, font)) *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
      break;
    }
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
      drawFont.Restore(dc);
      draw->clrText = savedTextColor;
      draw->clrTextBk = savedBackColor;
      *result |= CDRF_NEWFONT;
      break;
    default: break;
  }
}

bool CColumnTraitText::QueryCellTextFont(NMLVCUSTOMDRAW*, LOGFONT&) { return false; }

bool CColumnTraitText::QueryCellTextColor(NMLVCUSTOMDRAW*, COLORREF& color) {
  if (textColor == kNoColor) return false;
  color = textColor;
  return true;
}

bool CColumnTraitText::QueryCellBackColor(NMLVCUSTOMDRAW*, COLORREF& color) {
  if (backColor == kNoColor) return false;
  color = backColor;
  return true;
}

CellSortKey CColumnTraitText::SortKeyOf(const wchar_t* text) const {
  CellSortKey key;
  if (text) key.text = text;
  // Values, decimals included; a text that is no number reads as 0.
  key.byValue = sortNumeric;
  if (sortNumeric) key.value = _wtof(key.text);
  return key;
}

int CColumnTraitText::CompareCellTexts(const wchar_t* a, const wchar_t* b, bool ascending) const {
  return CompareSortKeys(SortKeyOf(a), SortKeyOf(b), ascending);
}

int CColumnTraitText::CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) {
  return CompareCellTexts(a, b, ascending);
}

void CColumnTraitText::PinTotalsRowOf(CListGridCtrl& owner) {
  lastRow = owner.EndsWithTotalsRow() ? owner.GetItemCount() - 1 : -1;
}

int CColumnTraitText::CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) {
  // The pinned row follows every other row in both directions, so the order stays consistent.
  bool pinnedA = IsPinned(a);
  bool pinnedB = IsPinned(b);
  if (pinnedA != pinnedB) return pinnedA ? 1 : -1;
  return CColumnTrait::CompareItems(a, b, ascending);
}

bool CColumnTraitText::MakeSortKey(const LVITEM& item, CellSortKey& key) {
  key = SortKeyOf(item.pszText);
  key.last = IsPinned(item);
  return true;
}

void CColumnTraitText::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

int CColumnTraitText::HeaderFormatOf(CListGridCtrl& owner, int col) {
  HDITEM item{};
  item.mask = HDI_FORMAT;
  CHeaderCtrl* header = owner.GetHeaderCtrl();
  return header && header->GetItem(col, &item) ? item.fmt : 0;
}

int CColumnTraitText::MeasureRowTextHeight(CListGridCtrl& owner) {
  CClientDC dc(&owner);
  CFont* previous = dc.SelectObject(owner.GetGridCellFont());
  CRect area(0, 0, 0, 0);
  dc.DrawText(L"yjp\u00CD\u00C1", -1, &area, DT_CALCRECT | DT_SINGLELINE);
  if (previous) dc.SelectObject(previous);
  return area.Height();
}

CRect CColumnTraitText::GetCellEditArea(CListGridCtrl& owner, int row, int col) {
  CRect area(0, 0, 0, 0);
  owner.GetCellArea(row, col, LVIR_LABEL, area);
  DWORD exStyle = owner.GetExtendedStyle();
  int border = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & LVS_EX_GRIDLINES) area.bottom -= border;
  bool smallImages = owner.GetImageList(LVSIL_SMALL) != nullptr;
  if (col == 0 && smallImages) {
    area.left += border;
  } else if (col > 0 && (exStyle & LVS_EX_SUBITEMIMAGES) && smallImages && owner.GetCellImageIndex(row, col) != -1) {
    area.left += border;
  } else if (col != owner.GetFirstShownColumn()) {
    area.left -= border;
  }
  int height = MeasureRowTextHeight(owner) + 2 * GetSystemMetrics(SM_CXEDGE);
  if (height > area.Height()) area.bottom = area.top + height;
  return area;
}
