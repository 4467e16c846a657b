// The number texts of cells against C's own printf and the C runtime's _wtof: "%g", "%d",
// the "%f" round trip of linetype scales, and the reading of a text's leading number. The
// values cover every exponent (random bit patterns), subnormals, both zeros, the rounding
// boundaries of six significant digits and of the exponent form, and very large values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "platform/win/wide_numbers.h"

namespace {

std::string printfText(const char* format, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string narrow(const CString& text) {
  std::string out;
  for (wchar_t ch : text.str()) out += static_cast<char>(ch);
  return out;
}

// Equal as bits: the same value and the same sign of zero.
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The values: edge cases first, then numbers at the boundaries of six significant digits
// (k * 10^e with seven-digit k ending in 5, and their neighbours), short decimals, whole
// numbers, then random bit patterns.
std::vector<double> testValues() {
  std::vector<double> values{0.0,
                             -0.0,
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::lowest(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::quiet_NaN(),
                             1e-4,
                             9.999995e-5,
                             1e-5,
                             999999.5,
                             999999.4999999999,
                             1e6,
                             123456.5,
                             0.5,
                             2.5,
                             1.0 / 3.0,
                             1e300,
                             4.5e15,
                             2.2250738585072009e-308};
  for (int e = -320; e <= 308; ++e) {
    double p = std::pow(10.0, e);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, HUGE_VAL), 9.999995 * p, 9.999985 * p}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  std::mt19937_64 random(14);
  for (int i = 0; i < 200000; ++i) {
    long long k = 1000000 + static_cast<long long>(random() % 9000000);
    k = k - k % 10 + 5;  // seven digits ending in 5: halfway at the sixth digit
    double v = static_cast<double>(k) * std::pow(10.0, static_cast<int>(random() % 40) - 25);
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0));
    values.push_back(std::nextafter(v, HUGE_VAL));
  }
  // Short decimals (at most six digits) at every exponent, subnormal ones included, and
  // whole numbers.
  for (int i = 0; i < 150000; ++i) {
    std::string text = std::to_string(1 + random() % 999999) + "e";
    text += std::to_string(static_cast<int>(random() % 640) - 330);
    values.push_back(std::strtod(text.c_str(), nullptr));
    values.push_back(-values.back());
  }
  for (int v = -20000; v <= 20000; ++v) values.push_back(v);
  while (values.size() < 1000000) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
  }
  return values;
}

}  // namespace

TEST(NumberFormat, GeneralFormAsPrintfWritesIt) {
  std::vector<double> values = testValues();
  ASSERT_GE(values.size(), 1000000u);
  int failures = 0;
  for (double v : values) {
    std::string expected = printfText("%g", v);
    std::string actual = narrow(formatNumber(v));
    if (actual != expected && ++failures <= 10)
      ADD_FAILURE() << printfText("%.17g", v) << ": " << actual << " != " << expected;
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(narrow(formatNumber(-0.0)), "-0");
  EXPECT_EQ(narrow(formatNumber(999999.5)), "1e+06");
  EXPECT_EQ(narrow(formatNumber(0.0001)), "0.0001");
  EXPECT_EQ(narrow(formatNumber(0.00001)), "1e-05");
}

TEST(NumberFormat, IntegersAsPrintfWritesThem) {
  for (long long v :
       {0LL, 1LL, -1LL, 7LL, 65535LL, 2147483647LL, -2147483648LL, 9223372036854775807LL, -9223372036854775807LL - 1}) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", v);
    EXPECT_EQ(narrow(formatInteger(v)), text);
  }
}

// Linetype scales keep what "%f" writes of them: six decimals, read back.
TEST(NumberFormat, SixDecimalsAsPrintfAndStrtodGiveThem) {
  std::vector<double> values = testValues();
  int failures = 0;
  for (std::size_t i = 0; i < values.size(); i += 4) {
    double v = values[i];
    double expected = std::isfinite(v) ? std::strtod(printfText("%f", v).c_str(), nullptr) : 0.0;
    double actual = keepSixDecimals(v);
    if (!sameBits(actual, expected) && ++failures <= 10)
      ADD_FAILURE() << printfText("%.17g", v) << ": " << actual << " != " << expected;
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(keepSixDecimals(0.1234567), 0.123457);
}

// Texts of every shape _wtof meets: blanks, signs, points without digits on one side,
// exponents with and without digits, trailing words, long digit runs, numbers too large
// and too small for a double.
TEST(NumberFormat, LeadingNumberAsWtofReadsIt) {
  std::vector<std::wstring> texts{L"",
                                  L" ",
                                  L"-",
                                  L"+",
                                  L".",
                                  L"-.",
                                  L"+.5",
                                  L"-.5e3",
                                  L"5.",
                                  L"5.e2",
                                  L"1e",
                                  L"1e+",
                                  L"1E-x",
                                  L"1e5x",
                                  L" \t\n12",
                                  L"12 m",
                                  L"0x1A",
                                  L"inf",
                                  L"nan",
                                  L"-0",
                                  L"+-3",
                                  L"1e400",
                                  L"-1e400",
                                  L"1e-400",
                                  L"2.4e-320",
                                  L"1,5",
                                  L"١٢",
                                  L"00012.50",
                                  std::wstring(300, L'9'),
                                  L"0." + std::wstring(400, L'0') + L"1"};
  std::mt19937 random(7);
  const wchar_t pieces[] = L" +-.eE0123456789x";
  for (int i = 0; i < 200000; ++i) {
    std::wstring text;
    int length = static_cast<int>(random() % 14);
    for (int j = 0; j < length; ++j) {
      // Mostly digits, so that most texts hold a number.
      text += random() % 3 ? pieces[6 + random() % 10] : pieces[random() % (sizeof pieces / sizeof *pieces - 1)];
    }
    texts.push_back(text);
  }
  for (double v : testValues()) {
    if (texts.size() >= 600000) break;
    std::string printed = printfText(texts.size() % 2 ? "%.17g" : "%g", v);
    texts.push_back(std::wstring(printed.begin(), printed.end()));
  }
  int failures = 0;
  for (const std::wstring& text : texts) {
    CString cell(text);
    double expected = _wtof(cell), actual = leadingNumber(cell);
    if (!sameBits(actual, expected) && ++failures <= 10) ADD_FAILURE() << cell << ": " << actual << " != " << expected;
  }
  EXPECT_EQ(failures, 0);
}
