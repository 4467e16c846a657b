// CComboBox: the combo box (dialog_controls.h says how it behaves).
#pragma once
#include "platform/mfc/wnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);  // -1 clears the selection; CB_ERR for an index out of range
  int AddString(LPCWSTR text);  // the index it got, CB_ERR on failure
  int InsertString(int index, LPCWSTR text);
  int DeleteString(UINT index);  // the count left, CB_ERR for a bad index
  void ResetContent();
  int GetLBText(int index, LPWSTR buffer) const;
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  int FindString(int startAfter, LPCWSTR prefix) const;
  int FindStringExact(int startAfter, LPCWSTR text) const;
  int SelectString(int startAfter, LPCWSTR prefix);
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  void GetDroppedControlRect(LPRECT rect) const;
  int GetDroppedWidth() const;
  int SetDroppedWidth(UINT width);  // the width the list gets, CB_ERR on failure
  int GetItemHeight(int index) const;  // -1: the selection field
  int SetItemHeight(int index, UINT height);
  int InitStorage(int items, UINT bytes);
};
