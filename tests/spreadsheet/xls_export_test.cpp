// The XLS export front ends, read back with the workbook reader.
#include "spreadsheet/xls_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host/editor.h"
#include "spreadsheet/xls_book.h"
#include "test_support.h"

using sheet_test::scratchPath;

namespace {

class XlsExport : public ::testing::Test {
protected:
  void SetUp() override {
    HostEditor::resetVariables();
    buffers_ = HostEditor::liveBuffers();
  }
  void TearDown() override {
    EXPECT_EQ(HostEditor::liveBuffers(), buffers_);
    HostEditor::resetVariables();
  }

  // The sheet's cells as texts: "" for a blank, "#xf" appended for XF 21.
  std::vector<std::vector<std::wstring>> cells(const std::filesystem::path& path) {
    XlsBook book;
    EXPECT_TRUE(book.load(widePath(path).c_str()));
    std::vector<std::vector<std::wstring>> out;
    if (book.sheetCount() != 1) return out;
    std::string name;
    EXPECT_TRUE(book.sheetName(0, name));
    EXPECT_EQ(name, "Sheet1");
    XlsSheet* sheet = book.sheetAt(0);
    for (int r = 0; r < sheet->rowCount(); ++r) {
      out.emplace_back();
      for (int c = 0; c < sheet->columnCount(); ++c) {
        const XlsCell* cell = sheet->cellAt(r, c);
        std::wstring text = cell->wideText() ? cell->wideText() : L"";
        EXPECT_TRUE(cell->type() == XlsCell::WSTRING || cell->type() == XlsCell::UNDEFINED);
        if (cell->xfIndex() == 21) text += L"#b";
        else EXPECT_EQ(cell->xfIndex(), 0u);
        out.back().push_back(text);
      }
    }
    sst_ = book.workbook().sst;
    return out;
  }

  QExcel::Workbook::SharedStringTable sst_;
  int buffers_ = 0;
  TextGrid grid_ = {
      {L"Id", L"Name", L"Length"}, {L"1A", L"Line", L"3.25"}, {L"2B", L"", L"1,5"}, {L"3C", L"Line", L"2e5"}};
};

using Rows = std::vector<std::vector<std::wstring>>;

}  // namespace

TEST_F(XlsExport, HeaderShownIsBoldAndRowOrderIsFollowed) {
  std::filesystem::path path = scratchPath("export_header.xls");
  ASSERT_TRUE(exportXls(grid_, widePath(path), {true, true, true}, {1, 2}, {0, 3, 1, 2}, /*headerShown=*/true));
  EXPECT_EQ(cells(path), (Rows{{L"Name#b", L"Length#b"}, {L"Line", L"2e5"}, {L"Line", L"3.25"}, {L"", L"1,5"}}));
  EXPECT_EQ(sst_.total, 7u);
  EXPECT_EQ(sst_.unique, 6u);  // "Line" twice, stored once
}

TEST_F(XlsExport, HeaderHiddenStartsWithTheFirstDataRow) {
  std::filesystem::path path = scratchPath("export_noheader.xls");
  HostEditor::setVariable(L"VERLAN", L"fr-FR");
  ASSERT_TRUE(exportXls(grid_, widePath(path), {true, true, true}, {0, 2}, {1, 2, 3}, /*headerShown=*/false));
  EXPECT_EQ(cells(path), (Rows{{L"1A", L"3,25"}, {L"2B", L"1,5"}, {L"3C", L"2e5"}}));
}

TEST_F(XlsExport, HiddenColumnKeepsItsPositionBlank) {
  std::filesystem::path path = scratchPath("export_hidden.xls");
  ASSERT_TRUE(exportXls(grid_, widePath(path), {true, false, true}, {0, 1, 2}, {0, 1, 2, 3}, /*headerShown=*/true));
  Rows rows = cells(path);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Id#b", L"", L"Length#b"}));
  EXPECT_EQ(rows[2], (std::vector<std::wstring>{L"2B", L"", L"1,5"}));
}

TEST_F(XlsExport, DecimalSeparatorFollowsTheLanguage) {
  TextGrid grid = {{L"A"}, {L"3.25"}, {L"1,5"}, {L"-2.5e3"}, {L"x.y"}};
  std::filesystem::path path = scratchPath("export_language.xls");
  for (auto [language, expected] :
       {std::pair<const wchar_t*, Rows>{L"fr-FR", {{L"A#b"}, {L"3,25"}, {L"1,5"}, {L"-2,5e3"}, {L"x.y"}}},
        {L"en-US", {{L"A#b"}, {L"3.25"}, {L"1,5"}, {L"-2.5e3"}, {L"x.y"}}},
        {L"de-DE", {{L"A#b"}, {L"3.25"}, {L"1,5"}, {L"-2.5e3"}, {L"x.y"}}}}) {
    HostEditor::setVariable(L"VERLAN", language);
    ASSERT_TRUE(exportXls(grid, widePath(path), {true}, {0}, {0, 1, 2, 3, 4}, /*headerShown=*/true));
    EXPECT_EQ(cells(path), expected) << CString(language);
  }
  HostEditor::removeVariable(L"VERLAN");
  ASSERT_TRUE(exportXls(grid, widePath(path), {true}, {0}, {0, 1, 2, 3, 4}, /*headerShown=*/true));
  EXPECT_EQ(cells(path)[1][0], L"3.25");
}

