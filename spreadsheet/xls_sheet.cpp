#include "spreadsheet/xls_sheet.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <utility>

#include "spreadsheet/utf16_text.h"
#include "spreadsheet/xls_book.h"

using CellBlock = QExcel::Worksheet::CellTable::RowBlock::CellBlock;

XlsSheet::XlsSheet(XlsBook* book, int index) : book_(book), index_(index) {
  buildCells();
  const auto& infos = book_->worksheets()[index_].colInfos.list;
  colInfos_.list.insert(colInfos_.list.end(), infos.begin(), infos.end());
}

const char* XlsSheet::narrowName() const { return book_->narrowSheetName(index_); }
const char16_t* XlsSheet::wideName() const { return book_->wideSheetName(index_); }
bool XlsSheet::name(std::string& out) const { return book_->sheetName(index_, out); }
bool XlsSheet::name(std::wstring& out) const { return book_->sheetName(index_, out); }
bool XlsSheet::rename(const char* name) { return book_->renameSheet(index_, name); }
bool XlsSheet::rename(const wchar_t* name) { return book_->renameSheet(index_, name); }

XlsCell* XlsSheet::cellAt(int row, int column) {
  if (row < 0 || column < 0 || row >= kMaxRows || column >= kMaxColumns) return nullptr;
  if (column >= columns_) {
    columns_ = column + 1;
    for (auto& cells : cells_) cells.resize(columns_);
  }
  if (row >= rows_) {
    rows_ = row + 1;
    while (static_cast<int>(cells_.size()) < rows_) cells_.emplace_back(columns_);
  }
  return &cells_[row][column];
}

std::vector<XlsSheet::Row> XlsSheet::takeCells() {
  rows_ = 0;
  columns_ = 0;
  return std::move(cells_);
}

bool XlsSheet::eraseCell(int row, int column) {
  if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return false;
  cells_[row][column].erase();
  return true;
}

void XlsSheet::mergeCells(int row, int column, std::uint16_t rows, std::uint16_t columns) {
  if (XlsCell* cell = cellAt(row, column)) {
    cell->setMergedRows(rows);
    cell->setMergedColumns(columns);
  }
}

void XlsSheet::setColumnWidth(int column, std::uint16_t width) {
  if (column < 0 || column >= kMaxColumns) return;
  QExcel::Worksheet::ColInfo info;
  info.firstColumn = info.lastColumn = static_cast<std::uint16_t>(column);
  info.width = width;
  colInfos_.list.push_back(info);
}

std::uint16_t XlsSheet::columnWidth(int column) const {
  for (const auto& info : colInfos_.list)
    if (info.firstColumn == column) return info.width;
  return 0;
}

void XlsSheet::print(std::ostream& out, char delimiter, char qualifier) const {
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      if (c > 0) out << delimiter;
      const XlsCell& cell = cells_[r][c];
      switch (cell.type()) {
        case XlsCell::INT: out << cell.integerValue(); break;
        case XlsCell::DOUBLE: {
          std::ios::fmtflags flags = out.flags();
          std::streamsize precision = out.precision(15);
          out << std::defaultfloat << cell.doubleValue();
          out.precision(precision);
          out.flags(flags);
          break;
        }
        case XlsCell::STRING:
          if (!qualifier) {
            out << cell.narrowText();
          } else {
            out << qualifier;
            for (const char* p = cell.narrowText(); *p; ++p) {
              if (*p == qualifier) out << qualifier;
              out << *p;
            }
            out << qualifier;
          }
          break;
        default: break;
      }
    }
    out << std::endl;
  }
}

XlsSheet::Extent XlsSheet::gridExtent(const QExcel::Worksheet& sheet) {
  int lastRow = 0;
  int lastColumn = 0;
  for (const auto& block : sheet.cellTable.blocks) {
    for (const auto& cell : block.cellBlocks) {
      int column = cell->col();
      if (cell->code == CellBlock::Blank::kCode || cell->code == CellBlock::MulBlank::kCode) continue;
      if (auto* mulRk = cell->as<CellBlock::MulRK>()) column = mulRk->lastColumn;
      if (column >= kMaxColumns) column = cell->col();
      if (column >= kMaxColumns) continue;
      lastRow = std::max(lastRow, static_cast<int>(cell->row()));
      lastColumn = std::max(lastColumn, column);
    }
  }
  // A merged range keeps its first cell in the grid, empty as that cell may be.
  for (const auto& range : sheet.mergedCells.ranges) {
    if (range.lastRow < range.firstRow || range.lastColumn < range.firstColumn) continue;
    if (range.firstColumn >= kMaxColumns) continue;
    lastRow = std::max(lastRow, static_cast<int>(range.firstRow));
    lastColumn = std::max(lastColumn, static_cast<int>(range.firstColumn));
  }
  return {lastRow + 1, lastColumn + 1};
}

