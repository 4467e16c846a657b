#include <gtest/gtest.h>

#include <cstdio>

#include "platform/mfc/cstring.h"

TEST(CStringFormat, WideAndNarrowStrings) {
  CString s;
  s.Format(L"[%s|%S|%c|%C]", L"wide \u00e9", "narrow \xe9", L'\u20ac', 'x');
  EXPECT_EQ(s, L"[wide \u00e9|narrow \u00e9|\u20ac|x]");
}

TEST(CStringFormat, NumbersAgreeWithPrintf) {
  const double values[] = {0.0, 2.5, 1234.5678, 1234567.0, 1e-5, -0.295, 1e300};
  for (double v : values) {
    char expected[1024];
    std::snprintf(expected, sizeof expected, "%g|%8.3f|%e", v, v, v);
    CString s;
    s.Format(L"%g|%8.3f|%e", v, v, v);
    EXPECT_EQ(s, CString(expected)) << v;
  }
  CString n;
  n.Format(L"%d %i %05d %x %X %u %I64d %-4d|", -42, 7, 31, 255, 255, 4000000000u, 1LL << 40, 3);
  EXPECT_EQ(n, L"-42 7 00031 ff FF 4000000000 1099511627776 3   |");
}
