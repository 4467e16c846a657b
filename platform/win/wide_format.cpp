#include "platform/win/wide_format.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "platform/win/codepage.h"

namespace {

// One conversion of a format: flags, width, precision, length modifier and kind.
struct Conversion {
  std::wstring flags;
  int width = -1;
  int precision = -1;
  std::wstring length;  // "", "h", "hh", "l", "ll", "L", "I64", "I32", "I", "w", "z", "j", "t"
  wchar_t kind = 0;
};

std::wstring padText(const std::wstring& text, const Conversion& c) {
  std::wstring body = text;
  if (c.precision >= 0 && static_cast<size_t>(c.precision) < body.size()) body.resize(c.precision);
  if (c.width > 0 && static_cast<size_t>(c.width) > body.size()) {
    std::wstring pad(static_cast<size_t>(c.width) - body.size(), L' ');
    bool left = c.flags.find(L'-') != std::wstring::npos;
    body = left ? body + pad : pad + body;
  }
  return body;
}

template <typename T>
std::wstring printOne(const Conversion& c, const wchar_t* cLength, T value) {
  std::wstring pattern = L"%" + c.flags;
  if (c.width >= 0) pattern += std::to_wstring(c.width);
  if (c.precision >= 0) pattern += L"." + std::to_wstring(c.precision);
  pattern += cLength;
  pattern += c.kind;
  size_t size = 512 + static_cast<size_t>(std::max(c.width, 0)) + static_cast<size_t>(std::max(c.precision, 0));
  std::vector<wchar_t> buffer(size);
  int n = std::swprintf(buffer.data(), buffer.size(), pattern.c_str(), value);
  return n < 0 ? std::wstring() : std::wstring(buffer.data(), static_cast<size_t>(n));
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, va_list args) {
  std::wstring out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);
  const wchar_t* p = format;
  while (*p) {
    if (*p != L'%') {
      out += *p++;
      continue;
    }
    ++p;
    if (*p == L'%') {
      out += L'%';
      ++p;
      continue;
    }
    Conversion c;
    while (*p && std::wcschr(L"-+ #0", *p)) c.flags += *p++;
    if (*p == L'*') {
      c.width = va_arg(ap, int);
      if (c.width < 0) {
        c.flags += L'-';
        c.width = -c.width;
      }
      ++p;
    } else if (std::iswdigit(*p)) {
      c.width = 0;
      while (std::iswdigit(*p)) c.width = std::min(c.width * 10 + (*p++ - L'0'), 100000);
    }
    if (*p == L'.') {
      ++p;
      c.precision = 0;
      if (*p == L'*') {
        c.precision = va_arg(ap, int);
        ++p;
      } else {
        while (std::iswdigit(*p)) c.precision = std::min(c.precision * 10 + (*p++ - L'0'), 100000);
      }
    }
    if (std::wcsncmp(p, L"I64", 3) == 0) {
      c.length = L"ll";
      p += 3;
    } else if (std::wcsncmp(p, L"I32", 3) == 0) {
      c.length = L"";
      p += 3;
    } else if (*p == L'I') {
      c.length = L"z";
      ++p;
    } else if (p[0] == L'h' && p[1] == L'h') {
      c.length = L"hh";
      p += 2;
    } else if (p[0] == L'l' && p[1] == L'l') {
      c.length = L"ll";
      p += 2;
    } else if (*p && std::wcschr(L"hlLwzjt", *p)) {
      c.length = std::wstring(1, *p);
      ++p;
    }
    if (!*p) break;
    c.kind = *p++;
    const std::wstring& len = c.length;
    switch (c.kind) {
      case L'd':
      case L'i':
        if (len == L"ll") out += printOne(c, L"ll", va_arg(ap, long long));
        else if (len == L"l") out += printOne(c, L"l", va_arg(ap, long));
        else if (len == L"z" || len == L"j" || len == L"t")
          out += printOne(c, L"ll", static_cast<long long>(va_arg(ap, std::intptr_t)));
        else if (len == L"h") out += printOne(c, L"", static_cast<int>(static_cast<short>(va_arg(ap, int))));
        else if (len == L"hh") out += printOne(c, L"", static_cast<int>(static_cast<signed char>(va_arg(ap, int))));
        else out += printOne(c, L"", va_arg(ap, int));
        break;
      case L'u':
      case L'x':
      case L'X':
      case L'o':
        if (len == L"ll") out += printOne(c, L"ll", va_arg(ap, unsigned long long));
        else if (len == L"l") out += printOne(c, L"l", va_arg(ap, unsigned long));
        else if (len == L"z" || len == L"j" || len == L"t")
          out += printOne(c, L"ll", static_cast<unsigned long long>(va_arg(ap, std::uintptr_t)));
        else if (len == L"h")
          out += printOne(c, L"", static_cast<unsigned>(static_cast<unsigned short>(va_arg(ap, unsigned))));
        else if (len == L"hh")
          out += printOne(c, L"", static_cast<unsigned>(static_cast<unsigned char>(va_arg(ap, unsigned))));
        else out += printOne(c, L"", va_arg(ap, unsigned));
        break;
      case L'e':
      case L'E':
      case L'f':
      case L'F':
      case L'g':
      case L'G':
      case L'a':
      case L'A':
        if (len == L"L") out += printOne(c, L"L", va_arg(ap, long double));
        else out += printOne(c, L"", va_arg(ap, double));
        break;
      case L'p': out += printOne(c, L"", va_arg(ap, void*)); break;
      case L'c':
      case L'C': {
        int v = va_arg(ap, int);
        bool narrow = (c.kind == L'C' && len != L"l" && len != L"w") || len == L"h";
        std::wstring text =
            narrow ? AnsiToWide(std::string(1, static_cast<char>(v))) : std::wstring(1, static_cast<wchar_t>(v));
        Conversion noPrecision = c;
        noPrecision.precision = -1;
        out += padText(text, noPrecision);
        break;
      }
      case L's':
      case L'S': {
        bool narrow = (c.kind == L'S' && len != L"l" && len != L"w") || len == L"h";
        std::wstring text;
        if (narrow) {
          const char* s = va_arg(ap, const char*);
          text = s ? AnsiToWide(s) : L"(null)";
        } else {
          const wchar_t* s = va_arg(ap, const wchar_t*);
          text = s ? s : L"(null)";
        }
        out += padText(text, c);
        break;
      }
      case L'n':
        (void)va_arg(ap, int*);  // never written: a format cannot store into memory here
        break;
      default:
        out += L'%';
        out += c.kind;
        break;
    }
  }
  va_end(ap);
  return out;
}
