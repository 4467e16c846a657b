#include "platform/mfc/win_app.h"

#include <algorithm>
#include <vector>

#include "platform/win/ini_profile.h"

namespace {
std::vector<CWinApp*>& apps() {
  static std::vector<CWinApp*> list;
  return list;
}
}  // namespace

CWinApp::CWinApp(LPCWSTR appName) : m_strAppName(appName ? appName : L"") { apps().push_back(this); }

CWinApp::~CWinApp() { apps().erase(std::remove(apps().begin(), apps().end(), this), apps().end()); }

CWinApp* AfxGetApp() { return apps().empty() ? nullptr : apps().back(); }

void CWinApp::SetProfileFile(const CString& path) { profileFile_ = path; }

CString CWinApp::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) {
  if (profileFile_.IsEmpty() || !section || !entry) return CString(defaultValue ? defaultValue : L"");
  std::vector<wchar_t> buffer(256);
  for (;;) {
    DWORD copied = GetPrivateProfileStringW(section, entry, defaultValue ? defaultValue : L"", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), profileFile_);
    if (copied + 1 < buffer.size()) return CString(buffer.data(), static_cast<int>(copied));
    buffer.resize(buffer.size() * 2);
  }
}

BOOL CWinApp::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
  if (profileFile_.IsEmpty()) return FALSE;
  return WritePrivateProfileStringW(section, entry, value, profileFile_);
}

UINT CWinApp::GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) {
  if (profileFile_.IsEmpty()) return static_cast<UINT>(defaultValue);
  return GetPrivateProfileIntW(section, entry, defaultValue, profileFile_);
}

CWaitCursor::CWaitCursor() {}
CWaitCursor::~CWaitCursor() {}
