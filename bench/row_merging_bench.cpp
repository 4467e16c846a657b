// Combining identical rows and grouping rows by a property over grids of 4,096 to 1,048,576
// rows, so that the growth of their cost with the number of rows can be read off.
#include <benchmark/benchmark.h>

#include "extraction/row_merging.h"
#include "tests/support/plugin_resources.h"

namespace {

// A grid of n rows of 8 columns: about one row in eight distinct from column 1 on, and
// n / 16 distinct lengths to group by. Texts keep their length whatever n (handles of six
// hexadecimal digits up to 1,048,576 rows), so that the cost per row can only grow with
// the algorithms.
TextGrid generatedGrid(std::int64_t n) {
  TextGrid grid;
  grid.reserve(static_cast<std::size_t>(n) + 1);
  grid.push_back({L"Id", L"Object type", L"Quantity", L"Layer", L"Length", L"Color", L"Area", L"Angle"});
  for (std::int64_t i = 0; i < n; ++i) {
    CString handle, layer, length, area;
    handle.Format(L"%llX", static_cast<long long>(0x100000 + i));
    long long shape = (i * 7919) % (n / 8 + 1);
    layer.Format(L"L%02d", static_cast<int>(shape % 50));
    length.Format(L"%lld", 100000 + shape % (n / 16 + 1));
    area.Format(L"%.2f", 1000.0 + static_cast<double>(shape % 1000) * 0.25);
    grid.push_back({handle, L"Line", L"1", layer, length, L"7", area, L"90"});
  }
  return grid;
}

// Times one merge over a fresh copy of a grid of state.range(0) rows; copying the grid and
// freeing the result are not timed. Rows per second that stay the same from 4,096 to
// 1,048,576 rows mean a cost linear in the number of rows.
template <typename Merge>
void timeMerging(benchmark::State& state, const Merge& merge) {
  TextGrid source = generatedGrid(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TextGrid rows = source;
    std::vector<CString> kept;
    RowSources sources;
    state.ResumeTiming();
    merge(rows, kept, sources);
    benchmark::DoNotOptimize(rows.size());
    state.PauseTiming();
    rows = TextGrid();
    sources = RowSources();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

void BM_CombineIdenticalRows(benchmark::State& state) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  PropertyCatalogue catalogue;
  timeMerging(state, [&catalogue](TextGrid& rows, std::vector<CString>& kept, RowSources& sources) {
    combineIdenticalRows(rows, kept, catalogue, &sources);
  });
}
BENCHMARK(BM_CombineIdenticalRows)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 20)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_GroupRowsByProperty(benchmark::State& state) {
  timeMerging(state, [](TextGrid& rows, std::vector<CString>& kept, RowSources& sources) {
    groupRowsByProperty(rows, L"Length", {L"Quantity", L"Area"}, kept, &sources);
  });
}
BENCHMARK(BM_GroupRowsByProperty)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 20)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
