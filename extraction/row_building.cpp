// The engine's offered properties and row grid.
#include <algorithm>

#include "extraction/extraction_engine.h"
#include "extraction/kind_records.h"
#include "extraction/row_context.h"
#include "extraction/row_merging.h"

namespace {

// The columns of the chosen properties: "Id", the fixed columns that are asked for, in
// their order, then the other chosen names in theirs.
std::vector<CString> columnKeys(const PropertyCatalogue& catalogue, const std::vector<CString>& chosen,
                                bool quantityChosen, bool blockNameChosen) {
  auto holds = [&chosen](const CString& name) { return std::find(chosen.begin(), chosen.end(), name) != chosen.end(); };
  const CString& objectType = catalogue.objectTypeItem.name;
  const CString& quantity = catalogue.quantityItem.name;
  const CString& blockName = catalogue.blockNameItem.name;
  const CString& preview = catalogue.blockPreviewItem.name;
  std::vector<CString> columns{L"Id"};
  if (holds(objectType)) columns.push_back(objectType);
  if (quantityChosen) columns.push_back(quantity);
  if (blockNameChosen) columns.push_back(blockName);
  if (holds(preview)) columns.push_back(preview);
  for (const CString& name : chosen) {
    if (name != objectType && name != quantity && name != blockName && name != preview) columns.push_back(name);
  }
  return columns;
}

}  // namespace

void ExtractionEngine::prepare(OfferedPropertyMap& offeredOut, const std::vector<CString>& chosenTypeNames) {
  this->chosenTypeNames = chosenTypeNames;
  RowContext context(chosenTypeNames, catalogue);
  categories.clear();
  context.buildPropertyMap(blockItems, categories);
  offeredOut = context.offered;
  offeredItems = offeredOut;
}

void ExtractionEngine::buildRows(TextGrid& rowsOut, BlockPreviewMap& previewOut, const std::vector<CString>& chosen,
                                 bool quantityChosen, bool blockNameChosen, const std::vector<CString>& totals,
                                 CString groupBy) {
  chosenProperties = chosen;
  this->groupBy = groupBy;
  totalsNames = totals;
  rowSources.clear();
  bool hasBlock = std::find(chosenTypeNames.begin(), chosenTypeNames.end(), catalogue.kindName(kKindBlock)) !=
                  chosenTypeNames.end();
  if (quantityChosen && (!hasBlock || (blockNameChosen && groupBy.IsEmpty()))) rowMerge = RowMerge::Combined;
  else if (!groupBy.IsEmpty() && !quantityChosen) rowMerge = RowMerge::Grouped;
  else rowMerge = RowMerge::None;

  RowContext context(chosenTypeNames, catalogue);
  std::vector<CString> columns = columnKeys(catalogue, chosen, quantityChosen, blockNameChosen);
  context.columnCount = static_cast<int>(columns.size());
  context.setColumns(columns);
  // A group-by property that is no column groups nothing: the rows stay as built, and the
  // table's link does not claim a grouping.
  if (rowMerge == RowMerge::Grouped && std::find(columns.begin(), columns.end(), groupBy) == columns.end()) {
    rowMerge = RowMerge::None;
  }
  buildKindRows(context);
  rowsOut = std::move(context.rows);
  rowObjects.clear();
  for (std::size_t r = 1; r < rowsOut.size(); ++r) {
    if (!rowsOut[r].empty()) rowObjects.push_back(rowsOut[r][0]);
  }

  std::vector<CString> keptIds;
  if (rowMerge == RowMerge::Combined) {
    combineIdenticalRows(rowsOut, keptIds, catalogue, &rowSources);
    filterPreviewMap(previewOut, context.previewMap, keptIds);
  } else if (rowMerge == RowMerge::Grouped) {
    std::vector<CString> groupTotals = totals.empty() ? std::vector<CString>{catalogue.quantityItem.name} : totals;
    groupRowsByProperty(rowsOut, groupBy, groupTotals, keptIds, &rowSources);
    filterPreviewMap(previewOut, context.previewMap, keptIds);
  } else {
    previewOut = std::move(context.previewMap);  // each row stands for its own object: rowSources stays empty
  }
  previewMap = previewOut;
  rows = rowsOut;  // the engine keeps the rows it hands out: their texts are shared, not copied
}

void ExtractionEngine::buildKindRows(RowContext& context) const {
  std::vector<const ObjectKindInfo*> kinds;
  for (const CString& type : chosenTypeNames) {
    if (const ObjectKindInfo* kind = catalogue.findKind(type)) kinds.push_back(kind);
  }
  std::size_t rowCount = 1;
  for (const ObjectKindInfo* kind : kinds) rowCount += kindRecords(*kind).count(*this);
  context.reserveRows(rowCount);
  for (const ObjectKindInfo* kind : kinds) kindRecords(*kind).buildRows(*this, context, *kind);
}

std::vector<CString> ExtractionEngine::computeTotals() const {
  if (rowMerge == RowMerge::Grouped) return computeGroupedTotalsRow(rows, totalsNames, rowSources);
  return computeTotalsRow(rows, totalsNames, rowMerge == RowMerge::Combined ? catalogue.quantityItem.name : CString());
}
