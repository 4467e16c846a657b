#include "wizard/list_helpers.h"

#include <algorithm>
#include <set>

#include "common/numbers.h"
#include "extraction/res_strings.h"
#include "gridctrl/column_trait_edit.h"
#include "platform/host/db_database.h"
#include "platform/host/doc_manager.h"
#include "res/resource_ids.h"

namespace {
constexpr int kListColumnWidth = 100;
constexpr int kCheckColumnWidth = 20;
constexpr int kBlockGroup = 1;
constexpr int kOtherGroup = 2;

// Texts, not CStrings: loading the module asks for no memory.
constexpr const wchar_t* kChecked = L"1";
constexpr const wchar_t* kUnchecked = L"0";

// The row-0 cells that become columns, and the first of them.
struct ColumnSpan {
  int count = 0;
  int firstCell = 0;
};

ColumnSpan gridColumns(const TextGrid& rows, const GridCellLayout& cells) {
  ColumnSpan span;
  if (rows.empty()) return span;
  int skip = cells.skipFirst ? 1 : 0;
  int shift = cells.columnOffset > 0 ? cells.columnOffset - 1 : 0;
  span.count = static_cast<int>(rows[0].size()) - skip - shift;
  if (span.count < 0) span.count = 0;
  span.firstCell = skip + shift;
  return span;
}

const CString& cellOf(const std::vector<CString>& row, int index) {
  static const CString empty;
  return index >= 0 && static_cast<std::size_t>(index) < row.size() ? row[index] : empty;
}

int compareIndex(int column) { return column == 0 ? 1 : column; }

// Inserts a list item at the top and checks it when its row says so.
int insertFilterItem(CListCtrl* filter, const std::vector<CString>& row, LPARAM data) {
  int item = filter->InsertItem(LVIF_TEXT | LVIF_PARAM, 0, cellOf(row, 1), 0, 0, 0, data);
  if (item >= 0 && cellOf(row, 0) == kChecked) filter->SetCheck(item, TRUE);
  return item;
}
}  // namespace

CString categoryName(int category) {
  switch (category) {
    case kCategoryGeneral: return LoadResString(IDS_CATEGORY_GENERAL);
    case kCategoryGeometry: return LoadResString(IDS_CATEGORY_GEOMETRY);
    case kCategoryMisc: return LoadResString(IDS_CATEGORY_MISC);
    case kCategoryAttribute: return LoadResString(IDS_CATEGORY_ATTRIBUTE);
    case kCategoryDynamicBlock: return LoadResString(IDS_CATEGORY_DYNAMIC_BLOCK);
    case kCategoryText: return LoadResString(IDS_CATEGORY_TEXT);
    default: return CString();
  }
}

void setupListColumns(TextGrid& rows, CListCtrl* list, const ListColumnsOptions& options) {
  if (rows.empty()) return;
  if (options.checkColumn) list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_CHECKBOXES);
  int skip = options.skipFirst ? 1 : 0;
  int lead = options.checkColumn ? 1 : 0;
  int count = static_cast<int>(rows[0].size()) + lead - skip;
  for (int i = 0; i < count; ++i) {
    if (options.checkColumn && i == 0) list->InsertColumn(i, L" ", LVCFMT_LEFT, kCheckColumnWidth);
    else list->InsertColumn(i, cellOf(rows[0], i + skip - lead), LVCFMT_LEFT, kListColumnWidth);
  }
  if (options.fill) fillListRows(rows, list, {.fromRow0 = false, .skipFirst = options.skipFirst});
}

