// Extraction of a generated drawing of 100,000 mixed objects, then row building for every
// kind with every offered property: plain, combined and grouped. The merging benchmarks
// also run over growing grids so that their cost per row can be read off (n log n).
#include <benchmark/benchmark.h>

#include <memory>

#include "extraction/extraction_engine.h"
#include "extraction/row_merging.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "platform/host/selection.h"
#include "tests/support/plugin_resources.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const std::vector<CString> kAllKinds{L"Block", L"Line", L"Polyline", L"Arc", L"Circle",
                                     L"Solid", L"3D Solid", L"Point", L"MText"};

// A drawing of n objects cycling through the nine kinds, on 20 layers, with values from
// small sets so that combining finds many equal rows.
std::unique_ptr<OvDbDatabase> generateDrawing(int n) {
  auto db = std::make_unique<OvDbDatabase>();
  OvDbBlockTable* table = nullptr;
  db->getBlockTable(table, Ovis::kForWrite);
  OvDbObjectId blocks[3];
  const wchar_t* names[] = {L"Door", L"Window", L"Column"};
  for (int b = 0; b < 3; ++b) {
    auto* record = new OvDbBlockTableRecord;
    record->setName(names[b]);
    table->add(blocks[b], record);
    record->close();
  }
  table->close();
  OvDbBlockTableRecord* space = nullptr;
  ovdbOpenObject(space, db->modelSpaceId(), Ovis::kForWrite);
  for (int i = 0; i < n; ++i) {
    int v = i % 7;
    OvDbEntity* e = nullptr;
    switch (i % 9) {
      case 0: e = new OvDbBlockReference({double(v), 2.0 * v, 0}, blocks[i % 3]); break;
      case 1: e = new OvDbLine({0, 0, 0}, {double(v), 1.0, 0}); break;
      case 2: {
        auto* p = new OvDbPolyline;
        p->addVertexAt(0, {0, 0}, 0);
        p->addVertexAt(1, {double(v + 1), 0}, 0.5);
        p->addVertexAt(2, {double(v + 1), 2}, 0);
        p->setClosed(v % 2 == 0);
        e = p;
        break;
      }
      case 3: e = new OvDbArc({0, 0, 0}, 1 + v, 0, kPi / (1 + v)); break;
      case 4: e = new OvDbCircle({double(v), 0, 0}, 0.5 + v); break;
      case 5: e = new OvDbSolid({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}); break;
      case 6: {
        auto* s = new OvDb3dSolid;
        s->createBox(1, 1, 1 + v);
        e = s;
        break;
      }
      case 7: e = new OvDbPoint({double(v), 0, 0.5 * v}); break;
      default: {
        auto* t = new OvDbMText;
        t->setContents(v % 2 ? L"Room" : L"Hall");
        t->setLocation({double(v), 1, 0});
        e = t;
        break;
      }
    }
    CString layer;
    layer.Format(L"L%d", (i / 9) % 20);
    e->setLayer(layer);
    e->setColorIndex(static_cast<std::uint16_t>(1 + v));
    OvDbObjectId id;
    space->appendOvDbEntity(id, e);
    if (auto* reference = OvDbBlockReference::cast(e)) {
      CString number;
      number.Format(L"%d", v);
      auto* a = new OvDbAttribute(L"NUMBER", number);
      OvDbObjectId attributeId;
      reference->appendAttribute(attributeId, a);
      a->close();
    }
    e->close();
  }
  space->close();
  return db;
}

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
    engine.buildRows(rows, preview, names, false, true, {}, CString());
    benchmark::DoNotOptimize(rows.size());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BuildRowsAllProperties)->Unit(benchmark::kMillisecond);

void BM_BuildRowsCombined(benchmark::State& state) {
  std::vector<CString> names;
  ExtractionEngine& engine = preparedEngine(names);
  for (auto _ : state) {
    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, names, true, true, {}, CString());
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
    engine.buildRows(rows, preview, names, false, true, totals, L"Layer");
    state.counters["rows"] = static_cast<double>(rows.size() - 1);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_BuildRowsGrouped)->Unit(benchmark::kMillisecond);

// A grid of n rows of 12 columns, about one row in ten distinct from column 1 on.
TextGrid generatedGrid(std::int64_t n) {
  TextGrid grid;
  grid.push_back({L"Id", L"Object type", L"Quantity", L"Layer", L"Length", L"A", L"B", L"C", L"D", L"E", L"F", L"G"});
  for (std::int64_t i = 0; i < n; ++i) {
    CString handle, layer, length;
    handle.Format(L"%llX", static_cast<long long>(i + 16));
    layer.Format(L"L%d", static_cast<int>((i * 7919) % 50));
    length.Format(L"%d", static_cast<int>((i * 104729) % (n / 500 + 1)));
    grid.push_back({handle, L"Line", L"1", layer, length, L"a", L"b", L"c", L"d", L"e", L"f", L"g"});
  }
  return grid;
}

void BM_CombineIdenticalRows(benchmark::State& state) {
  PropertyCatalogue catalogue;
  TextGrid source = generatedGrid(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TextGrid rows = source;
    std::vector<CString> kept;
    state.ResumeTiming();
    combineIdenticalRows(rows, kept, catalogue);
    benchmark::DoNotOptimize(rows.size());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CombineIdenticalRows)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

void BM_GroupRowsByProperty(benchmark::State& state) {
  TextGrid source = generatedGrid(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TextGrid rows = source;
    std::vector<CString> kept;
    state.ResumeTiming();
    groupRowsByProperty(rows, L"Length", {L"Quantity"}, kept);
    benchmark::DoNotOptimize(rows.size());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GroupRowsByProperty)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
