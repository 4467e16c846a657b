// Whole workbook files pinned to their bytes. Each case exports a fixed, generated input
// and compares the SHA-256 of the file with a hash recorded from the writer before its
// record storage, string table and compound file were reworked for speed: the hard-coded
// hashes are the point of this test. A change of any byte of any case is a change of
// output, which that work must not make; a deliberate change of format re-records them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/editor.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/xls_book.h"
#include "spreadsheet/xls_export.h"
#include "test_support.h"
#include "tests/support/sha256.h"

using namespace QExcel;
using sheet_test::Bytes;
using sheet_test::scratchPath;
using test_hash::sha256Hex;
using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;

namespace {

// A fixed pseudo-random sequence (64-bit linear congruential), the same on every machine.
class Sequence {
public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  std::uint32_t below(std::uint32_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33) % bound;
  }

private:
  std::uint64_t state_;
};

std::string fileHash(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return bytes.empty() ? "<no file>" : sha256Hex(bytes);
}

CString wideCell(const std::wstring& text) { return CString(text); }

std::vector<int> identity(int n) {
  std::vector<int> order;
  for (int i = 0; i < n; ++i) order.push_back(i);
  return order;
}

// Numeric texts of every form the number recogniser meets, and near misses.
std::wstring numberText(Sequence& seq) {
  static const wchar_t* fixed[] = {L"0",   L"-0.25", L"+12", L"1E+10", L"2.5E-3", L"007",   L"1.",  L".5",
                                   L"1,5", L"1e",    L"inf", L"3.25",  L"-2.5e3", L"1 000", L"12 ", L"x.y"};
  wchar_t buffer[64];
  switch (seq.below(4)) {
    case 0: return fixed[seq.below(std::size(fixed))];
    case 1: std::swprintf(buffer, 64, L"%d", static_cast<int>(seq.below(2000000)) - 1000000); return buffer;
    case 2: std::swprintf(buffer, 64, L"%g", (static_cast<int>(seq.below(2000000)) - 1000000) / 997.0); return buffer;
    default: std::swprintf(buffer, 64, L"%g", seq.below(1000) * 1e-7); return buffer;
  }
}

// Texts from a small vocabulary (repeated), distinct texts and empty cells.
std::wstring wordText(Sequence& seq, int row, int column) {
  static const wchar_t* words[] = {L"Line", L"Arc", L"Circle", L"ByLayer", L"ByBlock", L"Caf\u00e9", L"\u00c9tage 2"};
  switch (seq.below(5)) {
    case 0: return L"";
    case 1: return L"Note " + std::to_wstring(row) + L"/" + std::to_wstring(column);
    default: return words[seq.below(std::size(words))];
  }
}

// A text of a generated length, of plain, accented or astral characters, so that the
// string table's breaks fall inside strings, between them and next to surrogate pairs.
std::wstring longText(Sequence& seq) {
  static const std::wstring pieces[] = {L"a", L"\u00e9", L"\U0001F600", L"\U00020000x", L"\u4e2d"};
  std::wstring text = seq.below(2) ? L"" : L"p";
  const std::wstring& piece = pieces[seq.below(std::size(pieces))];
  size_t units = seq.below(3) == 0 ? 8000 + seq.below(9000) : seq.below(600);
  while (text.size() < units) text += piece;
  return text;
}

struct WizardInput {
  TextGrid grid;
  std::vector<bool> visible;
  std::vector<int> columnOrder;
  std::vector<int> rowOrder;
  bool header = true;
};

WizardInput numbersInput() {
  Sequence seq(1);
  WizardInput in;
  in.grid.push_back({L"Id", L"Length", L"Area", L"X", L"Y", L"Angle"});
  for (int r = 1; r <= 300; ++r) {
    std::vector<CString> row;
    for (int c = 0; c < 6; ++c) row.push_back(wideCell(numberText(seq)));
    in.grid.push_back(row);
  }
  in.visible.assign(6, true);
  in.columnOrder = identity(6);
  in.rowOrder = identity(301);
  return in;
}

// Repeated and distinct texts, empty cells, a hidden column, the header hidden and the
// rows in a shuffled display order.
WizardInput textsInput() {
  Sequence seq(2);
  WizardInput in;
  in.grid.push_back({L"Id", L"Name", L"Layer", L"Linetype", L"Note", L"Colour", L"Plot style", L"Hyperlink"});
  for (int r = 1; r <= 500; ++r) {
    std::vector<CString> row;
    for (int c = 0; c < 8; ++c) row.push_back(wideCell(wordText(seq, r, c)));
    in.grid.push_back(row);
  }
  in.visible = {true, true, false, true, true, true, true, true};
  in.columnOrder = {1, 0, 2, 7, 3, 4, 6, 5};
  in.rowOrder.push_back(1);
  for (int r = 1; r <= 500; ++r) in.rowOrder.push_back(1 + static_cast<int>((r * 277u) % 500));
  in.header = false;
  return in;
}