namespace {
// A text as a record stores it, narrow or wide, made the cell's text of the same width.
void setStoredText(XlsCell& cell, const QExcel::LongString& text) {
  if (text.isWide()) cell.setText(text.text().c_str());
  else cell.setText(text.narrowText().c_str());
}
}  // namespace

// The grid from the worksheet's cell records.
void XlsSheet::buildCells() {
  QExcel::Worksheet& sheet = book_->worksheets()[index_];
  const auto& strings = book_->workbook().sst.strings;
  Extent extent = gridExtent(sheet);
  rows_ = extent.rows;
  columns_ = extent.columns;
  cells_.assign(rows_, Row(columns_));

  auto at = [&](int row, int column) -> XlsCell* {
    return row < rows_ && column < columns_ ? &cells_[row][column] : nullptr;
  };
  for (auto& block : sheet.cellTable.blocks) {
    for (auto& cell : block.cellBlocks) {
      int row = cell->row();
      if (auto* r = cell->as<CellBlock::Blank>()) {
        if (XlsCell* c = at(row, r->column)) c->setXfIndex(r->xfIndex);
      } else if (auto* r = cell->as<CellBlock::MulBlank>()) {
        for (size_t i = 0; i < r->xfIndexes.size(); ++i)
          if (XlsCell* c = at(row, static_cast<int>(r->column + i))) c->setXfIndex(r->xfIndexes[i]);
      } else if (auto* r = cell->as<CellBlock::RK>()) {
        if (XlsCell* c = at(row, r->column)) {
          c->setRk(r->rk);
          c->setXfIndex(r->xfIndex);
        }
      } else if (auto* r = cell->as<CellBlock::MulRK>()) {
        for (size_t i = 0; i < r->entries.size(); ++i)
          if (XlsCell* c = at(row, static_cast<int>(r->column + i))) {
            c->setRk(r->entries[i].rk);
            c->setXfIndex(r->entries[i].xfIndex);
          }
      } else if (auto* r = cell->as<CellBlock::Number>()) {
        if (XlsCell* c = at(row, r->column)) {
          c->setDouble(r->value);
          c->setXfIndex(r->xfIndex);
        }
      } else if (auto* r = cell->as<CellBlock::BoolErr>()) {
        if (XlsCell* c = at(row, r->column)) {
          if (r->isError == 0) c->setInteger(r->value);
          c->setXfIndex(r->xfIndex);
        }
      } else if (auto* r = cell->as<CellBlock::LabelSST>()) {
        if (XlsCell* c = at(row, r->column)) {
          if (r->sstIndex < strings.size()) setStoredText(*c, strings[r->sstIndex]);
          c->setXfIndex(r->xfIndex);
        }
      } else if (auto* r = cell->as<CellBlock::RString>()) {
        if (XlsCell* c = at(row, r->column)) {
          setStoredText(*c, r->text);
          c->setXfIndex(r->xfIndex);
        }
      } else if (auto* r = cell->as<CellBlock::Formula>()) {
        if (XlsCell* c = at(row, r->column)) {
          c->setFormula(QExcel::RefPtr<XlsFormula>(new XlsFormula(*r)));
          c->setXfIndex(r->xfIndex);
        }
      }
    }
  }
  for (const auto& range : sheet.mergedCells.ranges) {
    if (range.lastRow < range.firstRow || range.lastColumn < range.firstColumn) continue;
    if (XlsCell* c = at(range.firstRow, range.firstColumn)) {
      c->setMergedRows(static_cast<std::uint16_t>(range.lastRow - range.firstRow + 1));
      c->setMergedColumns(static_cast<std::uint16_t>(range.lastColumn - range.firstColumn + 1));
    }
  }
}
