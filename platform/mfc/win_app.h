// CWinApp: the application object, with profile strings kept in an initialisation file
// whose path the host program sets (SetProfileFile); AfxGetApp answers the object last
// constructed and not yet destroyed. CWaitCursor marks a wait (no cursor is shown).
#pragma once
#include "platform/mfc/cstring.h"
#include "platform/mfc/message_map.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
  explicit CWinApp(LPCWSTR appName = nullptr);
  ~CWinApp() override;

  CString m_strAppName;
  CWnd* m_pMainWnd = nullptr;

  // The initialisation file behind the profile functions; empty means none: reads answer
  // the defaults and writes fail.
  void SetProfileFile(const CString& path);

  CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr);
  // entry null removes the section; value null removes the entry.
  BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);
  UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);

private:
  CString profileFile_;
};

CWinApp* AfxGetApp();

class CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};
