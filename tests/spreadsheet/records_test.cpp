// Layouts and defaults of the globals and worksheet records.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "spreadsheet/workbook.h"
#include "spreadsheet/worksheet.h"
#include "test_support.h"

using namespace QExcel;
using sheet_test::Bytes;
using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;

namespace {
std::vector<char> bytesOf(Record& record) {
  std::vector<char> buffer(record.recordSize());
  EXPECT_EQ(record.write(buffer.data()), buffer.size());
  return buffer;
}

std::vector<char> expect(const Bytes& b) { return b.data; }

// A record class, made fresh, and the size of its fixed layout (0: variable size).
struct RecordKind {
  const char* name;
  std::function<std::unique_ptr<Record>()> make;
  std::uint32_t layout;
};

template <class T>
RecordKind kind(const char* name, std::uint32_t layout) {
  return {name, [] { return std::make_unique<T>(); }, layout};
}

std::vector<RecordKind> everyRecordKind() {
  using Formula = CellBlock::Formula;
  return {kind<BOF>("BOF", 16),
          kind<Workbook::Window1>("WINDOW1", 18),
          kind<Workbook::XF>("XF", 20),
          kind<Worksheet::ColInfo>("COLINFO", 12),
          kind<Worksheet::Dimensions>("DIMENSIONS", 14),
          kind<Worksheet::Window2>("WINDOW2", 18),
          kind<Worksheet::CellTable::RowBlock::Row>("ROW", 16),
          kind<CellBlock::Blank>("BLANK", 6),
          kind<CellBlock::BoolErr>("BOOLERR", 8),
          kind<CellBlock::LabelSST>("LABELSST", 10),
          kind<CellBlock::Number>("NUMBER", 14),
          kind<CellBlock::RK>("RK", 10),
          kind<Formula::Table>("TABLE", 16),
          kind<Workbook::Font>("FONT", 0),
          kind<Workbook::Format>("FORMAT", 0),
          kind<Workbook::Style>("STYLE", 0),
          kind<Workbook::BoundSheet>("BOUNDSHEET", 0),
          kind<Workbook::SharedStringTable>("SST", 0),
          kind<Workbook::ExtSST>("EXTSST", 0),
          kind<Worksheet::Index>("INDEX", 0),
          kind<CellBlock::MulBlank>("MULBLANK", 0),
          kind<CellBlock::MulRK>("MULRK", 0),
          kind<Formula>("FORMULA", 0),
          kind<Formula::Array>("ARRAY", 0),
          kind<Formula::ShrFmla>("SHRFMLA", 0),
          kind<Formula::String>("STRING", 0),
          kind<Worksheet::CellTable::RowBlock::DBCell>("DBCELL", 0)};
}

// The record's code followed by the body, as one piece or in CONTINUE pieces of the given size.
Bytes inPieces(std::uint16_t code, const std::vector<char>& body, size_t piece) {
  Bytes stream;
  for (size_t from = 0; from == 0 || from < body.size(); from += piece) {
    Bytes part;
    part.data.assign(body.begin() + from, body.begin() + std::min(body.size(), from + piece));
    stream.record(from == 0 ? code : 0x003C, part);
  }
  return stream.record(0x000A, Bytes());
}
}  // namespace

TEST(GlobalsRecords, DefaultFontAndBoundSheetBytes) {
  Workbook::Font font;
  Bytes f;
  f.u16(0x31).u16(0x1A).u16(200).u16(0).u16(0x7FFF).u16(400).u16(0).u32(0).u8(5).u8(1);
  for (char c : std::string("Arial")) f.u16(c);
  EXPECT_EQ(bytesOf(font), expect(f));

  Workbook::BoundSheet sheet;
  EXPECT_EQ(bytesOf(sheet), expect(Bytes().u16(0x85).u16(0x0E).u32(0).u16(0).u8(6).u8(0).raw("Sheet1")));
}

TEST(GlobalsRecords, StyleLayoutFollowsBit15) {
  Workbook::Style builtIn;
  EXPECT_EQ(bytesOf(builtIn), expect(Bytes().u16(0x293).u16(4).u16(0x8000).u8(0).u8(0xFF)));
  Workbook::Style user;
  user.xfIndex = 0x0015;
  user.name = "Mine";
  EXPECT_EQ(bytesOf(user), expect(Bytes().u16(0x293).u16(9).u16(0x15).u16(4).u8(0).raw("Mine")));
  Workbook::Style back;
  std::vector<char> b = bytesOf(user);
  EXPECT_EQ(back.read(b.data(), static_cast<std::uint32_t>(b.size())), b.size());
  EXPECT_EQ(back.name.text(), L"Mine");
}

