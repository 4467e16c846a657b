#include <gtest/gtest.h>

#include "platform/win/codepage.h"
#include "platform/win/format_message.h"
#include "platform/win/wide_numbers.h"

TEST(CodePage1252, RoundTripsItsCharactersAndMarksOthers) {
  std::wstring text = L"Quantit\u00e9 \u20ac \u0152 \u2122 \u00ff";
  std::string bytes = WideToAnsi(text);
  EXPECT_EQ(bytes, "Quantit\xe9 \x80 \x8c \x99 \xff");
  EXPECT_EQ(AnsiToWide(bytes), text);
  EXPECT_EQ(WideToAnsi(L"\u4e2d\U0001F600"), "??");
  EXPECT_EQ(Cp1252ByteOf(L'\u0100'), -1);
}

TEST(Utf8, RejectsMalformedInput) {
  std::wstring out;
  EXPECT_TRUE(Utf8ToWide("caf\xc3\xa9 \xf0\x9f\x98\x80", out));
  EXPECT_EQ(out, L"caf\u00e9 \U0001F600");
  EXPECT_EQ(WideToUtf8(out), "caf\xc3\xa9 \xf0\x9f\x98\x80");
  EXPECT_FALSE(Utf8ToWide("caf\xe9", out));       // a code page 1252 byte
  EXPECT_FALSE(Utf8ToWide("\xc3", out));          // truncated sequence
  EXPECT_FALSE(Utf8ToWide("\xc0\xaf", out));      // overlong form
  EXPECT_FALSE(Utf8ToWide("\xed\xa0\x80", out));  // a surrogate
}

TEST(FormatMessage, InsertsFromAnArgumentArrayAreNotRescanned) {
  const wchar_t* inserts[] = {L"C:\\out\\100%1 done.csv", L"two"};
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           L"\nCSV export done to : %1 (%2) 50%%", 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
                           reinterpret_cast<void*>(inserts));
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(std::wstring(buffer, n), L"\nCSV export done to : C:\\out\\100%1 done.csv (two) 50%");
  EXPECT_EQ(LocalFree(buffer), nullptr);
  EXPECT_EQ(LiveLocalAllocations(), 0);
}

TEST(WideNumbers, LongestLeadingDecimalNumberWhateverTheLocale) {
  EXPECT_EQ(_wtof(L"  12.5abc"), 12.5);
  EXPECT_EQ(_wtof(L"-3e2x"), -300.0);
  EXPECT_EQ(_wtof(L"4e"), 4.0);
  EXPECT_EQ(_wtof(L"0x1A"), 0.0);
  EXPECT_EQ(_wtof(L"inf"), 0.0);
  EXPECT_EQ(_wtof(L"nan"), 0.0);
  EXPECT_EQ(_wtof(L".5"), 0.5);
  EXPECT_EQ(_wtof(L"1,5"), 1.0);
  EXPECT_EQ(_wtoi(L" -42z"), -42);
  EXPECT_EQ(_wtoi(L"99999999999"), 2147483647);
  EXPECT_EQ(_wtoi(L"-99999999999"), -2147483647 - 1);
  EXPECT_EQ(_wtoi(L"x1"), 0);
  EXPECT_EQ(_wtoi64(L"-9223372036854775808"), INT64_MIN);
}
