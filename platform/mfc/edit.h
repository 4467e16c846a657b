// CEdit: the edit control (EN_CHANGE on every text change, WM_SETTEXT included).
#pragma once
#include "platform/mfc/wnd.h"

class CEdit : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void SetLimitText(UINT max);
  UINT GetLimitText() const;
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void SetMargins(UINT left, UINT right);
  DWORD GetMargins() const;
  BOOL GetModify() const;
};
