// CString: the MFC wide string. Holds wchar_t (UTF-32 here); Format follows the Windows
// wide rules (%s wide, %S narrow in the ANSI code page, %c wide, %C narrow).
#pragma once
#include <compare>
#include <cstdarg>
#include <functional>
#include <iosfwd>
#include <string>

#include "platform/win/wide_format.h"
#include "platform/win/win32_types.h"

class CString {
public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(const wchar_t* s) : s_(s ? s : L"") {}
  CString(const wchar_t* s, int length) : s_(s ? std::wstring(s, length > 0 ? length : 0) : std::wstring()) {}
  CString(const char* s);  // narrow text in the ANSI code page
  CString(wchar_t ch, int repeat = 1) : s_(repeat > 0 ? repeat : 0, ch) {}
  CString(const std::wstring& s) : s_(s) {}
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const wchar_t* s) {
    s_ = s ? s : L"";
    return *this;
  }

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  wchar_t GetAt(int i) const { return s_.at(static_cast<size_t>(i)); }
  wchar_t operator[](int i) const { return GetAt(i); }
  operator const wchar_t*() const { return s_.c_str(); }
  const wchar_t* GetString() const { return s_.c_str(); }
  const std::wstring& str() const { return s_; }

  // Raw buffer access in the MFC manner: GetBuffer gives room for at least minLength
  // characters; ReleaseBuffer cuts at the given length or at the first null.
  wchar_t* GetBuffer(int minLength = 0);
  void ReleaseBuffer(int newLength = -1);

  void Format(const wchar_t* format, ...);
  BOOL LoadString(UINT id);
  BOOL LoadString(HINSTANCE instance, UINT id);

  CString& operator+=(const CString& s) {
    s_ += s.s_;
    return *this;
  }
  CString& operator+=(const wchar_t* s) {
    if (s) s_ += s;
    return *this;
  }
  CString& operator+=(wchar_t ch) {
    s_ += ch;
    return *this;
  }

  int Compare(const wchar_t* s) const;
  int CompareNoCase(const wchar_t* s) const;
  int Find(wchar_t ch, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t ch) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString SpanIncluding(const wchar_t* chars) const;
  CString& MakeUpper();
  CString& MakeLower();
  int Replace(wchar_t from, wchar_t to);

  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, const wchar_t* b) {
    CString r(a);
    r += b;
    return r;
  }
  friend CString operator+(const wchar_t* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
  }
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.s_ == (b ? b : L""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }
  // Without this, containers of CString (vector, pair) would compare the converted pointers.
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.s_ <=> b.s_; }

private:
  std::wstring s_;
};

// Writes the text as UTF-8 (test failure messages, diagnostics).
std::ostream& operator<<(std::ostream& out, const CString& text);

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::wstring>()(s.str()); }
};
