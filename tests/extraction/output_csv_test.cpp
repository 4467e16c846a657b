// CSV export: files read back by Python's csv module, and the bytes the format fixes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "common/numbers.h"
#include "extraction/csv_export.h"
#include "tests/support/output_test_support.h"

using namespace output_test;

namespace {

class CsvExportTest : public ::testing::Test {
protected:
  void SetUp() override { HostEditor::resetVariables(); }
  void TearDown() override { HostEditor::resetVariables(); }
  void setLanguage(const wchar_t* verlan) { HostEditor::setVariable(L"VERLAN", std::wstring(verlan)); }
};

TextGrid exampleGrid() { return {{L"Id", L"Object type", L"Quantity", L"Length"}, {L"2F1", L"Line", L"2", L"10.5"}}; }

// The records as the oracle prints them: each field the hexadecimal of its UTF-8 bytes.
std::string oracleRead(const std::filesystem::path& path, const char* delimiter, const char* encoding = "latin-1") {
  CommandResult result = runCommand(pythonScript("support/read_csv.py", {path.string(), delimiter, encoding}));
  EXPECT_EQ(result.status, 0) << result.output;
  return result.output;
}

std::string recordsText(const std::vector<std::vector<std::wstring>>& records) {
  std::string out;
  for (const auto& record : records) {
    for (size_t i = 0; i < record.size(); ++i) out += (i ? " " : "") + hexUtf8(record[i]);
    out += "\n";
  }
  return out;
}

// A numeric cell as C's printf writes it with six significant digits, with the decimal
// comma of French.
std::wstring printfNumber(double value, bool french) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  std::wstring text(buffer, buffer + std::char_traits<char>::length(buffer));
  if (french) {
    for (auto& ch : text) {
      if (ch == L'.') ch = L',';
    }
  }
  return text;
}

// What the csv module reads back from a file of the given columns of every row: the texts,
// numeric ones (but at the bare position) in printf's form.
std::vector<std::vector<std::wstring>> expectedRecords(const TextGrid& grid, const std::vector<int>& columns,
                                                       size_t barePosition, bool french) {
  std::vector<std::vector<std::wstring>> records;
  for (const auto& row : grid) {
    std::vector<std::wstring> record;
    for (size_t c = 0; c < columns.size(); ++c) {
      const CString& cell = row[static_cast<size_t>(columns[c])];
      bool numeric = c != barePosition && isNumericText(cell);
      record.push_back(numeric ? printfNumber(std::wcstod(cell.GetString(), nullptr), french)
                               : std::wstring(cell.str()));
    }
    records.push_back(record);
  }
  return records;
}

TEST_F(CsvExportTest, ExampleLinesAreExactInBothLanguages) {
  auto path = scratchFile("example.csv");
  setLanguage(L"en-US");
  ASSERT_TRUE(exportCsv(exampleGrid(), widePath(path), {true, true, true, true}, {1, 2, 3}, {0, 1},
                        /*headerShown=*/true, L","));
  EXPECT_EQ(readBytes(path), "\"Object type\",Quantity,\"Length\"\r\n\"Line\",2,\"10.5\"\r\n");

  setLanguage(L"fr-FR");
  ASSERT_TRUE(exportCsv(exampleGrid(), widePath(path), {true, true, true, true}, {1, 2, 3}, {0, 1},
                        /*headerShown=*/true, L","));
  EXPECT_EQ(readBytes(path), "\"Object type\";Quantity;\"Length\"\r\n\"Line\";2;\"10,5\"\r\n");
}

TEST_F(CsvExportTest, TableExportExampleIsExact) {
  auto path = scratchFile("table-example.csv");
  TextGrid fromTable = {{L"Object type", L"Quantity", L"Length"}, {L"Line", L"2", L"10.5"}};
  ASSERT_TRUE(exportCsvFromTable(fromTable, widePath(path), /*headerShown=*/true, L","));
  EXPECT_EQ(readBytes(path), "Object type,\"Quantity\",\"Length\"\r\nLine,\"2\",\"10.5\"\r\n");
}

