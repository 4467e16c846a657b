// The workbook object model: sheets and names, the cell grid, record building with its
// stream positions, and saving and loading.
#include "spreadsheet/xls_book.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "spreadsheet/format_manager.h"
#include "spreadsheet/utf16_text.h"
#include "test_support.h"

using namespace QExcel;
using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;
using sheet_test::scratchPath;

namespace {
std::string narrowNameOf(const XlsBook& book, int i) {
  std::string name;
  return book.sheetName(i, name) ? name : "<none>";
}

std::vector<std::uint16_t> codesOf(const Worksheet& ws) {
  std::vector<std::uint16_t> codes;
  for (const auto& block : ws.cellTable.blocks)
    for (const auto& cell : block.cellBlocks) codes.push_back(cell->code);
  return codes;
}
}  // namespace

TEST(XlsBook, SheetsAreNamedAddedDeletedAndRenamed) {
  XlsBook book;
  book.create(3);
  ASSERT_EQ(book.sheetCount(), 3);
  EXPECT_EQ(narrowNameOf(book, 0), "Sheet1");
  EXPECT_EQ(narrowNameOf(book, 2), "Sheet3");
  XlsSheet* third = book.sheetAt(2);
  EXPECT_TRUE(book.deleteSheet(1));
  EXPECT_EQ(third->index(), 1);
  XlsSheet* added = book.addSheet();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(narrowNameOf(book, 2), "Sheet4");
  EXPECT_EQ(book.sheetAt("Sheet4"), added);
  EXPECT_FALSE(book.deleteSheet(3));

  EXPECT_EQ(book.addSheet("Sheet1"), nullptr);   // taken
  EXPECT_NE(book.addSheet(L"Sheet1"), nullptr);  // a wide name is another name
  EXPECT_EQ(book.addSheet(std::string(32, 'x').c_str()), nullptr);
  EXPECT_NE(book.addSheet(std::string(31, 'x').c_str(), 0), nullptr);
  EXPECT_EQ(narrowNameOf(book, 0), std::string(31, 'x'));
  for (const char* bad : {"a[b", "a]b", "a:b", "a*b", "a?b", "a/b", "a\\b", ""})
    EXPECT_EQ(book.addSheet(bad), nullptr) << bad;
  EXPECT_EQ(book.addSheet(L"x", 99), nullptr);

  EXPECT_FALSE(book.renameSheet("Sheet3", "Sheet4"));
  EXPECT_TRUE(book.renameSheet("Sheet3", "Data"));
  EXPECT_FALSE(book.sheetAt("Data")->rename(L"bad/name"));
  EXPECT_TRUE(book.sheetAt("Data")->rename(L"Donn\u00e9es \U0001F600"));
  std::wstring name;
  EXPECT_TRUE(book.sheetAt(L"Donn\u00e9es \U0001F600")->name(name));
  EXPECT_EQ(name, L"Donn\u00e9es \U0001F600");
  EXPECT_EQ(book.narrowSheetName(2), nullptr);
  EXPECT_FALSE(book.renameSheet(7, "x"));
}

TEST(XlsBook, GridGrowsUpToTheSheetLimits) {
  XlsBook book;
  book.create(1);
  XlsSheet* sheet = book.sheetAt(0);
  EXPECT_EQ(sheet->rowCount(), 1);
  EXPECT_EQ(sheet->columnCount(), 1);
  ASSERT_NE(sheet->cellAt(65535, 3), nullptr);
  EXPECT_EQ(sheet->rowCount(), 65536);
  EXPECT_EQ(sheet->columnCount(), 4);
  EXPECT_EQ(sheet->cellAt(65536, 0), nullptr);
  EXPECT_EQ(sheet->cellAt(0, 256), nullptr);
  EXPECT_EQ(sheet->cellAt(-1, 0), nullptr);
  EXPECT_EQ(sheet->rowCount(), 65536);

  XlsSheet* other = book.addSheet();
  ASSERT_NE(other->cellAt(2, 255), nullptr);
  EXPECT_EQ(other->columnCount(), 256);
  const XlsSheet* view = other;
  EXPECT_EQ(view->cellAt(3, 0), nullptr);
  EXPECT_FALSE(other->eraseCell(3, 0));
}

