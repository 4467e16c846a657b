#include "platform/host/db_table.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/host/db_blocks.h"
#include "platform/host/db_table_style.h"
#include "platform/host/room_first.h"

OVRX_DEFINE_MEMBERS(OvDbTable, OvDbEntity)

namespace {

// Pending failures: per operation, how many calls still succeed before one fails.
std::map<OvDbTable::Operation, int>& pendingFailures() {
  static std::map<OvDbTable::Operation, int> failures;
  return failures;
}

bool failsNow(OvDbTable::Operation operation) {
  auto& failures = pendingFailures();
  auto it = failures.find(operation);
  if (it == failures.end()) return false;
  if (it->second > 0) {
    --it->second;
    return false;
  }
  failures.erase(it);
  return true;
}

// Index arithmetic of inserted and deleted rows or columns on a merged range's span.
bool spanAfterDelete(unsigned& low, unsigned& high, unsigned first, unsigned count) {
  unsigned last = first + count - 1;
  if (first <= low && last >= high) return false;
  auto removedBelow = [&](unsigned index, bool inclusive) {
    if (index < first) return 0u;
    unsigned top = inclusive ? index : index - 1;
    return std::min(top, last) - first + 1;
  };
  unsigned newLow = low - (low > first ? removedBelow(low, false) : 0u);
  unsigned newHigh = high - removedBelow(high, true);
  low = newLow;
  high = newHigh;
  return true;
}

void spanAfterInsert(unsigned& low, unsigned& high, unsigned at, unsigned count) {
  if (at <= low) low += count;
  if (at <= high) high += count;
}

bool isSingleCell(const OvDbTable::CellRange& r) { return r.minRow == r.maxRow && r.minColumn == r.maxColumn; }

}  // namespace

void OvDbTable::failOperation(Operation operation, int skip) { pendingFailures()[operation] = skip < 0 ? 0 : skip; }

void OvDbTable::clearFailures() { pendingFailures().clear(); }

OvDbTable::OvDbTable()
    : widths_(1, kDefaultColumnWidth), heights_(1, kDefaultRowHeight), rows_(1, std::vector<Cell>(1)) {}

void OvDbTable::changed() { blockCurrent_ = false; }

const OvDbTable::Cell* OvDbTable::cellAt(unsigned row, unsigned column) const {
  assertReadEnabled();
  return hasCell(row, column) ? &rows_[row][column] : nullptr;
}

Ovis::ErrorStatus OvDbTable::setTableStyle(const OvDbObjectId& styleId) {
  assertWriteEnabled();
  tableStyle_ = styleId;
  changed();
  return Ovis::eOk;
}

OvDbObjectId OvDbTable::tableStyle() const {
  assertReadEnabled();
  return tableStyle_;
}

Ovis::ErrorStatus OvDbTable::setPosition(const OvGePoint3d& position) {
  assertWriteEnabled();
  position_ = position;  // moves the table block; its content stays as it is
  return Ovis::eOk;
}

OvGePoint3d OvDbTable::position() const {
  assertReadEnabled();
  return position_;
}

unsigned OvDbTable::numRows() const {
  assertReadEnabled();
  return static_cast<unsigned>(rows_.size());
}

unsigned OvDbTable::numColumns() const {
  assertReadEnabled();
  return static_cast<unsigned>(widths_.size());
}

// The table's shape changes in two steps: first everything that asks for memory (room in the
// vectors, new rows), then the change itself, which asks for none. Memory that runs out
// leaves the table as it was, never with rows of another width than its columns.
void OvDbTable::setSize(unsigned rows, unsigned columns) {
  assertWriteEnabled();
  if (rows == 0 || columns == 0) return;
  double lastHeight = heights_.empty() ? kDefaultRowHeight : heights_.back();
  double lastWidth = widths_.empty() ? kDefaultColumnWidth : widths_.back();
  std::vector<CellRange> kept;
  for (CellRange r : merges_) {
    if (r.minRow >= rows || r.minColumn >= columns) continue;
    r.maxRow = std::min(r.maxRow, rows - 1);
    r.maxColumn = std::min(r.maxColumn, columns - 1);
    if (!isSingleCell(r)) kept.push_back(r);
  }
  heights_.reserve(rows);
  widths_.reserve(columns);
  rows_.reserve(rows);
  for (auto& row : rows_) row.reserve(columns);
  std::vector<std::vector<Cell>> added;
  if (rows > rows_.size()) added.assign(rows - rows_.size(), std::vector<Cell>(columns));

  heights_.resize(rows, lastHeight);
  widths_.resize(columns, lastWidth);
  if (rows < rows_.size()) rows_.erase(rows_.begin() + rows, rows_.end());
  for (auto& row : rows_) row.resize(columns);
  std::move(added.begin(), added.end(), std::back_inserter(rows_));
  merges_ = std::move(kept);
  changed();
}

