// The module's string table: every language block complete and consistent with the English
// one, and the language a user gets through the real resource look-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "extraction/res_strings.h"
#include "res/module_resources.h"
#include "res/resource_ids.h"
#include "res/string_tables.h"

namespace {

struct Language {
  const char* name;
  LANGID resourceLanguage;
  std::span<const StringTableEntry> table;
};

std::vector<Language> allLanguages() {
  return {{"English", kEnglishResourceLanguage, englishStringTable()},
          {"French", kFrenchResourceLanguage, frenchStringTable()},
          {"Spanish", kSpanishResourceLanguage, spanishStringTable()}};
}

std::vector<Language> translations() {
  auto all = allLanguages();
  return {all[1], all[2]};
}

std::map<UINT, std::wstring> asMap(std::span<const StringTableEntry> table) {
  std::map<UINT, std::wstring> texts;
  for (const auto& entry : table) texts.emplace(entry.id, entry.text ? entry.text : L"");
  return texts;
}

std::string narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
  return out;
}

// The %-placeholders of a text, in order ("%1", "%%", ...).
std::vector<std::wstring> placeholders(const std::wstring& text) {
  static const std::wregex pattern(L"%([0-9]+|%)");
  std::vector<std::wstring> found;
  for (auto it = std::wsregex_iterator(text.begin(), text.end(), pattern); it != std::wsregex_iterator(); ++it)
    found.push_back(it->str());
  std::sort(found.begin(), found.end());
  return found;
}

std::wstring lowered(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

class StringTableTest : public ::testing::Test {
protected:
  void TearDown() override { SetUserInterfaceLanguage(0x0409); }
};

TEST_F(StringTableTest, EveryLanguageHoldsEachIdOnceWithText) {
  for (const auto& language : allLanguages()) {
    SCOPED_TRACE(language.name);
    std::multiset<UINT> ids;
    for (const auto& entry : language.table) {
      ids.insert(entry.id);
      ASSERT_NE(entry.text, nullptr) << entry.id;
      EXPECT_GT(std::wcslen(entry.text), 0u) << entry.id;
    }
    EXPECT_EQ(language.table.size(), 184u);
    for (UINT id = kFirstStringId; id <= kLastStringId; ++id) EXPECT_EQ(ids.count(id), 1u) << "id " << id;
    EXPECT_EQ(ids.size(), static_cast<size_t>(kLastStringId - kFirstStringId + 1));
  }
}

TEST_F(StringTableTest, BundleCarriesExactlyTheThreeBlocks) {
  const ResourceBundle* bundle = OvxModuleResources();
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle, &moduleResources());
  EXPECT_EQ(bundle->strings.size(), 3u);
  EXPECT_EQ(kEnglishResourceLanguage, 0x0009);
  EXPECT_EQ(kFrenchResourceLanguage, 0x000C);
  EXPECT_EQ(kSpanishResourceLanguage, 0x000A);
  for (const auto& language : allLanguages()) {
    SCOPED_TRACE(language.name);
    auto block = bundle->strings.find(language.resourceLanguage);
    ASSERT_NE(block, bundle->strings.end());
    EXPECT_EQ(block->second, asMap(language.table));
  }
}

TEST_F(StringTableTest, TranslationsKeepPlaceholdersAndLeadingLineBreak) {
  auto english = asMap(englishStringTable());
  for (const auto& language : translations()) {
    SCOPED_TRACE(language.name);
    for (const auto& [id, text] : asMap(language.table)) {
      const std::wstring& reference = english.at(id);
      EXPECT_EQ(placeholders(text), placeholders(reference)) << "id " << id << ": " << narrow(text);
      EXPECT_EQ(text.starts_with(L'\n'), reference.starts_with(L'\n')) << "id " << id;
      // A line break anywhere else would split a command-line message or a label.
      EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), std::count(reference.begin(), reference.end(), L'\n'))
          << "id " << id;
    }
  }
}