TEST(XlsCell, ValuesTextsAndRk) {
  XlsCell cell;
  cell.setXfIndex(21);
  cell.setText(L"text");
  EXPECT_EQ(cell.type(), XlsCell::WSTRING);
  EXPECT_EQ(cell.narrowText(), nullptr);
  cell.setText(L"");
  EXPECT_EQ(cell.type(), XlsCell::UNDEFINED);
  EXPECT_EQ(cell.xfIndex(), 21u);

  cell.setRk(150 * 4 + 3);
  EXPECT_EQ(cell.type(), XlsCell::DOUBLE);
  EXPECT_EQ(cell.doubleValue(), 1.5);
  cell.setRk(200 * 4 + 3);
  EXPECT_EQ(cell.type(), XlsCell::INT);
  EXPECT_EQ(cell.integerValue(), 2);
  cell.setRk(static_cast<std::uint32_t>(-5 * 4 + 2));
  EXPECT_EQ(cell.integerValue(), -5);
  cell.setRk(0x3FF80000);  // the top bits of 1.5
  EXPECT_EQ(cell.doubleValue(), 1.5);
  cell.setDouble(1e300);
  EXPECT_EQ(cell.integerValue(), 2147483647);  // saturated, not undefined

  std::wstring longText(32766, L'a');
  cell.setText((longText + L"\U0001F600").c_str());
  EXPECT_EQ(cell.textLength(), 32766u);
  std::ostringstream out;
  XlsCell n;
  out << n << ' ';
  n.setInteger(-3);
  out << n << ' ';
  n.setText("abc");
  out << n;
  EXPECT_EQ(out.str(), "0 -3 abc");
}

// Cells own their texts and share their formula: copies and moves keep every value, the
// formula's count follows its owners, and nothing is freed twice (the sanitizer build).
TEST(XlsCell, CopiesAndMovesKeepTheirValues) {
  CellBlock::Formula record;
  record.string.setText(u"r");
  RefPtr<XlsFormula> formula(new XlsFormula(record));
  std::vector<XlsCell> cells(5);
  cells[0].setText("narrow");
  cells[1].setText(L"wide \U0001F600");
  cells[2].setFormula(formula);
  cells[3].setDouble(2.5);
  cells[4].setInteger(-7);
  for (XlsCell& cell : cells) {
    cell.setXfIndex(21);
    cell.setMergedColumns(3);
  }
  auto check = [](const std::vector<XlsCell>& v) {
    EXPECT_STREQ(v[0].narrowText(), "narrow");
    EXPECT_EQ(v[0].textLength(), 6u);
    EXPECT_STREQ(v[1].wideText(), L"wide \U0001F600");
    EXPECT_STREQ(v[2].narrowText(), "r");
    EXPECT_EQ(v[3].doubleValue(), 2.5);
    EXPECT_EQ(v[4].integerValue(), -7);
    for (const XlsCell& cell : v) EXPECT_TRUE(cell.xfIndex() == 21 && cell.mergedColumns() == 3);
  };
  std::vector<XlsCell> copies = cells;
  EXPECT_EQ(formula->refCount, 3u);
  check(copies);
  std::vector<XlsCell> moved = std::move(copies);
  check(moved);
  for (size_t i = 0; i < cells.size(); ++i) moved[i] = cells[(i + 1) % cells.size()];  // over other values
  EXPECT_STREQ(moved[1].narrowText(), "r");
  moved[0] = std::move(moved[1]);
  EXPECT_EQ(moved[1].type(), XlsCell::UNDEFINED);
  cells.clear();
  moved.clear();
  EXPECT_EQ(formula->refCount, 1u);
}

