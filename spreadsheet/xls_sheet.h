// A sheet of a book: a growable grid of at most 65,536 rows by 256 columns of typed
// cells, with its column widths. Its name lives in the book's sheet list.
#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "spreadsheet/pool_allocator.h"
#include "spreadsheet/ref_ptr.h"
#include "spreadsheet/worksheet.h"
#include "spreadsheet/xls_cell.h"

class XlsBook;

class XlsSheet : public QExcel::RefCounted {
public:
  static constexpr int kMaxRows = 65536;
  static constexpr int kMaxColumns = 256;
  // A row of the grid; rows come from the chunk pool, as the cells' texts do.
  using Row = std::vector<XlsCell, QExcel::PoolAllocator<XlsCell>>;

  struct Extent {
    int rows;
    int columns;
  };
  // The grid that a worksheet's cell records call for: as large as the largest cell
  // address and the first cell of every merged range (blank cells do not count), at
  // least 1 x 1.
  static Extent gridExtent(const QExcel::Worksheet& sheet);

  // Builds the grid from the records of the book's worksheet at index.
  XlsSheet(XlsBook* book, int index);
  XlsSheet(const XlsSheet&) = delete;
  XlsSheet& operator=(const XlsSheet&) = delete;

  // The name in the width it is stored in; null for the other width.
  const char* narrowName() const;
  const char16_t* wideName() const;
  bool name(std::string& out) const;
  bool name(std::wstring& out) const;
  // False when the name is not valid or a sheet of that width already has it.
  bool rename(const char* name);
  bool rename(const wchar_t* name);

  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  int rowCount() const { return rows_; }
  int columnCount() const { return columns_; }

  // The cell, growing the grid; null beyond row 65535 or column 255.
  XlsCell* cellAt(int row, int column);
  // The cell inside the current grid, or null.
  const XlsCell* cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return nullptr;
    return &cells_[row][column];
  }
  bool eraseCell(int row, int column);
  void mergeCells(int row, int column, std::uint16_t rows, std::uint16_t columns);
  void setColumnWidth(int column, std::uint16_t width);
  std::uint16_t columnWidth(int column) const;
  const std::vector<QExcel::Worksheet::ColInfo>& colInfos() const { return colInfos_.list; }

  // One line per row, cells separated by the delimiter; texts between qualifiers (with
  // inner qualifiers doubled) unless the qualifier is 0.
  void print(std::ostream& out, char delimiter = ',', char qualifier = '"') const;

private:
  friend class XlsBook;

  void buildCells();
  // Hands the grid over to a save that frees it as it goes; the sheet is left empty.
  std::vector<Row> takeCells();

  XlsBook* book_;
  std::int32_t index_;
  std::int32_t rows_ = 0;
  std::int32_t columns_ = 0;
  std::vector<Row> cells_;
  QExcel::Worksheet::ColInfos colInfos_;
};
