// CHeaderCtrl: the header control; every operation is a HDM_ message to the window.
#pragma once
#include "platform/mfc/wnd.h"

class CHeaderCtrl : public CWnd {
public:
  int GetItemCount() const;
  BOOL GetItem(int index, HDITEM* item) const;
  BOOL SetItem(int index, HDITEM* item);
  BOOL GetItemRect(int index, LPRECT rect) const;
  BOOL GetOrderArray(LPINT order, int count = -1);
  int OrderToIndex(int order) const;
  int HitTest(LPHDHITTESTINFO info);
};
