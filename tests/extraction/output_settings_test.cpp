// Settings file: the layout the printer writes, xmllint and xml.etree as independent
// readers, and the reader's tolerance of older and looser files.
#include <gtest/gtest.h>

#include "extraction/settings_file.h"
#include "tests/support/output_test_support.h"

using namespace output_test;

namespace {

struct Loaded {
  bool ok = false;
  std::vector<CString> names;
  CString title = L"unchanged";
  std::map<CString, CString> displayNames;
  std::vector<CString> options;
  int groupBy = 99;
  CString groupByName = L"unchanged";
};

Loaded load(const std::filesystem::path& path) {
  Loaded l;
  l.ok = loadSettingsXml(widePath(path), l.names, l.title, l.displayNames, l.options, l.groupBy, l.groupByName);
  return l;
}

std::string xmllint(const std::filesystem::path& path) {
  CommandResult result = runCommand("xmllint --noout " + shellQuoted(path.string()));
  return result.status == 0 ? "valid" : result.output;
}

std::string etreeRead(const std::filesystem::path& path) {
  CommandResult result = runCommand(pythonScript("support/read_settings.py", {path.string()}));
  EXPECT_EQ(result.status, 0) << result.output;
  return result.output;
}

TEST(SettingsFileTest, LayoutIsThePrintersExactly) {
  auto path = scratchFile("example.qdx");
  ASSERT_TRUE(saveSettingsXml(widePath(path), {{L"Layer", L"Layer name"}}, L"Legend", {L"Total Line"}, 2, L""));
  EXPECT_EQ(readBytes(path),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
            "<KtDataExtraction>\n"
            "    <State>\n"
            "        <Property name=\"Layer\" display=\"Layer name\" checked=\"1\" />\n"
            "    </State>\n"
            "    <ExOptions>\n"
            "        <Option name=\"Total Line\" value=\"checked\" />\n"
            "        <Option name=\"GroupBy\" value=\"2\" />\n"
            "    </ExOptions>\n"
            "    <KtTable title=\"Legend\" />\n"
            "</KtDataExtraction>\n");
  EXPECT_EQ(xmllint(path), "valid");
}

// Names with accents, quotes, "<", "&" and characters beyond code page 1252 are written as
// UTF-8 that other readers accept, and come back whole.
TEST(SettingsFileTest, TextsRoundTripThroughIndependentReaders) {
  std::map<CString, CString> names = {
      {L"Quantité", L"Nombre \"total\" <pièces>"}, {L"A&B", L"x & y's"}, {L"Länge", L"Длина \u4e2d"}};
  CString title = L"Légende <\"Étage\" & 'B'>";
  auto path = scratchFile("accents.qdx");
  ASSERT_TRUE(saveSettingsXml(widePath(path), names, title, {L"Total Line", L"Hide Header Line"}, -1, L""));
  EXPECT_EQ(xmllint(path), "valid");

  std::string expected = "KtDataExtraction\nState\n";
  for (const auto& [name, display] : names) {
    expected += "  Property name=" + hexUtf8(std::wstring(name.str())) +
                " display=" + hexUtf8(std::wstring(display.str())) + " checked=31\n";
  }
  expected += "ExOptions\n  Option name=" + hexUtf8(L"Total Line") + " value=" + hexUtf8(L"checked") + "\n";
  expected += "  Option name=" + hexUtf8(L"Hide Header Line") + " value=" + hexUtf8(L"checked") + "\n";
  expected += "KtTable title=" + hexUtf8(std::wstring(title.str())) + "\n";
  EXPECT_EQ(etreeRead(path), expected);

  Loaded l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.displayNames, names);
  EXPECT_EQ(l.names, (std::vector<CString>{L"A&B", L"Länge", L"Quantité"}));
  EXPECT_EQ(l.title, title);
  EXPECT_EQ(l.options, (std::vector<CString>{L"Total Line", L"Hide Header Line"}));
  EXPECT_EQ(l.groupBy, -1);
}

