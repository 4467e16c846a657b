#include "extraction/linked_table.h"
#include "common/text_grid.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <numeric>

#include "common/numbers.h"
#include "extraction/host_guards.h"
#include "extraction/link_list_names.h"
#include "extraction/res_strings.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "res/resource_ids.h"

namespace {

using Texts = std::vector<CString>;

// A row of the rebuilt table with its place: the engine row it shows (0 for the empty row
// before the totals) and its sort key, twice the index of the old row it takes the place of
// (odd keys fall between old rows), then its rank among the rows of the same key.
struct PlacedRow {
  long long key;
  size_t rank;
  size_t engineRow;
};

// One cell against another as the preview's sort compares them: a column of numbers by value,
// any other as text ignoring case, on the first 255 characters that the list hands it.
int compareAsPreview(const CString& a, const CString& b, bool numeric) {
  if (numeric) {
    double x = leadingNumber(a), y = leadingNumber(b);
    return (x > y) - (x < y);
  }
  return a.Left(255).CompareNoCase(b.Left(255));
}

// The place of every data row in the wizard's preview of the rows: as built, or sorted by the
// keys as clicks on the headings sort them (stable, the first key deciding). With the header
// line hidden the first row heads the preview's columns and keeps its place. False when a
// key's property is no column of the rows.
bool previewRanks(const TextGrid& rows, const TableLayout& layout, std::vector<size_t>& rank) {
  struct Column {
    size_t index;
    bool numeric, ascending;
  };
  std::vector<Column> keys;
  for (const RowSortKey& key : layout.sortKeys) {
    auto at = std::find(rows[0].begin() + 1, rows[0].end(), key.property);
    if (at == rows[0].end()) return false;
    size_t index = static_cast<size_t>(at - rows[0].begin());
    keys.push_back({index, sortsByValue(rows, index, 1, rows.size()), key.ascending});
  }
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  auto before = [&](size_t a, size_t b) {
    for (const Column& key : keys) {
      int sign = compareAsPreview(rows[a][key.index], rows[b][key.index], key.numeric);
      if (sign != 0) return key.ascending ? sign < 0 : sign > 0;
    }
    return false;
  };
  std::stable_sort(order.begin() + std::min<std::ptrdiff_t>(rows.size(), layout.headerShown ? 1 : 2), order.end(),
                   before);
  rank.assign(rows.size(), 0);
  for (size_t place = 0; place < order.size(); ++place) rank[order[place]] = place;
  return true;
}

// Orders the engine's data rows (and the empty row, when there are totals) by the places
// their objects held in the old rows; rows without one follow the old rows, in the ranks given.
std::vector<PlacedRow> placeRows(const TextGrid& rows, const RowSources& sources, const std::vector<LinkedRow>& old,
                                 const std::vector<size_t>& rank, bool withGap) {
  std::map<CString, long long> oldPlace;
  long long lastData = -1, gap = -1;
  for (size_t i = 0; i < old.size(); ++i) {
    if (old[i].isGap()) {
      if (gap < 0) gap = static_cast<long long>(i);
      continue;
    }
    for (const CString& handle : old[i].objects) oldPlace.emplace(handle, static_cast<long long>(i));
    lastData = static_cast<long long>(i);
  }
  std::vector<PlacedRow> placed;
  for (size_t k = 1; k < rows.size(); ++k) {
    const CString& id = rows[k].front();
    auto members = sources.find(id);
    long long first = LLONG_MAX;
    for (const CString& handle : members == sources.end() ? Texts{id} : members->second) {
      auto place = oldPlace.find(handle);
      if (place != oldPlace.end()) first = std::min(first, place->second);
    }
    if (first == LLONG_MAX) placed.push_back({2 * lastData + 1, rank[k], k});
    else placed.push_back({2 * first, k, k});
  }
  if (withGap) placed.push_back({gap < 0 ? LLONG_MAX : 2 * gap, 0, 0});
  std::sort(placed.begin(), placed.end(),
            [](const PlacedRow& a, const PlacedRow& b) { return std::pair(a.key, a.rank) < std::pair(b.key, b.rank); });
  return placed;
}

// The grid column of every column key; false when one is not in the header.
bool columnsOf(const Texts& header, const Texts& keys, std::vector<int>& order) {
  for (const CString& key : keys) {
    auto at = std::find(header.begin() + 1, header.end(), key);
    if (at == header.end()) return false;
    order.push_back(static_cast<int>(at - header.begin()));
  }
  return !order.empty();
}

// Takes the list among those to store when its entries differ from those the table holds.
void addIfChanged(std::vector<LinkList>& lists, OvDbObjectId tableId, const wchar_t* appName, const Texts& entries) {
  if (readLinkXData(tableId, appName, /*reportMissing=*/false) != entries) lists.push_back({appName, entries});
}

}  // namespace

