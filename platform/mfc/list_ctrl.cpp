#include "platform/mfc/list_ctrl.h"

#include <vector>

#include "platform/mfc/edit.h"
#include "platform/mfc/image_list.h"

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTVIEWW, L"", style, rect, parent, id);
}

int CListCtrl::InsertColumn(int col, const LVCOLUMN* column) {
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
}

int CListCtrl::InsertColumn(int col, LPCWSTR heading, int format, int width, int subItem) {
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_TEXT;
  column.fmt = format;
  column.pszText = const_cast<LPWSTR>(heading ? heading : L"");
  if (width != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = width;
  }
  if (subItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = subItem;
  }
  return InsertColumn(col, &column);
}

BOOL CListCtrl::DeleteColumn(int col) {
  return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(col)));
}
BOOL CListCtrl::GetColumn(int col, LVCOLUMN* column) const {
  return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
}
BOOL CListCtrl::SetColumn(int col, const LVCOLUMN* column) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
}
int CListCtrl::GetColumnWidth(int col) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col)));
}
BOOL CListCtrl::SetColumnWidth(int col, int width) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(width, 0)));
}
BOOL CListCtrl::GetColumnOrderArray(LPINT order, int count) {
  if (count == -1) {
    CHeaderCtrl* header = GetHeaderCtrl();
    count = header ? header->GetItemCount() : 0;
  }
  return static_cast<BOOL>(
      SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
}
BOOL CListCtrl::SetColumnOrderArray(int count, LPINT order) {
  return static_cast<BOOL>(
      SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
}
CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  return AfxWndFromHandle<CHeaderCtrl>(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemCount(int count) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)));
}
int CListCtrl::InsertItem(const LVITEM* item) {
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
int CListCtrl::InsertItem(int row, LPCWSTR text) { return InsertItem(LVIF_TEXT, row, text, 0, 0, 0, 0); }
int CListCtrl::InsertItem(UINT mask, int row, LPCWSTR text, UINT state, UINT stateMask, int image, LPARAM param) {
  LVITEM item;
  item.mask = mask;
  item.iItem = row;
  item.pszText = const_cast<LPWSTR>(text);
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = param;
  return InsertItem(&item);
}
BOOL CListCtrl::DeleteItem(int row) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
BOOL CListCtrl::GetItem(LVITEM* item) const {
  return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
BOOL CListCtrl::SetItem(const LVITEM* item) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
BOOL CListCtrl::SetItem(int row, int subItem, UINT mask, LPCWSTR text, int image, UINT state, UINT stateMask,
                        LPARAM param) {
  LVITEM item;
  item.mask = mask;
  item.iItem = row;
  item.iSubItem = subItem;
  item.pszText = const_cast<LPWSTR>(text);
  item.iImage = image;
  item.state = state;
  item.stateMask = stateMask;
  item.lParam = param;
  return SetItem(&item);
}

CString CListCtrl::GetItemText(int row, int subItem) const {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEM item;
    item.iSubItem = subItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int length =
        static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length < static_cast<int>(buffer.size()) - 1) return CString(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

int CListCtrl::GetItemText(int row, int subItem, LPWSTR buffer, int bufferMax) const {
  LVITEM item;
  item.iSubItem = subItem;
  item.pszText = buffer;
  item.cchTextMax = bufferMax;
  return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int row, int subItem, LPCWSTR text) {
  LVITEM item;
  item.iSubItem = subItem;
  item.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
  LVITEM item;
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) {
  return SetItem(row, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(data));
}
UINT CListCtrl::GetItemState(int row, UINT mask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), static_cast<LPARAM>(mask)));
}
BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEM item;
  item.state = state;
  item.stateMask = mask;
  return SetItemState(row, &item);
}
BOOL CListCtrl::SetItemState(int row, LVITEM* item) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(item)));
}
BOOL CListCtrl::GetCheck(int row) const { return static_cast<BOOL>(GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) - 1; }
BOOL CListCtrl::SetCheck(int row, BOOL check) {
  return SetItemState(row, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}
int CListCtrl::GetNextItem(int row, int flags) const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(row), static_cast<LPARAM>(flags)));
}
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int row) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, row)); }
int CListCtrl::GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
int CListCtrl::SetHotItem(int row) { return static_cast<int>(SendMessage(LVM_SETHOTITEM, static_cast<WPARAM>(row))); }

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}
CImageList* CListCtrl::GetImageList(int kind) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind))));
}
CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
  HIMAGELIST handle = list ? list->m_hImageList : nullptr;
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(handle))));
}
COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
HWND CListCtrl::GetToolTipsHandle() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETTOOLTIPS)); }

BOOL CListCtrl::GetItemRect(int row, LPRECT rect, UINT part) const {
  if (!rect) return FALSE;
  rect->left = static_cast<LONG>(part);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rect)));
}
BOOL CListCtrl::GetSubItemRect(int row, int subItem, int part, CRect& rect) {
  rect.top = subItem;
  rect.left = part;
  return static_cast<BOOL>(
      SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(static_cast<RECT*>(&rect))));
}
int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info;
  info.pt = point;
  int row = HitTest(&info);
  if (flags) *flags = info.flags;
  return row;
}
int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
int CListCtrl::SubItemHitTest(LPLVHITTESTINFO info) {
  return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
BOOL CListCtrl::EnsureVisible(int row, BOOL partialOk) {
  return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk));
}
BOOL CListCtrl::Scroll(CSize size) {
  return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
}
int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
  return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}
BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data) {
  return static_cast<BOOL>(SendMessage(LVM_SORTITEMSEX, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}
CEdit* CListCtrl::EditLabel(int row) {
  return AfxWndFromHandle<CEdit>(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(row))));
}
CEdit* CListCtrl::GetEditControl() const {
  return AfxWndFromHandle<CEdit>(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)));
}
