#include "extraction/output_table.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "extraction/host_guards.h"
#include "extraction/res_strings.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_database.h"
#include "platform/host/db_table.h"
#include "platform/host/db_table_style.h"
#include "platform/host/editor.h"
#include "platform/host/text_style.h"
#include "res/resource_ids.h"

namespace {

const wchar_t kCellError[] = L"Error adding content into a table cell";
const wchar_t kFitError[] = L"Error to fit content into a table column";
const wchar_t kUpdateError[] = L"Error updating table";

const CString* gridCell(const TextGrid& grid, long long row, long long column) {
  if (row < 0 || column < 0 || static_cast<size_t>(row) >= grid.size()) return nullptr;
  const auto& cells = grid[static_cast<size_t>(row)];
  return static_cast<size_t>(column) < cells.size() ? &cells[static_cast<size_t>(column)] : nullptr;
}

// The block that the map gives for the row's handle; null for an empty handle or one
// without an entry.
OvDbObjectId blockOfRow(const BlockPreviewMap& previewMap, const CString& handle) {
  if (handle.IsEmpty()) return OvDbObjectId();
  auto entry = previewMap.find(handle);
  return entry == previewMap.end() ? OvDbObjectId() : entry->second;
}

// How the content is written into a table.
struct WriteOptions {
  bool emptyBlocklessCells = false;  // a block cell without a block is emptied (else left alone)
  double floorWidth = 1.0;           // the width measured for a column without text
};

// Writes the content's cells under the title. A block cell without a block is left alone
// in a new table and emptied in one written again. A failed write is reported and ends
// the walk.
bool writeCells(OvDbTable* table, const TableContent& content, bool emptyBlocklessCells) {
  for (unsigned r = 1; r < content.rows; ++r) {
    for (unsigned c = 0; c < content.columns; ++c) {
      const TableCell& cell = content.cells[r - 1][c];
      Ovis::ErrorStatus es = Ovis::eOk;
      switch (cell.kind) {
        case TableCell::Skip: continue;
        case TableCell::Missing: es = Ovis::eInvalidIndex; break;
        case TableCell::Text: es = table->setTextString(r, c, cell.text); break;
        case TableCell::Block:
          if (!cell.block.isNull()) es = table->setBlockTableRecordId(r, c, cell.block, true);
          else if (emptyBlocklessCells) es = table->setTextString(r, c, L"");
          break;
      }
      if (es != Ovis::eOk) {
        ovutPrintf(kCellError);
        return false;
      }
    }
  }
  return true;
}

// True when the cell shows what the content asks for.
bool cellShows(OvDbTable* table, unsigned r, unsigned c, const TableCell& cell) {
  switch (cell.kind) {
    case TableCell::Skip: return true;
    case TableCell::Missing: return false;
    case TableCell::Text: return table->blockTableRecordId(r, c).isNull() && table->textString(r, c) == cell.text.str();
    case TableCell::Block:
      if (!cell.block.isNull()) return table->blockTableRecordId(r, c) == cell.block;
      return table->blockTableRecordId(r, c).isNull() && table->textString(r, c).empty();
  }
  return false;
}

bool showsContent(OvDbTable* table, const TableContent& content) {
  if (table->numRows() != content.rows || table->numColumns() != content.columns) return false;
  for (unsigned r = 1; r < content.rows; ++r) {
    for (unsigned c = 0; c < content.columns; ++c) {
      if (!cellShows(table, r, c, content.cells[r - 1][c])) return false;
    }
  }
  return true;
}

// Sets each column's width to 1.3 times its widest text under the title (counted at most
// 50.0); a column without text gets the floor width. False after a failed width.
bool fitColumns(OvDbTable* table, unsigned rows, unsigned columns, double floorWidth) {
  OvGiTextStyle style;
  for (unsigned c = 0; c < columns; ++c) {
    double widest = 0.0;
    for (unsigned r = 1; r < rows; ++r) {
      // A cell whose style cannot be loaded is measured with the default style, not with
      // the previous cell's.
      if (fromOvDbTextStyle(style, table->textStyle(r, c)) != Ovis::eOk) style = OvGiTextStyle();
      style.setTextSize(table->textHeight(r, c));
      std::wstring text = table->textString(r, c);
      const OvGePoint2d size = style.extents(text.c_str(), /*standardBehavior=*/true, /*length=*/-1, /*raw=*/false);
      widest = std::max(widest, size.x);
    }
    if (widest == 0.0) widest = floorWidth;
    if (table->setColumnWidth(c, 1.3 * std::min(widest, 50.0)) != Ovis::eOk) {
      ovutPrintf(kFitError);
      return false;
    }
  }
  return true;
}

bool recompute(OvDbTable* table) {
  if (table->recomputeTableBlock(true) == Ovis::eOk) return true;
  ovutPrintf(kUpdateError);
  return false;
}

// Writes the content into a table that has its size, fits the columns and recomputes it.
bool writeFittedContent(OvDbTable* table, const TableContent& content, const WriteOptions& options) {
  return writeCells(table, content, options.emptyBlocklessCells) &&
         fitColumns(table, content.rows, content.columns, options.floorWidth) && recompute(table);
}

OvDbObjectId standardTableStyle(OvDbDatabase* database) {
  OvDbObjectId styleId;
  OpenedObject<OvDbDictionary> dictionary;
  if (database && database->getTableStyleDictionary(dictionary.receive(), Ovis::kForRead) == Ovis::eOk)
    dictionary->getAt(L"Standard", styleId);
  return styleId;
}

// The drawing's model space opened for write into the guard; the block table is closed at once.
void openModelSpace(OvDbDatabase* database, OpenedObject<OvDbBlockTableRecord>& modelSpace) {
  OpenedObject<OvDbBlockTable> blockTable;
  if (database && database->getBlockTable(blockTable.receive(), Ovis::kForRead) == Ovis::eOk)
    blockTable->getAt(OVDB_MODEL_SPACE, modelSpace.receive(), Ovis::kForWrite);
}

// Appends a new entity to the drawing's model space, which is closed again; the entity is left
// open for write.
bool appendToModelSpace(OvDbDatabase* database, OvDbEntity* entity, OvDbObjectId& id) {
  OpenedObject<OvDbBlockTableRecord> modelSpace;
  openModelSpace(database, modelSpace);
  return modelSpace && modelSpace->appendOvDbEntity(id, entity) == Ovis::eOk;
}

}  // namespace

