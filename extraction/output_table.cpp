#include "extraction/output_table.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/host/db_blocks.h"
#include "platform/host/db_database.h"
#include "platform/host/db_table.h"
#include "platform/host/db_table_style.h"
#include "platform/host/editor.h"
#include "platform/host/text_style.h"

namespace {

const wchar_t kCellError[] = L"Error adding content into a table cell";
const wchar_t kFitError[] = L"Error to fit content into a table column";
const wchar_t kUpdateError[] = L"Error updating table";

const CString* gridCell(const TextGrid& grid, long long row, long long column) {
  if (row < 0 || column < 0 || static_cast<size_t>(row) >= grid.size()) return nullptr;
  const auto& cells = grid[static_cast<size_t>(row)];
  return static_cast<size_t>(column) < cells.size() ? &cells[static_cast<size_t>(column)] : nullptr;
}

// Shows in the cell every block that the map gives for the row's handle; an empty handle
// or one without an entry leaves the cell empty.
Ovis::ErrorStatus writeBlockCell(OvDbTable* table, unsigned r, unsigned c, const BlockPreviewMap& previewMap,
                                 const CString& handle) {
  Ovis::ErrorStatus es = Ovis::eOk;
  if (handle.IsEmpty()) return es;
  for (const auto& [key, blockId] : previewMap) {
    if (key == handle) es = table->setBlockTableRecordId(r, c, blockId, true);
  }
  return es;
}

// Where a table cell's content comes from: the grid text, the row's handle (for block
// cells) and whether the cell shows blocks; null texts mean the grid lacks the cell.
struct CellSource {
  bool skip = false;
  bool blockCell = false;
  const CString* text = nullptr;
  const CString* handle = nullptr;
};

// Writes the cells of rows 1 to rows - 1; a failed write is reported and ends the walk.
bool writeCells(OvDbTable* table, unsigned rows, unsigned columns, const BlockPreviewMap& previewMap,
                const std::function<CellSource(unsigned, unsigned)>& sourceOf) {
  for (unsigned r = 1; r < rows; ++r) {
    for (unsigned c = 0; c < columns; ++c) {
      CellSource source = sourceOf(r, c);
      if (source.skip) continue;
      Ovis::ErrorStatus es;
      if (!source.text || !source.handle) es = Ovis::eInvalidIndex;
      else if (source.blockCell) es = writeBlockCell(table, r, c, previewMap, *source.handle);
      else es = table->setTextString(r, c, *source.text);
      if (es != Ovis::eOk) {
        ovutPrintf(kCellError);
        return false;
      }
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
      widest = std::max(widest, style.extents(text.c_str(), true, -1, false, nullptr).x);
    }
    if (widest == 0.0) widest = floorWidth;
    if (table->setColumnWidth(c, 1.3 * std::min(widest, 50.0)) != Ovis::eOk) {
      ovutPrintf(kFitError);
      return false;
    }
  }
  return true;
}

void recompute(OvDbTable* table) {
  if (table->recomputeTableBlock(true) != Ovis::eOk) ovutPrintf(kUpdateError);
}

OvDbObjectId standardTableStyle(OvDbDatabase* database) {
  OvDbObjectId styleId;
  OvDbDictionary* dictionary = nullptr;
  if (database && database->getTableStyleDictionary(dictionary, Ovis::kForRead) == Ovis::eOk) {
    dictionary->getAt(L"Standard", styleId);
    dictionary->close();
  }
  return styleId;
}

}  // namespace

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
  OvDbBlockTable* blockTable = nullptr;
  OvDbBlockTableRecord* modelSpace = nullptr;
  if (database && database->getBlockTable(blockTable, Ovis::kForRead) == Ovis::eOk) {
    blockTable->getAt(OVDB_MODEL_SPACE, modelSpace, Ovis::kForWrite);
    blockTable->close();
  }
  Ovis::ErrorStatus appended = Ovis::eNoDatabase;
  if (modelSpace) {
    appended = modelSpace->appendOvDbEntity(tableId, table.get());
    modelSpace->close();
  }
  if (appended != Ovis::eOk) return OvDbObjectId::kNull;  // the table is deleted unappended
  table.release()->close();  // the drawing owns it now
  return tableId;
}

void fillTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
               const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
               const std::vector<int>& rowOrder, CString blockPreviewHeader, CString title, bool headerShown) {
  long long signedRows = static_cast<long long>(grid.size()) - (headerShown ? 0 : 1) + 1;
  if (signedRows < 1 || columnOrder.empty()) return;
  auto rows = static_cast<unsigned>(signedRows);
  auto columns = static_cast<unsigned>(columnOrder.size());
  table->setSize(rows, columns);
  table->setColumnWidth(20.0);
  table->mergeCells(0, 0, 0, columns - 1);

  if (table->setTextString(0, 0, title) != Ovis::eOk) {
    ovutPrintf(kCellError);
    return;
  }
  auto sourceOf = [&](unsigned r, unsigned c) {
    CellSource source;
    int k = columnOrder[c];
    if (k >= 0 && static_cast<size_t>(k) < columnFlags.size() && !columnFlags[static_cast<size_t>(k)]) {
      source.skip = true;
      return source;
    }
    size_t i = r - 1;
    long long row = i < rowOrder.size() ? rowOrder[i] : static_cast<long long>(i) + (headerShown ? 0 : 1);
    const CString* header = gridCell(grid, 0, k);
    if (!header || static_cast<size_t>(k) >= columnFlags.size()) return source;  // no such column
    source.text = gridCell(grid, row, k);
    source.handle = gridCell(grid, row, 0);
    source.blockCell = *header == blockPreviewHeader && !(r == 1 && headerShown);
    return source;
  };
  if (!writeCells(table, rows, columns, previewMap, sourceOf)) return;
  if (!fitColumns(table, rows, columns, 1.0)) return;
  recompute(table);
}

void updateTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
                 CString blockPreviewHeader) {
  if (grid.empty() || grid[0].size() < 2) return;
  auto rows = static_cast<unsigned>(grid.size() + 1);
  auto columns = static_cast<unsigned>(grid[0].size() - 1);
  auto sourceOf = [&](unsigned r, unsigned c) {
    CellSource source;
    source.text = gridCell(grid, r - 1, c + 1);
    source.handle = gridCell(grid, r - 1, 0);
    source.blockCell = grid[0][c + 1] == blockPreviewHeader && r != 1;
    return source;
  };
  if (!writeCells(table, rows, columns, previewMap, sourceOf)) return;
  if (!fitColumns(table, rows, columns, 0.0)) return;
  recompute(table);
}

bool resetTable(OvDbTable* table, unsigned rows, unsigned columns) {
  if (columns > 0) table->mergeCells(0, 0, 0, columns - 1);
  for (unsigned r = 1; r < rows; ++r) {
    for (unsigned c = 0; c < columns; ++c) table->setTextString(r, c, L"");
  }
  return table->generateLayout() == Ovis::eOk;
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