int fillListRows(TextGrid& rows, CListCtrl* list, const ListRowsOptions& options) {
  if (rows.empty()) return 0;
  int skip = options.skipFirst ? 1 : 0;
  int cells = static_cast<int>(rows[0].size()) - skip;
  int next = 0;
  for (std::size_t r = options.fromRow0 ? 0 : 1; r < rows.size(); ++r) {
    // Copy the row: checking the item runs the page's handler, which may change the table.
    std::vector<CString> row = rows[r];
    int item = list->InsertItem(next, L"");
    if (item < 0) continue;
    ++next;
    if (cellOf(row, 0) == kChecked) list->SetCheck(item, TRUE);
    list->SetItemData(item, static_cast<DWORD_PTR>(r));
    for (int c = 0; c < cells; ++c) list->SetItemText(item, c + 1, cellOf(row, c + skip));
  }
  return next;
}

void fillGrid(TextGrid& rows, GridListCtrl* grid, CImageList* images, const GridOptions& options) {
  grid->AddHiddenLeadColumn();
  int first = CColumnTraitImage::AddCheckBoxImages(*grid, *images);
  grid->SetImageList(images, LVSIL_SMALL);
  ColumnSpan span = gridColumns(rows, options.cells);
  const std::vector<CString>* heading = nullptr;
  if (!rows.empty()) heading = options.headerShown || rows.size() < 2 ? &rows[0] : &rows[1];
  for (int c = 0; c < span.count; ++c) {
    CColumnTrait* trait;
    if (c == options.cells.totalsColumn || (c == 0 && options.cells.checkColumn)) {
      auto* check = new CColumnTraitImage(first < 0 ? 0 : first, 2);
      check->SetSelectionToggle(false);
      check->SetEditOnSingleClick(true);
      trait = check;
    } else if (options.editColumns) {
      trait = new CColumnTraitEdit;
    } else {
      trait = new CColumnTraitText;
    }
    grid->InsertTraitColumn(c + 1, cellOf(*heading, c + span.firstCell), LVCFMT_LEFT, kListColumnWidth, c + 1, trait);
  }
  if (options.fill)
    fillGridRows(rows, grid, {.cells = options.cells, .fromRow0 = false, .firstRow = options.headerShown ? 1 : 2});
}

int fillGridRows(TextGrid& rows, GridListCtrl* grid, const GridRowsOptions& options) {
  ColumnSpan span = gridColumns(rows, options.cells);
  const int firstRow = (options.fromRow0 || options.firstRow < 0) ? 0 : options.firstRow;
  int next = 0;
  for (std::size_t r = static_cast<std::size_t>(firstRow); r < rows.size(); ++r) {
    std::vector<CString> row = rows[r];
    int item = grid->InsertItem(next, cellOf(row, 0));
    if (item < 0) continue;
    ++next;
    grid->SetItemData(item, static_cast<DWORD_PTR>(r));
    for (int c = 0; c < span.count; ++c) {
      int target = c + 1;
      const CString& source = cellOf(row, c + span.firstCell);
      if (target == options.cells.totalsColumn + 1) {
        grid->SetCellImageIndex(item, target, source == kUnchecked ? 0 : 1);
        continue;
      }
      if (target == 1 && options.cells.checkColumn)
        grid->SetCellImageIndex(item, target, cellOf(row, 0) == kChecked ? 1 : 0);
      grid->SetItemText(item, target, source);
    }
  }
  return next;
}

bool removeListRows(TextGrid& rows, CListCtrl* list, int compareCell) {
  int cell = compareIndex(compareCell);
  bool removed = false;
  for (const std::vector<CString>& row : rows) {
    const CString& key = cellOf(row, cell);
    for (int item = list->GetItemCount() - 1; item >= 0; --item) {
      if (list->GetItemText(item, 1) == key) {
        list->DeleteItem(item);
        removed = true;
      }
    }
  }
  return removed;
}

TextGrid filterObjectRows(TextGrid& objectRows, int group, const PropertyCatalogue& catalogue) {
  const CString blockKind = catalogue.kindName(kKindBlock);
  TextGrid picked;
  for (const std::vector<CString>& row : objectRows) {
    const CString& name = cellOf(row, 1);
    bool isBlock = name == blockKind;
    if (group == kBlockGroup && isBlock) picked.push_back(row);
    else if (group == kOtherGroup && !isBlock && name != catalogue.blockNameItem.name) picked.push_back(row);
  }
  return picked;
}