// Cells with quotes, separators, line breaks and accented letters come back from the csv
// module exactly as the grid holds them, in the bare column too; numbers come back in
// printf's form with the language's decimal point.
TEST_F(CsvExportTest, ReaderGetsTheGridBackInEnglishAndFrench) {
  TextGrid grid = {
      {L"Id", L"Désignation", L"Note", L"Longueur", L"Count"},
      {L"1F", L"Porte \"A\", gauche", L"dit \"oui\"; puis\r\nnon", L"1234.5", L"007"},
      {L"2A", L"a;b,c", L"Quantité élevée", L"1234567", L"1e3"},
      {L"30", L"line1\nline2", L"", L"-0.25", L"+4"},
  };
  const std::vector<int> columnOrder = {1, 2, 3, 4};
  for (bool french : {false, true}) {
    SCOPED_TRACE(french ? "fr-FR" : "en-US");
    setLanguage(french ? L"fr-FR" : L"en-US");
    auto path = scratchFile(french ? "quoting-fr.csv" : "quoting-en.csv");
    ASSERT_TRUE(exportCsv(grid, widePath(path), std::vector<bool>(5, true), columnOrder, {0, 1, 2, 3},
                          /*headerShown=*/true, L","));

    // Position 0 is a quoted column, position 1 the bare one; the rest quoted, numbers
    // rewritten.
    EXPECT_EQ(oracleRead(path, french ? ";" : ","), recordsText(expectedRecords(grid, columnOrder, 1, french)));
  }
}

// The cells read back from a table, column 0 bare, come back from the csv module too.
TEST_F(CsvExportTest, TableCellsComeBackInEnglishAndFrench) {
  TextGrid cells = {{L"Désignation", L"Note", L"Longueur"},
                    {L"Porte \"A\"; gauche, droite", L"dit \"oui\"\r\nnon", L"12.5"},
                    {L"42", L"Quantité", L"1234567"},
                    {L"", L"", L""},
                    {L"", L"", L"0.75"}};
  for (bool french : {false, true}) {
    SCOPED_TRACE(french ? "fr-FR" : "en-US");
    setLanguage(french ? L"fr-FR" : L"en-US");
    auto path = scratchFile(french ? "table-fr.csv" : "table-en.csv");
    ASSERT_TRUE(exportCsvFromTable(cells, widePath(path), /*headerShown=*/true, L","));
    EXPECT_EQ(oracleRead(path, french ? ";" : ","), recordsText(expectedRecords(cells, {0, 1, 2}, 0, french)));
  }
}

// Display names that look like numbers, typed as a person types them (leading zeros and
// signs, trailing zeros, exponents): the header line gives each back exactly as typed, in
// both exporters and both languages, while the same texts in a data line are numbers.
TEST_F(CsvExportTest, HeaderCellsComeBackAsTypedAndDataCellsAsNumbers) {
  std::vector<std::wstring> names = {L"0042", L"2024.10", L"+5", L"1234567"};
  std::mt19937 random(18);
  auto digits = [&random](int least, int most) {
    std::wstring out(std::uniform_int_distribution<int>(least, most)(random), L'0');
    for (wchar_t& ch : out) ch = static_cast<wchar_t>(L'0' + random() % 10);
    return out;
  };
  const wchar_t* const signs[] = {L"", L"+", L"-"};
  while (names.size() < 60) {
    std::wstring name = signs[random() % 3] + std::wstring(random() % 3, L'0') + digits(1, 7);
    if (random() % 2) name += L"." + digits(1, 4);
    if (random() % 3 == 0) name += (random() % 2 ? L"e" : L"E") + std::wstring(signs[random() % 3]) + digits(1, 2);
    names.push_back(name);
  }
  TextGrid wizardGrid = {{L"Id"}, {L"1"}}, tableGrid(2);
  std::vector<int> columns, tableColumns;
  for (const std::wstring& name : names) {
    ASSERT_TRUE(isNumericText(CString(name))) << WideToUtf8(name);
    columns.push_back(static_cast<int>(wizardGrid[0].size()));
    tableColumns.push_back(static_cast<int>(tableGrid[0].size()));
    for (auto* grid : {&wizardGrid, &tableGrid}) {
      for (auto& row : *grid) row.push_back(CString(name));
    }
  }
  for (bool french : {false, true}) {
    SCOPED_TRACE(french ? "fr-FR" : "en-US");
    setLanguage(french ? L"fr-FR" : L"en-US");
    const char* separator = french ? ";" : ",";
    auto path = scratchFile("numeric-names.csv");
    auto expected = expectedRecords(wizardGrid, columns, 1, french);
    expected[0] = names;
    ASSERT_TRUE(exportCsv(wizardGrid, widePath(path), std::vector<bool>(wizardGrid[0].size(), true), columns, {0, 1},
                          /*headerShown=*/true, L","));
    EXPECT_EQ(oracleRead(path, separator), recordsText(expected));

    // A table without a header line: its row 0 is a data line.
    auto fromTable = expectedRecords(tableGrid, tableColumns, 0, french);
    ASSERT_TRUE(exportCsvFromTable(tableGrid, widePath(path), /*headerShown=*/false, L","));
    EXPECT_EQ(oracleRead(path, separator), recordsText(fromTable));
    fromTable[0] = names;
    ASSERT_TRUE(exportCsvFromTable(tableGrid, widePath(path), /*headerShown=*/true, L","));
    EXPECT_EQ(oracleRead(path, separator), recordsText(fromTable));
  }
}

