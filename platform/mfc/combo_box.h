// CComboBox: the combo box (dialog_controls.h says how it behaves).
#pragma once
#include "platform/mfc/wnd.h"

class CComboBox : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);     // -1 clears the selection; CB_ERR for an index out of range
  int AddString(LPCWSTR text);  // the index it got, CB_ERR on failure
  int GetLBText(int index, LPWSTR buffer) const;
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  int FindStringExact(int startAfter, LPCWSTR text) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  void GetDroppedControlRect(LPRECT rect) const;
  int GetDroppedWidth() const;
  int SetDroppedWidth(UINT width);     // the width the list gets, CB_ERR on failure
  int GetItemHeight(int index) const;  // -1: the selection field
  int SetItemHeight(int index, UINT height);
  int InitStorage(int items, UINT bytes);
};
