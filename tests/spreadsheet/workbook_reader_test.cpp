// The workbook reader against truncated, corrupt and unusual streams: it refuses what it
// cannot read and never reads past its data.
#include <gtest/gtest.h>

#include <random>

#include "spreadsheet/xls_book.h"
#include "test_support.h"

using namespace QExcel;
using sheet_test::Bytes;
using sheet_test::globals;
using sheet_test::rk;
using sheet_test::workbookStream;
using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;

namespace {

// A stream with two sheets, numbers, long texts over CONTINUE pieces, merged cells,
// column widths and a formula with a string result.
std::vector<char> sampleStream() {
  XlsBook book;
  book.create(2);
  XlsSheet* sheet = book.sheetAt(0);
  for (int r = 0; r < 45; ++r) {
    sheet->cellAt(r, 0)->setInteger(r);
    sheet->cellAt(r, 1)->setInteger(-r);
    sheet->cellAt(r, 2)->setDouble(r + 0.25);
    sheet->cellAt(r, 3)->setText(std::wstring(r == 40 ? 9000 : r * 3, static_cast<wchar_t>(L'a' + r % 26)).c_str());
  }
  sheet->mergeCells(1, 1, 2, 2);
  sheet->setColumnWidth(3, 9000);
  CellBlock::Formula formula;
  formula.tokens = {3, 0, 0x1E, 7, 0};
  formula.string.setText(u"r\u00e9sultat");
  formula.result = {0, 0, 0, 0, 0, 0, '\xFF', '\xFF'};
  book.sheetAt(1)->cellAt(0, 0)->setFormula(RefPtr<XlsFormula>(new XlsFormula(formula)));
  book.sheetAt(1)->cellAt(0, 1)->setText("narrow \xE9");
  book.buildRecords();
  book.fixStreamPositions();
  std::vector<char> stream(book.streamSize());
  EXPECT_EQ(book.write(stream.data()), stream.size());
  return stream;
}

// What the fuzzer does with an input: read it, build the grids, write it back.
bool readAndRewrite(const std::vector<char>& stream) {
  XlsBook book;
  if (book.read(stream.data(), static_cast<std::uint32_t>(stream.size())) == 0) return false;
  book.syncSheets();
  book.buildRecords();
  book.fixStreamPositions();
  std::vector<char> out(book.streamSize());
  EXPECT_EQ(book.write(out.data()), out.size());
  return true;
}

}  // namespace

TEST(WorkbookReader, ReadsBackWhatItWrote) {
  std::vector<char> stream = sampleStream();
  XlsBook book;
  ASSERT_EQ(book.read(stream.data(), static_cast<std::uint32_t>(stream.size())), stream.size());
  book.syncSheets();
  ASSERT_EQ(book.sheetCount(), 2);
  XlsSheet* sheet = book.sheetAt(0);
  EXPECT_EQ(sheet->rowCount(), 45);
  EXPECT_EQ(sheet->cellAt(44, 1)->integerValue(), -44);
  EXPECT_EQ(sheet->cellAt(44, 2)->doubleValue(), 44.25);
  EXPECT_EQ(sheet->cellAt(40, 3)->textLength(), 9000u);
  EXPECT_EQ(sheet->cellAt(1, 1)->mergedColumns(), 2);
  const XlsCell* formula = book.sheetAt(1)->cellAt(0, 0);
  ASSERT_EQ(formula->type(), XlsCell::FORMULA);
  EXPECT_STREQ(formula->narrowText(), "r\xE9sultat");
  EXPECT_EQ(formula->formula()->record.tokens, (std::vector<char>{3, 0, 0x1E, 7, 0}));
  EXPECT_STREQ(book.sheetAt(1)->cellAt(0, 1)->narrowText(), "narrow \xE9");

  // Written again, the stream is the same byte for byte.
  book.buildRecords();
  book.fixStreamPositions();
  std::vector<char> again(book.streamSize());
  book.write(again.data());
  EXPECT_EQ(again, stream);
}