TEST(XlsSheet, PrintsRowsWithQualifiedTexts) {
  XlsBook book;
  book.create(1);
  XlsSheet* sheet = book.sheetAt(0);
  sheet->cellAt(0, 0)->setInteger(42);
  sheet->cellAt(0, 1)->setText("say \"hi\"");
  sheet->cellAt(0, 2)->setDouble(0.1 + 0.2);
  sheet->cellAt(1, 1)->setText(L"wide");
  std::ostringstream out;
  sheet->print(out, ';', '"');
  EXPECT_EQ(out.str(), "42;\"say \"\"hi\"\"\";0.3\n;;\n");
  std::ostringstream bare;
  sheet->print(bare, ',', 0);
  EXPECT_EQ(bare.str(), "42,say \"hi\",0.3\n,,\n");
}

TEST(XlsBook, RecordsOfNumbersTextsAndBlanks) {
  XlsBook book;
  book.create(2);
  XlsSheet* sheet = book.sheetAt(0);
  sheet->cellAt(0, 0)->setInteger(1);
  sheet->cellAt(0, 1)->setInteger(2);
  sheet->cellAt(0, 2)->setText(L"x");
  sheet->cellAt(0, 3)->setInteger(3);
  sheet->cellAt(1, 0)->setDouble(1.5);
  sheet->cellAt(1, 1)->setDouble(1.2345);
  sheet->cellAt(1, 2)->setInteger(1 << 29);             // no exact RK form
  sheet->cellAt(1, 3)->setDouble(0.30000000000000004);  // two decimals, but more bits
  sheet->cellAt(2, 0)->setText(L"x");
  sheet->cellAt(2, 1)->setText("x");
  book.sheetAt(1)->cellAt(0, 0)->setText(L"x");
  book.buildRecords();

  const Worksheet& ws = book.worksheets()[0];
  EXPECT_EQ(codesOf(ws),
            (std::vector<std::uint16_t>{0xBD, 0xFD, 0x27E, 0x27E, 0x203, 0x203, 0x203, 0xFD, 0xFD, 0x201, 0x201}));
  auto* mulRk = ws.cellTable.blocks[0].cellBlocks[0]->as<CellBlock::MulRK>();
  ASSERT_NE(mulRk, nullptr);
  EXPECT_EQ(mulRk->lastColumn, 1);
  EXPECT_EQ(mulRk->entries[1].rk, 2u * 4 + 2);
  auto* rk = ws.cellTable.blocks[0].cellBlocks[3]->as<CellBlock::RK>();
  EXPECT_EQ(rk->rk & 3, 1u);  // 150 in IEEE form, divided by 100
  EXPECT_EQ(ws.dimensions.lastColumnPlusOne, 4);
  EXPECT_EQ(ws.dimensions.lastRowPlusOne, 3u);
  EXPECT_EQ(ws.window2.options & Worksheet::Window2::kSelected, Worksheet::Window2::kSelected);
  EXPECT_EQ(book.worksheets()[1].window2.options & Worksheet::Window2::kSelected, 0);

  // The wide "x" twice on sheet 1 and once on sheet 2, the narrow "x" once.
  const auto& sst = book.workbook().sst;
  EXPECT_EQ(sst.total, 4u);
  EXPECT_EQ(sst.unique, 2u);
  EXPECT_TRUE(sst.strings[0].isWide());
  EXPECT_FALSE(sst.strings[1].isWide());
}

