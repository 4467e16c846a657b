// The extraction's rows written into a table object of the drawing, and read back.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/text_grid.h"
#include "platform/host/db_object.h"
#include "platform/host/geometry.h"
#include "platform/host/ucs.h"
#include "platform/mfc/cstring.h"

class OvDbTable;

using BlockPreviewMap = std::map<CString, OvDbObjectId>;

// What one cell under a table's title shows: a text, or the block of its row (null when the
// row has none); a cell of a column cleared in the preview is skipped (left as it is), and a
// cell that the grid lacks is missing (writing it fails).
struct TableCell {
  enum Kind { Skip, Text, Block, Missing };
  Kind kind = Text;
  CString text;
  OvDbObjectId block;
};

// The cells a table shows under its title, row by row, and its size, title row included.
struct TableContent {
  unsigned rows = 0;
  unsigned columns = 0;
  std::vector<std::vector<TableCell>> cells;  // table rows 1 to rows - 1
};

// Creates a table in model space at the position (world coordinates) with the style
// "Standard", fills it and returns its id. No table is made, and the null id returned, when
// no column is shown or there would be no row; a table that cannot be appended to model
// space is deleted and the null id returned.
OvDbObjectId createOutputTable(const TextGrid& grid, const BlockPreviewMap& previewMap,
                               const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
                               const std::vector<int>& rowOrder, OvGePoint3d position, CString blockPreviewHeader,
                               CString title, bool headerShown);

// Writes the title, the header (unless hidden) and the rows in display order into the
// table (open for write), fits the columns to their texts and recomputes the table block.
// Failures are printed on the command line and end the fill.
void fillTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
               const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
               const std::vector<int>& rowOrder, CString blockPreviewHeader, CString title, bool headerShown);

// Rewrites the cells under the title from the grid: table row r holds grid row r - 1, table
// column c grid column c + 1. The table has (grid rows + 1) rows and (grid columns - 1)
// columns. A failure is printed and ends the rewrite: false.
bool updateTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table, CString blockPreviewHeader);

// The grid row that table row r (from 1) shows: entry r - 1 of the row order, else the rows
// beyond it in grid order (one further down when the header is hidden).
long long tableSourceRow(unsigned r, const std::vector<int>& rowOrder, bool headerShown);
// The cells fillTable writes: table column c shows grid column k = entry c of the column
// order, table row r the grid row tableSourceRow gives; a column headed by the block-preview
// header shows blocks (not in the header row).
TableContent layoutTableContent(const TextGrid& grid, const BlockPreviewMap& previewMap,
                                const std::vector<bool>& columnFlags, const std::vector<int>& columnOrder,
                                const std::vector<int>& rowOrder, CString blockPreviewHeader, bool headerShown);
// A table as it stands (size, cells, widths and heights), to be put back after a failed
// rewrite. Only the title row is merged in an extraction table.
class TableSnapshot {
public:
  explicit TableSnapshot(OvDbTable* table);
  // False when the table refused a write: it is then put back only in part.
  bool restore(OvDbTable* table) const;

private:
  struct Cell {
    std::wstring text;
    OvDbObjectId block;
    bool autoFit = false;
  };
  unsigned rows_, columns_;
  std::vector<double> widths_, heights_;
  std::vector<Cell> cells_;
};

// Keeps a table as it stood before an update and puts it back when the update does not
// commit: a write into the table refused, an exception (memory run out), or link lists that
// cannot be stored. A table the update wrote nothing into is left as it was: its snapshot is
// dropped, not put back. A table it changed is put back whole from the snapshot (size, cells,
// widths and heights), but its title row comes back merged across every column, whatever its
// merge was: the host gives the plug-in no way to read a table's merged ranges. A table that
// cannot be put back is reported. Made before the guard that opens the table, so that it puts
// the table back once that has closed it.
class TableRollback {
public:
  TableRollback() = default;
  ~TableRollback();
  TableRollback(const TableRollback&) = delete;
  TableRollback& operator=(const TableRollback&) = delete;
  // Keeps the table (open) as it stands now.
  void keep(OvDbTable* table);
  // The update has stored the table's link lists: the table stays as it now is.
  void commit() { before_.reset(); }
  // The update has written nothing into the table: there is nothing to put back.
  void leftAsItWas() { before_.reset(); }

private:
  OvDbObjectId tableId_;
  std::optional<TableSnapshot> before_;
};

// Brings a table open for write to the content, its title kept: nothing is written when it
// shows the content already; otherwise it is resized, written, fitted as fillTable fits it
// and recomputed, and a failure (printed) puts it back as it was and answers false.
// changed tells whether the table was rewritten.
bool applyTableContent(OvDbTable* table, const TableContent& content, bool& changed);

// Merges the title row, empties every cell under it and generates the layout; a refused cell
// or a failed layout is printed and ends it: false.
bool resetTable(OvDbTable* table, unsigned rows, unsigned columns);
// Keeps row 0 and column 0 and makes the table rows by columns; false when the table is not
// open for write.
bool resizeTable(OvDbTable* table, unsigned rows, unsigned columns);

// Appends the table's rows under the title to the grid; true when a row was read.
bool readTableCells(OvDbTable* table, TextGrid& grid);
void readTableRow(std::vector<CString>& row, OvDbTable* table, unsigned rowIndex, unsigned columns);
// Appends the row-1 text of every column whose last cell is not empty.
void collectTotalledHeaders(std::vector<CString>& names, OvDbTable* table);

// The coordinate-system matrix of the axes and origin transformed by the matrix; made the
// current UCS when asked.
OvGeMatrix3d setUcsFromMatrix(OvGeMatrix3d matrix, OvGePoint3d origin, OvGeVector3d xAxis, OvGeVector3d yAxis,
                              bool makeCurrent);
// Sets the host's CMDECHO to 1 or 0.
void setCmdEcho(bool on);
