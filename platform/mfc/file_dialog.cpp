#include "platform/mfc/file_dialog.h"

#include <cwctype>
#include <filesystem>

#include "platform/win/codepage.h"
#include "platform/win/input_driver.h"

namespace {

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

size_t NameStart(const std::wstring& path) {
  size_t slash = path.find_last_of(L"/\\");
  return slash == std::wstring::npos ? 0 : slash + 1;
}

// The extension of the path's file name with its dot, lower case; empty when none.
std::wstring ExtensionOf(const std::wstring& path) {
  std::wstring name = path.substr(NameStart(path));
  size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? std::wstring() : Lower(name.substr(dot));
}

// Whether a pattern list ("*.csv;*.txt", "*.*") admits the path.
bool PatternAdmits(const std::wstring& patterns, const std::wstring& path) {
  std::wstring extension = ExtensionOf(path);
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(L';', start);
    if (end == std::wstring::npos) end = patterns.size();
    std::wstring pattern = patterns.substr(start, end - start);
    size_t a = pattern.find_first_not_of(L' ');
    pattern = a == std::wstring::npos ? L"" : pattern.substr(a, pattern.find_last_not_of(L' ') - a + 1);
    if (pattern == L"*.*" || pattern == L"*") return true;
    if (pattern.size() > 1 && pattern[0] == L'*' && Lower(pattern.substr(1)) == extension) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent, DWORD, BOOL)
    : m_bOpenFileDialog(openFileDialog) {
  initialName_ = fileName ? fileName : L"";
  defaultExtension_ = defaultExtension ? defaultExtension : L"";
  // "Name|pattern|Name|pattern||": the pairs up to the empty name.
  std::wstring text = filter ? filter : L"";
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < text.size()) {
    size_t bar = text.find(L'|', start);
    if (bar == std::wstring::npos) bar = text.size();
    parts.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) filters_.emplace_back(parts[i], parts[i + 1]);
  for (const auto& [name, pattern] : filters_) {
    filterBlock_ += name;
    filterBlock_ += L'\0';
    filterBlock_ += pattern;
    filterBlock_ += L'\0';
  }
  filterBlock_ += L'\0';
  m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
  m_ofn.lpstrFilter = filters_.empty() ? nullptr : filterBlock_.c_str();
  m_ofn.nFilterIndex = 1;
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_ofn.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
}

INT_PTR CFileDialog::DoModal() {
  StandIn::FileDialogRequest request;
  request.open = m_bOpenFileDialog != FALSE;
  request.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : L"";
  request.initialName = initialName_;
  request.defaultExtension = defaultExtension_;
  request.filters = filters_;
  request.filterIndex = m_ofn.nFilterIndex ? static_cast<int>(m_ofn.nFilterIndex) : 1;
  request.flags = m_ofn.Flags;
  StandIn::FileDialogAnswer answer = StandIn::CurrentInputDriver().AnswerFileDialog(request);
  if (!answer.accepted) return IDCANCEL;
  std::string what = StandIn::DescribeFileDialog(request);
  if (answer.path.empty()) throw StandIn::InputScriptError(what + " was given an empty path");
  if (answer.filterIndex < 0 || answer.filterIndex > static_cast<int>(filters_.size()))
    throw StandIn::InputScriptError(what + " has " + std::to_string(filters_.size()) + " filters, not filter " +
                                    std::to_string(answer.filterIndex));
  std::wstring path = answer.path;
  if (!defaultExtension_.empty() && ExtensionOf(path).empty()) path += L"." + defaultExtension_;
  int index = answer.filterIndex;
  for (size_t i = 0; !index && i < filters_.size(); ++i)
    if (PatternAdmits(filters_[i].second, path)) index = static_cast<int>(i) + 1;
  if (!index) index = request.filterIndex;
  if (request.open && (m_ofn.Flags & OFN_FILEMUSTEXIST)) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(WideToUtf8(path)), error))
      throw StandIn::InputScriptError(what + " needs an existing file; \"" + WideToUtf8(path) + "\" is none");
  }
  path_ = path;
  m_ofn.nFilterIndex = static_cast<DWORD>(index);
  if (m_ofn.lpstrFile && m_ofn.nMaxFile > path_.size()) std::wmemcpy(m_ofn.lpstrFile, path_.c_str(), path_.size() + 1);
  return IDOK;
}

CString CFileDialog::GetPathName() const { return CString(path_); }
CString CFileDialog::GetFileName() const { return CString(path_.substr(NameStart(path_))); }

CString CFileDialog::GetFileExt() const {
  std::wstring name = path_.substr(NameStart(path_));
  size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? CString() : CString(name.substr(dot + 1));
}

CString CFileDialog::GetFileTitle() const {
  std::wstring name = path_.substr(NameStart(path_));
  size_t dot = name.find_last_of(L'.');
  return CString(dot == std::wstring::npos ? name : name.substr(0, dot));
}