double OvDbTable::columnWidth(unsigned column) const {
  assertReadEnabled();
  return column < widths_.size() ? widths_[column] : 0.0;
}

Ovis::ErrorStatus OvDbTable::setColumnWidth(double width) {
  assertWriteEnabled();
  if (!(width >= 0)) return Ovis::eInvalidInput;
  std::fill(widths_.begin(), widths_.end(), width);
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::setColumnWidth(unsigned column, double width) {
  assertWriteEnabled();
  if (column >= widths_.size()) return Ovis::eInvalidIndex;
  if (!(width >= 0) || failsNow(Operation::kSetColumnWidth)) return Ovis::eInvalidInput;
  widths_[column] = width;
  changed();
  return Ovis::eOk;
}

double OvDbTable::rowHeight(unsigned row) const {
  assertReadEnabled();
  return row < heights_.size() ? heights_[row] : 0.0;
}

Ovis::ErrorStatus OvDbTable::setRowHeight(unsigned row, double height) {
  assertWriteEnabled();
  if (row >= heights_.size()) return Ovis::eInvalidIndex;
  if (!(height >= 0)) return Ovis::eInvalidInput;
  heights_[row] = height;
  changed();
  return Ovis::eOk;
}

OvDbObjectId OvDbTable::textStyle(unsigned row, unsigned column) const {
  const Cell* cell = cellAt(row, column);
  if (!cell) return OvDbObjectId::kNull;
  if (!cell->textStyle.isNull()) return cell->textStyle;
  OvDbTableStyle* style = nullptr;
  if (ovdbOpenObject(style, tableStyle_, Ovis::kForRead) != Ovis::eOk) return OvDbObjectId::kNull;
  OvDbObjectId id = style->textStyle();
  style->close();
  return id;
}

Ovis::ErrorStatus OvDbTable::setTextStyle(unsigned row, unsigned column, const OvDbObjectId& styleId) {
  assertWriteEnabled();
  if (!hasCell(row, column)) return Ovis::eInvalidIndex;
  rows_[row][column].textStyle = styleId;
  changed();
  return Ovis::eOk;
}

double OvDbTable::textHeight(unsigned row, unsigned column) const {
  const Cell* cell = cellAt(row, column);
  if (!cell) return 0.0;
  if (cell->textHeight > 0) return cell->textHeight;
  OvDbTableStyle* style = nullptr;
  if (ovdbOpenObject(style, tableStyle_, Ovis::kForRead) != Ovis::eOk) return OvDbTableStyle::kDefaultTextHeight;
  double height = style->textHeight();
  style->close();
  return height;
}

Ovis::ErrorStatus OvDbTable::setTextHeight(unsigned row, unsigned column, double height) {
  assertWriteEnabled();
  if (!hasCell(row, column)) return Ovis::eInvalidIndex;
  if (!(height > 0)) return Ovis::eInvalidInput;
  rows_[row][column].textHeight = height;
  changed();
  return Ovis::eOk;
}

std::wstring OvDbTable::textString(unsigned row, unsigned column) const {
  const Cell* cell = cellAt(row, column);
  return cell ? cell->text : std::wstring();
}

Ovis::ErrorStatus OvDbTable::setTextString(unsigned row, unsigned column, const wchar_t* text) {
  assertWriteEnabled();
  if (!hasCell(row, column)) return Ovis::eInvalidIndex;
  if (failsNow(Operation::kSetTextString)) return Ovis::eInvalidInput;
  Cell& cell = rows_[row][column];
  cell.text = text ? text : L"";
  cell.block = OvDbObjectId::kNull;
  cell.autoFit = false;
  changed();
  return Ovis::eOk;
}

OvDbObjectId OvDbTable::blockTableRecordId(unsigned row, unsigned column) const {
  const Cell* cell = cellAt(row, column);
  return cell ? cell->block : OvDbObjectId::kNull;
}

bool OvDbTable::isAutoScale(unsigned row, unsigned column) const {
  const Cell* cell = cellAt(row, column);
  return cell && cell->autoFit;
}

Ovis::ErrorStatus OvDbTable::setBlockTableRecordId(unsigned row, unsigned column, const OvDbObjectId& blockId,
                                                   bool autoFit) {
  assertWriteEnabled();
  if (!hasCell(row, column)) return Ovis::eInvalidIndex;
  if (failsNow(Operation::kSetBlockTableRecordId)) return Ovis::eInvalidInput;
  if (database() && blockId.database() != database()) return Ovis::eInvalidInput;
  OvDbBlockTableRecord* block = nullptr;
  Ovis::ErrorStatus es = ovdbOpenObject(block, blockId, Ovis::kForRead);
  if (es != Ovis::eOk) return es;
  block->close();
  Cell& cell = rows_[row][column];
  cell.text.clear();
  cell.block = blockId;
  cell.autoFit = autoFit;
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::insertColumns(unsigned column, double width, unsigned count) {
  assertWriteEnabled();
  if (column > widths_.size()) return Ovis::eInvalidIndex;
  if (!(width >= 0)) return Ovis::eInvalidInput;
  if (count == 0) return Ovis::eOk;
  makeRoom(widths_, count);
  for (auto& row : rows_) makeRoom(row, count);
  widths_.insert(widths_.begin() + column, count, width);
  for (auto& row : rows_) row.insert(row.begin() + column, count, Cell());
  for (CellRange& r : merges_) spanAfterInsert(r.minColumn, r.maxColumn, column, count);
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::deleteColumns(unsigned column, unsigned count) {
  assertWriteEnabled();
  if (count == 0) return Ovis::eOk;
  if (column >= widths_.size() || count > widths_.size() - column) return Ovis::eInvalidIndex;
  if (count == widths_.size()) return Ovis::eInvalidInput;  // a table keeps one column
  std::vector<CellRange> kept;
  for (CellRange r : merges_) {
    if (spanAfterDelete(r.minColumn, r.maxColumn, column, count) && !isSingleCell(r)) kept.push_back(r);
  }
  widths_.erase(widths_.begin() + column, widths_.begin() + column + count);
  for (auto& row : rows_) row.erase(row.begin() + column, row.begin() + column + count);
  merges_ = std::move(kept);
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::insertRows(unsigned row, double height, unsigned count) {
  assertWriteEnabled();
  if (row > heights_.size()) return Ovis::eInvalidIndex;
  if (!(height >= 0)) return Ovis::eInvalidInput;
  if (count == 0) return Ovis::eOk;
  std::vector<std::vector<Cell>> added(count, std::vector<Cell>(widths_.size()));
  makeRoom(heights_, count);
  makeRoom(rows_, count);
  heights_.insert(heights_.begin() + row, count, height);
  rows_.insert(rows_.begin() + row, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
  for (CellRange& r : merges_) spanAfterInsert(r.minRow, r.maxRow, row, count);
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::deleteRows(unsigned row, unsigned count) {
  assertWriteEnabled();
  if (count == 0) return Ovis::eOk;
  if (row >= heights_.size() || count > heights_.size() - row) return Ovis::eInvalidIndex;
  if (count == heights_.size()) return Ovis::eInvalidInput;  // a table keeps one row
  std::vector<CellRange> kept;
  for (CellRange r : merges_) {
    if (spanAfterDelete(r.minRow, r.maxRow, row, count) && !isSingleCell(r)) kept.push_back(r);
  }
  heights_.erase(heights_.begin() + row, heights_.begin() + row + count);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  merges_ = std::move(kept);
  changed();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::mergeCells(unsigned minRow, unsigned maxRow, unsigned minColumn, unsigned maxColumn) {
  assertWriteEnabled();
  if (minRow > maxRow || minColumn > maxColumn || maxRow >= rows_.size() || maxColumn >= widths_.size()) {
    return Ovis::eInvalidIndex;
  }
  CellRange range{minRow, maxRow, minColumn, maxColumn};
  makeRoom(merges_);
  std::erase_if(merges_, [&](const CellRange& r) {
    return r.minRow <= maxRow && minRow <= r.maxRow && r.minColumn <= maxColumn && minColumn <= r.maxColumn;
  });
  if (!isSingleCell(range)) merges_.push_back(range);
  changed();
  return Ovis::eOk;
}

const std::vector<OvDbTable::CellRange>& OvDbTable::mergedRanges() const {
  assertReadEnabled();
  return merges_;
}

Ovis::ErrorStatus OvDbTable::generateLayout() {
  assertWriteEnabled();
  if (failsNow(Operation::kGenerateLayout)) return Ovis::eInvalidInput;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbTable::recomputeTableBlock(bool forceUpdate) {
  assertWriteEnabled();
  if (failsNow(Operation::kRecomputeTableBlock)) return Ovis::eInvalidInput;
  if (!forceUpdate && blockCurrent_) return Ovis::eOk;
  blockCurrent_ = true;
  return Ovis::eOk;
}

bool OvDbTable::isTableBlockCurrent() const {
  assertReadEnabled();
  return blockCurrent_;
}