TableSnapshot::TableSnapshot(OvDbTable* table) : rows_(table->numRows()), columns_(table->numColumns()) {
  for (unsigned c = 0; c < columns_; ++c) widths_.push_back(table->columnWidth(c));
  for (unsigned r = 0; r < rows_; ++r) {
    heights_.push_back(table->rowHeight(r));
    for (unsigned c = 0; c < columns_; ++c) {
      cells_.push_back({table->textString(r, c), table->blockTableRecordId(r, c), table->isAutoScale(r, c)});
    }
  }
}

bool TableSnapshot::restore(OvDbTable* table) const {
  bool restored = true;
  auto check = [&restored](Ovis::ErrorStatus es) { restored = es == Ovis::eOk && restored; };
  table->setSize(rows_, columns_);
  for (unsigned r = 0; r < rows_; ++r) {
    check(table->setRowHeight(r, heights_[r]));
    for (unsigned c = 0; c < columns_; ++c) {
      const Cell& cell = cells_[r * columns_ + c];
      if (cell.block.isNull()) check(table->setTextString(r, c, cell.text.c_str()));
      else check(table->setBlockTableRecordId(r, c, cell.block, cell.autoFit));
    }
  }
  for (unsigned c = 0; c < columns_; ++c) check(table->setColumnWidth(c, widths_[c]));
  if (columns_ > 0) check(table->mergeCells(0, 0, 0, columns_ - 1));
  check(table->generateLayout());
  check(table->recomputeTableBlock(true));
  return restored;
}

TableRollback::~TableRollback() {
  if (!before_) return;
  bool restored = false;
  try {
    OpenedObject<OvDbTable> table;
    restored = table.open(tableId_, Ovis::kForWrite) && before_->restore(table.get());
  } catch (...) {  // memory ran out: said below, as a refused write is
  }
  if (restored) return;
  try {
    ovutPrintf(L"%s", LoadResString(IDS_TABLE_NOT_PUT_BACK).GetString());
  } catch (...) {  // not even that can be said on the way out
  }
}

void TableRollback::keep(OvDbTable* table) {
  before_.emplace(table);
  tableId_ = table->objectId();
}

