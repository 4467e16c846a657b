#include "platform/mfc/cstring.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <new>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "platform/mfc/afx_module.h"
#include "platform/win/codepage.h"

// ---- The shared text ----

CString::Text* CString::allocate(size_t capacity) {
  if (capacity > static_cast<size_t>(std::numeric_limits<int>::max())) throw std::length_error("CString too long");
  void* memory = ::operator new(sizeof(Text) + (capacity + 1) * sizeof(wchar_t));
  Text* text = new (memory) Text{1, 0, static_cast<int>(capacity)};
  text->chars()[0] = L'\0';
  return text;
}

CString::Text* CString::copyOf(std::wstring_view s, size_t capacity) {
  if (capacity == 0) return emptyText();
  Text* text = allocate(std::max(capacity, s.size()));
  std::wmemcpy(text->chars(), s.data(), s.size());
  text->length = static_cast<int>(s.size());
  text->chars()[s.size()] = L'\0';
  return text;
}

CString::Text* CString::share(Text* text) {
  if (text->owners == Text::kLocked) return copyOf({text->chars(), static_cast<size_t>(text->length)}, text->length);
  if (text->owners > 0) ++text->owners;
  return text;
}

void CString::release() noexcept {
  if (text_->owners > 1) {
    --text_->owners;
  } else if (text_->owners != Text::kStatic) {
    text_->~Text();
    ::operator delete(text_);
  }
}

wchar_t* CString::ownChars(size_t capacity) {
  if (text_->ownedAlone() && capacity <= static_cast<size_t>(text_->capacity)) return text_->chars();
  Text* own = allocate(std::max(capacity, static_cast<size_t>(text_->length)));
  std::wmemcpy(own->chars(), text_->chars(), static_cast<size_t>(text_->length) + 1);
  own->length = text_->length;
  release();
  text_ = own;
  return own->chars();
}

void CString::setLength(size_t length) {
  text_->length = static_cast<int>(length);
  text_->chars()[length] = L'\0';
}

void CString::assign(std::wstring_view s) {
  if (s.empty()) return Empty();
  if (text_->ownedAlone() && s.size() <= static_cast<size_t>(text_->capacity)) {
    std::wmemmove(text_->chars(), s.data(), s.size());  // s may lie in this very text
    setLength(s.size());
    return;
  }
  Text* text = copyOf(s, s.size());
  release();
  text_ = text;
}

CString& CString::append(std::wstring_view s) {
  if (s.empty()) return *this;
  size_t length = static_cast<size_t>(text_->length), needed = length + s.size();
  size_t capacity = static_cast<size_t>(text_->capacity);
  if (text_->ownedAlone() && needed <= capacity) {
    std::wmemcpy(text_->chars() + length, s.data(), s.size());
    setLength(needed);
    return *this;
  }
  // A text of its own grows by doubling, as repeated appends expect; a shared one is copied
  // at the size it needs. The old text is freed only after s, which may lie in it, is copied.
  Text* grown = allocate(text_->ownedAlone() ? std::max(needed, 2 * capacity) : needed);
  std::wmemcpy(grown->chars(), text_->chars(), length);
  std::wmemcpy(grown->chars() + length, s.data(), s.size());
  grown->length = static_cast<int>(needed);
  grown->chars()[needed] = L'\0';
  release();
  text_ = grown;
  return *this;
}

// ---- Making, copying and changing ----

CString::CString(const CString& other) : text_(share(other.text_)) {}

CString::CString(const wchar_t* s) : CString(std::wstring_view(s ? s : L"")) {}

CString::CString(const wchar_t* s, int length)
    : CString(s && length > 0 ? std::wstring_view(s, static_cast<size_t>(length)) : std::wstring_view()) {}

CString::CString(const char* s) : CString(s ? AnsiToWide(s) : std::wstring()) {}

CString::CString(wchar_t ch, int repeat) : text_(emptyText()) {
  if (repeat <= 0) return;
  text_ = allocate(static_cast<size_t>(repeat));
  std::wmemset(text_->chars(), ch, static_cast<size_t>(repeat));
  setLength(static_cast<size_t>(repeat));
}

CString::CString(const std::wstring& s) : CString(std::wstring_view(s)) {}

