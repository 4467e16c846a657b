#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/host/editor.h"
#include "platform/win/wide_numbers.h"

short getLinearPrecision() {
  OvResBuf value;
  if (ovedGetVar(L"LUPREC", &value) != RTNORM || value.restype != RTSHORT) return 8;
  return value.resval.rint;
}

double precisionStep(short n) {
  static const double kSteps[9] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
  auto index = static_cast<unsigned short>(n);
  return index <= 8 ? kSteps[index] : 1e-8;
}

void roundToStep(double step, double& x) {
  double scaled = x / step;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return;
  x = std::floor(scaled + 0.5) * step;
}

void roundPoint(double step, double& x, double& y, double& z) {
  roundToStep(step, x);
  roundToStep(step, y);
  roundToStep(step, z);
}

void roundScale(double step, OvGeScale3d& scale) { roundPoint(step, scale.sx, scale.sy, scale.sz); }

void roundNumericText(double step, CString& text) {
  double value = leadingNumber(text);
  if (!std::isfinite(value)) return;  // beyond a double's range: "inf" would lose the value
  roundToStep(step, value);
  text = formatNumber(value);
}

namespace {

// Narrow digits, signs and points as a CString.
CString wideText(const char* first, const char* last) {
  wchar_t wide[32];
  std::size_t n = 0;
  for (const char* p = first; p != last; ++p) wide[n++] = static_cast<wchar_t>(*p);
  return CString(wide, static_cast<int>(n));
}

// What "%g" writes of a value whose significant digits (at most six, the first not 0) and
// decimal exponent are given: the digits without trailing zeros, in fixed form for an
// exponent from -4 to 5 and in exponent form (two digits at least) otherwise.
CString generalForm(bool negative, std::string_view digits, int exponent) {
  while (digits.size() > 1 && digits.back() == '0') digits.remove_suffix(1);
  char text[32];
  char* p = text;
  if (negative) *p++ = '-';
  auto put = [&p](std::string_view part) {
    for (char ch : part) *p++ = ch;
  };
  if (exponent < -4 || exponent >= 6) {
    *p++ = digits[0];
    if (digits.size() > 1) {
      *p++ = '.';
      put(digits.substr(1));
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *p++ = static_cast<char>('0' + magnitude / 100);
    *p++ = static_cast<char>('0' + magnitude / 10 % 10);
    *p++ = static_cast<char>('0' + magnitude % 10);
  } else if (exponent >= 0) {
    auto whole = static_cast<std::size_t>(exponent) + 1;
    put(digits.substr(0, whole));
    for (std::size_t i = digits.size(); i < whole; ++i) *p++ = '0';
    if (digits.size() > whole) {
      *p++ = '.';
      put(digits.substr(whole));
    }
  } else {
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > exponent; --i) *p++ = '0';
    put(digits);
  }
  return wideText(text, p);
}

// The shortest digits that read back as the value, when there are at most six: they are
// then the six digits "%g" rounds the value to (trailing zeros aside), as the value lies
// within half a unit of its last binary place of them. Not so for subnormal numbers, whose
// last binary place may be worth more than a sixth decimal digit.
bool shortGeneralForm(double value, CString& out) {
  if (value != 0 && !std::isnormal(value)) return false;
  char text[32];
  auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  if (error != std::errc()) return false;
  std::string_view shortest(text, static_cast<std::size_t>(end - text));  // -d.ddde+XX
  bool negative = shortest.front() == '-';
  if (negative) shortest.remove_prefix(1);
  std::size_t e = shortest.find('e');
  char digits[8];
  std::size_t n = 0;
  for (char ch : shortest.substr(0, e)) {
    if (ch == '.') continue;
    if (n == 6) return false;
    digits[n++] = ch;
  }
  int exponent = 0;
  const char* first = shortest.data() + e + 1;
  if (*first == '+') ++first;
  std::from_chars(first, shortest.data() + shortest.size(), exponent);
  out = generalForm(negative, std::string_view(digits, n), exponent);
  return true;
}

}  // namespace

// "%g" through std::to_chars, which writes exactly what printf writes in the "C" locale,
// without the cost of the wide formatter. Infinities and NaNs keep the formatter's text.
CString formatNumber(double value) {
  CString formatted;
  if (std::isfinite(value)) {
    if (shortGeneralForm(value, formatted)) return formatted;
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    if (error == std::errc()) return wideText(text, end);
  }
  formatted.Format(L"%g", value);
  return formatted;
}

CString formatInteger(long long value) {
  char text[24];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? wideText(text, end) : CString();
}

double keepSixDecimals(double value) {
  if (!std::isfinite(value)) return 0.0;         // "inf" and "nan" hold no digits to read back
  if (std::trunc(value) == value) return value;  // a whole number is written and read back exactly
  char text[400];                                // the longest finite double with six decimals takes 316 characters
  auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  double back = 0.0;
  if (error != std::errc() || std::from_chars(text, end, back).ptr != end) {
    CString formatted;
    formatted.Format(L"%f", value);
    return _wtof(formatted);
  }
  return back;
}

// The leading number is copied as narrow text and read with std::from_chars, which rounds
// as strtod does; what it cannot take whole (out of range, very long) goes to _wtof.
double leadingNumber(const CString& text) {
  const wchar_t* p = text.GetString();
  while (*p == L' ' || (*p >= L'\t' && *p <= L'\r')) ++p;
  char number[64];
  std::size_t n = 0;
  auto isDigit = [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; };
  auto take = [&](wchar_t ch) {
    if (n < sizeof number) number[n] = static_cast<char>(ch);
    ++n;
  };
  if (*p == L'-') take(*p++);
  else if (*p == L'+') ++p;
  const std::size_t signs = n;
  while (isDigit(*p)) take(*p++);
  bool digits = n > signs;
  if (*p == L'.') {
    take(*p++);
    while (isDigit(*p)) {
      take(*p++);
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if ((*p == L'e' || *p == L'E') && (isDigit(p[1]) || ((p[1] == L'+' || p[1] == L'-') && isDigit(p[2])))) {
    take(*p++);
    if (*p == L'+' || *p == L'-') take(*p++);
    while (isDigit(*p)) take(*p++);
  }
  double value = 0.0;
  if (n > sizeof number) return _wtof(text);
  auto [end, error] = std::from_chars(number, number + n, value);
  if (error != std::errc() || end != number + n) return _wtof(text);
  return value;
}

namespace {
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Moves past a run of digits; false when there is none.
bool skipDigits(std::wstring_view s, size_t& i) {
  size_t from = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  return i > from;
}

void skipSign(std::wstring_view s, size_t& i) {
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
}
}  // namespace

// The whole text is [+-]digits[.digits][(e|E)[+-]digits]. Each optional part begins with
// its own character, so one pass from the left decides.
bool isNumericText(const CString& text) {
  std::wstring_view s = text.str();
  size_t i = 0;
  skipSign(s, i);
  if (!skipDigits(s, i)) return false;
  if (i < s.size() && s[i] == L'.' && !skipDigits(s, ++i)) return false;
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E')) {
    skipSign(s, ++i);
    if (!skipDigits(s, i)) return false;
  }
  return i == s.size();
}

bool sortsByValue(const std::vector<std::vector<CString>>& rows, size_t column, size_t firstRow, size_t endRow) {
  bool anyNumber = false;
  for (size_t r = firstRow; r < endRow && r < rows.size(); ++r) {
    if (column >= rows[r].size() || rows[r][column].IsEmpty()) continue;
    if (!isNumericText(rows[r][column])) return false;
    anyNumber = true;
  }
  return anyNumber;
}
