// The view settings store: typed values as text, registered defaults, named profiles.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "gridctrl/view_settings.h"
#include "memory_profiles.h"

namespace {

using Local = CViewSettingsSectionDefault::CViewSettingsSectionLocal;

CString printfFixed(double value, int decimals) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return CString(buffer);
}

}  // namespace

TEST(ViewSettingsLocal, WritesReplaceInPlaceAndKeepInsertionOrder) {
  Local local(L"Grid");
  local.SetSetting(L"a", L"1");
  local.SetSetting(L"b", L"2");
  local.SetSetting(L"a", L"3");
  ASSERT_EQ(local.GetPairCount(), 2);
  EXPECT_EQ(local.GetNameAt(0), L"a");
  EXPECT_EQ(local.GetValueAt(0), L"3");
  EXPECT_EQ(local.GetSetting(L"a", L"x"), L"3");
  EXPECT_EQ(local.GetSetting(L"A", L"x"), L"x");  // names compare exactly
  local.RemoveCurrentSection();
  EXPECT_EQ(local.GetPairCount(), 0);
}

TEST(ViewSettingsLocal, CopyAndAssignmentCopyEveryPair) {
  Local source(L"One");
  source.SetIntSetting(L"n", 5);
  source.SetSetting(L"t", L"text");
  Local copy(source);
  EXPECT_EQ(copy.GetSectionName(), L"One");
  EXPECT_EQ(copy.GetIntSetting(L"n", 0), 5);
  Local target(L"Two");
  target.SetSetting(L"old", L"gone");
  target = source;
  EXPECT_EQ(target.GetSectionName(), L"One");
  EXPECT_EQ(target.GetPairCount(), 2);
  EXPECT_EQ(target.GetSetting(L"old", L"missing"), L"missing");
  Local& self = target;
  target = self;
  EXPECT_EQ(target.GetPairCount(), 2);
}

TEST(ViewSettingsTyped, BoolAcceptsOnlyExactWords) {
  Local local(L"S");
  local.SetBoolSetting(L"on", true);
  EXPECT_EQ(local.GetSetting(L"on", L""), L"TRUE");
  EXPECT_TRUE(local.GetBoolSetting(L"on", false));
  local.SetSetting(L"odd", L"True");
  EXPECT_FALSE(local.GetBoolSetting(L"odd", false));
  EXPECT_TRUE(local.GetBoolSetting(L"odd", true));
  local.SetBoolSetting(L"off", false);
  EXPECT_FALSE(local.GetBoolSetting(L"off", true));
}

TEST(ViewSettingsTyped, IntegersReadWhatIsThereNotTheDefault) {
  Local local(L"S");
  local.SetIntSetting(L"neg", -42);
  EXPECT_EQ(local.GetSetting(L"neg", L""), L"-42");
  EXPECT_EQ(local.GetIntSetting(L"neg", 7), -42);
  local.SetSetting(L"word", L"abc");
  EXPECT_EQ(local.GetIntSetting(L"word", 7), 0);
  EXPECT_EQ(local.GetIntSetting(L"missing", 7), 7);
}

TEST(ViewSettingsTyped, FloatsAreFixedPointLikePrintf) {
  Local local(L"S");
  for (double value : {0.0, 1.5, -2.25, 3.14159265, 123456.789, 1e-7}) {
    for (int decimals : {0, 2, 6}) {
      EXPECT_EQ(local.ConvertFloatSetting(value, decimals), printfFixed(value, decimals)) << value;
    }
  }
  local.SetFloatSetting(L"f", 2.5, 3);
  EXPECT_EQ(local.GetSetting(L"f", L""), L"2.500");
  EXPECT_DOUBLE_EQ(local.GetFloatSetting(L"f", 0.0), 2.5);
  EXPECT_DOUBLE_EQ(local.GetFloatSetting(L"missing", 0.125), 0.125);
}

TEST(ViewSettingsTyped, ArraysJoinWithoutLeadingDelimiterAndSplitKeepsEmptyPieces) {
  Local local(L"S");
  CSimpleArray<CString> values;
  values.Add(L"");
  values.Add(L"b");
  values.Add(L"c");
  EXPECT_EQ(local.ConvertArraySetting(values, L";"), L"b;c");
  CSimpleArray<CString> empties;
  empties.Add(L"");
  empties.Add(L"");
  EXPECT_EQ(local.ConvertArraySetting(empties, L";"), L"");

  CSimpleArray<CString> pieces;
  local.SplitArraySetting(L"a;;b;", pieces, L";");
  ASSERT_EQ(pieces.GetSize(), 4);
  EXPECT_EQ(pieces[0], L"a");
  EXPECT_EQ(pieces[1], L"");
  EXPECT_EQ(pieces[2], L"b");
  EXPECT_EQ(pieces[3], L"");

  CSimpleArray<int> numbers;
  numbers.Add(3);
  numbers.Add(-1);
  numbers.Add(20);
  local.SetIntArraySetting(L"ints", numbers, L", ");
  EXPECT_EQ(local.GetSetting(L"ints", L""), L"3, -1, 20");
  CSimpleArray<int> back;
  local.GetIntArraySetting(L"ints", back, L", ");
  ASSERT_EQ(back.GetSize(), 3);
  EXPECT_EQ(back[1], -1);
  CSimpleArray<CString> none;
  local.GetArraySetting(L"missing", none, L", ");
  EXPECT_EQ(none.GetSize(), 0);
}

