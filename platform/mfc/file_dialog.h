// CFileDialog: the open and save dialogs. DoModal asks the input driver for the path a
// person chooses: IDOK with the path (the default extension added to a name without
// one; the filter index set to the filter whose pattern matches, unless the answer names
// one), or IDCANCEL. An open dialog with OFN_FILEMUSTEXIST refuses a file that does not
// exist, as the real dialog would keep asking: the script is wrong, and that fails loudly
// (StandIn::InputScriptError).
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/wnd.h"

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_EXPLORER 0x00080000
#define OFN_ENABLESIZING 0x00800000

struct OPENFILENAMEW {
  DWORD lStructSize = sizeof(OPENFILENAMEW);
  HWND hwndOwner = nullptr;
  LPCWSTR lpstrFilter = nullptr;  // pairs of texts, each ended by a zero, the list by two
  DWORD nFilterIndex = 1;
  LPWSTR lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  LPCWSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
  LPCWSTR lpstrDefExt = nullptr;
};

class CFileDialog {
public:
  // The filter is MFC's: "Name|pattern|Name|pattern||".
  explicit CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                       CWnd* parent = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE);
  virtual ~CFileDialog() = default;
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  virtual INT_PTR DoModal();
  OPENFILENAMEW& GetOFN() { return m_ofn; }
  CString GetPathName() const;
  CString GetFileName() const;   // the name with its extension
  CString GetFileExt() const;    // without the dot
  CString GetFileTitle() const;  // the name without its extension
  // The filters as (name, pattern) pairs, in order.
  const std::vector<std::pair<std::wstring, std::wstring>>& Filters() const { return filters_; }

  OPENFILENAMEW m_ofn;
  BOOL m_bOpenFileDialog;

private:
  std::vector<std::pair<std::wstring, std::wstring>> filters_;
  std::wstring filterBlock_;  // the filters as OPENFILENAMEW holds them
  std::wstring initialName_;
  std::wstring defaultExtension_;
  std::wstring path_;
};
