#include "gridctrl/column_trait_image.h"

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

namespace {

bool hasPoint(CPoint pt) { return !(pt.x == -1 && pt.y == -1); }

}  // namespace

CColumnTraitImage::CColumnTraitImage(int firstImage, int imageCount) {
  for (int i = 0; i < imageCount; ++i) AddImageIndex(firstImage + i);
}

void CColumnTraitImage::AddImageIndex(int image) { AddImageIndex(image, CString(), true); }

void CColumnTraitImage::AddImageIndex(int image, const CString& text, bool editable) {
  ImageCellText entry;
  entry.text = text;
  entry.editable = editable;
  images.Add(image, entry);
}

void CColumnTraitImage::SetImageText(int image, const CString& text, bool editable) {
  int i = images.FindKey(image);
  if (i < 0) {
    AddImageIndex(image, text, editable);
    return;
  }
  ImageCellText entry;
  entry.text = text;
  entry.editable = editable;
  images.SetAtIndex(i, image, entry);
}

CString CColumnTraitImage::GetImageText(int image) const {
  int i = images.FindKey(image);
  return i < 0 ? CString() : images.GetValueAt(i).text;
}

int CColumnTraitImage::ClassifyClick(CListGridCtrl& owner, int row, int col, CPoint pt, bool dblClick) {
  bool startEdit = false;
  if (!dblClick && row != -1 && col != -1)
    startEdit = editOnSingleClick || (row == owner.GetFocusedRow() && col == owner.GetFocusColumn());
  if (toggleSelection) {
    CRect icon;
    CRect label;
    bool onIcon = owner.GetCellArea(row, col, LVIR_ICON, icon) && icon.PtInRect(pt);
    if (col == 0 && (owner.GetExtendedStyle() & LVS_EX_CHECKBOXES)) {
      bool onLabel = owner.GetCellArea(row, col, LVIR_LABEL, label) && label.PtInRect(pt);
      if (!onIcon && !onLabel) return kClickStartEdit;  // the row's check box
    }
    if (images.GetSize() > 1 && onIcon) return kClickImage;
  }
  return startEdit ? kClickStartEdit : kClickNone;
}

bool CColumnTraitImage::IsCellLocked(CListGridCtrl& owner, int row, int col, CPoint pt) {
  if (!state.editable) return true;
  if (images.GetSize() == 0) return false;
  for (int i = 0; i < images.GetSize(); ++i) {
    if (images.GetValueAt(i).editable) continue;
    if (hasPoint(pt)) {
      CRect label;
      if (!owner.GetCellArea(row, col, LVIR_LABEL, label) || !label.PtInRect(pt)) return false;
    }
    int image = owner.GetCellImageIndex(row, col);
    if (image == -1) return false;
    int at = images.FindKey(image);
    return at >= 0 && !images.GetValueAt(at).editable;
  }
  return false;
}

CWnd* CColumnTraitImage::OpenEditor(CListGridCtrl& owner, int row, int col, CPoint pt) {
  if (!hasPoint(pt)) return OpenEditor(owner, row, col);
  CRect label;
  if (owner.GetCellArea(row, col, LVIR_LABEL, label) && label.PtInRect(pt)) return OpenEditor(owner, row, col);
  CRect icon;
  if (owner.GetCellArea(row, col, LVIR_ICON, icon) && icon.PtInRect(pt)) return StepCellImage(owner, row, col);
  if (col == 0 && toggleSelection && (owner.GetExtendedStyle() & LVS_EX_CHECKBOXES))
    return SpreadCheckToSelection(owner, row, col);
  return nullptr;
}

CWnd* CColumnTraitImage::OpenEditor(CListGridCtrl& owner, int row, int col) {
  return CColumnTraitText::OpenEditor(owner, row, col);
}

int CColumnTraitImage::GetNextImageIndex(CListGridCtrl& owner, int row, int col) {
  if (images.GetSize() < 2) return -1;
  int at = images.FindKey(owner.GetCellImageIndex(row, col));
  if (at < 0) return -1;
  return images.GetKeyAt((at + 1) % images.GetSize());
}

