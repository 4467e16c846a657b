#include "gridctrl/row_trait_image_repaint.h"

#include <algorithm>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

namespace {

bool isRealColor(COLORREF color) { return color <= 0x00FFFFFF; }

// Moves the top of an area down so that an image of the list is centred in it. Nothing
// moves when the image's size cannot be read for that index.
void centreVertically(CImageList& list, int image, CRect& area) {
  IMAGEINFO info{};
  if (image < 0 || image >= list.GetImageCount() || !list.GetImageInfo(image, &info)) return;
  int height = info.rcImage.bottom - info.rcImage.top;
  if (area.Height() > height) area.top += (area.Height() - height) / 2;
}

// Draws an image of the list with the list's background set to the colour for the call.
void drawOnColor(CImageList& list, CDC& dc, int image, CPoint at, COLORREF color) {
  COLORREF previous = list.SetBkColor(color);
  list.Draw(&dc, image, at, ILD_NORMAL);
  list.SetBkColor(previous);
}

}  // namespace

void CRowTraitImageRepaint::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

void CRowTraitImageRepaint::OnRowCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) {
  if (draw && result) {
    if (draw->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) *result |= CDRF_NOTIFYPOSTPAINT;
    COLORREF color = 0;
    if (draw->nmcd.dwDrawStage == (CDDS_ITEMPOSTPAINT | CDDS_SUBITEM) && QueryImageBackColor(owner, *draw, color))
      RepaintCellImages(owner, *draw, color);
  }
  CRowTraitText::OnRowCustomDraw(owner, draw, result);
}

bool CRowTraitImageRepaint::QueryImageBackColor(CListGridCtrl& owner, const NMLVCUSTOMDRAW& draw, COLORREF& color) {
  int row = static_cast<int>(draw.nmcd.dwItemSpec);
  int col = draw.iSubItem;
  if (CRect(draw.nmcd.rc).IsRectEmpty() || owner.GetCellImageIndex(row, col) == -1 || !owner.GetImageList(LVSIL_SMALL))
    return false;
  DWORD exStyle = owner.GetExtendedStyle();
  if ((exStyle & LVS_EX_TRACKSELECT) && row == owner.GetHotItem()) {
    color = GetSysColor(COLOR_HOTLIGHT);
    return true;
  }
  color = draw.clrTextBk;
  bool selected = (draw.nmcd.uItemState & CDIS_SELECTED) && owner.IsRowSelected(row);
  if (selected && ((exStyle & LVS_EX_FULLROWSELECT) || col == 0)) {
    if (owner.IsExplorerThemed()) return false;  // the theme draws selected rows
    bool focusCell = unselectFocusCell && row == owner.GetFocusedRow() && col == owner.GetFocusColumn();
    if (!focusCell) {
      if (CWnd::GetFocus() == &owner || owner.IsEditorOpen()) {
        color = GetSysColor(COLOR_HIGHLIGHT);
        return true;
      }
      if (!(owner.GetStyle() & LVS_SHOWSELALWAYS)) return false;
      if (draw.clrTextBk != GetSysColor(COLOR_HIGHLIGHT)) color = GetSysColor(COLOR_BTNFACE);
    }
  }
  return isRealColor(color);
}

void CRowTraitImageRepaint::RepaintCellImages(CListGridCtrl& owner, NMLVCUSTOMDRAW& draw, COLORREF color) {
  int row = static_cast<int>(draw.nmcd.dwItemSpec);
  int col = draw.iSubItem;
  CRect icon;
  CRect back;
  CDC* dc = CDC::FromHandle(draw.nmcd.hdc);
  CImageList* images = owner.GetImageList(LVSIL_SMALL);
  if (!dc || !images || !owner.GetCellArea(row, col, LVIR_ICON, icon) ||
      !owner.GetCellArea(row, col, LVIR_BOUNDS, back))
    return;
  DWORD exStyle = owner.GetExtendedStyle();
  bool checkBoxes = col == 0 && (exStyle & LVS_EX_CHECKBOXES);
  if (col == 0 && (col == owner.GetFirstShownColumn() || checkBoxes)) back.left += 2 * GetSystemMetrics(SM_CXBORDER);
  back.right = icon.right + 2;
  icon.right = std::min(icon.right, draw.nmcd.rc.right);
  back.right = std::min(back.right, draw.nmcd.rc.right);

  CBrush brush(color);
  dc->FillRect(&back, &brush);
  int image = owner.GetCellImageIndex(row, col);
  centreVertically(*images, image, icon);
  drawOnColor(*images, *dc, image, icon.TopLeft(), color);

  CImageList* states = checkBoxes ? owner.GetImageList(LVSIL_STATE) : nullptr;
  if (!states) return;
  int check = owner.GetCheck(row) ? 1 : 0;
  CRect box = back;
  centreVertically(*states, check, box);
  int stateWidth = 0;
  int stateHeight = 0;
  ImageList_GetIconSize(states->GetSafeHandle(), &stateWidth, &stateHeight);
  int space = icon.left - back.left;
  if (space > stateWidth) box.left += (space - stateWidth) / 2;
  drawOnColor(*states, *dc, check, box.TopLeft(), color);
}