TEST(ViewSettingsTyped, RectanglesAndColoursNeedTheirPieceCount) {
  Local local(L"S");
  local.SetRectSetting(L"r", CRect(1, -2, 30, 40));
  EXPECT_EQ(local.GetSetting(L"r", L""), L"1, -2, 30, 40");
  EXPECT_EQ(local.GetRectSetting(L"r", CRect(0, 0, 0, 0)), CRect(1, -2, 30, 40));
  local.SetSetting(L"short", L"1, 2, 3");
  EXPECT_EQ(local.GetRectSetting(L"short", CRect(9, 9, 9, 9)), CRect(9, 9, 9, 9));

  local.SetColorSetting(L"c", RGB(10, 20, 30));
  EXPECT_EQ(local.GetSetting(L"c", L""), L"10, 20, 30");
  EXPECT_EQ(local.GetColorSetting(L"c", 0), RGB(10, 20, 30));
  local.SetSetting(L"wide", L"300, 2, 3");
  EXPECT_EQ(local.GetColorSetting(L"wide", 0), RGB(300 & 0xFF, 2, 3));
  local.SetSetting(L"two", L"1, 2");
  EXPECT_EQ(local.GetColorSetting(L"two", RGB(1, 1, 1)), RGB(1, 1, 1));
}

TEST(ViewSettingsTyped, FontsRoundTripWithoutClipPrecision) {
  Local local(L"S");
  LOGFONT font{};
  std::wcscpy(font.lfFaceName, L"Body Face");
  font.lfHeight = -13;
  font.lfWidth = 2;
  font.lfEscapement = 3;
  font.lfOrientation = 4;
  font.lfWeight = 700;
  font.lfItalic = 1;
  font.lfUnderline = 1;
  font.lfStrikeOut = 0;
  font.lfCharSet = 1;
  font.lfOutPrecision = 3;
  font.lfClipPrecision = 2;
  font.lfQuality = 5;
  font.lfPitchAndFamily = 34;
  local.SetLogFontSetting(L"font", font);
  EXPECT_EQ(local.GetSetting(L"font", L""), L"Body Face, -13, 2, 3, 4, 700, 1, 1, 0, 1, 3, 5, 34");
  LOGFONT back = local.GetLogFontSetting(L"font");
  EXPECT_STREQ(back.lfFaceName, L"Body Face");
  EXPECT_EQ(back.lfHeight, -13);
  EXPECT_EQ(back.lfWeight, 700);
  EXPECT_EQ(back.lfPitchAndFamily, 34);
  EXPECT_EQ(back.lfClipPrecision, 0);

  local.SetSetting(L"bad", L"Face, 1, 2");
  LOGFONT zero = local.GetLogFontSetting(L"bad");
  EXPECT_EQ(zero.lfHeight, 0);
  EXPECT_EQ(zero.lfFaceName[0], 0);
}

