#include "platform/mfc/message_box.h"

#include <string>

#include "platform/mfc/afx_module.h"
#include "platform/mfc/win_app.h"
#include "platform/mfc/wnd.h"

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
  CString caption = AfxGetApp() ? AfxGetApp()->m_strAppName : CString();
  HWND owner = GetActiveWindow();
  return ::MessageBoxW(owner, text, caption, type);
}
