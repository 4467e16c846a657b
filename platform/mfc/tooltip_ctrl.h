// CToolTipCtrl: a tooltip window. Tests read the text the last tooltip request gave with
// StandIn::TooltipTextOf.
#pragma once
#include "platform/mfc/wnd.h"

class CToolTipCtrl : public CWnd {
public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  void Activate(BOOL activate);
  int SetMaxTipWidth(int width);
  int GetMaxTipWidth() const;
  BOOL AddTool(CWnd* window, LPCWSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
  void DelTool(CWnd* window, UINT_PTR id = 0);
  int GetToolCount() const;
  void UpdateTipText(LPCWSTR text, CWnd* window, UINT_PTR id = 0);
  void Pop();
};
