// Writes the seed corpus of the workbook reader's fuzzer: raw workbook streams of a few
// books that use every kind of record the reader knows, hand-made streams with records
// longer than their layout and cell addresses far beyond what the file holds, a stream
// with the records the reader keeps as read (link table, date system, palette), texts of
// characters beyond U+FFFF across string-table breaks, text cells with formatting runs, and
// whole workbook files for the compound-file layer.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "spreadsheet/format_manager.h"
#include "spreadsheet/xls_book.h"
#include "tests/spreadsheet/stream_bytes.h"
#include "tests/support/wide_path.h"

namespace {

using CellBlock = QExcel::Worksheet::CellTable::RowBlock::CellBlock;
using sheet_test::Bytes;

bool writeBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool writeSeed(XlsBook& book, const std::string& path) {
  book.buildRecords();
  book.fixStreamPositions();
  std::vector<char> stream(book.streamSize());
  book.write(stream.data());
  return writeBytes(path, stream);
}

// A hand-made stream as the stream "Workbook" of a compound file.
bool writeFileSeed(const Bytes& stream, const std::string& path) {
  QExcel::CompoundDocument doc;
  return doc.create(widePath(path).c_str()) && doc.makeStream("Workbook") == 1 &&
         doc.writeStream("Workbook", stream.data, stream.size()) == 1;
}

bool writeMixedSeed(const std::string& path) {
  XlsBook mixed;
  mixed.create(3);
  XlsSheet* sheet = mixed.sheetAt(0);
  for (int r = 0; r < 40; ++r) {
    sheet->cellAt(r, 0)->setInteger(r);
    sheet->cellAt(r, 1)->setInteger(r * 1000);
    sheet->cellAt(r, 2)->setDouble(r / 3.0);
    sheet->cellAt(r, 3)->setDouble(r + 0.5);
    sheet->cellAt(r, 4)->setText(std::wstring(r % 5 ? 3 : 40, static_cast<wchar_t>(0x430 + r)).c_str());
  }
  sheet->cellAt(3, 0)->setText(std::wstring(9000, L'q').c_str());
  sheet->mergeCells(1, 1, 2, 2);
  sheet->setColumnWidth(2, 3000);
  FormatManager formats(mixed);
  XlsCellFormat bold(formats);
  XlsFont font;
  font.weight = 700;
  bold.setFont(font);
  sheet->cellAt(0, 5)->setFormat(bold);
  formats.formatIndex(L"0.000");
  CellBlock::Formula formula;
  formula.tokens = {3, 0, 0x1E, 7, 0};
  formula.followUpCode = 0x04BC;
  formula.shrFmla1.tokens = {1, 0, 2};
  formula.string.setText(u"text result");
  mixed.sheetAt(1)->cellAt(2, 2)->setFormula(QExcel::RefPtr<XlsFormula>(new XlsFormula(formula)));
  mixed.sheetAt(2)->rename(L"Troisi\u00e8me");
  return writeSeed(mixed, path);
}

// A narrow filler ending near a string-table break, then a text of surrogate pairs with a
// plain character every seven units that runs over the breaks after it.
void fillAstral(XlsBook& book, int filler, size_t units) {
  std::wstring text;
  for (size_t n = 0; n < units; n += 7) text += L"\U0001F600\U00020000\U0001D11Ex";
  book.create(1);
  book.sheetAt(0)->cellAt(0, 0)->setText(std::string(static_cast<size_t>(filler), 'f').c_str());
  book.sheetAt(0)->cellAt(1, 0)->setText(text.c_str());
  book.sheetAt(0)->cellAt(2, 0)->setText(L"end \U0001F600");
}

}  // namespace

// A file seed whose directory is damaged as some files' are: the root entry names the
// stream's entry (1) as its sibling besides its child, so that the compound-file library
// reads that entry twice (and leaks the first, which fuzz/lsan.supp passes over).
bool writeDamagedDirectorySeed(const Bytes& stream, const std::string& path) {
  if (!writeFileSeed(stream, path)) return false;
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  unsigned char header[0x34];
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  const unsigned sectorSize = 1u << (header[0x1E] | header[0x1F] << 8);
  const unsigned directory = header[0x30] | header[0x31] << 8 | header[0x32] << 16 | unsigned(header[0x33]) << 24;
  const char sibling[4] = {1, 0, 0, 0};
  file.seekp(512 + static_cast<std::streamoff>(directory) * sectorSize + 0x44);
  return static_cast<bool>(file.write(sibling, sizeof sibling));
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  bool ok = true;

  XlsBook small;
  small.create(1);
  small.sheetAt(0)->cellAt(0, 0)->setText(L"Id");
  small.sheetAt(0)->cellAt(1, 1)->setText("x");
  ok = writeSeed(small, folder + "/small.bin") && ok;
  ok = small.saveAs(widePath(folder + "/small.xls").c_str()) && ok;
  ok = writeMixedSeed(folder + "/mixed.bin") && ok;

  XlsBook astral;
  fillAstral(astral, 8185, 12000);
  ok = writeSeed(astral, folder + "/astral_breaks.bin") && ok;
  fillAstral(astral, 8190, 6000);
  ok = astral.saveAs(widePath(folder + "/astral_breaks.xls").c_str()) && ok;

  using sheet_test::rk;
  using sheet_test::workbookStream;
  Bytes oversized = workbookStream({sheet_test::oversizedRecords()});
  ok = writeBytes(folder + "/oversized.bin", oversized.data) && ok;
  ok = writeFileSeed(oversized, folder + "/oversized.xls") && ok;
  Bytes far = workbookStream({Bytes().record(0x027E, rk(65535, 255, 1))});
  ok = writeBytes(folder + "/far_cell.bin", far.data) && ok;
  ok = writeFileSeed(far, folder + "/far_cell.xls") && ok;
  ok = writeDamagedDirectorySeed(far, folder + "/root_sibling.xls") && ok;
  ok = writeBytes(folder + "/far_sheets.bin",
                  workbookStream(std::vector<Bytes>(20, Bytes().record(0x027E, rk(65535, 255, 1)))).data) &&
       ok;
  ok = writeBytes(folder + "/near_far_cell.bin", workbookStream({Bytes().record(0x027E, rk(2000, 20, 5))}).data) && ok;
  ok = writeBytes(folder + "/links.bin", sheet_test::linkedStream(false).data) && ok;
  Bytes rich = workbookStream({Bytes()
                                   .record(0x00D6, sheet_test::richText(0, 0, 4, false, Bytes().raw("bold"), 2))
                                   .record(0x00D6, sheet_test::richText(1, 1, 1, true, Bytes().u16(0x416), 0))});
  ok = writeBytes(folder + "/rich_text.bin", rich.data) && ok;
  ok = writeFileSeed(rich, folder + "/rich_text.xls") && ok;
  return ok ? 0 : 1;
}
