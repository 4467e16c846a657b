#include "spreadsheet/utf16_text.h"

#include <cstdint>
#include <cwchar>

namespace QExcel {

namespace {
bool scalar(wchar_t c) { return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }
}  // namespace

size_t utf16Units(const wchar_t* text, size_t maxUnits, size_t& characters) {
  size_t units = 0;
  characters = 0;
  for (const wchar_t* p = text; p && *p; ++p, ++characters) {
    size_t n = scalar(*p) && *p > 0xFFFF ? 2 : 1;
    if (units + n > maxUnits) break;
    units += n;
  }
  return units;
}

void writeUtf16(const wchar_t* text, size_t characters, char16_t* to) {
  for (size_t i = 0; i < characters; ++i) {
    wchar_t c = scalar(text[i]) ? text[i] : 0xFFFD;
    if (c > 0xFFFF) {
      unsigned v = static_cast<unsigned>(c) - 0x10000;
      *to++ = static_cast<char16_t>(0xD800 + (v >> 10));
      *to++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      *to++ = static_cast<char16_t>(c);
    }
  }
}

std::u16string toUtf16(const wchar_t* text, size_t maxUnits) {
  std::u16string out;
  if (!text) return out;
  size_t characters = 0;
  out.resize(utf16Units(text, maxUnits, characters));
  writeUtf16(text, characters, out.data());
  return out;
}

std::u16string toUtf16(const std::wstring& text, size_t maxUnits) { return toUtf16(text.c_str(), maxUnits); }

std::wstring fromUtf16(const char16_t* units, size_t count) {
  std::wstring out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      out.push_back(0xFFFD);
    } else {
      out.push_back(static_cast<wchar_t>(u));
    }
  }
  return out;
}

std::u16string latin1ToUtf16(const char* bytes, size_t count) {
  std::u16string out(count, u'\0');
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return out;
}

std::wstring latin1ToWide(const char* bytes, size_t count) {
  std::wstring out(count, L'\0');
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return out;
}

bool utf16ToLatin1(const std::u16string& units, std::string& bytes) {
  bytes.clear();
  bytes.reserve(units.size());
  for (char16_t u : units) {
    if (u > 0xFF) return false;
    bytes.push_back(static_cast<char>(u));
  }
  return true;
}

size_t utf16Length(const wchar_t* text) {
  size_t n = 0;
  for (const wchar_t* p = text; p && *p; ++p) n += (scalar(*p) && *p > 0xFFFF) ? 2 : 1;
  return n;
}

size_t singleUnitLength(const wchar_t* text, bool& singleUnits) {
  bool other = false;
  size_t length = 0;
  for (; text[length]; ++length) {
    auto c = static_cast<std::uint32_t>(text[length]);
    other |= (c - 0xD800u < 0x800u) | (c > 0xFFFFu);
  }
  singleUnits = !other;
  return length;
}

size_t utf16Prefix(const char16_t* units, size_t count, size_t maxUnits) {
  if (count <= maxUnits) return count;
  size_t n = maxUnits;
  if (n > 0 && units[n - 1] >= 0xD800 && units[n - 1] <= 0xDBFF) --n;
  return n;
}

}  // namespace QExcel