TEST_F(XlsExport, TableExportBoldsTheWholeFirstRow) {
  std::filesystem::path path = scratchPath("export_table.xls");
  HostEditor::setVariable(L"VERLAN", L"fr-FR");
  TextGrid grid = {{L"Name", L"", L"12.5"}, {L"Line", L"", L"3.25"}};
  ASSERT_TRUE(exportXlsFromTable(grid, widePath(path)));
  EXPECT_EQ(cells(path), (Rows{{L"Name#b", L"#b", L"12,5#b"}, {L"Line", L"", L"3,25"}}));
}

TEST_F(XlsExport, EmptyGridWritesNothing) {
  std::filesystem::path path = scratchPath("export_empty.xls");
  EXPECT_TRUE(exportXls({}, widePath(path), {}, {}, {}, /*headerShown=*/true));
  EXPECT_TRUE(exportXlsFromTable({}, widePath(path)));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(XlsExport, CellsBeyondTheSheetFailTheExport) {
  std::filesystem::path path = scratchPath("export_limits.xls");
  TextGrid tall(65538, std::vector<CString>{L"x"});
  EXPECT_FALSE(exportXls(tall, widePath(path), {true}, {0}, {}, /*headerShown=*/true));
  EXPECT_FALSE(exportXlsFromTable(tall, widePath(path)));
  EXPECT_FALSE(std::filesystem::exists(path));
  // Without the header line the 65,537 grid rows make 65,536 sheet rows: they fit.
  tall.pop_back();
  EXPECT_TRUE(exportXls(tall, widePath(path), {true}, {0}, {}, /*headerShown=*/false));

  TextGrid wide = {std::vector<CString>(257, L"w")};
  std::vector<int> order(257);
  for (int i = 0; i < 257; ++i) order[i] = i;
  std::vector<bool> flags(257, true);
  std::filesystem::remove(path);
  EXPECT_FALSE(exportXls(wide, widePath(path), flags, order, {0}, /*headerShown=*/true));
  EXPECT_FALSE(exportXlsFromTable(wide, widePath(path)));
  EXPECT_FALSE(std::filesystem::exists(path));
  flags[256] = false;  // the last position is hidden: nothing is written there
  EXPECT_TRUE(exportXls(wide, widePath(path), flags, order, {0}, /*headerShown=*/true));
}

TEST_F(XlsExport, InvalidOrdersAndRaggedRowsAreRefused) {
  std::filesystem::path path = scratchPath("export_invalid.xls");
  EXPECT_FALSE(exportXls(grid_, widePath(path), {true, true}, {0, 2}, {0, 1}, /*headerShown=*/true));  // flag missing
  EXPECT_FALSE(exportXls(grid_, widePath(path), {true, true, true}, {0, -1}, {0, 1}, /*headerShown=*/true));
  EXPECT_FALSE(exportXls(grid_, widePath(path), {true, true, true}, {0}, {0, 9}, /*headerShown=*/true));
  TextGrid ragged = {{L"a", L"b"}, {L"c"}};
  EXPECT_FALSE(exportXlsFromTable(ragged, widePath(path)));
  EXPECT_FALSE(exportXls(ragged, widePath(path), {true, true}, {0, 1}, {0, 1}, /*headerShown=*/true));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(XlsExport, UnwritablePathIsReported) {
  EXPECT_FALSE(exportXls(grid_, widePath(scratchPath("no_such_folder/x.xls")), {true, true, true}, {0}, {0},
                         /*headerShown=*/true));
  EXPECT_FALSE(exportXlsFromTable(grid_, widePath(scratchPath("no_such_folder/x.xls"))));
}

// Texts longer than a cell holds are cut to 32,767 UTF-16 units (never inside a surrogate
// pair), counted per cell, and the file is written all the same.
TEST_F(XlsExport, TextsBeyondTheCellLimitAreCutCountedAndWritten) {
  std::filesystem::path path = scratchPath("export_cut.xls");
  const std::wstring limit(32767, L'k');
  const std::wstring emoji(20000, L'\U0001F600');  // 40,000 units
  TextGrid grid = {{L"Id", L"Text"},
                   {L"1", CString(std::wstring(40000, L'a'))},
                   {L"2", CString(emoji)},
                   {L"3", CString(limit)},
                   {L"4", CString(emoji)}};
  int cut = -1;
  ASSERT_TRUE(exportXls(grid, widePath(path), {true, true}, {0, 1}, {0, 1, 2, 3, 4}, /*headerShown=*/true, &cut));
  EXPECT_EQ(cut, 3);
  Rows rows = cells(path);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1][1], std::wstring(32767, L'a'));
  EXPECT_EQ(rows[2][1], std::wstring(16383, L'\U0001F600'));
  EXPECT_EQ(rows[3][1], limit);

  cut = -1;
  ASSERT_TRUE(exportXlsFromTable(grid, widePath(path), &cut));
  EXPECT_EQ(cut, 3);
  EXPECT_EQ(cells(path)[4][1], std::wstring(16383, L'\U0001F600'));
  ASSERT_TRUE(exportXlsFromTable(grid_, widePath(path), &cut));
  EXPECT_EQ(cut, 0);
}