// Every text cell refers to the string of its own text and width; each distinct text of
// a width is one string, in the order texts are first met (sheet by sheet, row by row).
// Texts of both widths with the same characters, characters beyond U+FFFF and above
// U+00FF, and enough distinct texts that the index grows, checked against a map.
TEST(XlsBook, SharedStringsAgreeWithAMapOfTexts) {
  const std::wstring pieces[] = {L"a", L"\u00e9", L"\U0001F600", L"\u4e2d", L"7", L" "};
  XlsBook book;
  book.create(3);
  std::uint64_t state = 99;
  auto below = [&](std::uint32_t bound) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state >> 33) % bound;
  };
  for (int s = 0; s < 3; ++s)
    for (int r = 0; r < 150; ++r)
      for (int c = 0; c < 11; ++c) {
        std::wstring text;
        for (std::uint32_t n = below(c < 4 ? 3 : 8); n > 0; --n) text += pieces[below(c < 4 ? 2 : 6)];
        XlsCell* cell = book.sheetAt(s)->cellAt(r, c);
        if (text.find_first_not_of(L"a\u00e97 ") == std::wstring::npos && below(2))
          cell->setText(std::string(text.begin(), text.end()).c_str());  // Latin-1
        else cell->setText(text.c_str());
      }
  book.buildRecords();

  std::map<std::pair<bool, std::u16string>, std::uint32_t> oracle;
  std::uint32_t total = 0;
  const auto& sst = book.workbook().sst;
  for (int s = 0; s < 3; ++s)
    for (const auto& block : book.worksheets()[s].cellTable.blocks)
      for (const auto& holder : block.cellBlocks) {
        const auto* label = holder->as<CellBlock::LabelSST>();
        const XlsCell& cell = *book.sheetAt(s)->cellAt(holder->row(), holder->col());
        ASSERT_EQ(label != nullptr, cell.type() == XlsCell::STRING || cell.type() == XlsCell::WSTRING);
        if (!label) continue;
        ++total;
        bool wide = cell.type() == XlsCell::WSTRING;
        std::u16string units = wide ? toUtf16(cell.wideText()) : latin1ToUtf16(cell.narrowText(), cell.textLength());
        auto entered = oracle.emplace(std::make_pair(wide, units), static_cast<std::uint32_t>(oracle.size()));
        ASSERT_EQ(label->sstIndex, entered.first->second);
        ASSERT_LT(label->sstIndex, sst.strings.size());
        EXPECT_EQ(sst.strings[label->sstIndex].isWide(), wide);
        EXPECT_EQ(std::u16string(sst.strings[label->sstIndex].units.begin(), sst.strings[label->sstIndex].units.end()),
                  units);
      }
  EXPECT_GT(oracle.size(), 1000u);
  EXPECT_EQ(sst.total, total);
  EXPECT_EQ(sst.unique, oracle.size());
  EXPECT_EQ(sst.strings.size(), oracle.size());
}

TEST(XlsBook, RowBlocksAndStreamPositions) {
  XlsBook book;
  book.create(1);
  XlsSheet* sheet = book.sheetAt(0);
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 2; ++c) sheet->cellAt(r, c)->setText(c ? L"b" : L"a");
  book.buildRecords();
  book.fixStreamPositions();
  Worksheet& ws = book.worksheets()[0];
  ASSERT_EQ(ws.cellTable.blocks.size(), 2u);
  EXPECT_EQ(ws.cellTable.blocks[0].rows.size(), 32u);
  EXPECT_EQ(ws.cellTable.blocks[1].rows.size(), 8u);
  ASSERT_EQ(ws.index.dbCellPositions.size(), 2u);

  auto& block = ws.cellTable.blocks[1];
  EXPECT_EQ(block.dbCell.rowOffsets[0], 8u * 20 - 20);
  for (size_t a = 1; a < 8; ++a) EXPECT_EQ(block.dbCell.rowOffsets[a], 2u * 14);
  EXPECT_EQ(block.dbCell.firstRowOffset, 8u * 20 + 16 * 14);

  std::vector<char> stream(book.streamSize());
  ASSERT_EQ(book.write(stream.data()), stream.size());
  std::uint32_t bofAt = book.workbook().boundSheets[0].position;
  EXPECT_EQ(stream[bofAt], '\x09');
  EXPECT_EQ(stream[bofAt + 1], '\x08');
  for (std::uint32_t at : ws.index.dbCellPositions) EXPECT_EQ(static_cast<unsigned char>(stream[at]), 0xD7u);
}

