// The working record of one row-building call: the column keys, the rows being built, the
// offered properties and the block-preview entries.
#pragma once
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "common/text_grid.h"
#include "extraction/entity_records.h"
#include "extraction/extraction_engine.h"
#include "extraction/property_catalogue.h"

class RowContext {
public:
  RowContext() = default;
  RowContext(const std::vector<CString>& chosenTypeNames, const PropertyCatalogue& catalogue);

  // Fills the offered properties of the chosen kinds and their category filters; a name of
  // no kind brings only the object type and the quantity.
  void buildPropertyMap(const OfferedPropertyMap& blockItems, std::set<int>& categoriesOut);
  // Makes the keys the columns of the grid and its row 0.
  void setColumns(const std::vector<CString>& keys);
  // Room for the given number of rows (row 0 included), their cells made at once.
  void reserveRows(std::size_t count);
  void buildPropertyRow(const GeomEnt& wrapper, const ObjectKindInfo& kind) { buildRecordRow(wrapper, kind); }
  // A row for each record of the kind, in order.
  template <typename Record>
  void buildRowsForType(const std::vector<Record>& records, const ObjectKindInfo& kind) {
    for (const Record& record : records) buildRecordRow(record, kind);
  }
  // Block references' rows: their block name, attributes, dynamic properties and the pairs of
  // the kind's list, and the preview cells' entries.
  void buildRowsForType(const std::vector<BlockRefRecord>& records, const ObjectKindInfo& kind);

  TextGrid rows;
  OfferedPropertyMap offered;
  int columnCount = 0;
  BlockPreviewMap previewMap;
  std::vector<CString> chosenTypeNames;
  std::vector<CString> columnKeys;
  PropertyCatalogue catalogue;

private:
  // For each item of a list, in order, the columns whose key is the item's name (never
  // column 0, the handle): where the pair of that position goes in every row.
  using PairColumns = std::vector<std::vector<std::size_t>>;
  PairColumns pairColumns(const std::vector<PropertyItem>& items) const;

  // A row for a geometric record: its common pairs, then the pairs of the kind's list
  // (later pairs of a name overwrite earlier ones). A record of a known kind gives its
  // values by position; a GeomEnt alone gives them through fillProperties.
  template <typename Record>
  void buildRecordRow(const Record& record, const ObjectKindInfo& kind) {
    std::vector<CString> row = startRow(record);
    placeValues(row, commonColumns_, GeomEnt::kCommonCount, [&record](std::size_t i) { return record.commonValue(i); });
    const PairColumns& columns = kindColumns_[kind.slot()];
    if constexpr (std::is_same_v<Record, GeomEnt>) {
      std::vector<PropertyPair> pairs = record.fillProperties(catalogue.kindItems(kind));
      placeValues(row, columns, pairs.size(), [&pairs](std::size_t i) { return std::move(pairs[i].value); });
    } else {
      placeValues(row, columns, Record::kPropertyCount, [&record](std::size_t i) { return record.propertyValue(i); });
    }
    rows.push_back(std::move(row));
  }
  // Writes value i (asked only when it has a column) into the columns of pair i.
  template <typename ValueOf>
  static void placeValues(std::vector<CString>& row, const PairColumns& columns, std::size_t count, ValueOf valueOf) {
    for (std::size_t i = 0; i < std::min(columns.size(), count); ++i) {
      if (!columns[i].empty()) place(row, columns[i], valueOf(i));
    }
  }
  static void place(std::vector<CString>& row, const std::vector<std::size_t>& columns, CString value);

  // A new row with the cells that every row fills the same way: the handle, the quantity
  // and the object type.
  std::vector<CString> startRow(const BaseEnt& record);
  // Writes the pairs into the columns of their names (never into column 0, the handle).
  void place(std::vector<CString>& row, const CString& name, const CString& value) const;
  std::unordered_map<CString, std::vector<std::size_t>> columnsByKey_;
  // The columns that hold the handle, "1" and the kind name in every row.
  std::vector<std::size_t> idColumns_, quantityColumns_, typeColumns_;
  // Offers the properties of one chosen kind and adds the category filters they bring.
  void offerKind(const ObjectKindInfo& kind, const OfferedPropertyMap& blockItems, std::set<int>& categoriesOut);
  void offerBlock(const ObjectKindInfo& kind, const OfferedPropertyMap& blockItems, std::set<int>& categoriesOut);

  // Where the pairs of the general list and of each kind's own list (by its slot) go.
  PairColumns commonColumns_;
  std::array<PairColumns, kObjectKindCount> kindColumns_;
  // Rows of empty cells made ahead by reserveRows, taken in order by startRow: made together,
  // they lie together in memory, apart from the texts that fill them.
  TextGrid blankRows_;
  std::size_t nextBlankRow_ = 0;
};

// Sets hasAttributes when an item has the attribute category, hasDynamic when one has the
// dynamic-block category.
void findBlockItemCategories(const OfferedPropertyMap& items, bool& hasAttributes, bool& hasDynamic);
void buildCategoryList(std::set<int>& out, bool geometric, bool block, bool hasAttributes, bool hasDynamic,
                       bool polyline, bool solid3d, int textCategory);
