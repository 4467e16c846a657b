// Writes the seed corpus of the workbook reader's fuzzer: raw workbook streams of a few
// books that use every kind of record the reader knows.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "spreadsheet/format_manager.h"
#include "spreadsheet/xls_book.h"

namespace {

using CellBlock = QExcel::Worksheet::CellTable::RowBlock::CellBlock;

bool writeSeed(XlsBook& book, const std::string& path) {
  book.buildRecords();
  book.fixStreamPositions();
  std::vector<char> stream(book.streamSize());
  book.write(stream.data());
  std::ofstream out(path, std::ios::binary);
  out.write(stream.data(), static_cast<std::streamsize>(stream.size()));
  return static_cast<bool>(out);
}

}  // namespace

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
  ok = writeSeed(mixed, folder + "/mixed.bin") && ok;
  return ok ? 0 : 1;
}