WizardInput longTextsInput() {
  Sequence seq(3);
  WizardInput in;
  in.grid.push_back({L"Id", L"Text", L"More"});
  for (int r = 1; r <= 60; ++r) {
    CString text = wideCell(longText(seq));
    in.grid.push_back({wideCell(std::to_wstring(r)), text, wideCell(longText(seq))});
  }
  in.visible.assign(3, true);
  in.columnOrder = identity(3);
  in.rowOrder = identity(61);
  return in;
}

// Enough rows for many row blocks and a string table of many CONTINUE pieces.
WizardInput largeInput() {
  Sequence seq(4);
  WizardInput in;
  std::vector<CString> header;
  for (int c = 0; c < 12; ++c) header.push_back(wideCell(L"Column " + std::to_wstring(c)));
  in.grid.push_back(header);
  for (int r = 1; r < 3000; ++r) {
    std::vector<CString> row;
    for (int c = 0; c < 12; ++c) {
      if (c % 3 == 0) row.push_back(wideCell(numberText(seq)));
      else if (c % 3 == 1) row.push_back(wideCell(wordText(seq, r, c)));
      else row.push_back(wideCell(L"Free text " + std::to_wstring(r * 31 + c)));
    }
    in.grid.push_back(row);
  }
  in.visible.assign(12, true);
  in.columnOrder = identity(12);
  in.rowOrder = identity(3000);
  return in;
}

std::string exportedHash(const std::string& name, const WizardInput& in, const wchar_t* language) {
  HostEditor::setVariable(L"VERLAN", language);
  std::filesystem::path path = scratchPath(name);
  EXPECT_TRUE(exportXls(in.grid, widePath(path), in.visible, in.columnOrder, in.rowOrder, in.header)) << name;
  return fileHash(path);
}

// A book built through the object model: three sheets, integer and double runs (with
// and without an exact RK form), narrow and wide texts shared across sheets, merged
// ranges, column widths and cell formats.
void fillModelBook(XlsBook& book) {
  book.create(3);
  FormatManager manager(book);
  XlsCellFormat bold(manager);
  XlsFont font;
  font.weight = 700;
  bold.setFont(font);
  XlsCellFormat money(manager);
  money.setFormatIndex(manager.formatIndex(L"0.000 \u20ac"));
  Sequence seq(5);
  for (int s = 0; s < 3; ++s) {
    XlsSheet* sheet = book.sheetAt(s);
    for (int r = 0; r < 70 + 20 * s; ++r)
      for (int c = 0; c < 9; ++c) {
        XlsCell* cell = sheet->cellAt(r, c);
        switch (seq.below(7)) {
          case 0: cell->setInteger(static_cast<int>(seq.below(1u << 31)) - (1 << 30)); break;
          case 1: cell->setInteger(static_cast<int>(seq.below(100))); break;
          case 2: cell->setDouble(seq.below(100000) / 100.0); break;
          case 3: cell->setDouble(seq.below(100000) / 7.0); break;
          case 4: cell->setText(("narrow \xE9 " + std::to_string(seq.below(50))).c_str()); break;
          case 5: cell->setText((L"wide \u20ac " + std::to_wstring(seq.below(50))).c_str()); break;
          default: break;
        }
        if (r == 0) cell->setFormat(bold);
        else if (seq.below(10) == 0) cell->setFormat(money);
      }
    sheet->mergeCells(3, 2, 2, 3);
    sheet->mergeCells(10 + s, 0, 1, 4);
    sheet->setColumnWidth(1, static_cast<std::uint16_t>(3000 + 1000 * s));
  }
}

// The hash of the book saved under the name; with release, by a save that frees the
// cells as it goes.
std::string savedHash(XlsBook& book, const std::string& name, bool release) {
  if (release) book.releaseCellsOnSave();
  std::filesystem::path path = scratchPath(name);
  EXPECT_TRUE(book.saveAs(widePath(path).c_str()));
  return fileHash(path);
}

const char kModelBookHash[] = "7c14d3bf9b4b93ebda79981a7ca5642b25baba3323df3bbd9ac03eae044ae498";
const char kRereadBookHash[] = "0b7c4fbf868d958fef17fa42d038f432b8ee0fd84555181003ce2236e718b9cc";

