#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "common/numbers.h"
#include "platform/host/editor.h"
#include "platform/win/wide_numbers.h"

namespace {

// The rounded value written with "%g", as C's printf writes it.
std::string printed(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  return buffer;
}

CString rounded(const wchar_t* text, short luprec) {
  CString s(text);
  roundNumericText(precisionStep(luprec), s);
  return s;
}

}  // namespace

TEST(PrecisionStep, FixedStepsAndFallback) {
  EXPECT_EQ(precisionStep(0), 1.0);
  EXPECT_EQ(precisionStep(3), 0.001);
  EXPECT_EQ(precisionStep(8), 1e-8);
  EXPECT_EQ(precisionStep(9), 1e-8);
  EXPECT_EQ(precisionStep(-1), 1e-8);
  EXPECT_EQ(precisionStep(-32768), 1e-8);
}

TEST(RoundToStep, HalvesRoundUpAndTextMatchesPrintf) {
  struct Case {
    const wchar_t* text;
    short luprec;
    double expected;
  } cases[] = {
      {L"2.5", 0, 3},           {L"2.4999", 0, 2},
      {L"-2.5", 0, -2},         {L"0.0005", 3, 0.001},
      {L"1.23449", 3, 1.234},   {L"0.295", 2, 0.29},
      {L"999999.5", 0, 1e6},    {L"2.50", 2, 2.5},
      {L"3.0", 4, 3},           {L"1234.5678", 4, 1234.5678},
      {L"1234567", 4, 1234567},
  };
  for (const auto& c : cases) {
    double v = _wtof(c.text);
    roundToStep(precisionStep(c.luprec), v);
    EXPECT_NEAR(v, c.expected, 1e-9) << CString(c.text);
    EXPECT_EQ(rounded(c.text, c.luprec), CString(printed(v).c_str())) << CString(c.text);
  }
  EXPECT_EQ(rounded(L"1234.5678", 4), L"1234.57");
  EXPECT_EQ(rounded(L"1234567", 4), L"1.23457e+06");
  EXPECT_EQ(rounded(L"999999.5", 0), L"1e+06");
  EXPECT_EQ(rounded(L"-2.5", 0), L"-2");
  // A number beyond a double's range keeps its own text; one below it rounds to 0.
  EXPECT_EQ(rounded(L"1e400", 4), L"1e400");
  EXPECT_EQ(rounded(L"-2.5E+999", 4), L"-2.5E+999");
  EXPECT_EQ(rounded(L"1e-400", 4), L"0");
}

TEST(RoundToStep, HugeAndNonFiniteValuesAreLeftAlone) {
  double huge = 1e300;
  roundToStep(1e-8, huge);
  EXPECT_EQ(huge, 1e300);
  double big = 4503599627370497.0 * 1e-8 * 2;  // x / step beyond 2^52
  double before = big;
  roundToStep(1e-8, big);
  EXPECT_EQ(big, before);
  double inf = INFINITY;
  roundToStep(0.1, inf);
  EXPECT_TRUE(std::isinf(inf));
}

TEST(LinearPrecision, ReadsLuprecAndFallsBackToFinestStep) {
  HostEditor::setVariable(L"LUPREC", short{2});
  EXPECT_EQ(getLinearPrecision(), 2);
  HostEditor::removeVariable(L"LUPREC");
  EXPECT_EQ(precisionStep(getLinearPrecision()), 1e-8);
  HostEditor::resetVariables();
  EXPECT_EQ(getLinearPrecision(), 4);
  EXPECT_EQ(HostEditor::liveBuffers(), 0);
}

TEST(NumericText, WholeTextMustBeADecimalNumber) {
  for (const wchar_t* yes : {L"+12", L"-0.25", L"1E+10", L"0.5", L"1e5", L"2.5E-3", L"007"}) {
    EXPECT_TRUE(isNumericText(yes)) << CString(yes);
  }
  for (const wchar_t* no :
       {L"", L" 12", L"12 ", L"1.", L".5", L"abc", L"1.2.3", L"1,5", L"1e", L"inf", L"nan", L"0x1A", L"1 000"}) {
    EXPECT_FALSE(isNumericText(no)) << CString(no);
  }
}
