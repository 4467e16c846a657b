// The numeric-text recogniser against the regular expression that defines it, over every
// short text of a small alphabet, a large set of generated texts and the edge cases the
// number tests name. The expression is the oracle here; the program no longer uses it.
#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "common/numbers.h"

namespace {

bool oracle(const std::wstring& text) {
  static const std::wregex pattern(L"^[+-]?[0-9]+(\\.[0-9]+)?([eE][+-]?[0-9]+)?$");
  return std::regex_match(text, pattern);
}

// Every text of up to maxLength characters of the alphabet.
void everyText(const std::wstring& alphabet, size_t maxLength, std::vector<std::wstring>& out) {
  std::vector<std::wstring> level = {L""};
  out.push_back(L"");
  for (size_t length = 1; length <= maxLength; ++length) {
    std::vector<std::wstring> next;
    for (const std::wstring& prefix : level)
      for (wchar_t c : alphabet) next.push_back(prefix + c);
    out.insert(out.end(), next.begin(), next.end());
    level = std::move(next);
  }
}

// Texts put together from pieces that numbers are made of, and characters that look like
// them: other digits, blanks, a null, a surrogate-range value and an astral digit.
std::vector<std::wstring> generatedTexts(size_t count) {
  static const std::wstring pieces[] = {L"0",
                                        L"7",
                                        L"42",
                                        L"0000",
                                        L"9876543210",
                                        L"+",
                                        L"-",
                                        L".",
                                        L"e",
                                        L"E",
                                        L"e+",
                                        L"E-",
                                        L"..",
                                        L",",
                                        L" ",
                                        L"\t",
                                        L"\n",
                                        L"x",
                                        L"inf",
                                        L"nan",
                                        L"0x",
                                        L"\u0663",
                                        L"\uFF11",
                                        L"\u00B2",
                                        std::wstring(1, L'\0'),
                                        std::wstring(1, static_cast<wchar_t>(0xD835)),
                                        L"\U0001D7CE"};
  std::vector<std::wstring> texts;
  std::uint64_t state = 12345;
  auto below = [&](std::uint64_t bound) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<size_t>((state >> 33) % bound);
  };
  for (size_t i = 0; i < count; ++i) {
    std::wstring text;
    for (size_t n = below(7); n > 0; --n) text += pieces[below(std::size(pieces))];
    texts.push_back(text);
  }
  return texts;
}

}  // namespace

TEST(NumericText, AgreesWithItsRegularExpression) {
  std::vector<std::wstring> texts;
  everyText(L"09+-.eE a", 5, texts);
  for (std::wstring edge :
       {L"+12", L"-0.25", L"1E+10", L"0.5", L"1e5",    L"2.5E-3", L"007", L"",     L" 12",   L"12 ",  L"1.",
        L".5",  L"abc",   L"1.2.3", L"1,5", L"1e",     L"inf",    L"nan", L"0x1A", L"1 000", L"3.25", L"-2.5e3",
        L"x.y", L"2e5",   L"12.5",  L"1e+", L"1e-5.5", L"--1",    L"+-1", L"1ee5", L"1E5E5"})
    texts.push_back(edge);
  std::vector<std::wstring> generated = generatedTexts(200000);
  texts.insert(texts.end(), generated.begin(), generated.end());

  size_t numeric = 0;
  for (const std::wstring& text : texts) {
    bool expected = oracle(text);
    numeric += expected;
    ASSERT_EQ(isNumericText(CString(text)), expected) << CString(text);
  }
  // The set holds plenty of both verdicts.
  EXPECT_GT(numeric, 5000u);
  EXPECT_GT(texts.size() - numeric, 5000u);
}
