#include "platform/mfc/cstring.h"

#include <algorithm>
#include <cwctype>
#include <ostream>
#include <vector>

#include "platform/mfc/afx_module.h"
#include "platform/win/codepage.h"

CString::CString(const char* s) : s_(s ? AnsiToWide(s) : std::wstring()) {}

wchar_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength));
  return s_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    s_.resize(std::wcslen(s_.c_str()));
  } else {
    s_.resize(std::min(static_cast<size_t>(newLength), s_.size()));
  }
}

void CString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  s_ = FormatWide(format, args);
  va_end(args);
}

BOOL CString::LoadString(UINT id) { return LoadString(AfxFindStringResourceHandle(id), id); }

BOOL CString::LoadString(HINSTANCE instance, UINT id) {
  std::wstring text;
  if (!instance || !LoadStringResource(instance, id, text)) return FALSE;
  s_ = text;
  return TRUE;
}

int CString::Compare(const wchar_t* s) const { return std::wcscmp(s_.c_str(), s ? s : L""); }

int CString::CompareNoCase(const wchar_t* s) const {
  const wchar_t* a = s_.c_str();
  const wchar_t* b = s ? s : L"";
  for (;; ++a, ++b) {
    wint_t ca = std::towlower(*a), cb = std::towlower(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!*a) return 0;
  }
}

int CString::Find(wchar_t ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t pos = s_.find(ch, static_cast<size_t>(start));
  return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t pos = s_.find(sub, static_cast<size_t>(start));
  return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
  size_t pos = s_.rfind(ch);
  return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= GetLength()) return CString();
  return CString(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::SpanIncluding(const wchar_t* chars) const {
  size_t n = chars ? s_.find_first_not_of(chars) : 0;
  return Left(n == std::wstring::npos ? GetLength() : static_cast<int>(n));
}

CString& CString::MakeUpper() {
  for (auto& ch : s_) ch = static_cast<wchar_t>(std::towupper(ch));
  return *this;
}

CString& CString::MakeLower() {
  for (auto& ch : s_) ch = static_cast<wchar_t>(std::towlower(ch));
  return *this;
}

int CString::Replace(wchar_t from, wchar_t to) {
  int n = 0;
  for (auto& ch : s_) {
    if (ch == from) {
      ch = to;
      ++n;
    }
  }
  return n;
}

std::ostream& operator<<(std::ostream& out, const CString& text) { return out << WideToUtf8(text.str()); }
