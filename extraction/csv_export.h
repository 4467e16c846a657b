// Export of a row grid to a comma-separated text file: the wizard's grid as the preview
// shows it, and a grid read back from a table's cells.
#pragma once
#include <vector>

#include "common/text_grid.h"
#include "platform/mfc/cstring.h"

// Writes the visible columns (column order, cleared flags skipped) of the rows in display
// order (row order, then the grid rows beyond it); position 1 of the column order is the
// bare column. The header line's cells are written as they stand, numbers only in data
// lines; an empty bare cell alone on its line is written as "". Returns true when the
// whole file was written; false when the grid is empty (no file is made), when an order
// names a row or column the grid lacks, or when the file cannot be opened or written.
bool exportCsv(const TextGrid& grid, CString path, const std::vector<bool>& columnFlags,
               const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
               CString separator);

// Writes every row and column of the grid in grid order; column 0 is the bare column. Row 0
// is the table's header line when headerShown is set, written as exportCsv writes one.
bool exportCsvFromTable(const TextGrid& grid, CString path, bool headerShown, CString separator);
