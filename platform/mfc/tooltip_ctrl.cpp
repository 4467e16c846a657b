#include "platform/mfc/tooltip_ctrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | style, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr, nullptr);
}
void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate)); }
int CToolTipCtrl::SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
BOOL CToolTipCtrl::AddTool(CWnd* window, LPCWSTR text, LPCRECT rect, UINT_PTR id) {
  TOOLINFOW info;
  info.hwnd = window ? window->m_hWnd : nullptr;
  info.uId = id;
  info.lpszText = const_cast<LPWSTR>(text);
  if (rect) info.rect = *rect;
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}
void CToolTipCtrl::DelTool(CWnd* window, UINT_PTR id) {
  TOOLINFOW info;
  info.hwnd = window ? window->m_hWnd : nullptr;
  info.uId = id;
  SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* window, UINT_PTR id) {
  TOOLINFOW info;
  info.hwnd = window ? window->m_hWnd : nullptr;
  info.uId = id;
  info.lpszText = const_cast<LPWSTR>(text);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