TextGrid filterPropertyRows(TextGrid& propertyRows, int category) {
  TextGrid picked;
  for (const std::vector<CString>& row : propertyRows) {
    if (_wtoi(cellOf(row, 1)) == category) picked.push_back(row);
  }
  return picked;
}

void updatePropertyCheck(TextGrid& rows, const CString& name, bool checked, int compareColumn) {
  int cell = compareIndex(compareColumn);
  for (std::vector<CString>& row : rows) {
    if (row.empty() || cellOf(row, cell) != name) continue;
    row[0] = checked ? kChecked : kUnchecked;
  }
}

TextGrid buildObjectTypeRows(const PresentTypeMap& kinds, const PropertyCatalogue& catalogue) {
  TextGrid rows;
  rows.push_back({CString(L"Chk"), catalogue.blockNameItem.name});
  for (const ObjectKindInfo& kind : objectKinds()) {
    if (kinds.count(kind.code)) rows.push_back({kChecked, catalogue.kindName(kind)});
  }
  return rows;
}

TextGrid buildPropertyRows(const OfferedPropertyMap& offered, bool restored) {
  TextGrid rows;
  rows.push_back({CString(L"Chk"), CString(L"Categ"), LoadResString(IDS_COLUMN_PROPERTY),
                  LoadResString(IDS_COLUMN_DISPLAY_NAME), LoadResString(IDS_COLUMN_TOTAL)});
  for (const PropertyItem& item : offered) {
    CString category, total;
    category.Format(L"%i", item.category);
    total.Format(L"%i", item.total ? 1 : 0);
    rows.push_back({restored ? kUnchecked : kChecked, category, item.name, item.name, total});
  }
  return rows;
}

TextGrid keepChoices(TextGrid fresh, const TextGrid& earlier, int keyCell, std::initializer_list<int> kept) {
  for (std::vector<CString>& row : fresh) {
    const CString& key = cellOf(row, keyCell);
    for (const std::vector<CString>& before : earlier) {
      if (cellOf(before, keyCell) != key) continue;
      for (int cell : kept) {
        if (cell < static_cast<int>(row.size()) && cell < static_cast<int>(before.size())) row[cell] = before[cell];
      }
      break;
    }
  }
  return fresh;
}

TextGrid rowsLeftOut(const TextGrid& earlier, const TextGrid& kept, int keyCell) {
  std::set<CString> keys;
  for (const std::vector<CString>& row : kept) keys.insert(cellOf(row, keyCell));
  TextGrid left;
  for (const std::vector<CString>& row : earlier) {
    if (keys.insert(cellOf(row, keyCell)).second) left.push_back(row);
  }
  return left;
}

TextGrid buildObjectFilterRows(const PresentTypeMap& kinds, const PropertyCatalogue& catalogue) {
  TextGrid rows;
  for (int kind : kinds) {
    if (kind == kKindBlock) {
      rows.push_back({kChecked, catalogue.kindName(kKindBlock)});
    } else {
      rows.push_back({kChecked, LoadResString(IDS_NON_BLOCK)});
      break;
    }
  }
  return rows;
}

TextGrid buildPropertyFilterRows(const std::set<int>& categories) {
  TextGrid rows;
  for (int category : categories) rows.push_back({kChecked, categoryName(category)});
  return rows;
}

int restoreObjectFilter(const PresentTypeMap& kinds, CListCtrl* filter, TextGrid& filterRows,
                        const PropertyCatalogue& catalogue) {
  const CString blockKind = catalogue.kindName(kKindBlock);
  if (filterRows.empty()) filterRows = buildObjectFilterRows(kinds, catalogue);
  int last = -1;
  // A copy: checking an item runs the page's handler, which updates the rows.
  TextGrid rows = filterRows;
  for (const std::vector<CString>& row : rows) {
    last = insertFilterItem(filter, row, cellOf(row, 1) == blockKind ? kBlockGroup : kOtherGroup);
  }
  return last;
}

