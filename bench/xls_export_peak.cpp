// Peak memory of one export of the benchmark grid: the process's resident size once the
// grid is built, its peak after the export, and the goal, the grid plus four times the
// file. Run alone (one process, one export), so that nothing else raises the peak:
//   xls_export_peak [path]    exit status 0 within the goal, 1 beyond it, 2 on failure.
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/xls_bench_grid.h"
#include "spreadsheet/xls_export.h"

namespace {

double peakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "xls_export_peak.xls").string();
  double start = peakMiB();
  TextGrid grid = xls_bench::makeGrid();
  double withGrid = peakMiB();
  xls_bench::ExportOrders orders;
  if (!exportXls(grid, CString(std::wstring(path.begin(), path.end())), orders.visible, orders.columns, orders.rows,
                 /*headerShown=*/true)) {
    std::fprintf(stderr, "export failed: %s\n", path.c_str());
    return 2;
  }
  double peak = peakMiB();
  double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  double goal = withGrid + 4 * fileMiB;
  std::printf("start %.1f MiB, with grid %.1f MiB (grid %.1f MiB), file %.1f MiB\n", start, withGrid, withGrid - start,
              fileMiB);
  std::printf("peak %.1f MiB, goal (with grid + 4 x file) %.1f MiB: %s\n", peak, goal,
              peak <= goal ? "within" : "beyond");
  std::filesystem::remove(path);
  return peak <= goal ? 0 : 1;
}