TEST(ViewSettingsTyped, LongFaceNamesAreCutNotOverflowed) {
  Local local(L"S");
  CString face(L'x', 40);
  local.SetSetting(L"font", face + L", -12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0");
  LOGFONT font = local.GetLogFontSetting(L"font");
  EXPECT_EQ(std::wcslen(font.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
  EXPECT_EQ(font.lfHeight, -12);

  LOGFONT unterminated{};
  for (int i = 0; i < LF_FACESIZE; ++i) unterminated.lfFaceName[i] = L'y';
  CString text = local.ConvertLogFontSetting(unterminated);
  EXPECT_EQ(text.Find(L','), LF_FACESIZE - 1);
}

TEST(ViewSettingsDefault, RegisteredDefaultsComeBeforeTheCallersDefault) {
  MemoryProfiles store(L"Grid");
  EXPECT_FALSE(store.HasDefaultConfig());
  store.GetDefaultConfig().SetIntSetting(L"width", 80);
  store.GetDefaultConfig().SetSetting(L"name", L"base");
  EXPECT_TRUE(store.HasDefaultConfig());
  EXPECT_EQ(store.GetIntSetting(L"width", 5), 80);
  store.SetIntSetting(L"width", 120);
  EXPECT_EQ(store.GetIntSetting(L"width", 5), 120);
  store.SetSetting(L"extra", L"1");

  store.ResetConfigDefault();
  auto& section = store.sections[L"Grid"];
  ASSERT_EQ(section.size(), 2u);
  EXPECT_EQ(section[L"width"], L"80");
  EXPECT_EQ(section[L"name"], L"base");
}

TEST(ViewSettingsProfiles, AProfileKeepsItsSettingsInItsOwnSection) {
  MemoryProfiles store(L"S");
  store.SetActiveProfile(L"P");
  store.SetIntSetting(L"ColumnCount", 3);
  EXPECT_EQ(store.sections[L"S__P"][L"ColumnCount"], L"3");
  EXPECT_EQ(store.sections[L"S"][L"ActiveProfile"], L"P");
  EXPECT_EQ(store.sections[L"S"][L"CurrentProfiles"], L"P");
  store.AddProfile(L"Q");
  EXPECT_EQ(store.sections[L"S"][L"CurrentProfiles"], L"P, Q");
  int writes = store.writes;
  store.AddProfile(L"P");
  EXPECT_EQ(store.writes, writes);
  EXPECT_EQ(store.GetActiveProfile(), L"P");

  CSimpleArray<CString> profiles;
  store.GetProfiles(profiles);
  ASSERT_EQ(profiles.GetSize(), 2);
  EXPECT_EQ(profiles[1], L"Q");
}

TEST(ViewSettingsProfiles, EmptyProfileSwitchesToTheBaseSection) {
  MemoryProfiles store(L"S");
  store.SetActiveProfile(L"");
  EXPECT_EQ(store.sections[L"S"][L"ActiveProfile"], L"");
  EXPECT_EQ(store.sections[L"S"].count(L"CurrentProfiles"), 0u);
  store.SetIntSetting(L"x", 1);
  EXPECT_EQ(store.sections[L"S"][L"x"], L"1");
}

TEST(ViewSettingsProfiles, ActiveProfileIsReadWithoutResolvingTheName) {
  MemoryProfiles store(L"S");
  store.sections[L"S"][L"ActiveProfile"] = L"Stored";
  EXPECT_EQ(store.GetActiveProfile(), L"");
  EXPECT_EQ(store.GetSectionName(), L"S__Stored");
  EXPECT_EQ(store.GetActiveProfile(), L"Stored");

  MemoryProfiles listed(L"T");
  listed.sections[L"T"][L"CurrentProfiles"] = L"First, Second";
  EXPECT_EQ(listed.GetSectionName(), L"T__First");
}

TEST(ViewSettingsProfiles, ClearingTheBaseKeepsTheProfileKeys) {
  MemoryProfiles store(L"S");
  store.sections[L"S"][L"ActiveProfile"] = L"";
  store.sections[L"S"][L"CurrentProfiles"] = L"";
  store.SetSetting(L"ColumnCount", L"4");
  store.RemoveCurrentSection();
  auto& base = store.sections[L"S"];
  EXPECT_EQ(base.size(), 2u);
  EXPECT_EQ(base.count(L"ActiveProfile"), 1u);
  EXPECT_EQ(base.count(L"CurrentProfiles"), 1u);
  EXPECT_EQ(base.count(L"ColumnCount"), 0u);

  store.SetActiveProfile(L"P");
  store.SetSetting(L"ColumnCount", L"2");
  store.RemoveCurrentSection();
  EXPECT_EQ(store.sections.count(L"S__P"), 0u);
  EXPECT_EQ(store.sections[L"S"][L"ActiveProfile"], L"P");
  EXPECT_EQ(store.sections[L"S"][L"CurrentProfiles"], L"P");
}

TEST(ViewSettingsProfiles, UnlistableNamesAreIgnored) {
  MemoryProfiles store(L"S");
  store.AddProfile(L"");
  store.AddProfile(L"a, b");
  store.SetActiveProfile(L"c, d");
  EXPECT_EQ(store.writes, 0);
  EXPECT_EQ(store.GetSectionName(), L"S");
  store.AddProfile(L"a,b");  // a comma alone is not the list's delimiter
  EXPECT_EQ(store.sections[L"S"][L"CurrentProfiles"], L"a,b");
}

TEST(ViewSettingsProfiles, DeletingTheActiveProfileLeavesItsSection) {
  MemoryProfiles store(L"S");
  store.SetActiveProfile(L"P");
  store.SetSetting(L"k", L"v");
  store.DeleteProfile(L"P");
  EXPECT_EQ(store.sections.count(L"S__P"), 0u);
  EXPECT_EQ(store.sections[L"S"][L"CurrentProfiles"], L"");
  EXPECT_EQ(store.sections[L"S"][L"ActiveProfile"], L"");
  EXPECT_EQ(store.GetActiveProfile(), L"");
  store.SetSetting(L"k", L"base");
  EXPECT_EQ(store.sections[L"S"][L"k"], L"base");
  EXPECT_EQ(store.sections.count(L"S__P"), 0u);

  // With another profile listed, the section in use becomes that one.
  store.SetActiveProfile(L"A");
  store.AddProfile(L"B");
  store.DeleteProfile(L"A");
  EXPECT_EQ(store.GetSectionName(), L"S__B");

  int writes = store.writes;
  store.DeleteProfile(L"");
  EXPECT_EQ(store.writes, writes);
}