// A stream read back into a book: a formula with its shared-formula and string records,
// cells without ROW records and a stray record are rebuilt into the grid.
void readBackBook(XlsBook& book) {
  Bytes formula;
  formula.u16(0).u16(1).u16(0).u32(0).u16(0xFFFF).u16(0).u16(0).u32(0).u16(3).raw(std::string("\x1E\x07\x00", 3));
  Bytes records;
  records.record(0x027E, sheet_test::rk(0, 0, 41))
      .record(0x0006, formula)
      .record(0x04BC, Bytes().u16(0).u16(0).u8(1).u8(1).u16(0).raw(std::string("\x1E\x01\x00", 3)))
      .record(0x0207, Bytes().u16(5).u8(0).raw("r\xE9sul"))
      .record(0x0203, Bytes().u16(2).u16(3).u16(0).raw(std::string("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8)))
      .record(0x0099, Bytes().u16(7));
  Bytes stream = sheet_test::workbookStream({records});
  EXPECT_NE(book.read(stream.data.data(), stream.size()), 0u);
  book.syncSheets();
}

class WorkbookBytes : public ::testing::Test {
protected:
  void SetUp() override { HostEditor::resetVariables(); }
  void TearDown() override { HostEditor::resetVariables(); }
};

}  // namespace

TEST(Sha256, KnownDigests) {
  EXPECT_EQ(sha256Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex({'a', 'b', 'c'}), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(sha256Hex(std::vector<char>(two.begin(), two.end())),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST_F(WorkbookBytes, WizardExportsKeepTheirBytes) {
  EXPECT_EQ(exportedHash("bytes_numbers.xls", numbersInput(), L"fr-FR"),
            "038381bd89d7f34e72bdec20110e388d5e583492617465e4e3d5127d5d74436e");
  EXPECT_EQ(exportedHash("bytes_texts.xls", textsInput(), L"en-US"),
            "acb65150fa3df5abc8d7531b6ee69b23f4ff32f2b2057414df549049608f8735");
  EXPECT_EQ(exportedHash("bytes_long_texts.xls", longTextsInput(), L"en-US"),
            "73b5bb5e51e9ae80ec5e6f8524c0f4f51b018241775b854837613b407198a53c");
  EXPECT_EQ(exportedHash("bytes_large.xls", largeInput(), L"fr-FR"),
            "9f5c3a89c60ab0c65c3bfca578eb24249b030c2d00c81e91f4917fbb15735008");
}

TEST_F(WorkbookBytes, TableExportKeepsItsBytes) {
  HostEditor::setVariable(L"VERLAN", L"fr-FR");
  WizardInput in = numbersInput();
  in.grid.resize(120);
  in.grid[0][2] = L"12.5";  // a numeric header cell
  in.grid[7][1] = L"";
  std::filesystem::path path = scratchPath("bytes_table.xls");
  ASSERT_TRUE(exportXlsFromTable(in.grid, widePath(path)));
  EXPECT_EQ(fileHash(path), "32f7fcaa8577324263a69ec4fe9e2e887ce917f1c3cfcf7d9e48d8c9023c4930");
}

TEST_F(WorkbookBytes, ModelBooksKeepTheirBytes) {
  XlsBook model;
  fillModelBook(model);
  EXPECT_EQ(savedHash(model, "bytes_model.xls", false), kModelBookHash);
  // A save keeps the book as it was: saving it again writes the same bytes.
  EXPECT_EQ(savedHash(model, "bytes_model_again.xls", false), kModelBookHash);
  XlsBook reread;
  readBackBook(reread);
  EXPECT_EQ(savedHash(reread, "bytes_reread.xls", false), kRereadBookHash);
}

// A save that frees the cells as it goes writes the same bytes, leaves the sheets empty
// (names and column widths kept) and leaves a book that works as before.
TEST_F(WorkbookBytes, ReleasingSavesKeepTheBytesAndEmptyTheSheets) {
  auto owned = std::make_unique<XlsBook>();
  XlsBook& model = *owned;
  fillModelBook(model);
  EXPECT_EQ(savedHash(model, "bytes_model_released.xls", true), kModelBookHash);
  ASSERT_EQ(model.sheetCount(), 3);
  for (int s = 0; s < 3; ++s) {
    const XlsSheet* sheet = model.sheetAt(s);
    EXPECT_EQ(sheet->rowCount(), 0);
    EXPECT_EQ(sheet->columnCount(), 0);
    EXPECT_EQ(sheet->cellAt(0, 0), nullptr);
    EXPECT_EQ(sheet->columnWidth(1), 3000 + 1000 * s);
  }
  EXPECT_EQ(model.workbook().sst.strings.size(), 0u);

  XlsBook reread;
  readBackBook(reread);
  EXPECT_EQ(savedHash(reread, "bytes_reread_released.xls", true), kRereadBookHash);

  // The release was for that save alone: new cells are saved, and kept, like any others.
  model.sheetAt(1)->cellAt(2, 1)->setText(L"again \U0001F600");
  std::filesystem::path path = scratchPath("bytes_model_after_release.xls");
  ASSERT_TRUE(model.saveAs(widePath(path).c_str()));
  EXPECT_EQ(model.sheetAt(1)->rowCount(), 3);
  owned.reset();  // closes the file
  XlsBook back;
  ASSERT_TRUE(back.load(widePath(path).c_str()));
  ASSERT_EQ(back.sheetCount(), 3);
  EXPECT_EQ(back.sheetAt(0)->rowCount(), 1);
  EXPECT_EQ(back.sheetAt(0)->cellAt(0, 0)->type(), XlsCell::UNDEFINED);
  EXPECT_EQ(std::wstring(back.sheetAt(1)->cellAt(2, 1)->wideText()), L"again \U0001F600");
  EXPECT_EQ(back.sheetAt(2)->columnWidth(1), 5000);
}
