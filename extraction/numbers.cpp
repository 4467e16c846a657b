#include "extraction/numbers.h"

#include <cmath>

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
  double value = _wtof(text);
  roundToStep(step, value);
  text.Format(L"%g", value);
}

namespace {
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Moves past a run of digits; false when there is none.
bool skipDigits(const std::wstring& s, size_t& i) {
  size_t from = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  return i > from;
}

void skipSign(const std::wstring& s, size_t& i) {
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
}
}  // namespace

// The whole text is [+-]digits[.digits][(e|E)[+-]digits]. Each optional part begins with
// its own character, so one pass from the left decides.
bool isNumericText(const CString& text) {
  const std::wstring& s = text.str();
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