TEST(XlsBook, SavedBooksLoadBackWhole) {
  std::wstring path = widePath(scratchPath("book_roundtrip.xls"));
  {
    XlsBook book;
    book.create(2);
    XlsSheet* sheet = book.sheetAt(0);
    sheet->cellAt(0, 0)->setText(L"caf\u00e9 \U0001F600");
    sheet->cellAt(0, 1)->setDouble(-2.25);
    sheet->cellAt(1, 0)->setInteger(123456);
    sheet->cellAt(1, 1)->setText("narrow");
    sheet->mergeCells(1, 1, 2, 3);
    sheet->setColumnWidth(1, 4000);
    FormatManager formats(book);
    XlsCellFormat bold(formats);
    XlsFont font;
    font.weight = 700;
    bold.setFont(font);
    sheet->cellAt(2, 2)->setFormat(bold);
    ASSERT_TRUE(book.renameSheet(1, L"Zweite"));
    ASSERT_TRUE(book.saveAs(path.c_str()));
  }
  auto book = std::make_unique<XlsBook>();
  ASSERT_TRUE(book->load(path.c_str()));
  ASSERT_EQ(book->sheetCount(), 2);
  std::wstring name;
  EXPECT_TRUE(book->sheetAt(1)->name(name));
  EXPECT_EQ(name, L"Zweite");
  XlsSheet* sheet = book->sheetAt(0);
  EXPECT_EQ(sheet->rowCount(), 2);  // the blank cell with a format does not size the grid
  EXPECT_EQ(std::wstring(sheet->cellAt(0, 0)->wideText()), L"caf\u00e9 \U0001F600");
  EXPECT_EQ(sheet->cellAt(0, 1)->doubleValue(), -2.25);
  EXPECT_EQ(sheet->cellAt(1, 0)->type(), XlsCell::INT);
  EXPECT_EQ(sheet->cellAt(1, 0)->integerValue(), 123456);
  EXPECT_STREQ(sheet->cellAt(1, 1)->narrowText(), "narrow");
  EXPECT_EQ(sheet->cellAt(1, 1)->mergedRows(), 2);
  EXPECT_EQ(sheet->cellAt(1, 1)->mergedColumns(), 3);
  EXPECT_EQ(sheet->columnWidth(1), 4000);
  EXPECT_EQ(book->workbook().xfs.size(), 22u);
  EXPECT_EQ(book->workbook().fonts.size(), 2u);
  // Opened read-only: saving into it fails; while it is open, nobody else opens the file.
  EXPECT_FALSE(book->save());
  XlsBook again;
  EXPECT_FALSE(again.load(path.c_str()));
  book.reset();
  EXPECT_TRUE(again.load(path.c_str()));
  EXPECT_EQ(again.sheetCount(), 2);
}

TEST(XlsBook, ASecondSaveReplacesTheStreamWhole) {
  std::wstring path = widePath(scratchPath("book_resave.xls"));
  std::uint64_t shortSize = 0;
  {
    XlsBook book;
    book.create(1);
    for (int r = 0; r < 200; ++r) book.sheetAt(0)->cellAt(r, 0)->setText(L"a fairly long text to fill the stream");
    ASSERT_TRUE(book.saveAs(path.c_str()));
    book.create(1);  // the file stays open
    book.sheetAt(0)->cellAt(0, 0)->setText(L"short");
    ASSERT_TRUE(book.save());
    shortSize = book.streamSize();
  }
  {
    CompoundDocument doc;
    ASSERT_TRUE(doc.open(path.c_str(), 0));
    std::uint64_t size = 0;
    EXPECT_EQ(doc.streamSize("Workbook", size), 1);
    EXPECT_EQ(size, shortSize);
  }
  XlsBook book;
  ASSERT_TRUE(book.load(path.c_str()));
  EXPECT_EQ(book.sheetAt(0)->rowCount(), 1);
  EXPECT_EQ(std::wstring(book.sheetAt(0)->cellAt(0, 0)->wideText()), L"short");
}

