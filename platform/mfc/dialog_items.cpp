// CWnd's operations on the controls of a dialog and its message box.
#include "platform/mfc/win_app.h"
#include "platform/mfc/wnd.h"

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  CString title = caption ? CString(caption) : (AfxGetApp() ? AfxGetApp()->m_strAppName : CString());
  return ::MessageBoxW(m_hWnd, text, title, type);
}

void CWnd::SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }

int CWnd::GetDlgItemText(int id, CString& text) const {
  text.Empty();
  if (CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
  return text.GetLength();
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
}

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (::GetDlgItem(m_hWnd, id) && ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}
