// CListCtrl: the list-view control; every operation is a LVM_ message to the window, so
// a subclass that maps LVM_INSERTCOLUMNW or LVM_SETCOLUMNWIDTH sees the wrapper's calls too.
#pragma once
#include "platform/mfc/header_ctrl.h"
#include "platform/mfc/wnd.h"

class CImageList;
class CEdit;

class CListCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // ---- Columns.
  int InsertColumn(int col, const LVCOLUMN* column);
  int InsertColumn(int col, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int col);
  BOOL GetColumn(int col, LVCOLUMN* column) const;
  BOOL SetColumn(int col, const LVCOLUMN* column);
  int GetColumnWidth(int col) const;
  BOOL SetColumnWidth(int col, int width);
  BOOL GetColumnOrderArray(LPINT order, int count = -1);
  BOOL SetColumnOrderArray(int count, LPINT order);
  CHeaderCtrl* GetHeaderCtrl() const;

  // ---- Items.
  int GetItemCount() const;
  BOOL SetItemCount(int count);
  int InsertItem(const LVITEM* item);
  int InsertItem(int row, LPCWSTR text);
  int InsertItem(UINT mask, int row, LPCWSTR text, UINT state, UINT stateMask, int image, LPARAM param);
  BOOL DeleteItem(int row);
  BOOL DeleteAllItems();
  BOOL GetItem(LVITEM* item) const;
  BOOL SetItem(const LVITEM* item);
  BOOL SetItem(int row, int subItem, UINT mask, LPCWSTR text, int image, UINT state, UINT stateMask, LPARAM param);
  CString GetItemText(int row, int subItem) const;
  int GetItemText(int row, int subItem, LPWSTR buffer, int bufferMax) const;
  BOOL SetItemText(int row, int subItem, LPCWSTR text);
  DWORD_PTR GetItemData(int row) const;
  BOOL SetItemData(int row, DWORD_PTR data);
  UINT GetItemState(int row, UINT mask) const;
  BOOL SetItemState(int row, UINT state, UINT mask);
  BOOL SetItemState(int row, LVITEM* item);
  BOOL GetCheck(int row) const;
  BOOL SetCheck(int row, BOOL check = TRUE);
  int GetNextItem(int row, int flags) const;
  UINT GetSelectedCount() const;
  int GetSelectionMark() const;
  int SetSelectionMark(int row);
  int GetHotItem() const;
  int SetHotItem(int row);

  // ---- Styles and images.
  DWORD GetExtendedStyle() const;
  DWORD SetExtendedStyle(DWORD style);
  CImageList* GetImageList(int kind) const;
  CImageList* SetImageList(CImageList* list, int kind);
  COLORREF GetBkColor() const;
  HWND GetToolTipsHandle() const;

  // ---- Geometry, scrolling, hit tests.
  BOOL GetItemRect(int row, LPRECT rect, UINT part) const;
  BOOL GetSubItemRect(int row, int subItem, int part, CRect& rect);
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int HitTest(LVHITTESTINFO* info) const;
  int SubItemHitTest(LPLVHITTESTINFO info);
  BOOL EnsureVisible(int row, BOOL partialOk);
  BOOL Scroll(CSize size);
  int GetTopIndex() const;
  int GetCountPerPage() const;

  // ---- Sorting and label editing.
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
  BOOL SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data);
  CEdit* EditLabel(int row);
  CEdit* GetEditControl() const;
};