// The globals of a workbook another program wrote, in stream order: every record the
// workbook keeps comes back byte for byte in its place (the number formats of every
// index, the date system, the palette, the link table with its CONTINUE piece); the
// records it does not keep (CODEPAGE, EXTSST) are left out.
TEST(GlobalsRecords, ReadRecordsAreWrittenBackInTheirPlaces) {
  auto stream = [](bool withDropped) {
    Bytes b;
    b.record(0x0809, sheet_test::bof(5));
    if (withDropped) b.record(0x0042, Bytes().u16(1200));
    b.record(0x003D, Bytes().u16(120).u16(120).u16(15135).u16(9300).u16(0x38).u16(0).u16(0).u16(1).u16(600))
        .record(0x0022, Bytes().u16(1))
        .record(0x0031, Bytes().u16(240).u16(0).u16(0x7FFF).u16(700).u16(0).u32(0).u8(4).u8(0).raw("Bold"))
        .record(0x041E, Bytes().u16(14).u16(8).u8(0).raw("d/m/yyyy"))
        .record(0x041E, Bytes().u16(164).u16(5).u8(0).raw("0.000"))
        .record(0x00E0, Bytes().u16(0).u16(164).u16(1).u8(0x20).u8(0).u8(0).u8(0).u32(0).u32(0).u16(0x20C0))
        .record(0x0293, Bytes().u16(0x8000).u8(0).u8(0xFF))
        .record(0x0092, Bytes().u16(2).u32(0x00563412).u32(0x0076BADC))
        .record(0x0085, Bytes().u32(0).u8(0).u8(0).u8(1).u8(0).raw("A"))
        .record(0x01AE, Bytes().u16(1).u16(0x0401))
        .record(0x0017, Bytes().u16(2).u16(0).u16(0).u16(0))
        .record(0x003C, Bytes().u16(0).u16(0xFFFE).u16(0xFFFE))
        .record(0x0018,
                Bytes().u16(0).u8(0).u8(4).u16(7).u16(0).u16(0).u32(0).u8(0).raw("Rate").u8(0x3A).u16(0).u16(1).u16(0))
        .record(0x00FC, Bytes().u32(0).u32(0));
    if (withDropped) b.record(0x00FF, Bytes().u16(8));
    return b.record(0x000A, Bytes());
  };
  Bytes read = stream(true);
  Workbook book;
  ASSERT_EQ(book.read(read.data.data(), read.size()), read.size());
  EXPECT_TRUE(book.extSst.positions.empty());
  std::vector<char> written(book.dataSize());
  ASSERT_EQ(book.write(written.data()), written.size());
  EXPECT_EQ(written, stream(false).data);
}

TEST(WorksheetRecords, VariableCellRecords) {
  CellBlock::MulRK rk;
  rk.row = 1;
  rk.column = 2;
  rk.lastColumn = 4;
  rk.entries.resize(3);
  EXPECT_EQ(rk.dataSize(), 24u);
  std::vector<char> b = bytesOf(rk);
  EXPECT_EQ(b[4 + 22], 4);

  // On reading, the count comes from the data size, whatever the last column says.
  Bytes corrupt;
  corrupt.record(0x00BD, Bytes().u16(0).u16(10).u16(0).u32(6).u16(0).u32(10).u16(200));
  CellBlock::MulRK read;
  read.read(corrupt.data.data(), corrupt.size());
  EXPECT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.lastColumn, 11);
  CellBlock::MulBlank blanks;
  Bytes b2;
  b2.record(0x00BE, Bytes().u16(0).u16(3).u16(15).u16(15).u16(15).u16(0xFFFF));
  blanks.read(b2.data.data(), b2.size());
  EXPECT_EQ(blanks.xfIndexes.size(), 3u);
  EXPECT_EQ(blanks.lastColumn, 5);

  Worksheet::CellTable::RowBlock::Row row;
  EXPECT_EQ(bytesOf(row), expect(Bytes().u16(0x208).u16(16).u16(0).u16(0).u16(0).u16(255).u32(0).u32(0x100)));

  Worksheet::Index index;
  Bytes idx;
  idx.record(0x020B, Bytes().u32(0).u32(0).u32(0xFFFFFFF0).u32(0).u32(111));
  index.read(idx.data.data(), idx.size());
  EXPECT_EQ(index.dbCellPositions, std::vector<std::uint32_t>{111});
}

TEST(WorksheetRecords, MergedCellsPerRecord) {
  Worksheet::MergedCells merged;
  EXPECT_EQ(merged.recordSize(), 0u);
  merged.ranges.resize(1027);
  EXPECT_EQ(merged.recordSize(), 6u + 8 * 1027);
  std::vector<char> b(merged.recordSize());
  EXPECT_EQ(merged.write(b.data()), b.size());
  EXPECT_EQ(static_cast<unsigned char>(b[2]) | static_cast<unsigned char>(b[3]) << 8, 8218);

  merged.ranges.emplace_back(1, 2, 3, 4);
  b.assign(merged.recordSize(), 0);
  EXPECT_EQ(b.size(), 12u + 8 * 1028);
  merged.write(b.data());
  Worksheet::MergedCells back;
  EXPECT_EQ(back.read(b.data(), static_cast<std::uint32_t>(b.size())), b.size());
  ASSERT_EQ(back.ranges.size(), 1028u);
  EXPECT_EQ(back.ranges.back().lastColumn, 4);
}