TEST(XlsBook, LoadingFailuresLeaveTheBookEmpty) {
  XlsBook book;
  EXPECT_FALSE(book.load(widePath(scratchPath("book_missing.xls")).c_str()));
  EXPECT_EQ(book.sheetCount(), 0);

  std::wstring path = widePath(scratchPath("book_no_workbook.xls"));
  {
    CompoundDocument doc;
    ASSERT_TRUE(doc.create(path.c_str()));
    ASSERT_EQ(doc.makeStream("Other"), 1);
  }
  EXPECT_FALSE(book.load(path.c_str()));
  EXPECT_EQ(book.sheetCount(), 0);
  {
    CompoundDocument doc;
    ASSERT_TRUE(doc.create(path.c_str()));
    ASSERT_EQ(doc.makeStream("Workbook"), 1);
  }
  EXPECT_FALSE(book.load(path.c_str()));
  EXPECT_EQ(book.sheetCount(), 0);
}

namespace {
struct Counted : QExcel::RefCounted {
  explicit Counted(int* deaths) : deaths_(deaths) {}
  ~Counted() { ++*deaths_; }
  int* deaths_;
};
}  // namespace

TEST(RefPtr, CountsOwnersAndSurvivesSelfAssignment) {
  int deaths = 0;
  {
    RefPtr<Counted> a(new Counted(&deaths));
    RefPtr<Counted> b(a);
    EXPECT_EQ(a->refCount, 2u);
    a = a;
    b = b.get();
    EXPECT_EQ(a->refCount, 2u);
    RefPtr<Counted> c(new Counted(&deaths));
    b = c;
    EXPECT_EQ(a->refCount, 1u);
    EXPECT_EQ(c->refCount, 2u);
    c = RefPtr<Counted>();
    EXPECT_EQ(deaths, 0);
    b = nullptr;
    EXPECT_EQ(deaths, 1);
  }
  EXPECT_EQ(deaths, 2);
}

// The EXTSST buckets (never written) must agree with where the table's own splitting puts
// each bucket's first string.
TEST(XlsBook, ExtSstBucketsPointAtTheirStrings) {
  XlsBook book;
  book.create(1);
  XlsSheet* sheet = book.sheetAt(0);
  for (int r = 0; r < 35; ++r) {
    std::wstring text = r == 3 ? std::wstring(9000, L'L') : L"s" + std::to_wstring(r);
    sheet->cellAt(r, 0)->setText(text.c_str());
  }
  book.buildRecords();
  book.fixStreamPositions();
  book.fixExtSst();
  std::vector<char> stream(book.streamSize());
  book.write(stream.data());
  const auto& ext = book.workbook().extSst;
  ASSERT_EQ(ext.positions.size(), 4u);
  EXPECT_EQ(ext.stringsPerBucket, 10);
  for (size_t b = 0; b < ext.positions.size(); ++b) {
    std::uint32_t at = ext.positions[b];
    std::wstring expected = b == 0 ? L"s0" : L"s" + std::to_wstring(10 * b);
    ASSERT_LT(at + 3, stream.size());
    EXPECT_EQ(static_cast<size_t>(static_cast<unsigned char>(stream[at])), expected.size()) << b;
    EXPECT_EQ(stream[at + 3], 's') << b;
    // The offset leads back to the header of the record or CONTINUE piece that holds it.
    std::uint32_t header = at - ext.offsets[b];
    std::uint16_t code = static_cast<unsigned char>(stream[header]) | static_cast<unsigned char>(stream[header + 1])
                                                                          << 8;
    EXPECT_TRUE(code == 0x00FC || code == 0x003C) << b;
  }
}
