#include "platform/mfc/header_ctrl.h"

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
BOOL CHeaderCtrl::SetItem(int index, HDITEM* item) {
  return static_cast<BOOL>(SendMessage(HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
BOOL CHeaderCtrl::GetOrderArray(LPINT order, int count) {
  if (count == -1) count = GetItemCount();
  return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
}
int CHeaderCtrl::OrderToIndex(int order) const {
  return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(order)));
}
int CHeaderCtrl::HitTest(LPHDHITTESTINFO info) {
  return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
