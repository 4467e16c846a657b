// The extraction's rows written into a table object of the drawing, and read back.
#pragma once
#include <map>
#include <vector>

#include "extraction/text_grid.h"
#include "platform/host/db_object.h"
#include "platform/host/geometry.h"
#include "platform/host/ucs.h"
#include "platform/mfc/cstring.h"

class OvDbTable;

using BlockPreviewMap = std::map<CString, OvDbObjectId>;

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
// columns.
void updateTable(const TextGrid& grid, const BlockPreviewMap& previewMap, OvDbTable* table,
                 CString blockPreviewHeader);

// Merges the title row and empties every cell under it; true when the layout was generated.
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