bool rebuildTable(ExtractionEngine& engine, const Texts& kinds, const std::map<CString, CString>& displayNames,
                  const TableLayout& layout, RebuiltTable& out) {
  const PropertyCatalogue& catalogue = engine.catalogue;
  OfferedPropertyMap offered;
  engine.prepare(offered, kinds);
  TextGrid rows;
  BlockPreviewMap preview;
  engine.buildRows(rows, preview, layout.chosen, /*quantityChosen=*/holds(layout.chosen, catalogue.quantityItem.name),
                   /*blockNameChosen=*/holds(layout.chosen, catalogue.blockNameItem.name), layout.totals,
                   layout.groupBy);
  std::vector<int> columnOrder;
  std::vector<size_t> rank;
  if (rows.empty() || !columnsOf(rows[0], layout.columns, columnOrder) || !previewRanks(rows, layout, rank)) {
    return false;
  }
  const Texts totals = layout.totalsRow ? engine.computeTotals() : Texts();

  std::vector<PlacedRow> placed = placeRows(rows, engine.rowSources, layout.rows, rank, !totals.empty());
  TextGrid grid = rows;
  translateNames(grid, displayNames);
  const size_t gapRow = grid.size();
  if (!totals.empty()) {
    grid.emplace_back(grid[0].size());
    grid.push_back(totals);
  }

  out.layout = layout;
  out.layout.merge = engine.rowMerge;
  out.layout.totalsRow = !totals.empty();
  out.layout.rows.clear();
  out.rowIds.clear();
  std::vector<int> rowOrder;
  if (layout.headerShown) rowOrder.push_back(0);
  for (const PlacedRow& row : placed) {
    if (row.engineRow == 0) {
      rowOrder.push_back(static_cast<int>(gapRow));
      out.layout.rows.emplace_back();
      continue;
    }
    const CString& id = rows[row.engineRow].front();
    auto members = engine.rowSources.find(id);
    rowOrder.push_back(static_cast<int>(row.engineRow));
    out.layout.rows.push_back({members == engine.rowSources.end() ? Texts{id} : members->second});
    out.rowIds.push_back(id);
  }
  if (!totals.empty()) rowOrder.push_back(static_cast<int>(grid.size() - 1));
  out.layout.objects = engine.rowObjects;
  out.headers.assign(grid[0].begin() + 1, grid[0].end());
  const CString previewHeader = displayNameOf(catalogue.blockPreviewItem.name, displayNames);
  out.content = layoutTableContent(grid, preview, std::vector<bool>(grid[0].size(), true), columnOrder, rowOrder,
                                   previewHeader, layout.headerShown);
  return true;
}

namespace {

// Opens the table for write, rebuilds it and writes it where it differs, kept as it was by the
// rollback; closed on return, so that its link lists can be stored next.
bool writeRebuiltTable(OvDbObjectId tableId, ExtractionEngine& engine, const Texts& kinds,
                       const std::map<CString, CString>& displayNames, const TableLayout& layout, RebuiltTable& rebuilt,
                       bool& changed, TableRollback& rollback) {
  OpenedObject<OvDbTable> table;
  if (!openLinkedTable(table, tableId)) return false;
  if (!rebuildTable(engine, kinds, displayNames, layout, rebuilt)) {
    reportDamagedLinkList(kTableLayoutApp);
    return false;
  }
  rollback.keep(table.get());
  if (!applyTableContent(table.get(), rebuilt.content, changed)) return false;
  if (!changed) rollback.leftAsItWas();
  return true;
}

}  // namespace

LinkedUpdate updateLinkedTable(OvDbObjectId tableId, ExtractionEngine& engine, const Texts& kinds,
                               const std::map<CString, CString>& displayNames, const TableLayout& layout) {
  RebuiltTable rebuilt;
  bool changed = false;
  TableRollback rollback;
  if (!writeRebuiltTable(tableId, engine, kinds, displayNames, layout, rebuilt, changed, rollback))
    return LinkedUpdate::Failed;
  std::vector<LinkList> lists;
  addIfChanged(lists, tableId, kObjectHandlesApp, rebuilt.rowIds);
  addIfChanged(lists, tableId, kObjectTypesApp, kinds);
  addDisplayNames(lists, tableId, displayNames);
  const bool grouped = rebuilt.layout.merge == RowMerge::Grouped;
  addIfChanged(lists, tableId, kGroupByApp, {grouped ? rebuilt.layout.groupBy : CString()});
  addIfChanged(lists, tableId, kTableHeadersApp, rebuilt.headers);
  addIfChanged(lists, tableId, kTableLayoutApp, rebuilt.layout.entries());
  if (!storeLinkLists(tableId, lists, rollback)) return LinkedUpdate::Failed;
  return changed ? LinkedUpdate::Updated : LinkedUpdate::Unchanged;
}

bool openLinkedTable(OpenedObject<OvDbTable>& table, OvDbObjectId tableId) {
  if (table.open(tableId, Ovis::kForWrite)) return true;
  ovutPrintf(L"%s", LoadResString(IDS_TABLE_NOT_WRITABLE).GetString());
  return false;
}

bool storeLinkLists(OvDbObjectId tableId, const std::vector<LinkList>& lists, TableRollback& rollback) {
  if (!replaceLinkLists(tableId, lists)) {
    ovutPrintf(L"%s", LoadResString(IDS_LINK_LISTS_NOT_WRITTEN).GetString());
    return false;
  }
  rollback.commit();
  return true;
}

void addDisplayNames(std::vector<LinkList>& lists, OvDbObjectId tableId,
                     const std::map<CString, CString>& displayNames) {
  Texts properties, shown;
  for (const auto& [property, display] : displayNames) {
    properties.push_back(property);
    shown.push_back(display);
  }
  addIfChanged(lists, tableId, kOriginalNamesApp, properties);
  addIfChanged(lists, tableId, kDisplayNamesApp, shown);
}

Texts kindsInWizardOrder(const Texts& kinds, const PropertyCatalogue& catalogue) {
  assert(
      std::all_of(kinds.begin(), kinds.end(), [&catalogue](const CString& kind) { return catalogue.findKind(kind); }) &&
      "the kinds were read as kinds of the catalogue");
  Texts ordered;
  for (const ObjectKindInfo* kind : objectKindsInWizardOrder()) {
    const CString& name = catalogue.kindName(*kind);
    if (holds(kinds, name) && !holds(ordered, name)) ordered.push_back(name);
  }
  return ordered;
}