OvDbObjectId createOutputTable(const TextGrid& grid, const BlockPreviewMap& previewMap,
                               const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
                               const std::vector<int>& rowOrder, OvGePoint3d position, CString blockPreviewHeader,
                               CString title, bool headerShown) {
  long long rows = static_cast<long long>(grid.size()) - (headerShown ? 0 : 1) + 1;
  if (columnOrder.empty() || grid.empty() || rows < 1) return OvDbObjectId::kNull;

  OvDbDatabase* database = ovdbHostApplicationServices()->workingDatabase();
  auto table = std::make_unique<OvDbTable>();
  table->setTableStyle(standardTableStyle(database));
  fillTable(grid, previewMap, table.get(), columnFlags, columnOrder, rowOrder, blockPreviewHeader, title, headerShown);
  table->generateLayout();
  table->setPosition(position);

  OvDbObjectId tableId;
  // A table that cannot be appended is deleted unappended.
  if (!appendToModelSpace(database, table.get(), tableId)) return OvDbObjectId::kNull;
  OpenedObject<OvDbTable> appended(table.release());  // the drawing owns it now; its write open ends here
  return tableId;
}

void fillTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
               const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
               const std::vector<int>& rowOrder, CString blockPreviewHeader, CString title, bool headerShown) {
  TableContent content =
      layoutTableContent(grid, previewMap, columnFlags, columnOrder, rowOrder, blockPreviewHeader, headerShown);
  if (content.rows < 1 || content.columns < 1) return;
  table->setSize(content.rows, content.columns);
  table->setColumnWidth(20.0);
  table->mergeCells(0, 0, 0, content.columns - 1);

  if (table->setTextString(0, 0, title) != Ovis::eOk) {
    ovutPrintf(kCellError);
    return;
  }
  writeFittedContent(table, content, {.emptyBlocklessCells = false, .floorWidth = 1.0});
}

bool updateTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
                 CString blockPreviewHeader) {
  if (grid.empty() || grid[0].size() < 2) return true;
  std::vector<int> columnOrder, rowOrder;
  for (size_t c = 1; c < grid[0].size(); ++c) columnOrder.push_back(static_cast<int>(c));
  for (size_t r = 0; r < grid.size(); ++r) rowOrder.push_back(static_cast<int>(r));
  TableContent content = layoutTableContent(grid, previewMap, std::vector<bool>(grid[0].size(), true), columnOrder,
                                            rowOrder, blockPreviewHeader, /*headerShown=*/true);
  return writeFittedContent(table, content, {.emptyBlocklessCells = false, .floorWidth = 0.0});
}

long long tableSourceRow(unsigned r, const std::vector<int>& rowOrder, bool headerShown) {
  size_t i = r - 1;
  return i < rowOrder.size() ? rowOrder[i] : static_cast<long long>(i) + (headerShown ? 0 : 1);
}

TableContent layoutTableContent(const TextGrid& grid, const BlockPreviewMap& previewMap,
                                const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
                                const std::vector<int>& rowOrder, CString blockPreviewHeader, bool headerShown) {
  TableContent content;
  long long rows = static_cast<long long>(grid.size()) - (headerShown ? 0 : 1) + 1;
  if (rows < 1 || columnOrder.empty()) return content;
  content.rows = static_cast<unsigned>(rows);
  content.columns = static_cast<unsigned>(columnOrder.size());
  for (unsigned r = 1; r < content.rows; ++r) {
    long long row = tableSourceRow(r, rowOrder, headerShown);
    std::vector<TableCell>& cells = content.cells.emplace_back(content.columns);
    for (unsigned c = 0; c < content.columns; ++c) {
      TableCell& cell = cells[c];
      int k = columnOrder[c];
      if (k >= 0 && static_cast<size_t>(k) < columnFlags.size() && !columnFlags[static_cast<size_t>(k)]) {
        cell.kind = TableCell::Skip;
        continue;
      }
      const CString* header = gridCell(grid, 0, k);
      const CString* text = gridCell(grid, row, k);
      const CString* handle = gridCell(grid, row, 0);
      if (!header || static_cast<size_t>(k) >= columnFlags.size() || !text || !handle) {
        cell.kind = TableCell::Missing;
      } else if (*header == blockPreviewHeader && text->IsEmpty() && !(r == 1 && headerShown)) {
        // Preview cells hold no text: a column of values that only shares the preview's
        // name keeps them.
        cell.kind = TableCell::Block;
        cell.block = blockOfRow(previewMap, *handle);
      } else {
        cell.text = *text;
      }
    }
  }
  return content;
}

