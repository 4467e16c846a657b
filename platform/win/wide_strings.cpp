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