TEST(WorksheetRecords, FormulaWithFollowUpAndString) {
  CellBlock::Formula formula;
  formula.tokens = {3, 0, 0x1E, 1, 0};
  formula.data().assign(25, '\x7F');
  std::vector<char> plain = bytesOf(formula);
  EXPECT_EQ(plain.size(), 4u + 25);
  EXPECT_EQ(std::string(plain.data() + 4 + 16, 4), std::string(4, '\0'));

  formula.followUpCode = 0x04BC;
  formula.shrFmla1.firstRow = 2;
  formula.shrFmla1.tokens = {1, 2};
  formula.string.setText(u"r\u00e9sultat \u0416");
  std::vector<char> full = bytesOf(formula);
  EXPECT_EQ(full.size(), 29u + 14 + (4 + 3 + 2 * 10));
  CellBlock::Formula back;
  EXPECT_EQ(back.read(full.data(), static_cast<std::uint32_t>(full.size())), full.size());
  EXPECT_EQ(back.followUpCode, 0x04BC);
  EXPECT_EQ(back.shrFmla1.firstRow, 2);
  EXPECT_EQ(back.string.text, u"r\u00e9sultat \u0416");
  EXPECT_EQ(back.tokens, formula.tokens);

  // A string that fits 8 bits is written as 8 bits; none at all adds nothing.
  formula.string.setText(u"abc");
  EXPECT_EQ(formula.string.dataSize(), 6u);
  formula.string.clearText();
  formula.followUpCode = 0xFFFF;
  EXPECT_EQ(formula.recordSize(), 29u);
}

TEST(WorksheetRecords, EmptyWorksheetAndRowBlockOrder) {
  Worksheet sheet;
  std::vector<char> b(sheet.recordSize());
  ASSERT_EQ(sheet.write(b.data()), b.size());
  EXPECT_EQ(b.size(), 20u + 24 + 18 + 22 + 4);

  Worksheet::CellTable::RowBlock block;
  block.rows.resize(3);
  for (int i = 0; i < 5; ++i) {
    RefPtr<CellBlock> cell(new CellBlock);
    cell->create(CellBlock::Blank::kCode);
    block.cellBlocks.push_back(cell);
  }
  b.assign(block.recordSize(), 0);
  ASSERT_EQ(block.write(b.data()), 3u * 20 + 5 * 10 + 8);
  EXPECT_EQ(b[60], 0x01);  // the first cell record follows the three ROW records
  EXPECT_EQ(b[110], '\xD7');
}

// Whatever length and pieces a record arrives in, it announces exactly the bytes it then
// writes (the buffer is no larger), and a record of fixed layout keeps its fields and is
// written by its layout.
TEST(RecordFramework, EveryRecordReadIsWrittenInTheBytesItAnnounces) {
  std::mt19937 random(2024);
  int checked = 0;
  for (const RecordKind& k : everyRecordKind()) {
    const std::uint16_t code = k.make()->code;
    for (size_t length : {size_t(0), size_t(k.layout ? k.layout - 1 : 3), size_t(k.layout), size_t(k.layout + 1),
                          size_t(8225), size_t(20000), size_t(65535)}) {
      for (size_t piece : {size_t(65535), size_t(1000)}) {
        for (int fill = 0; fill < 3; ++fill) {
          std::vector<char> body(length);
          for (char& c : body) c = static_cast<char>(fill == 2 ? random() : fill);
          Bytes stream = inPieces(code, body, piece);
          std::unique_ptr<Record> record = k.make();
          try {
            record->read(stream.data.data(), stream.size());
          } catch (const MalformedStream&) {
            EXPECT_TRUE(k.layout == 0 || length < k.layout) << k.name << " " << length;
            continue;
          }
          std::vector<char> out(record->recordSize());
          ASSERT_EQ(record->write(out.data()), out.size()) << k.name << " " << length << " " << piece;
          ++checked;
          if (k.layout == 0) continue;
          // A fixed record: its header and its layout, the fields as they were read.
          ASSERT_EQ(out.size(), k.layout + 4u) << k.name << " " << length;
          std::vector<char> fields(body.begin(), body.begin() + std::min<size_t>(length, k.layout));
          fields.resize(k.layout, 0);
          EXPECT_EQ(std::vector<char>(out.begin() + 4, out.end()), fields) << k.name << " " << length;
        }
      }
    }
  }
  EXPECT_GT(checked, 500);
}
