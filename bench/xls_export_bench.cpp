// Export of a large grid to a workbook file: 65,535 rows of 12 columns, numbers and texts;
// its cost beside that of writing the same number of bytes with one write, and the stream
// built in memory without the file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/xls_bench_grid.h"
#include "spreadsheet/xls_book.h"
#include "spreadsheet/xls_export.h"

namespace {

using xls_bench::kColumns;
using xls_bench::kRows;

const TextGrid& grid() {
  static const TextGrid rows = xls_bench::makeGrid();
  return rows;
}

std::string scratchFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

CString widePath(const std::string& path) { return CString(std::wstring(path.begin(), path.end())); }

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Creates or truncates the file and writes the bytes with one write call.
bool writeOnce(const std::string& path, const std::vector<char>& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && ok;
}

void BM_ExportXlsToFile(benchmark::State& state) {
  xls_bench::ExportOrders orders;
  const std::string file = scratchFile("xls_export_bench.xls");
  for (auto _ : state) {
    if (!exportXls(grid(), widePath(file), orders.visible, orders.columns, orders.rows, /*headerShown=*/true))
      state.SkipWithError("export failed");
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}
BENCHMARK(BM_ExportXlsToFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Each round exports the grid, then writes as many bytes to another file with one write;
// the counters are the medians of the rounds and their ratio.
void BM_ExportBesideOneWrite(benchmark::State& state) {
  xls_bench::ExportOrders orders;
  const std::string file = scratchFile("xls_export_side.xls");
  const std::string raw = scratchFile("xls_export_side.raw");
  std::vector<double> exportTimes, writeTimes;
  std::vector<char> bytes;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    if (!exportXls(grid(), widePath(file), orders.visible, orders.columns, orders.rows, /*headerShown=*/true))
      state.SkipWithError("export failed");
    exportTimes.push_back(seconds(start));
    if (bytes.empty()) bytes.assign(std::filesystem::file_size(file), 'x');
    start = std::chrono::steady_clock::now();
    if (!writeOnce(raw, bytes)) state.SkipWithError("write failed");
    writeTimes.push_back(seconds(start));
  }
  double exportSeconds = median(exportTimes);
  double writeSeconds = median(writeTimes);
  state.counters["export_s"] = exportSeconds;
  state.counters["write_s"] = writeSeconds;
  state.counters["ratio"] = exportSeconds / writeSeconds;
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
  std::filesystem::remove(file);
  std::filesystem::remove(raw);
}
BENCHMARK(BM_ExportBesideOneWrite)->Unit(benchmark::kMillisecond)->Iterations(9);

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