TEST(WorkbookReader, EveryTruncationIsRefusedOrReadWithinBounds) {
  std::vector<char> stream = sampleStream();
  std::uint32_t sheetStart = 0;
  {
    XlsBook book;
    book.read(stream.data(), static_cast<std::uint32_t>(stream.size()));
    sheetStart = book.workbook().boundSheets[0].position;
  }
  // Every length around the record boundaries of the globals' start and the sheets'
  // starts, and a stride through the rest.
  for (size_t n = 0; n < stream.size(); ++n) {
    bool near = n < 1200 || (n + 400 > sheetStart && n < sheetStart + 1200) || n + 300 > stream.size();
    if (!near && n % 53 != 0) continue;
    std::vector<char> cut(stream.begin(), stream.begin() + n);
    bool read = readAndRewrite(cut);
    if (n < sheetStart) {
      EXPECT_FALSE(read) << n;  // the globals are incomplete
    }
  }
}

TEST(WorkbookReader, CorruptBytesNeverCrashTheReader) {
  std::vector<char> stream = sampleStream();
  std::mt19937 random(1234);
  int refused = 0;
  for (int i = 0; i < 300; ++i) {
    std::vector<char> corrupt = stream;
    int flips = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < flips; ++k) corrupt[random() % corrupt.size()] = static_cast<char>(random());
    if (!readAndRewrite(corrupt)) ++refused;
  }
  EXPECT_GT(refused, 0);
}

TEST(WorkbookReader, UnknownSubstreamsAreSkippedAndSheetsStayInStep) {
  Bytes chart;
  chart.record(0x0809, sheet_test::bof(0x20)).record(0x1001, Bytes().u16(1)).record(0x000A, Bytes());
  Bytes sheet;
  sheet.record(0x0809, sheet_test::bof(0x10))
      .record(0x00FD, Bytes().u16(0).u16(0).u16(0).u32(0))
      .record(0x000A, Bytes());
  Bytes sst = Bytes().u32(1).u32(1).u16(2).u8(0).raw("hi");
  std::uint32_t globalsSize = globals({{0, "Chart1"}, {0, "Data"}}, sst).size();
  Bytes stream = globals({{globalsSize, "Chart1"}, {globalsSize + chart.size(), "Data"}}, sst);
  stream.add(chart).add(sheet);
  XlsBook book;
  ASSERT_EQ(book.read(stream.data.data(), stream.size()), stream.size());
  book.syncSheets();
  ASSERT_EQ(book.sheetCount(), 1);
  EXPECT_STREQ(book.narrowSheetName(0), "Data");
  EXPECT_STREQ(book.sheetAt(0)->cellAt(0, 0)->narrowText(), "hi");
}

// A text cell with formatting runs, in a record of its own, reads as a text cell (8-bit or
// UTF-16); a record whose characters, run count or runs go past its end is refused.
TEST(WorkbookReader, RichTextCellsAreReadAsTextsAndCutOnesRefused) {
  using sheet_test::richText;
  const Bytes narrow = Bytes().raw("caf\xE9"), wide = Bytes().u16(0x416).u16('x');
  Bytes records;
  records.record(0x00D6, richText(0, 0, 4, false, narrow, 2)).record(0x00D6, richText(1, 2, 2, true, wide, 0));
  Bytes stream = workbookStream({records});
  XlsBook book;
  ASSERT_EQ(book.read(stream.data.data(), stream.size()), stream.size());
  book.syncSheets();
  ASSERT_EQ(book.sheetCount(), 1);
  EXPECT_STREQ(book.sheetAt(0)->cellAt(0, 0)->narrowText(), "caf\xE9");
  ASSERT_EQ(book.sheetAt(0)->cellAt(1, 2)->type(), XlsCell::WSTRING);
  EXPECT_EQ(std::wstring(book.sheetAt(0)->cellAt(1, 2)->wideText()), L"\x416x");
  EXPECT_TRUE(readAndRewrite(stream.data));

  Bytes noRunCount = richText(0, 0, 4, false, narrow, 0), runCut = richText(0, 0, 4, false, narrow, 2);
  noRunCount.data.resize(noRunCount.data.size() - 2);
  runCut.data.resize(runCut.data.size() - 4);
  for (const Bytes& body :
       {richText(0, 0, 5, false, narrow, 0), richText(0, 0, 3, true, wide, 0), noRunCount, runCut}) {
    Bytes cut = workbookStream({Bytes().record(0x00D6, body)});
    EXPECT_EQ(book.read(cut.data.data(), cut.size()), 0u) << body.size();
  }
}

