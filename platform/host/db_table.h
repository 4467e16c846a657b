// The table entity: a grid of cells holding texts or blocks, with column widths, row
// heights, merged ranges, a table style and per-cell text styles and heights.
#pragma once
#include <string>
#include <vector>

#include "platform/host/db_entity.h"
#include "platform/host/geometry.h"

class OvDbTable : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbTable)
  static constexpr double kDefaultColumnWidth = 20.0;
  static constexpr double kDefaultRowHeight = 5.0;

  struct CellRange {
    unsigned minRow, maxRow, minColumn, maxColumn;
  };

  // Operations that tests can make fail, to reach the callers' error paths.
  enum class Operation {
    kSetTextString,
    kSetBlockTableRecordId,
    kSetColumnWidth,
    kGenerateLayout,
    kRecomputeTableBlock
  };
  // The call of the operation that follows `skip` further calls (on any table) fails once
  // with eInvalidInput and changes nothing.
  static void failOperation(Operation operation, int skip = 0);
  static void clearFailures();

  // A new table has one row and one column.
  OvDbTable();

  virtual Ovis::ErrorStatus setTableStyle(const OvDbObjectId& styleId);
  OvDbObjectId tableStyle() const;
  virtual Ovis::ErrorStatus setPosition(const OvGePoint3d& position);
  OvGePoint3d position() const;

  virtual unsigned numRows() const;
  virtual unsigned numColumns() const;
  // Rows and columns must be at least 1; cells that remain keep their content.
  void setSize(unsigned rows, unsigned columns);

  virtual double columnWidth(unsigned column) const;
  virtual Ovis::ErrorStatus setColumnWidth(double width);
  virtual Ovis::ErrorStatus setColumnWidth(unsigned column, double width);
  virtual double rowHeight(unsigned row) const;
  virtual Ovis::ErrorStatus setRowHeight(unsigned row, double height);

  // A cell's text style and height are its own when set, else the table style's.
  virtual OvDbObjectId textStyle(unsigned row, unsigned column) const;
  virtual Ovis::ErrorStatus setTextStyle(unsigned row, unsigned column, const OvDbObjectId& styleId);
  virtual double textHeight(unsigned row, unsigned column) const;
  virtual Ovis::ErrorStatus setTextHeight(unsigned row, unsigned column, double height);

  // A cell holds a text or a block; setting one clears the other.
  virtual std::wstring textString(unsigned row, unsigned column) const;
  virtual Ovis::ErrorStatus setTextString(unsigned row, unsigned column, const wchar_t* text);
  virtual OvDbObjectId blockTableRecordId(unsigned row, unsigned column) const;
  bool isAutoScale(unsigned row, unsigned column) const;
  // The id must name a block table record of the table's drawing.
  virtual Ovis::ErrorStatus setBlockTableRecordId(unsigned row, unsigned column, const OvDbObjectId& blockId,
                                                  bool autoFit);

  virtual Ovis::ErrorStatus insertColumns(unsigned column, double width, unsigned count = 1);
  virtual Ovis::ErrorStatus deleteColumns(unsigned column, unsigned count = 1);
  virtual Ovis::ErrorStatus insertRows(unsigned row, double height, unsigned count = 1);
  virtual Ovis::ErrorStatus deleteRows(unsigned row, unsigned count = 1);

  // Merging a range replaces the merged ranges it overlaps; a single cell is no merge.
  virtual Ovis::ErrorStatus mergeCells(unsigned minRow, unsigned maxRow, unsigned minColumn, unsigned maxColumn);
  const std::vector<CellRange>& mergedRanges() const;

  // Brings the layout up to date with the cells; the table block is recomputed from it.
  virtual Ovis::ErrorStatus generateLayout();
  virtual Ovis::ErrorStatus recomputeTableBlock(bool forceUpdate = true);
  bool isTableBlockCurrent() const;

private:
  struct Cell {
    std::wstring text;
    OvDbObjectId block;
    bool autoFit = false;
    OvDbObjectId textStyle;
    double textHeight = 0;  // 0: the table style's
  };
  bool hasCell(unsigned row, unsigned column) const { return row < rows_.size() && column < widths_.size(); }
  const Cell* cellAt(unsigned row, unsigned column) const;
  void changed();

  OvDbObjectId tableStyle_;
  OvGePoint3d position_;
  std::vector<double> widths_;
  std::vector<double> heights_;
  std::vector<std::vector<Cell>> rows_;
  std::vector<CellRange> merges_;
  bool blockCurrent_ = false;
};
