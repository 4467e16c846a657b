// CHeaderCtrl: the header control; every operation is a HDM_ message to the window.
#pragma once
#include "platform/mfc/wnd.h"

class CImageList;

class CHeaderCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetItemCount() const;
  int InsertItem(int index, HDITEM* item);
  BOOL DeleteItem(int index);
  BOOL GetItem(int index, HDITEM* item) const;
  BOOL SetItem(int index, HDITEM* item);
  BOOL GetItemRect(int index, LPRECT rect) const;
  BOOL GetOrderArray(LPINT order, int count = -1);
  BOOL SetOrderArray(int count, LPINT order);
  int OrderToIndex(int order) const;
  int HitTest(LPHDHITTESTINFO info);
  CImageList* SetImageList(CImageList* list);
  CImageList* GetImageList() const;
};