TEST_F(CsvExportTest, NumbersAreRewrittenWithoutGrouping) {
  TextGrid grid = {{L"Id", L"A", L"B"},   {L"1", L"x", L"007"}, {L"2", L"x", L"1e3"},   {L"3", L"x", L"1234567"},
                   {L"4", L"x", L"1234"}, {L"5", L"x", L"2.5"}, {L"6", L"x", L"1.5e-7"}};
  for (bool french : {false, true}) {
    setLanguage(french ? L"fr-FR" : L"en-US");
    auto path = scratchFile("numbers.csv");
    ASSERT_TRUE(exportCsv(grid, widePath(path), {true, true, true}, {2, 1}, {1, 2, 3, 4, 5, 6},
                          /*headerShown=*/false, L","));
    std::string sep = french ? ";" : ",";
    std::string expected;
    for (const char* number : {"007", "1e3", "1234567", "1234", "2.5", "1.5e-7"}) {
      std::wstring printed = printfNumber(std::strtod(number, nullptr), french);
      expected += "\"" + WideToUtf8(printed) + "\"" + sep + "x\r\n";
    }
    EXPECT_EQ(readBytes(path), expected) << (french ? "fr-FR" : "en-US");
  }
}

// Numbers at the limits of a double: within its range they are rewritten like any other
// (negative zero and the smallest values included); a numeric text beyond the range, which
// would become "inf" or a 0, is written as it stands, by both exporters.
TEST_F(CsvExportTest, NumbersBeyondADoubleAreWrittenAsTheyStand) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"1e308", L"1e+308"},
      {L"-1.7976931348623157e308", L"-1.79769e+308"},
      {L"4.9e-324", L"4.94066e-324"},
      {L"-0", L"-0"},
      {L"0e-999", L"0"},
      {L"000.000e999", L"0"},
      {L"1e400", L"1e400"},
      {L"-2.5E+999", L"-2.5E+999"},
      {L"1e-400", L"1e-400"},
      {L"-0.0001e-330", L"-0.0001e-330"},
      {L"1" + std::wstring(400, L'0'), L"1" + std::wstring(400, L'0')}};
  TextGrid wizardGrid = {{L"Id", L"Value", L"Name"}};
  TextGrid tableGrid = {{L"Name", L"Value"}};
  std::vector<int> rowOrder;
  for (const auto& [text, written] : cases) {
    rowOrder.push_back(static_cast<int>(wizardGrid.size()));
    wizardGrid.push_back({L"1", CString(text), L"n"});
    tableGrid.push_back({L"n", CString(text)});
  }
  for (bool french : {false, true}) {
    SCOPED_TRACE(french ? "fr-FR" : "en-US");
    setLanguage(french ? L"fr-FR" : L"en-US");
    std::vector<std::vector<std::wstring>> expected;
    for (const auto& [text, written] : cases) {
      std::wstring field = written;
      if (french && written != text) std::replace(field.begin(), field.end(), L'.', L',');
      expected.push_back({field, L"n"});
    }
    auto path = scratchFile("limits.csv");
    ASSERT_TRUE(
        exportCsv(wizardGrid, widePath(path), {true, true, true}, {1, 2}, rowOrder, /*headerShown=*/false, L","));
    EXPECT_EQ(oracleRead(path, french ? ";" : ","), recordsText(expected));

    for (auto& record : expected) std::swap(record[0], record[1]);
    expected.insert(expected.begin(), {L"Name", L"Value"});
    ASSERT_TRUE(exportCsvFromTable(tableGrid, widePath(path), /*headerShown=*/true, L","));
    EXPECT_EQ(oracleRead(path, french ? ";" : ","), recordsText(expected));
  }
}

TEST_F(CsvExportTest, UnreadableOrUnknownLanguageIsEnglish) {
  auto path = scratchFile("language.csv");
  TextGrid grid = {{L"Id", L"A", L"B"}, {L"1", L"0.5", L"x"}};
  HostEditor::removeVariable(L"VERLAN");
  ASSERT_TRUE(exportCsv(grid, widePath(path), {true, true, true}, {1, 2}, {1}, /*headerShown=*/false, L","));
  EXPECT_EQ(readBytes(path), "\"0.5\",x\r\n");
  setLanguage(L"fr-CA");
  ASSERT_TRUE(exportCsv(grid, widePath(path), {true, true, true}, {1, 2}, {1}, /*headerShown=*/false, L","));
  EXPECT_EQ(readBytes(path), "\"0.5\",x\r\n");
}