// Every control character, the two non-characters U+FFFE and U+FFFF, combining and astral
// characters in names, display names, options and the title: the file stays XML that
// xmllint and xml.etree accept. Tab, line feed and carriage return come back whole; the
// characters that XML cannot hold, even as references, come back as U+FFFD, everywhere
// alike, as characters outside UTF-8 do.
TEST(SettingsFileTest, CharactersXmlCannotHoldKeepTheFileXml) {
  std::wstring controls;
  for (wchar_t ch = 1; ch < 0x20; ++ch) controls += ch;
  controls += L"\x7f\xfffe\xffff";
  auto held = [](std::wstring text) {
    for (auto& ch : text)
      if ((ch < 0x20 && ch != L'\t' && ch != L'\n' && ch != L'\r') || ch == 0xFFFE || ch == 0xFFFF) ch = 0xFFFD;
    return text;
  };
  const std::wstring name = L"Tag" + controls;
  const std::wstring display = L"e\u0301 \U0001F600 \"<&>'" + controls;
  const std::wstring title = L"Titre\x0bligne\x0cpage\tfin\r\n" + controls;
  const std::wstring option = L"Opt\x01" + controls;
  auto path = scratchFile("controls.qdx");
  ASSERT_TRUE(
      saveSettingsXml(widePath(path), {{CString(name), CString(display)}}, CString(title), {CString(option)}, 3, L""));
  EXPECT_EQ(xmllint(path), "valid");
  EXPECT_EQ(etreeRead(path), "KtDataExtraction\nState\n  Property name=" + hexUtf8(held(name)) +
                                 " display=" + hexUtf8(held(display)) +
                                 " checked=31\nExOptions\n  Option name=" + hexUtf8(held(option)) +
                                 " value=" + hexUtf8(L"checked") + "\n  Option name=" + hexUtf8(L"GroupBy") +
                                 " value=" + hexUtf8(L"3") + "\nKtTable title=" + hexUtf8(held(title)) + "\n");

  Loaded l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.displayNames, (std::map<CString, CString>{{CString(held(name)), CString(held(display))}}));
  EXPECT_EQ(l.options, (std::vector<CString>{CString(held(option))}));
  EXPECT_EQ(l.title, CString(held(title)));
  EXPECT_EQ(l.groupBy, 3);
}

TEST(SettingsFileTest, EmptyMapAndNoOptions) {
  auto path = scratchFile("empty.qdx");
  ASSERT_TRUE(saveSettingsXml(widePath(path), {}, L"", {}, -1, L""));
  EXPECT_EQ(xmllint(path), "valid");
  EXPECT_EQ(etreeRead(path), "KtDataExtraction\nState\nExOptions\nKtTable title=-\n");
  EXPECT_FALSE(load(path).ok);  // no "Property" element

  ASSERT_TRUE(saveSettingsXml(widePath(path), {{L"Layer", L"Layer"}}, L"T", {}, -1, L""));
  Loaded l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_TRUE(l.options.empty());
  EXPECT_EQ(l.groupBy, -1);
  EXPECT_EQ(l.title, L"T");
}

TEST(SettingsFileTest, SaveToAnUnwritablePathFails) {
  EXPECT_FALSE(saveSettingsXml(widePath(scratchDir() / "no-such-folder" / "x.qdx"), {{L"a", L"b"}}, L"", {}, -1, L""));
}

TEST(SettingsFileTest, ReaderToleratesLooseFiles) {
  auto path = scratchFile("loose.qdx");
  writeBytes(path,
             "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
             "<KtDataExtraction>\n"
             "  <State>\n"
             "    <Property name=\"Layer\" display=\"First\" checked=\"0\" />\n"
             "    <!-- a comment -->\n"
             "    some text\n"
             "    <Other name=\"Length\" />\n"
             "    <Property name=\"Layer\" display=\"Second\" />\n"
             "  </State>\n"
             "  <Anything>\n"
             "    <Option name=\"Total Line\" />\n"
             "    <Note name=\"GroupBy\" value=\"abc\" />\n"
             "  </Anything>\n"
             "</KtDataExtraction>\n");
  Loaded l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.names, (std::vector<CString>{L"Layer", L"Length", L"Layer"}));
  EXPECT_EQ(l.displayNames, (std::map<CString, CString>{{L"Layer", L"First"}, {L"Length", L""}}));
  EXPECT_EQ(l.options, (std::vector<CString>{L"Total Line"}));
  EXPECT_EQ(l.groupBy, -1);  // "abc" is no whole number: no grouping
  EXPECT_EQ(l.title, L"");  // no "KtTable"
}