TEST_F(StringTableTest, PlaceholderTextsFormatWithTheirInsertIntact) {
  const std::wstring path = L"C:\\out\\50%1 100%.csv";
  for (const auto& language : allLanguages()) {
    SCOPED_TRACE(language.name);
    for (const auto& [id, text] : asMap(language.table)) {
      if (text.find(L"%1") == std::wstring::npos) continue;
      std::wstring expected = text;
      expected.replace(expected.find(L"%1"), 2, path);
      EXPECT_EQ(std::wstring(FormatMsgString(CString(text.c_str()), path.c_str()).GetString()), expected)
          << "id " << id;
    }
  }
}

TEST_F(StringTableTest, MessagesAreTranslated) {
  auto english = asMap(englishStringTable());
  int messages = 0;
  for (const auto& language : translations()) {
    SCOPED_TRACE(language.name);
    for (const auto& [id, text] : asMap(language.table)) {
      if (!english.at(id).starts_with(L'\n')) continue;
      ++messages;
      EXPECT_NE(text, english.at(id)) << "id " << id << " left in English";
    }
  }
  EXPECT_GT(messages, 0);
}

// Property names meet by exact text: names equal in English are one property, and names
// that differ (even only in case) must stay apart in every language.
TEST_F(StringTableTest, EqualAndDistinctTextsKeepTheirRelationInEveryLanguage) {
  auto english = asMap(englishStringTable());
  int equalPairs = 0, casePairs = 0;
  for (const auto& language : translations()) {
    SCOPED_TRACE(language.name);
    auto texts = asMap(language.table);
    for (const auto& [a, englishA] : english) {
      for (const auto& [b, englishB] : english) {
        if (a >= b) continue;
        if (englishA == englishB) {
          ++equalPairs;
          EXPECT_EQ(texts.at(a), texts.at(b)) << "ids " << a << " and " << b;
        } else {
          EXPECT_NE(texts.at(a), texts.at(b)) << "ids " << a << " and " << b;
          if (lowered(englishA) == lowered(englishB)) {
            ++casePairs;
            EXPECT_EQ(lowered(texts.at(a)), lowered(texts.at(b))) << "ids " << a << " and " << b;
          }
        }
      }
    }
  }
  EXPECT_GT(equalPairs, 0);
  EXPECT_GT(casePairs, 0);
}

TEST_F(StringTableTest, InterfaceLanguagePicksItsBlockOrFallsBackToEnglish) {
  HINSTANCE instance = RegisterModuleInstance(L"DataExtraction", OvxModuleResources());
  ASSERT_NE(instance, nullptr);
  const auto english = asMap(englishStringTable());
  const auto french = asMap(frenchStringTable());
  const auto spanish = asMap(spanishStringTable());
  const std::pair<LANGID, const std::map<UINT, std::wstring>*> cases[] = {
      {0x040C, &french},  {0x0C0C, &french},   // fr-FR, fr-CA
      {0x0C0A, &spanish}, {0x080A, &spanish},  // es-ES, es-MX
      {0x0409, &english}, {0x0C09, &english},  // en-US, en-AU
      {0x0407, &english}, {0x0411, &english},  // de-DE, ja-JP: no block of their own
  };
  for (const auto& [ui, expected] : cases) {
    SCOPED_TRACE(::testing::Message() << "UI language 0x" << std::hex << ui);
    SetUserInterfaceLanguage(ui);
    for (UINT id = kFirstStringId; id <= kLastStringId; ++id) {
      std::wstring text;
      ASSERT_TRUE(LoadStringResource(instance, id, text)) << "id " << id;
      EXPECT_EQ(text, expected->at(id)) << "id " << id;
    }
    std::wstring text = L"unchanged";
    EXPECT_FALSE(LoadStringResource(instance, kFirstStringId - 1, text));
    EXPECT_FALSE(LoadStringResource(instance, kLastStringId + 1, text));
    EXPECT_EQ(text, L"unchanged");
  }
  // The languages are really different blocks, not one block found three times.
  EXPECT_NE(french.at(IDS_CANCEL), english.at(IDS_CANCEL));
  EXPECT_NE(spanish.at(IDS_CANCEL), english.at(IDS_CANCEL));
  EXPECT_NE(french.at(IDS_CANCEL), spanish.at(IDS_CANCEL));
  UnregisterModuleInstance(instance);
}

}  // namespace
