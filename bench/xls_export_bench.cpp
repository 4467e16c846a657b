// Export of a large grid to a workbook file: 65,535 rows of 12 columns, numbers and texts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "spreadsheet/xls_book.h"
#include "spreadsheet/xls_export.h"

namespace {

constexpr int kRows = 65535;
constexpr int kColumns = 12;

// Row 0 holds the headers; the data rows hold handles, kind names (few distinct),
// numbers with and without decimals, and free texts (all distinct).
const TextGrid& grid() {
  static const TextGrid rows = [] {
    TextGrid g;
    g.reserve(kRows);
    std::vector<CString> header;
    for (int c = 0; c < kColumns; ++c) {
      CString name;
      name.Format(L"Column %d", c);
      header.push_back(name);
    }
    g.push_back(header);
    const wchar_t* kinds[] = {L"Line", L"Arc", L"Circle", L"Polyline", L"Block reference"};
    for (int r = 1; r < kRows; ++r) {
      std::vector<CString> row(kColumns);
      row[0].Format(L"%X", 0x2A0 + r);
      row[1] = kinds[r % 5];
      row[2].Format(L"%g", r * 0.125);
      row[3].Format(L"%d", r % 97);
      row[4].Format(L"%g", r * 3.14159);
      row[5] = L"0";
      row[6].Format(L"Note %d on layer %d", r, r % 13);
      row[7].Format(L"%g", -r / 7.0);
      row[8] = r % 2 ? L"ByLayer" : L"ByBlock";
      row[9].Format(L"%d", r);
      row[10].Format(L"%g", r * 1e-3);
      row[11].Format(L"Text %d", r * 31);
      g.push_back(std::move(row));
    }
    return g;
  }();
  return rows;
}

std::string outputPath() {
  return (std::filesystem::temp_directory_path() / "xls_export_bench.xls").string();
}

void BM_ExportXlsToFile(benchmark::State& state) {
  const TextGrid& g = grid();
  std::vector<bool> visible(kColumns, true);
  std::vector<int> columns, rows;
  for (int c = 0; c < kColumns; ++c) columns.push_back(c);
  for (int r = 0; r < kRows; ++r) rows.push_back(r);
  const std::string file = outputPath();
  CString path(std::wstring(file.begin(), file.end()));
  for (auto _ : state) {
    if (!exportXls(g, path, visible, columns, rows, true)) state.SkipWithError("export failed");
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(outputPath())) / 1e6;
  std::filesystem::remove(outputPath());
}
BENCHMARK(BM_ExportXlsToFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same book turned into its record stream in memory, without the file.
void BM_BuildAndWriteStream(benchmark::State& state) {
  const TextGrid& g = grid();
  XlsBook book;
  book.create(1);
  XlsSheet* sheet = book.sheetAt(0);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) sheet->cellAt(r, c)->setText(g[r][c].GetString());
  for (auto _ : state) {
    book.buildRecords();
    book.fixStreamPositions();
    std::vector<char> stream(book.streamSize());
    benchmark::DoNotOptimize(book.write(stream.data()));
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_BuildAndWriteStream)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