namespace {

// The merged title row shows its first cell: a column added before it by hand has moved the
// title to the right, where the merge would hide it.
void titleToFirstCell(OvDbTable* table) {
  for (unsigned c = 1; c < table->numColumns() && table->textString(0, 0).empty(); ++c) {
    const std::wstring title = table->textString(0, c);
    if (title.empty()) continue;
    table->setTextString(0, 0, title.c_str());
    table->setTextString(0, c, L"");
  }
}

}  // namespace

bool applyTableContent(OvDbTable* table, const TableContent& content, bool& changed) {
  changed = false;
  if (content.rows < 1 || content.columns < 1) return false;
  if (showsContent(table, content)) return true;
  TableSnapshot before(table);
  if (table->numRows() != content.rows || table->numColumns() != content.columns) {
    table->setSize(content.rows, content.columns);
    table->mergeCells(0, 0, 0, content.columns - 1);
    titleToFirstCell(table);
  }
  bool written = writeFittedContent(table, content, {.emptyBlocklessCells = true, .floorWidth = 1.0});
  if (written && table->generateLayout() != Ovis::eOk) {
    ovutPrintf(kUpdateError);
    written = false;
  }
  if (!written) {
    before.restore(table);
    return false;
  }
  changed = true;
  return true;
}

bool resetTable(OvDbTable* table, unsigned rows, unsigned columns) {
  if (columns > 0) table->mergeCells(0, 0, 0, columns - 1);
  for (unsigned r = 1; r < rows; ++r) {
    for (unsigned c = 0; c < columns; ++c) {
      if (table->setTextString(r, c, L"") != Ovis::eOk) {
        ovutPrintf(kCellError);
        return false;
      }
    }
  }
  if (table->generateLayout() == Ovis::eOk) return true;
  ovutPrintf(kUpdateError);
  return false;
}

bool resizeTable(OvDbTable* table, unsigned rows, unsigned columns) {
  if (!table->isWriteEnabled()) return false;
  unsigned currentRows = table->numRows();
  unsigned currentColumns = table->numColumns();
  if (currentRows > 1) table->deleteRows(1, currentRows - 1);
  if (currentColumns > 1) table->deleteColumns(1, currentColumns - 1);
  table->generateLayout();
  if (columns > 1) table->insertColumns(1, table->columnWidth(0), columns - 1);
  if (rows > 1) table->insertRows(1, table->rowHeight(0), rows - 1);
  table->generateLayout();
  return true;
}

bool readTableCells(OvDbTable* table, TextGrid& grid) {
  unsigned rows = table->numRows();
  unsigned columns = table->numColumns();
  bool read = false;
  for (unsigned r = 1; r < rows; ++r) {
    std::vector<CString> row;
    readTableRow(row, table, r, columns);
    grid.push_back(row);
    read = true;
  }
  return read;
}

void readTableRow(std::vector<CString>& row, OvDbTable* table, unsigned rowIndex, unsigned columns) {
  for (unsigned c = 0; c < columns; ++c) row.emplace_back(table->textString(rowIndex, c));
}

void collectTotalledHeaders(std::vector<CString>& names, OvDbTable* table) {
  unsigned rows = table->numRows();
  unsigned columns = table->numColumns();
  if (rows == 0) return;
  for (unsigned c = 0; c < columns; ++c) {
    if (!table->textString(rows - 1, c).empty()) names.emplace_back(table->textString(1, c));
  }
}

OvGeMatrix3d setUcsFromMatrix(OvGeMatrix3d matrix, OvGePoint3d origin, OvGeVector3d xAxis, OvGeVector3d yAxis,
                              bool makeCurrent) {
  OvGeVector3d zAxis = xAxis.crossProduct(yAxis);
  normalizeVector(xAxis, OvGeContext::gTol);
  normalizeVector(yAxis, OvGeContext::gTol);
  normalizeVector(zAxis, OvGeContext::gTol);
  OvGeMatrix3d ucs;
  ucs.setCoordSystem(matrix * origin, matrix * xAxis, matrix * yAxis, matrix * zAxis);
  if (makeCurrent) ovedSetCurrentUCS(ucs);
  return ucs;
}

void setCmdEcho(bool on) {
  OvResBuf value;
  value.restype = RTSHORT;
  value.resval.rint = on ? 1 : 0;
  ovedSetVar(L"CMDECHO", &value);
}
