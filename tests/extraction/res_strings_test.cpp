// The plug-in's message texts with numbered placeholders, filled through FormatMessageW.
#include <gtest/gtest.h>

#include "extraction/res_strings.h"
#include "platform/mfc/cstring.h"
#include "platform/win/format_message.h"

TEST(FormatMsgString, PlaceholdersWithoutInsertsStayAndPercentSignsSurvive) {
  EXPECT_EQ(FormatMsgString(CString(L"%1 and %2"), L"one"), L"one and %2");
  EXPECT_EQ(FormatMsgString(CString(L"100%% of %1"), CString(L"50% off")), L"100% of 50% off");
  EXPECT_EQ(FormatMsgString(CString(L"no placeholders")), L"no placeholders");
  EXPECT_EQ(FormatMsgString(CString(L"%10|%1"), L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j"), L"j|a");
  EXPECT_EQ(FormatMsgString(CString(L"%12 stays"), L"a"), L"%12 stays");
  EXPECT_EQ(FormatMsgString(CString(L"trailing %")), L"trailing %");
  EXPECT_EQ(LiveLocalAllocations(), 0);
}
