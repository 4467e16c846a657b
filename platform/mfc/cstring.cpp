#include "platform/mfc/cstring.h"

#include <algorithm>
#include <ostream>
#include <cwctype>
#include <vector>

#include "platform/win/codepage.h"
#include "platform/mfc/afx_module.h"

CString::CString(const char* s) : s_(s ? AnsiToWide(s) : std::wstring()) {}

wchar_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength));
  return s_.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
  s_.resize(static_cast<size_t>(length > 0 ? length : 0));
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

void CString::FormatV(const wchar_t* format, va_list args) { s_ = FormatWide(format, args); }

void CString::AppendFormat(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  s_ += FormatWide(format, args);
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  return LoadString(AfxFindStringResourceHandle(id), id);
}

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

int CString::FindOneOf(const wchar_t* chars) const {
  if (!chars) return -1;
  size_t pos = s_.find_first_of(chars);
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

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  if (count >= GetLength()) return *this;
  return CString(s_.substr(s_.size() - static_cast<size_t>(count)));
}

CString CString::SpanIncluding(const wchar_t* chars) const {
  size_t n = chars ? s_.find_first_not_of(chars) : 0;
  return Left(n == std::wstring::npos ? GetLength() : static_cast<int>(n));
}

CString CString::SpanExcluding(const wchar_t* chars) const {
  size_t n = chars ? s_.find_first_of(chars) : std::wstring::npos;
  return Left(n == std::wstring::npos ? GetLength() : static_cast<int>(n));
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
  if (start < 0 || start >= GetLength() || !delimiters) {
    start = -1;
    return CString();
  }
  size_t from = s_.find_first_not_of(delimiters, static_cast<size_t>(start));
  if (from == std::wstring::npos) {
    start = -1;
    return CString();
  }
  size_t to = s_.find_first_of(delimiters, from);
  if (to == std::wstring::npos) to = s_.size();
  start = static_cast<int>(to) + 1;
  return CString(s_.substr(from, to - from));
}

CString& CString::MakeUpper() {
  for (auto& ch : s_) ch = static_cast<wchar_t>(std::towupper(ch));
  return *this;
}

CString& CString::MakeLower() {
  for (auto& ch : s_) ch = static_cast<wchar_t>(std::towlower(ch));
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(s_.begin(), s_.end());
  return *this;
}

CString& CString::TrimLeft(const wchar_t* chars) {
  size_t n = s_.find_first_not_of(chars ? chars : L"");
  s_.erase(0, n == std::wstring::npos ? s_.size() : n);
  return *this;
}

CString& CString::TrimRight(const wchar_t* chars) {
  size_t n = s_.find_last_not_of(chars ? chars : L"");
  s_.erase(n == std::wstring::npos ? 0 : n + 1);
  return *this;
}

static const wchar_t kWhitespace[] = L" \t\r\n\v\f";

CString& CString::Trim() { return TrimLeft().TrimRight(); }
CString& CString::Trim(wchar_t ch) { return TrimLeft(ch).TrimRight(ch); }
CString& CString::Trim(const wchar_t* chars) { return TrimLeft(chars).TrimRight(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }
CString& CString::TrimLeft(wchar_t ch) { const wchar_t set[2] = {ch, 0}; return TrimLeft(set); }
CString& CString::TrimRight(wchar_t ch) { const wchar_t set[2] = {ch, 0}; return TrimRight(set); }

int CString::Replace(wchar_t from, wchar_t to) {
  int n = 0;
  for (auto& ch : s_) {
    if (ch == from) { ch = to; ++n; }
  }
  return n;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
  if (!from || !*from) return 0;
  std::wstring f(from), t(to ? to : L"");
  int n = 0;
  for (size_t pos = s_.find(f); pos != std::wstring::npos; pos = s_.find(f, pos + t.size())) {
    s_.replace(pos, f.size(), t);
    ++n;
  }
  return n;
}

int CString::Remove(wchar_t ch) {
  size_t before = s_.size();
  s_.erase(std::remove(s_.begin(), s_.end(), ch), s_.end());
  return static_cast<int>(before - s_.size());
}

int CString::Insert(int index, wchar_t ch) {
  index = std::clamp(index, 0, GetLength());
  s_.insert(s_.begin() + index, ch);
  return GetLength();
}

int CString::Insert(int index, const wchar_t* s) {
  index = std::clamp(index, 0, GetLength());
  if (s) s_.insert(static_cast<size_t>(index), s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) s_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

std::ostream& operator<<(std::ostream& out, const CString& text) { return out << WideToUtf8(text.str()); }
