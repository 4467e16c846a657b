#include "extraction/row_context.h"

#include <algorithm>

#include "extraction/row_merging.h"

namespace {
const wchar_t kIdKey[] = L"Id";
}  // namespace

RowContext::RowContext(const std::vector<CString>& chosenTypeNames, const PropertyCatalogue& catalogue)
    : chosenTypeNames(chosenTypeNames), catalogue(catalogue) {}

void RowContext::buildPropertyMap(const OfferedPropertyMap& blockItems, std::set<int>& categoriesOut) {
  for (const CString& type : chosenTypeNames) {
    offered.insert(catalogue.objectTypeItem);
    offered.insert(catalogue.quantityItem);
    if (const ObjectKindInfo* kind = catalogue.findKind(type)) offerKind(*kind, blockItems, categoriesOut);
  }
}

void RowContext::offerKind(const ObjectKindInfo& kind, const OfferedPropertyMap& blockItems,
                           std::set<int>& categoriesOut) {
  for (int category = kCategoryGeneral; category <= kCategoryText; ++category) {
    if (kind.bringsFilter(category)) categoriesOut.insert(category);
  }
  if (kind.code == kKindBlock) {
    offerBlock(kind, blockItems, categoriesOut);
    return;
  }
  offered.insert(catalogue.generalItems.begin(), catalogue.generalItems.end());
  // Taken out as the kind is met: a later kind that offers it brings it back.
  if (!kind.offersThickness) offered.erase(catalogue.generalItems[3]);
  const std::vector<PropertyItem>& own = catalogue.kindItems(kind);
  offered.insert(own.begin(), own.end());
}

// The block name, then the tags met on the references (so that a tag named like a catalogue
// property is offered as the tag), the references' own list and the preview.
void RowContext::offerBlock(const ObjectKindInfo& kind, const OfferedPropertyMap& blockItems,
                            std::set<int>& categoriesOut) {
  offered.insert(catalogue.blockNameItem);
  offered.insert(blockItems.begin(), blockItems.end());
  const std::vector<PropertyItem>& own = catalogue.kindItems(kind);
  offered.insert(own.begin(), own.end());
  offered.insert(catalogue.blockPreviewItem);
  bool hasAttributes = false, hasDynamic = false;
  findBlockItemCategories(blockItems, hasAttributes, hasDynamic);
  if (hasAttributes) categoriesOut.insert(kCategoryAttribute);
  if (hasDynamic) categoriesOut.insert(kCategoryDynamicBlock);
}

void RowContext::setColumns(const std::vector<CString>& keys) {
  columnKeys = keys;
  rows.clear();
  rows.push_back(keys);
  columnsByKey_.clear();
  idColumns_.clear();
  quantityColumns_.clear();
  typeColumns_.clear();
  for (std::size_t j = 0; j < keys.size(); ++j) {
    if (j > 0) columnsByKey_[keys[j]].push_back(j);
    if (keys[j] == kIdKey) idColumns_.push_back(j);
    else if (keys[j] == catalogue.quantityItem.name) quantityColumns_.push_back(j);
    else if (keys[j] == catalogue.objectTypeItem.name) typeColumns_.push_back(j);
  }
  commonColumns_ = pairColumns(catalogue.generalItems);
  for (const ObjectKindInfo& kind : objectKinds()) kindColumns_[kind.slot()] = pairColumns(catalogue.kindItems(kind));
}

RowContext::PairColumns RowContext::pairColumns(const std::vector<PropertyItem>& items) const {
  PairColumns columns(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto it = columnsByKey_.find(items[i].name);
    if (it != columnsByKey_.end()) columns[i] = it->second;
  }
  return columns;
}

void RowContext::reserveRows(std::size_t count) {
  rows.reserve(count);
  blankRows_.clear();
  nextBlankRow_ = 0;
  if (count > rows.size()) blankRows_.reserve(count - rows.size());
  while (rows.size() + blankRows_.size() < count) blankRows_.emplace_back(static_cast<std::size_t>(columnCount));
}

std::vector<CString> RowContext::startRow(const BaseEnt& record) {
  std::vector<CString> row;
  if (nextBlankRow_ < blankRows_.size()) row = std::move(blankRows_[nextBlankRow_++]);
  row.resize(static_cast<std::size_t>(columnCount));
  place(row, idColumns_, record.handle);
  place(row, quantityColumns_, L"1");
  if (!typeColumns_.empty()) place(row, typeColumns_, record.kindName(catalogue.typeNames));
  if (!row.empty()) row[0] = record.handle;
  return row;
}

void RowContext::place(std::vector<CString>& row, const CString& name, const CString& value) const {
  auto it = columnsByKey_.find(name);
  if (it != columnsByKey_.end()) place(row, it->second, value);
}

void RowContext::place(std::vector<CString>& row, const std::vector<std::size_t>& columns, CString value) {
  for (std::size_t k = 0; k < columns.size(); ++k) {
    std::size_t j = columns[k];
    if (j >= row.size()) continue;
    if (k + 1 == columns.size()) row[j] = std::move(value);
    else row[j] = value;
  }
}

void RowContext::buildRowsForType(const std::vector<BlockRefRecord>& records, const ObjectKindInfo& kind) {
  const CString& preview = catalogue.blockPreviewItem.name;
  bool previewChosen = std::find(columnKeys.begin(), columnKeys.end(), preview) != columnKeys.end();
  auto blockName = columnsByKey_.find(catalogue.blockNameItem.name);
  for (const BlockRefRecord& record : records) {
    std::vector<CString> row = startRow(record);
    if (blockName != columnsByKey_.end()) place(row, blockName->second, record.name);
    if (previewChosen) previewMap.emplace(record.handle, record.blockRecordId);
    for (const BlockAttribute& a : record.attributes) place(row, a.tag, a.value);
    for (const BlockAttribute& d : record.dynamicProperties) place(row, d.tag, d.value);
    placeValues(row, kindColumns_[kind.slot()], BlockRefRecord::kPropertyCount,
                [&record](std::size_t i) { return record.blockPropertyValue(i); });
    rows.push_back(std::move(row));
  }
}

void findBlockItemCategories(const OfferedPropertyMap& items, bool& hasAttributes, bool& hasDynamic) {
  hasAttributes = false;
  hasDynamic = false;
  for (const PropertyItem& item : items) {
    if (item.category == kCategoryAttribute) hasAttributes = true;
    if (item.category == kCategoryDynamicBlock) hasDynamic = true;
  }
}

void buildCategoryList(std::set<int>& out, bool geometric, bool block, bool hasAttributes, bool hasDynamic,
                       bool polyline, bool solid3d, int textCategory) {
  if (geometric || block) {
    out.insert(kCategoryGeneral);
    out.insert(kCategoryGeometry);
    if (block) {
      out.insert(kCategoryMisc);
      if (hasAttributes) out.insert(kCategoryAttribute);
      if (hasDynamic) out.insert(kCategoryDynamicBlock);
    }
  }
  if (solid3d) out.insert(kCategoryGeneral);
  if (polyline) out.insert(kCategoryMisc);
  if (textCategory == kCategoryText) out.insert(kCategoryText);
}
