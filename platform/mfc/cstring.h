// CString: the MFC wide string. Holds wchar_t (UTF-32 here); Format follows the Windows
// wide rules (%s wide, %S narrow in the ANSI code page, %c wide, %C narrow).
//
// The object is one pointer to a shared, reference-counted text: copies share the text and
// only count, every empty string shares one static empty text (no allocation), and a change
// first makes the text its own when others share it (copy on write). The count is not atomic:
// the module runs on the host's user-interface thread only.
#pragma once
#include <compare>
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/win/wide_format.h"
#include "platform/win/win32_types.h"

class CString {
public:
  CString() noexcept : text_(emptyText()) {}
  CString(const CString& other);
  CString(CString&& other) noexcept : text_(other.text_) { other.text_ = emptyText(); }
  CString(const wchar_t* s);
  CString(const wchar_t* s, int length);
  CString(const char* s);  // narrow text in the ANSI code page
  CString(wchar_t ch, int repeat = 1);
  CString(const std::wstring& s);
  ~CString() { release(); }
  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const wchar_t* s);

  int GetLength() const { return text_->length; }
  bool IsEmpty() const { return text_->length == 0; }
  void Empty();
  wchar_t GetAt(int i) const { return str().at(static_cast<size_t>(i)); }
  wchar_t operator[](int i) const { return GetAt(i); }
  operator const wchar_t*() const { return text_->chars(); }
  const wchar_t* GetString() const { return text_->chars(); }
  std::wstring_view str() const { return {text_->chars(), static_cast<size_t>(text_->length)}; }

  // Raw buffer access in the MFC manner: GetBuffer gives room for at least minLength
  // characters; ReleaseBuffer cuts at the given length or at the first null. Until then
  // the text is not shared: a copy made meanwhile gets its own.
  wchar_t* GetBuffer(int minLength = 0);
  void ReleaseBuffer(int newLength = -1);

  void Format(const wchar_t* format, ...);
  BOOL LoadString(UINT id);
  BOOL LoadString(HINSTANCE instance, UINT id);
  BOOL LoadString(HINSTANCE instance, UINT id, WORD language);  // that language's text only

  CString& operator+=(const CString& s) { return append(s.str()); }
  CString& operator+=(const wchar_t* s) { return s ? append(s) : *this; }
  CString& operator+=(wchar_t ch) { return append({&ch, 1}); }

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

  friend CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
  }
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
  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_ || a.str() == b.str(); }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.str() == (b ? b : L""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
  // Without this, containers of CString (vector, pair) would compare the converted pointers.
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.str() <=> b.str(); }

private:
  // The shared text: its count of owners, its length and room, then the characters and a
  // null. The count is kLocked while GetBuffer's buffer is out and kStatic for the shared
  // empty text, which is never counted nor freed.
  struct Text {
    static constexpr int kLocked = -1;
    static constexpr int kStatic = -2;
    int owners;
    int length;
    int capacity;
    wchar_t* chars() { return reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(this) + sizeof(Text)); }
    bool ownedAlone() const { return owners == 1 || owners == kLocked; }
  };
  struct EmptyText {
    Text text;
    wchar_t null;
  };
  static_assert(offsetof(EmptyText, null) == sizeof(Text), "the null follows the header as in every text");
  static constinit inline EmptyText empty_{{Text::kStatic, 0, 0}, L'\0'};
  static Text* emptyText() noexcept { return &empty_.text; }
  static Text* allocate(size_t capacity);
  static Text* share(Text* text);
  static Text* copyOf(std::wstring_view s, size_t capacity);
  explicit CString(std::wstring_view s) : text_(copyOf(s, s.size())) {}
  void release() noexcept;
  void assign(std::wstring_view s);
  CString& append(std::wstring_view s);
  // The characters, owned by this string alone, with room for at least capacity of them.
  wchar_t* ownChars(size_t capacity);
  void setLength(size_t length);

  Text* text_;
};

// Writes the text as UTF-8 (test failure messages, diagnostics).
std::ostream& operator<<(std::ostream& out, const CString& text);

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::wstring_view>()(s.str()); }
};