CWnd* CColumnTraitImage::StepCellImage(CListGridCtrl& owner, int row, int col) {
  if (images.GetSize() < 2) return iconClickOpensEditor ? OpenEditor(owner, row, col) : nullptr;
  int oldImage = owner.GetCellImageIndex(row, col);
  int newImage = GetNextImageIndex(owner, row, col);
  if (newImage == -1) return nullptr;
  CString newText = GetImageText(newImage);

  auto report = [&](int r, int previous) {
    CString text = newText;  // the record points into its own copy
    NMLVDISPINFO info{};
    info.item.mask = LVIF_IMAGE;
    info.item.iImage = newImage;
    if (text != GetImageText(previous)) {
      info.item.mask |= LVIF_TEXT;
      info.item.pszText = const_cast<wchar_t*>(text.GetString());
      info.item.cchTextMax = text.GetLength();
    }
    CListGridCtrl::SendEndLabelEdit(owner, r, col, info);
  };
  report(row, oldImage);

  if (toggleSelection && owner.IsRowSelected(row)) {
    for (int r = owner.GetNextItem(-1, LVNI_SELECTED); r != -1; r = owner.GetNextItem(r, LVNI_SELECTED)) {
      if (r == row) continue;
      int image = owner.GetCellImageIndex(r, col);
      if (image != newImage) report(r, image);
    }
  }
  return nullptr;
}

CWnd* CColumnTraitImage::SpreadCheckToSelection(CListGridCtrl& owner, int row, int col) {
  if (!owner.IsRowSelected(row)) return nullptr;
  bool ownerData = (owner.GetStyle() & LVS_OWNERDATA) != 0;
  bool checked = ownerData ? owner.QueryVirtualRowChecked(row) : owner.GetCheck(row) != FALSE;
  for (int r = owner.GetNextItem(-1, LVNI_SELECTED); r != -1; r = owner.GetNextItem(r, LVNI_SELECTED)) {
    if (r == row) continue;
    bool state = ownerData ? owner.QueryVirtualRowChecked(r) : owner.GetCheck(r) != FALSE;
    if (state == checked) continue;
    if (ownerData) owner.OnVirtualRowCheckToggled(r, checked);
    else owner.SetCheck(r, checked);
  }
  return nullptr;
}

int CColumnTraitImage::CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) {
  return CompareCellTexts(a, b, ascending);
}

int CColumnTraitImage::CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) {
  if (sortByImage) {
    int x = ascending ? a.iImage : b.iImage;
    int y = ascending ? b.iImage : a.iImage;
    int d = (x > y) - (x < y);
    if (d != 0) return d;
  }
  return CompareTexts(a.pszText ? a.pszText : L"", b.pszText ? b.pszText : L"", ascending);
}

bool CColumnTraitImage::MakeSortKey(const LVITEM&, CellSortKey&) { return false; }

void CColumnTraitImage::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

int CColumnTraitImage::AddCheckBoxImages(CListCtrl& list, CImageList& imageList) {
  DWORD exStyle = list.GetExtendedStyle();
  if (!(exStyle & LVS_EX_SUBITEMIMAGES)) list.SetExtendedStyle(exStyle | LVS_EX_SUBITEMIMAGES);
  if (!imageList.GetSafeHandle()) imageList.Create(16, 16, ILC_COLOR16 | ILC_MASK, 1, 0);
  if (!list.GetImageList(LVSIL_SMALL)) list.SetImageList(&imageList, LVSIL_SMALL);

  bool checkBoxesTurnedOn = false;
  CImageList* stateList = list.GetImageList(LVSIL_STATE);
  if (!stateList && !(list.GetExtendedStyle() & LVS_EX_CHECKBOXES)) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    checkBoxesTurnedOn = true;
    stateList = list.GetImageList(LVSIL_STATE);
  }

  int first = -1;
  if (stateList && stateList->GetImageCount() >= 2) {
    first = imageList.GetImageCount();
    CSize size(16, 16);
    IMAGEINFO info{};
    if (imageList.GetImageCount() > 0 && imageList.GetImageInfo(0, &info))
      size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    CPoint offset(1, 0);
    IMAGEINFO stateInfo{};
    if (stateList->GetImageInfo(0, &stateInfo)) {
      int stateHeight = stateInfo.rcImage.bottom - stateInfo.rcImage.top;
      if (size.cy > stateHeight) offset.y = (size.cy - stateHeight) / 2;
    }
    CClientDC listDc(&list);
    CDC memory;
    memory.CreateCompatibleDC(&listDc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&listDc, size.cx, size.cy);
    COLORREF fill = imageList.GetBkColor();
    COLORREF previousBack = stateList->SetBkColor(fill);
    for (int state = 0; state < 2; ++state) {
      CBitmap* previousBitmap = memory.SelectObject(&bitmap);
      CBrush brush(fill);
      memory.FillRect(CRect(0, 0, size.cx, size.cy), &brush);
      stateList->Draw(&memory, state, offset, ILD_NORMAL);
      memory.SelectObject(previousBitmap);
      imageList.Add(&bitmap, previousBack);
    }
    stateList->SetBkColor(previousBack);
  }
  if (checkBoxesTurnedOn) list.SetExtendedStyle(list.GetExtendedStyle() & ~LVS_EX_CHECKBOXES);
  return first;
}
