// The working record of one row-building call: the column keys, the rows being built, the
// offered properties and the block-preview entries.
#pragma once
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "extraction/entity_records.h"
#include "extraction/extraction_engine.h"
#include "extraction/property_catalogue.h"
#include "extraction/text_grid.h"

class RowContext {
public:
  RowContext() = default;
  RowContext(const std::vector<CString>& chosenTypeNames, const PropertyCatalogue& catalogue);

  // Fills the offered properties of the chosen kinds and their category filters.
  void buildPropertyMap(const OfferedPropertyMap& blockItems, std::set<int>& categoriesOut);
  // Makes the keys the columns of the grid and its row 0.
  void setColumns(const std::vector<CString>& keys);
  void buildPropertyRow(const GeomEnt& wrapper, int kind);
  void buildBlockRows(const ExtractionEngine& engine);
  template <typename Record>
  void buildRowsForType(const std::vector<Record>& records, int kind) {
    for (const Record& record : records) buildPropertyRow(record, kind);
  }

  TextGrid rows;
  OfferedPropertyMap offered;
  int columnCount = 0;
  BlockPreviewMap previewMap;
  std::vector<CString> chosenTypeNames;
  std::vector<CString> columnKeys;
  PropertyCatalogue catalogue;

private:
  // A new row with the cells that every row fills the same way: the handle, the quantity
  // and the object type.
  std::vector<CString> startRow(const BaseEnt& record) const;
  // Writes the pairs into the columns of their names (never into column 0, the handle).
  void place(std::vector<CString>& row, const CString& name, const CString& value) const;
  std::unordered_map<CString, std::vector<std::size_t>> columnsByKey_;
  // The columns that hold the handle, "1" and the kind name in every row.
  std::vector<std::size_t> idColumns_, quantityColumns_, typeColumns_;
};

// Sets hasAttributes when an item has the attribute category, hasDynamic when one has the
// dynamic-block category.
void findBlockItemCategories(const OfferedPropertyMap& items, bool& hasAttributes, bool& hasDynamic);
void buildCategoryList(std::set<int>& out, bool geometric, bool block, bool hasAttributes, bool hasDynamic,
                       bool polyline, bool solid3d, int textCategory);