namespace {
// The codes of the records that a book keeps as read.
std::vector<std::uint16_t> keptCodes(const XlsBook& book) {
  std::vector<std::uint16_t> codes;
  for (const Record& record : book.workbook().kept) codes.push_back(record.code);
  return codes;
}
}  // namespace

// The link table refers to sheets by their place in the sheet list as read: a book keeps
// it only while that list is unchanged (formulas then lose their references rather than
// point at other sheets); the date system and the palette stay.
TEST(WorkbookReader, TheLinkTableIsKeptOnlyWithTheSheetListItRefersTo) {
  const std::vector<std::uint16_t> all = {0x01AE, 0x0017, 0x0018, 0x0022, 0x0092};
  const std::vector<std::uint16_t> withoutLinks = {0x0022, 0x0092};
  Bytes plain = sheet_test::linkedStream(false);
  XlsBook book;
  ASSERT_EQ(book.read(plain.data.data(), plain.size()), plain.size());
  book.syncSheets();
  EXPECT_EQ(keptCodes(book), all);
  EXPECT_TRUE(book.renameSheet(0, "Renamed"));
  EXPECT_EQ(keptCodes(book), all);
  ASSERT_TRUE(book.addSheet("More"));
  EXPECT_EQ(keptCodes(book), withoutLinks);

  ASSERT_EQ(book.read(plain.data.data(), plain.size()), plain.size());
  book.syncSheets();
  ASSERT_TRUE(book.deleteSheet(0));
  EXPECT_EQ(keptCodes(book), withoutLinks);

  Bytes withChart = sheet_test::linkedStream(true);
  ASSERT_EQ(book.read(withChart.data.data(), withChart.size()), withChart.size());
  book.syncSheets();
  ASSERT_EQ(book.sheetCount(), 1);
  EXPECT_EQ(keptCodes(book), withoutLinks);
}

TEST(WorkbookReader, CellsOutsideRowBlocksAreRead) {
  Bytes sheet;
  sheet.record(0x0809, sheet_test::bof(0x10))
      .record(0x027E, Bytes().u16(2).u16(1).u16(0).u32(7 * 4 + 2))
      .record(0x0203, Bytes().u16(3).u16(0).u16(0).u32(0).u32(0x3FF80000))
      .record(0x023E, Bytes().u16(0x6B6).u16(0).u16(0).u16(64).u16(0).u16(0).u16(0).u32(0))
      .record(0x000A, Bytes());
  std::uint32_t start = globals({{0, "S"}}).size();
  Bytes stream = globals({{start, "S"}});
  stream.add(sheet);
  XlsBook book;
  ASSERT_EQ(book.read(stream.data.data(), stream.size()), stream.size());
  book.syncSheets();
  XlsSheet* s = book.sheetAt(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->rowCount(), 4);
  EXPECT_EQ(s->cellAt(2, 1)->integerValue(), 7);
  EXPECT_EQ(s->cellAt(3, 0)->doubleValue(), 1.5);
  EXPECT_EQ(book.worksheets()[0].window2.gridColour, 64);
}

