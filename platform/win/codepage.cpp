#include "platform/win/codepage.h"

namespace {

// Code page 1252's bytes 0x80 to 0x9F; 0 marks the five undefined positions.
const wchar_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

wchar_t cp1252ToWide(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) {
    wchar_t ch = kHighControls[b - 0x80];
    return ch ? ch : static_cast<wchar_t>(b);  // undefined bytes map to the C1 control, as Windows does
  }
  return static_cast<wchar_t>(b);
}

}  // namespace

int Cp1252ByteOf(wchar_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == ch) return 0x80 + i;
  }
  if (ch >= 0x80 && ch <= 0x9F && kHighControls[ch - 0x80] == 0) return static_cast<int>(ch);
  return -1;
}

std::wstring AnsiToWide(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  for (unsigned char b : text) out += cp1252ToWide(b);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t ch : text) {
    int b = Cp1252ByteOf(ch);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  for (wchar_t wc : text) {
    auto ch = static_cast<std::uint32_t>(wc);
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = 0xFFFD;
    if (ch < 0x80) {
      out += static_cast<char>(ch);
    } else if (ch < 0x800) {
      out += static_cast<char>(0xC0 | (ch >> 6));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
      out += static_cast<char>(0xE0 | (ch >> 12));
      out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (ch >> 18));
      out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return out;
}

bool Utf8ToWide(const std::string& text, std::wstring& out) {
  out.clear();
  size_t i = 0, n = text.size();
  while (i < n) {
    auto b = static_cast<unsigned char>(text[i]);
    std::uint32_t ch;
    int extra;
    if (b < 0x80) {
      ch = b;
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      ch = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      ch = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      ch = b & 0x07;
      extra = 3;
    } else return false;
    for (int k = 1; k <= extra; ++k) {
      if (i + static_cast<size_t>(k) >= n) return false;
      auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      ch = (ch << 6) | (c & 0x3F);
    }
    static const std::uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ch < kMin[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
    out += static_cast<wchar_t>(ch);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}