CString& CString::operator=(const CString& other) {
  if (text_ != other.text_) {
    Text* text = share(other.text_);
    release();
    text_ = text;
  }
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    release();
    text_ = other.text_;
    other.text_ = emptyText();
  }
  return *this;
}

CString& CString::operator=(const wchar_t* s) {
  assign(s ? s : L"");
  return *this;
}

void CString::Empty() {
  release();
  text_ = emptyText();
}

wchar_t* CString::GetBuffer(int minLength) {
  size_t length = static_cast<size_t>(GetLength());
  size_t wanted = std::max(length, minLength > 0 ? static_cast<size_t>(minLength) : 0);
  if (text_->owners == Text::kStatic) {
    text_ = allocate(wanted);  // even an empty string hands out a buffer of its own
  }
  wchar_t* chars = ownChars(wanted);
  if (wanted > length) {
    std::wmemset(chars + length, L'\0', wanted - length);
    setLength(wanted);
  }
  text_->owners = Text::kLocked;
  return chars;
}

void CString::ReleaseBuffer(int newLength) {
  std::wstring_view s = str();
  size_t length =
      newLength < 0 ? std::min(s.find(L'\0'), s.size()) : std::min(static_cast<size_t>(newLength), s.size());
  if (length == 0) return Empty();
  if (length < s.size()) {
    ownChars(length);
    setLength(length);
  }
  if (text_->owners == Text::kLocked) text_->owners = 1;
}

void CString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring text = FormatWide(format, args);
  va_end(args);
  assign(text);
}

BOOL CString::LoadString(UINT id) { return LoadString(AfxFindStringResourceHandle(id), id); }

BOOL CString::LoadString(HINSTANCE instance, UINT id) {
  std::wstring text;
  if (!instance || !LoadStringResource(instance, id, text)) return FALSE;
  assign(text);
  return TRUE;
}

BOOL CString::LoadString(HINSTANCE instance, UINT id, WORD language) {
  std::wstring text;
  if (!instance || !LoadStringResource(instance, id, language, text)) return FALSE;
  assign(text);
  return TRUE;
}

CString& CString::MakeUpper() {
  if (IsEmpty()) return *this;
  wchar_t* chars = ownChars(static_cast<size_t>(GetLength()));
  for (int i = 0; i < GetLength(); ++i) chars[i] = static_cast<wchar_t>(std::towupper(chars[i]));
  return *this;
}

CString& CString::MakeLower() {
  if (IsEmpty()) return *this;
  wchar_t* chars = ownChars(static_cast<size_t>(GetLength()));
  for (int i = 0; i < GetLength(); ++i) chars[i] = static_cast<wchar_t>(std::towlower(chars[i]));
  return *this;
}

int CString::Replace(wchar_t from, wchar_t to) {
  if (str().find(from) == std::wstring_view::npos) return 0;
  wchar_t* chars = ownChars(static_cast<size_t>(GetLength()));
  int n = 0;
  for (int i = 0; i < GetLength(); ++i) {
    if (chars[i] == from) {
      chars[i] = to;
      ++n;
    }
  }
  return n;
}

// ---- Reading ----

int CString::Compare(const wchar_t* s) const { return std::wcscmp(GetString(), s ? s : L""); }

int CString::CompareNoCase(const wchar_t* s) const {
  const wchar_t* a = GetString();
  const wchar_t* b = s ? s : L"";
  for (;; ++a, ++b) {
    wint_t ca = std::towlower(*a), cb = std::towlower(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!*a) return 0;
  }
}

int CString::Find(wchar_t ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t pos = str().find(ch, static_cast<size_t>(start));
  return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t pos = str().find(sub, static_cast<size_t>(start));
  return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
  size_t pos = str().rfind(ch);
  return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= GetLength()) return CString();
  return CString(str().substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::SpanIncluding(const wchar_t* chars) const {
  size_t n = chars ? str().find_first_not_of(chars) : 0;
  return Left(n == std::wstring_view::npos ? GetLength() : static_cast<int>(n));
}

std::ostream& operator<<(std::ostream& out, const CString& text) { return out << WideToUtf8(text.str()); }
