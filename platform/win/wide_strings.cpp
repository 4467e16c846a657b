#include "platform/win/wide_strings.h"

#include <cwchar>
#include <cwctype>

int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  for (size_t i = 0; i < count; ++i) {
    wint_t ca = std::towlower(a[i]), cb = std::towlower(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!a[i]) return 0;
  }
  return 0;
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) { return _wcsnicmp(a, b, static_cast<size_t>(-1)); }

errno_t wcscpy_s(wchar_t* destination, size_t size, const wchar_t* source) {
  if (!destination || size == 0) return 22;  // EINVAL
  if (!source) {
    destination[0] = 0;
    return 22;
  }
  size_t length = std::wcslen(source);
  if (length >= size) {
    destination[0] = 0;
    return 34;  // ERANGE
  }
  std::wmemcpy(destination, source, length + 1);
  return 0;
}

errno_t wcsncpy_s(wchar_t* destination, size_t size, const wchar_t* source, size_t count) {
  if (!destination || size == 0) return 22;
  if (!source) {
    destination[0] = 0;
    return 22;
  }
  size_t length = std::wcslen(source);
  if (count != _TRUNCATE && count < length) length = count;
  if (length >= size) {
    if (count != _TRUNCATE) {
      destination[0] = 0;
      return 34;
    }
    std::wmemcpy(destination, source, size - 1);
    destination[size - 1] = 0;
    return 80;  // STRUNCATE
  }
  std::wmemcpy(destination, source, length);
  destination[length] = 0;
  return 0;
}

LPWSTR lstrcpynW(LPWSTR destination, LPCWSTR source, int max) {
  if (!destination || max <= 0) return destination;
  int i = 0;
  for (; source && i < max - 1 && source[i]; ++i) destination[i] = source[i];
  destination[i] = 0;
  return destination;
}

int lstrlenW(LPCWSTR text) { return text ? static_cast<int>(std::wcslen(text)) : 0; }
int lstrcmpW(LPCWSTR a, LPCWSTR b) { return std::wcscmp(a ? a : L"", b ? b : L""); }
int lstrcmpiW(LPCWSTR a, LPCWSTR b) { return _wcsicmp(a ? a : L"", b ? b : L""); }