TEST(WorkbookReader, StreamsWithoutTheirEndAreRefused) {
  Bytes noEnd;
  noEnd.record(0x0809, sheet_test::bof(5)).record(0x0031, Bytes().u16(200));
  XlsBook book;
  EXPECT_EQ(book.read(noEnd.data.data(), noEnd.size()), 0u);
  EXPECT_EQ(book.sheetCount(), 0);

  // A worksheet that ends inside a row block: read up to its EOF.
  Bytes sheet;
  sheet.record(0x0809, sheet_test::bof(0x10))
      .record(0x0208, Bytes().u16(0).u16(0).u16(1).u16(255).u32(0).u32(0x100))
      .record(0x0201, Bytes().u16(0).u16(0).u16(0))
      .record(0x000A, Bytes());
  std::uint32_t start = globals({{0, "S"}}).size();
  Bytes stream = globals({{start, "S"}});
  stream.add(sheet);
  EXPECT_EQ(book.read(stream.data.data(), stream.size()), stream.size());
  EXPECT_EQ(book.read(stream.data.data(), stream.size() - 4), 0u);

  Bytes older;
  older.record(0x0809, Bytes().u16(0x0500).u16(5).u32(0).u32(0).u32(0)).record(0x000A, Bytes());
  EXPECT_EQ(book.read(older.data.data(), older.size()), 0u);

  Bytes notAWorkbook;
  notAWorkbook.record(0x0031, Bytes().u16(1));
  EXPECT_EQ(book.read(notAWorkbook.data.data(), notAWorkbook.size()), 0u);
}

namespace {
std::wstring workbookFile(const std::string& name, const Bytes& stream) {
  std::wstring path = widePath(sheet_test::scratchPath(name));
  CompoundDocument doc;
  EXPECT_TRUE(doc.create(path.c_str()));
  EXPECT_EQ(doc.makeStream("Workbook"), 1);
  EXPECT_EQ(doc.writeStream("Workbook", stream.data, stream.size()), 1);
  return path;
}
}  // namespace

// Records longer than their layout, in one piece or several, load and save again.
TEST(WorkbookReader, OversizedRecordsLoadAndSaveAgainByTheirLayout) {
  std::wstring path = workbookFile("oversized.xls", workbookStream({sheet_test::oversizedRecords()}));
  std::wstring again = widePath(sheet_test::scratchPath("oversized_again.xls"));
  {
    XlsBook book;
    ASSERT_TRUE(book.load(path.c_str()));
    ASSERT_TRUE(book.saveAs(again.c_str()));
  }
  XlsBook book;
  ASSERT_TRUE(book.load(again.c_str()));
  ASSERT_EQ(book.sheetCount(), 1);
  EXPECT_EQ(book.sheetAt(0)->columnWidth(1), 5000);
  EXPECT_EQ(book.sheetAt(0)->cellAt(0, 1)->integerValue(), 77);
  EXPECT_EQ(book.worksheets()[0].window2.gridColour, 64);
}

// Grids are built only as large as the file's size allows: a cell address far beyond what
// a small file holds is refused, on one sheet or on many, without an exception.
TEST(WorkbookReader, FarCellAddressesOfSmallFilesAreRefused) {
  XlsBook book;
  EXPECT_FALSE(book.load(workbookFile("far.xls", workbookStream({Bytes().record(0x027E, rk(65535, 255, 1))})).c_str()));
  EXPECT_EQ(book.sheetCount(), 0);
  std::vector<Bytes> many(20, Bytes().record(0x027E, rk(65535, 255, 1)));
  EXPECT_FALSE(book.load(workbookFile("far_sheets.xls", workbookStream(many)).c_str()));
  EXPECT_EQ(book.sheetCount(), 0);

  // Within the budget, a far cell sizes the grid as before.
  Bytes near = workbookStream({Bytes().record(0x027E, rk(2000, 20, 5))});
  ASSERT_LE(2001u * 21, XlsBook::gridCellBudget(near.size()));
  ASSERT_TRUE(book.load(workbookFile("near.xls", near).c_str()));
  EXPECT_EQ(book.sheetAt(0)->rowCount(), 2001);
  EXPECT_EQ(book.sheetAt(0)->cellAt(2000, 20)->integerValue(), 5);
}
