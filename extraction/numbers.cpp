#include "extraction/numbers.h"

#include <cmath>
#include <regex>

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

bool isNumericText(const CString& text) {
  static const std::wregex pattern(L"^[+-]?[0-9]+(\\.[0-9]+)?([eE][+-]?[0-9]+)?$");
  return std::regex_match(text.str(), pattern);
}
