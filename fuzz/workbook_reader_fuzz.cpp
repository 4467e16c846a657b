// libFuzzer target of the workbook reader: any bytes as a workbook stream. What the
// reader accepts must build its grids, write back exactly as many bytes as it announces,
// and read back again.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "spreadsheet/xls_book.h"

namespace {

using CellBlock = QExcel::Worksheet::CellTable::RowBlock::CellBlock;

// Grids are as large as the largest cell address a sheet names (by design, up to
// 65,536 x 256 cells); inputs that ask for more than this are only parsed.
constexpr std::uint64_t kMaxCells = 1u << 18;

bool gridsAffordable(XlsBook& book) {
  for (auto& sheet : book.worksheets()) {
    std::uint64_t rows = 1, columns = 1;
    for (auto& block : sheet.cellTable.blocks)
      for (auto& cell : block.cellBlocks) {
        rows = std::max<std::uint64_t>(rows, cell->row() + 1u);
        std::uint64_t column = cell->col();
        if (auto* run = cell->as<CellBlock::MulRK>()) column = run->lastColumn;
        if (column < 256) columns = std::max<std::uint64_t>(columns, column + 1);
      }
    if (rows * columns > kMaxCells) return false;
  }
  return true;
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "workbook_reader_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size > (1u << 22)) return 0;
  XlsBook book;
  if (book.read(reinterpret_cast<const char*>(data), static_cast<std::uint32_t>(size)) == 0) return 0;
  if (!gridsAffordable(book)) return 0;
  book.syncSheets();

  // Every value of every cell, as the model gives them out.
  double sum = 0;
  for (int s = 0; s < book.sheetCount(); ++s) {
    XlsSheet* sheet = book.sheetAt(s);
    std::string name;
    std::wstring wideName;
    if (!sheet->name(name) && !sheet->name(wideName)) fail("a sheet without a name");
    for (int r = 0; r < sheet->rowCount(); ++r)
      for (int c = 0; c < sheet->columnCount(); ++c) {
        const XlsCell* cell = sheet->cellAt(r, c);
        sum += cell->integerValue() + cell->doubleValue() + static_cast<double>(cell->textLength());
        if (const char* text = cell->narrowText()) sum += text[0];
      }
  }

  book.buildRecords();
  book.fixStreamPositions();
  std::uint64_t expected = book.streamSize();
  if (expected > 0xFFFFFFFFull) return 0;
  std::vector<char> stream(static_cast<size_t>(expected));
  if (book.write(stream.data()) != expected) fail("written size differs from the announced size");
  XlsBook again;
  if (again.read(stream.data(), static_cast<std::uint32_t>(stream.size())) != stream.size())
    fail("a written stream does not read back");
  if (again.sheetCount() != 0 || again.worksheets().size() != book.worksheets().size())
    fail("sheets lost on reading back");
  return sum == 0.5 ? 1 : 0;
}
