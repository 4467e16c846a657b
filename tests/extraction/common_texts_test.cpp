// The localized ByLayer and ByBlock texts of plot styles and linetypes against the plain
// rule (CString::CompareNoCase with each name) over texts made of the names' letters in
// both cases, characters outside ASCII whose case mapping may meet those letters, and nulls.
#include <gtest/gtest.h>

#include <random>

#include "extraction/entity_records.h"
#include "tests/support/plugin_resources.h"

TEST(CommonTexts, ByLayerAndByBlockAreFoundAsCompareNoCaseFindsThem) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  const ByLayerTexts texts = ByLayerTexts::load();
  ASSERT_EQ(texts.byLayer, L"ByLayer");
  const std::wstring letters = L"BbYyLlAaEeRrOoCcKk\u212A\u0130\u0131\u017F\u00FF\u00E9 -0";
  std::mt19937 random(5);
  std::vector<std::wstring> samples{L"ByLayer",
                                    L"BYBLOCK",
                                    L"bylayer",
                                    L"ByLayerX",
                                    L"ByBloc",
                                    L"",
                                    L"Continuous",
                                    L"BYBLOC\u212A",
                                    std::wstring(L"ByLayer\0x", 9),
                                    std::wstring(L"ByBlo\0k", 7)};
  for (int i = 0; i < 100000; ++i) {
    // Mostly the names with some letters changed, so that many texts come close to them.
    std::wstring text = i % 2 ? L"ByLayer" : L"ByBlock";
    for (wchar_t& ch : text) {
      if (random() % 4 == 0) ch = letters[random() % letters.size()];
    }
    if (random() % 10 == 0) text.resize(random() % 10, L'r');
    samples.push_back(text);
  }
  for (const std::wstring& sample : samples) {
    CString text(sample), expected(sample);
    if (expected.CompareNoCase(L"ByLayer") == 0) expected = texts.byLayer;
    else if (expected.CompareNoCase(L"ByBlock") == 0) expected = texts.byBlock;
    localizeByLayerByBlock(text, texts);
    ASSERT_EQ(text.str(), expected.str()) << CString(sample);
  }
}
