#include "platform/win/wide_numbers.h"

#include <climits>
#include <clocale>
#include <cstdlib>
#include <cwctype>
#include <string>

namespace {

const wchar_t* skipBlanks(const wchar_t* p) {
  while (*p == L' ' || (*p >= L'\t' && *p <= L'\r')) ++p;
  return p;
}

bool isDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

long long parseInteger(const wchar_t* text, long long low, long long high) {
  if (!text) return 0;
  const wchar_t* p = skipBlanks(text);
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  unsigned long long magnitude = 0;
  bool overflow = false;
  for (; isDigit(*p); ++p) {
    unsigned digit = static_cast<unsigned>(*p - L'0');
    if (magnitude > (ULLONG_MAX - digit) / 10) overflow = true;
    else magnitude = magnitude * 10 + digit;
  }
  if (negative) {
    if (overflow || magnitude > static_cast<unsigned long long>(-(low + 1)) + 1) return low;
    return magnitude == 0 ? 0 : -static_cast<long long>(magnitude - 1) - 1;
  }
  if (overflow || magnitude > static_cast<unsigned long long>(high)) return high;
  return static_cast<long long>(magnitude);
}

}  // namespace

double _wtof(const wchar_t* text) {
  if (!text) return 0.0;
  const wchar_t* p = skipBlanks(text);
  std::string number;  // the longest leading decimal number, in the "C" form strtod reads
  if (*p == L'+' || *p == L'-') number += static_cast<char>(*p++);
  bool digits = false;
  while (isDigit(*p)) {
    number += static_cast<char>(*p++);
    digits = true;
  }
  if (*p == L'.') {
    number += '.';
    ++p;
    while (isDigit(*p)) {
      number += static_cast<char>(*p++);
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (*p == L'e' || *p == L'E') {
    const wchar_t* q = p + 1;
    std::string exponent = "e";
    if (*q == L'+' || *q == L'-') exponent += static_cast<char>(*q++);
    if (isDigit(*q)) {
      while (isDigit(*q)) exponent += static_cast<char>(*q++);
      number += exponent;
    }
  }
  // strtod on a text that holds only digits, sign, point and exponent reads the same in
  // every locale whose decimal point is '.', which the "C" form guarantees here.
  std::string::size_type point = number.find('.');
  const char* localePoint = std::localeconv()->decimal_point;
  if (point != std::string::npos && localePoint && localePoint[0] != '.') number[point] = localePoint[0];
  return std::strtod(number.c_str(), nullptr);
}

int _wtoi(const wchar_t* text) { return static_cast<int>(parseInteger(text, INT_MIN, INT_MAX)); }
long long _wtoi64(const wchar_t* text) { return parseInteger(text, LLONG_MIN, LLONG_MAX); }