TEST_F(CsvExportTest, CharactersBecomeOneByteEach) {
  auto path = scratchFile("narrow.csv");
  TextGrid grid = {{L"Id", L"A", L"B"}, {L"1", L"é\u00ff\u0085", L"\u20ac\u0152\u4e2d"}};
  ASSERT_TRUE(exportCsv(grid, widePath(path), {true, true, true}, {1, 2}, {1}, /*headerShown=*/false, L","));
  // Up to U+00FF the character's byte; the euro and the OE ligature their code page 1252
  // bytes; a character outside the code page a question mark.
  EXPECT_EQ(readBytes(path), "\"\xe9\xff\x85\",\x80\x8c?\r\n");
  std::vector<std::vector<std::wstring>> expected = {{L"é\u00ff\u2026", L"\u20ac\u0152?"}};
  EXPECT_EQ(oracleRead(path, ",", "cp1252"), recordsText(expected));
}

TEST_F(CsvExportTest, DisplayOrderHiddenHeaderTotalsAndSkippedColumns) {
  // An output grid with totals: data rows, then the empty row and the totals row.
  TextGrid grid = {{L"Id", L"Type", L"Name", L"Length"}, {L"A1", L"Line", L"w1", L"2"}, {L"A2", L"Arc", L"w2", L"3"},
                   {L"A3", L"Line", L"w3", L"4"},        {L"", L"", L"", L""},          {L"", L"", L"", L"9"}};
  // The preview sorted descending: rows 3, 2, 1 and the totals row's entry (now naming the
  // empty row); column "Name" hidden by its flag while still in the order, last.
  std::vector<int> rowOrder = {0, 3, 2, 1, 4};
  std::vector<bool> flags = {true, true, false, true};
  auto path = scratchFile("ordered.csv");
  ASSERT_TRUE(exportCsv(grid, widePath(path), flags, {3, 1, 2}, rowOrder, /*headerShown=*/true, L","));
  EXPECT_EQ(readBytes(path), "\"Length\",Type,\r\n\"4\",Line,\r\n\"3\",Arc,\r\n\"2\",Line,\r\n\"\",,\r\n\"9\",,\r\n");

  // Header hidden: the first data row is the preview's heading and the first line; the
  // preview's rows follow in their order.
  ASSERT_TRUE(exportCsv(grid, widePath(path), {true, true, true, true}, {2, 3}, {1, 3, 2, 4},
                        /*headerShown=*/false, L","));
  EXPECT_EQ(oracleRead(path, ","), recordsText({{L"w1", L"2"}, {L"w3", L"4"}, {L"w2", L"3"}, {L"", L""}, {L"", L"9"}}));
}

TEST_F(CsvExportTest, EmptyGridsAndFailuresAreReported) {
  auto path = scratchFile("empty.csv");
  EXPECT_FALSE(exportCsv({}, widePath(path), {}, {}, {}, /*headerShown=*/true, L","));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(exportCsvFromTable({}, widePath(path), /*headerShown=*/true, L","));
  EXPECT_FALSE(std::filesystem::exists(path));

  // Only the header, hidden: an empty file.
  EXPECT_TRUE(exportCsv({{L"Id", L"A"}}, widePath(path), {true, true}, {1}, {1}, /*headerShown=*/false, L","));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(readBytes(path), "");

  // A folder that does not exist, and a path that is a folder: failures, not successes.
  TextGrid grid = exampleGrid();
  EXPECT_FALSE(exportCsv(grid, widePath(scratchDir() / "missing" / "x.csv"), {true, true, true, true}, {1, 2}, {0, 1},
                         /*headerShown=*/true, L","));
  EXPECT_FALSE(exportCsvFromTable(grid, widePath(scratchDir()), /*headerShown=*/true, L","));

  // Orders that name rows or columns the grid lacks write nothing.
  auto bad = scratchFile("bad-order.csv");
  EXPECT_FALSE(exportCsv(grid, widePath(bad), {true, true, true, true}, {1, 7}, {0, 1}, /*headerShown=*/true, L","));
  EXPECT_FALSE(exportCsv(grid, widePath(bad), {true, true, true, true}, {1, 2}, {0, 5}, /*headerShown=*/true, L","));
  EXPECT_FALSE(exportCsv(grid, widePath(bad), {true, true}, {1, 2}, {0, 1}, /*headerShown=*/true, L","));
  EXPECT_FALSE(std::filesystem::exists(bad));
}

}  // namespace