TEST(SettingsFileTest, GroupByValues) {
  auto path = scratchFile("groupby.qdx");
  for (int index : {0, 1, 7}) {
    ASSERT_TRUE(saveSettingsXml(widePath(path), {{L"a", L"b"}}, L"", {}, index, L""));
    EXPECT_EQ(load(path).groupBy, index);
  }
  writeBytes(path,
             "<?xml version=\"1.0\" ?><KtDataExtraction><State><Property name=\"a\" /></State>"
             "<ExOptions><Option name=\"GroupBy\" value=\"-5\" /></ExOptions></KtDataExtraction>");
  EXPECT_EQ(load(path).groupBy, -1);
}

// A file that an older version wrote in code page 1252 under the same declaration loads.
TEST(SettingsFileTest, CodePageFilesStillLoad) {
  auto path = scratchFile("cp1252.qdx");
  writeBytes(path,
             "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
             "<KtDataExtraction><State>"
             "<Property name=\"Quantit\xe9\" display=\"Nombre \x80\" checked=\"1\" />"
             "</State><ExOptions /><KtTable title=\"L\xe9gende\" /></KtDataExtraction>\n");
  Loaded l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.displayNames, (std::map<CString, CString>{{L"Quantité", L"Nombre €"}}));
  EXPECT_EQ(l.title, L"Légende");

  // A file an editor saved with a byte-order mark.
  ASSERT_TRUE(saveSettingsXml(widePath(path), {{L"Quantité", L"Qté"}}, L"Été", {}, -1, L""));
  writeBytes(path, "\xEF\xBB\xBF" + readBytes(path));
  l = load(path);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.displayNames, (std::map<CString, CString>{{L"Quantité", L"Qté"}}));
  EXPECT_EQ(l.title, L"Été");
}

// Character references, hexadecimal or decimal, name characters whether the rest of the
// file is UTF-8 or in the code page.
TEST(SettingsFileTest, CharacterReferencesNameTheirCharacters) {
  auto path = scratchFile("references.qdx");
  for (std::string e : {std::string("\xC3\xA9"), std::string("\xE9")}) {
    writeBytes(path,
               "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><KtDataExtraction><State>"
               "<Property name=\"L" +
                   e +
                   "ngth\" display=\"&#x20AC;&#233;&#x1D11E;\" /></State>"
                   "<ExOptions><Option name=\"GroupBy\" value=\"2\" property=\"&#x415;" +
                   e +
                   "\" /></ExOptions>"
                   "<KtTable title=\"&#8364;\" /></KtDataExtraction>");
    Loaded l = load(path);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.displayNames, (std::map<CString, CString>{{L"L\u00E9ngth", L"\u20AC\u00E9\U0001D11E"}}));
    EXPECT_EQ(l.title, L"\u20AC");
    EXPECT_EQ(l.groupBy, 2);
    EXPECT_EQ(l.groupByName, L"\u0415\u00E9");
  }
}

TEST(SettingsFileTest, MalformedOrMissingFilesAreRefused) {
  auto path = scratchFile("bad.qdx");
  EXPECT_FALSE(load(path).ok);  // no file
  writeBytes(path, "<KtDataExtraction><State><Property name=\"a\"></State>");
  Loaded l = load(path);
  EXPECT_FALSE(l.ok);
  EXPECT_TRUE(l.names.empty());
  EXPECT_EQ(l.groupBy, -1);
  writeBytes(path, "<Other><State><Property name=\"a\" /></State></Other>");
  EXPECT_FALSE(load(path).ok);
  writeBytes(path, "<KtDataExtraction><Options /></KtDataExtraction>");
  EXPECT_FALSE(load(path).ok);
}

}  // namespace
