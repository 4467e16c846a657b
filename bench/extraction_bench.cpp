// Extraction of a generated drawing of 100,000 mixed objects, then row building for every
// kind with every offered property: plain, combined and grouped; and the two together, with
// the peak memory they take above the drawing. Combining and grouping over growing grids
// are in row_merging_bench.cpp.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "bench/mixed_drawing.h"
#include "extraction/extraction_engine.h"
#include "extraction/row_merging.h"
#include "platform/host/selection.h"
#include "tests/support/plugin_resources.h"

namespace {

using bench::generateDrawing;
using bench::kAllKinds;

struct Fixture {
  Fixture() {
    attachPluginResources();
    SetUserInterfaceLanguage(0x0C09);
    db = generateDrawing(100000);
    ovdbHostApplicationServices()->setWorkingDatabase(db.get());
  }
  ExtractionEngine extract() const {
    ov_name set{0, 0};
    std::int32_t length = 0;
    ovedSSGet(L"A", nullptr, nullptr, nullptr, set);
    ovedSSLength(set, &length);
    ExtractionEngine engine(set, length, PropertyCatalogue());
    ovedSSFree(set);
    return engine;
  }
  std::unique_ptr<OvDbDatabase> db;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

// The engine after extraction, with every kind chosen; the names it offers.
ExtractionEngine& preparedEngine(std::vector<CString>& names) {
  static ExtractionEngine engine = fixture().extract();
  static std::vector<CString> offeredNames = [] {
    OfferedPropertyMap offered;
    engine.prepare(offered, kAllKinds);
    std::vector<CString> list;
    for (const auto& item : offered) list.push_back(item.name);
    return list;
  }();
  names = offeredNames;
  return engine;
}

// The resident-set figures of this process in KiB, from /proc: "VmRSS" now or "VmHWM" (its
// peak since the last reset); 0 when they cannot be read.
long residentKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  std::string key = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
  }
  return 0;
}

// Starts a new peak of the resident set (Linux: writing 5 to clear_refs); false when the
// system does not allow it.
bool resetResidentPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

void BM_ExtractDrawing(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    ExtractionEngine engine = f.extract();
    benchmark::DoNotOptimize(engine.lines.size());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ExtractDrawing)->Unit(benchmark::kMillisecond);

void BM_BuildRowsAllProperties(benchmark::State& state) {
  std::vector<CString> names;
  ExtractionEngine& engine = preparedEngine(names);
  std::erase(names, engine.catalogue.quantityItem.name);
  for (auto _ : state) {
    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, names, /*quantityChosen=*/false, /*blockNameChosen=*/true, {}, CString());
    benchmark::DoNotOptimize(rows.size());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BuildRowsAllProperties)->Unit(benchmark::kMillisecond);

// What the source page and the properties page do together: the drawing's objects read into
// records, the offered properties worked out and the rows of the given properties built.
// Kept out of line so that a profiler can count it alone (callgrind --toggle-collect).
[[gnu::noinline]] std::size_t extractAndBuildRows(const Fixture& f, const std::vector<CString>& names) {
  ExtractionEngine engine = f.extract();
  OfferedPropertyMap offered;
  engine.prepare(offered, kAllKinds);
  TextGrid rows;
  BlockPreviewMap preview;
  engine.buildRows(rows, preview, names, /*quantityChosen=*/false, /*blockNameChosen=*/true, {}, CString());
  return rows.size();
}

// Extraction and rows of every property, with the peak resident memory they take above what
// the process held before (the drawing and the string table), over all iterations.
void BM_ExtractAndBuildRows(benchmark::State& state) {
  Fixture& f = fixture();
  std::vector<CString> names;
  {
    ExtractionEngine probe = f.extract();
    OfferedPropertyMap offered;
    probe.prepare(offered, kAllKinds);
    for (const auto& item : offered) {
      if (item.name != probe.catalogue.quantityItem.name) names.push_back(item.name);
    }
  }
  malloc_trim(0);  // the probe's memory goes back to the system before the baseline is read
  long before = residentKiB("VmRSS");
  bool peakReset = resetResidentPeak();
  for (auto _ : state) benchmark::DoNotOptimize(extractAndBuildRows(f, names));
  state.SetItemsProcessed(state.iterations() * 100000);
  if (peakReset) state.counters["peak_MiB_above_drawing"] = static_cast<double>(residentKiB("VmHWM") - before) / 1024.0;
  state.counters["drawing_MiB"] = static_cast<double>(before) / 1024.0;
}
BENCHMARK(BM_ExtractAndBuildRows)->Unit(benchmark::kMillisecond);

void BM_BuildRowsCombined(benchmark::State& state) {
  std::vector<CString> names;
  ExtractionEngine& engine = preparedEngine(names);
  for (auto _ : state) {
    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, names, /*quantityChosen=*/true, /*blockNameChosen=*/true, {}, CString());
    state.counters["rows"] = static_cast<double>(rows.size() - 1);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BuildRowsCombined)->Unit(benchmark::kMillisecond);

void BM_BuildRowsGrouped(benchmark::State& state) {
  std::vector<CString> names;
  ExtractionEngine& engine = preparedEngine(names);
  std::erase(names, engine.catalogue.quantityItem.name);
  std::vector<CString> totals{L"Length", L"Area", L"Radius", L"Thickness"};
  for (auto _ : state) {
    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, names, /*quantityChosen=*/false, /*blockNameChosen=*/true, totals, L"Layer");
    state.counters["rows"] = static_cast<double>(rows.size() - 1);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BuildRowsGrouped)->Unit(benchmark::kMillisecond);

}  // namespace