int restorePropertyFilter(const std::set<int>& categories, CListCtrl* filter, TextGrid& filterRows) {
  if (filterRows.empty()) filterRows = buildPropertyFilterRows(categories);
  int last = -1;
  TextGrid rows = filterRows;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    int category = 0;
    for (int c = kCategoryGeneral; c <= kCategoryText; ++c) {
      if (categoryName(c) == cellOf(*row, 1)) category = c;
    }
    last = insertFilterItem(filter, *row, category);
  }
  return last;
}

std::vector<CString> getCheckedItemTexts(CListCtrl* list) {
  std::vector<CString> texts;
  int count = list->GetItemCount();
  for (int item = 0; item < count; ++item) {
    if (list->GetCheck(item)) texts.push_back(list->GetItemText(item, 1));
  }
  return texts;
}

std::vector<CString> readPropertySelection(GridListCtrl* grid, int checkColumn, int textColumn,
                                           std::map<CString, CString>& names) {
  names.clear();
  std::vector<CString> chosen;
  int count = grid->GetItemCount();
  for (int item = 0; item < count; ++item) {
    if (grid->GetCellImageIndex(item, checkColumn + 1) != 1) continue;
    CString name = grid->GetItemText(item, 1);
    chosen.push_back(name);
    names.emplace(name, grid->GetItemText(item, textColumn + 1));
  }
  return chosen;
}

std::vector<CString> collectTotalsColumns(GridListCtrl* grid, int totalsColumn, int textColumn) {
  std::vector<CString> totals;
  int column = textColumn == -1 ? 1 : textColumn + 1;
  int count = grid->GetItemCount();
  for (int item = 0; item < count; ++item) {
    if (grid->GetCellImageIndex(item, totalsColumn + 1) == 1) totals.push_back(grid->GetItemText(item, column));
  }
  return totals;
}

std::vector<int> getColumnOrder(GridListCtrl* grid) {
  std::vector<int> shown;
  CHeaderCtrl* header = grid->GetHeaderCtrl();
  if (!header) return shown;
  int count = header->GetItemCount();
  if (count <= 0) return shown;
  std::vector<int> order(static_cast<std::size_t>(count));
  if (!header->GetOrderArray(order.data(), count)) return shown;
  for (int column : order) {
    if (grid->IsColumnShown(column)) shown.push_back(column);
  }
  return shown;
}

std::vector<int> orderRowsByColumns(GridListCtrl* grid, bool headerShown) {
  std::vector<int> order{headerShown ? 0 : 1};
  int count = grid->GetItemCount();
  for (int item = 0; item < count; ++item) order.push_back(static_cast<int>(grid->GetItemData(item)));
  return order;
}

void setColumnRightAligned(CListCtrl* grid, int column) {
  LVCOLUMN record{};
  record.mask = LVCF_FMT;
  if (!grid->GetColumn(column, &record)) return;
  record.fmt |= LVCFMT_RIGHT;
  grid->SetColumn(column, &record);
}

void sortNumericColumns(GridListCtrl* grid, const TextGrid& rows, std::size_t firstRow, std::size_t endRow) {
  if (rows.empty()) return;
  for (std::size_t column = 1; column < rows[0].size(); ++column) {
    auto* trait = dynamic_cast<CColumnTraitText*>(grid->GetColumnTraitAt(static_cast<int>(column)));
    if (trait && sortsByValue(rows, column, firstRow, endRow)) trait->SetSortNumeric(true);
  }
}

CString currentDrawingName() {
  OvDbDatabase* working = ovdbHostApplicationServices()->workingDatabase();
  OvApDocManager* manager = ovDocManagerPtr();
  if (!working || !manager) return CString();
  OvApDocument* document = manager->curDocument();
  if (!document || document->database() != working) return CString();
  return CString(document->fileName());
}
