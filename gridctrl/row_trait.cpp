#include "gridctrl/row_trait.h"

#include <cstring>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

namespace {

const COLORREF kNoColor = static_cast<COLORREF>(-1);

}  // namespace

void CRowTrait::OnRowCustomDraw(CListGridCtrl&, NMLVCUSTOMDRAW*, LRESULT*) {}

void CRowTrait::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

void CRowTraitText::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

bool CRowTraitText::QueryRowTextColor(int row, COLORREF& color) {
  if (altTextColor != kNoColor && row % 2 != 0) {
    color = altTextColor;
    return true;
  }
  if (textColor != kNoColor) {
    color = textColor;
    return true;
  }
  return false;
}

bool CRowTraitText::QueryRowBackColor(int row, COLORREF& color) {
  if (altBackColor != kNoColor && row % 2 != 0) {
    color = altBackColor;
    return true;
  }
  if (backColor != kNoColor) {
    color = backColor;
    return true;
  }
  return false;
}

void CRowTraitText::QueryAllRowColors(CListGridCtrl& owner, int row, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  if (QueryRowTextColor(row, draw->clrText)) *result |= CDRF_NEWFONT;
  if (QueryRowBackColor(row, draw->clrTextBk)) *result |= CDRF_NEWFONT;
  if (owner.QueryRowColors(row, draw->clrText, draw->clrTextBk)) *result |= CDRF_NEWFONT;
}

void CRowTraitText::OnRowCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  if (!draw || !result) return;
  int row = static_cast<int>(draw->nmcd.dwItemSpec);
  CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_ITEMPREPAINT: {
      QueryAllRowColors(owner, row, draw, result);
      LOGFONT font{};
      if (owner.QueryRowFont(row, font)) {
        if (drawFont.SelectMade(dc, font)) *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
      } else if (dc) {
        // Row spacing in force: rows are taller, text keeps the cell font.
        CFont* cellFont = owner.GetGridCellFont();
        CFont* windowFont = owner.GetFont();
        if (cellFont && (!windowFont || windowFont->GetSafeHandle() != cellFont->GetSafeHandle())) {
          drawFont.SelectBorrowed(*dc, cellFont);
          *result |= CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
        }
      }
      if ((draw->nmcd.uItemState & CDIS_FOCUS) && row == owner.GetFocusedRow()) {
        if (owner.GetFocusColumn() != -1 || (owner.GetExtendedStyle() & LVS_EX_GRIDLINES)) {
          draw->nmcd.uItemState &= ~CDIS_FOCUS;
          *result |= CDRF_NOTIFYPOSTPAINT;
        }
      }
      break;
    }
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      if (unselectFocusCell && draw->iSubItem == owner.GetFocusColumn() && row == owner.GetFocusedRow() &&
          (draw->nmcd.uItemState & CDIS_SELECTED))
        draw->nmcd.uItemState &= ~CDIS_SELECTED;
      if (draw->clrText < 0x01000000 || draw->clrTextBk < 0x01000000) {
        draw->clrText = CLR_DEFAULT;
        draw->clrTextBk = CLR_DEFAULT;
        QueryAllRowColors(owner, row, draw, result);
      }
      break;
    case CDDS_ITEMPOSTPAINT: {
      drawFont.Restore(dc);
      CRect bounds(draw->nmcd.rc);
      if (bounds.IsRectEmpty() || row != owner.GetFocusedRow() || !dc) break;
      int border = GetSystemMetrics(SM_CXBORDER);
      bool gridLines = (owner.GetExtendedStyle() & LVS_EX_GRIDLINES) != 0;
      int focusColumn = owner.GetFocusColumn();
      if (focusColumn != -1) {
        CRect area;
        if (!owner.GetCellArea(row, focusColumn, LVIR_BOUNDS, area)) break;
        int firstShown = owner.GetFirstShownColumn();
        if (focusColumn == firstShown && focusColumn == 0) area.left += 2 * border;
        else if (focusColumn != firstShown) area.left -= border;
        if (gridLines) area.bottom -= border;
        dc->DrawFocusRect(&area);
      } else if (gridLines) {
        CRect area;
        if (!owner.GetItemRect(row, &area, LVIR_BOUNDS)) break;
        area.bottom -= border;
        dc->DrawFocusRect(&area);
      }
      break;
    }
    default: break;
  }
}
