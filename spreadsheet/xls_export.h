// Export of a row grid to a workbook file of one worksheet "Sheet1": every cell a text,
// the header row bold, numeric texts with the decimal separator of the host's language.
#pragma once
#include <vector>

#include "common/text_grid.h"
#include "platform/mfc/cstring.h"

// The wizard's export: the visible columns in the preview's column order and the rows in
// its row order (entry 0 is 0 when the header is shown, 1 when it is hidden). True when
// the file was written whole, or when the grid is empty (nothing to write, no file).
// False, with no file written, when a cell would lie beyond row 65,535 or column 255 or
// an order names a row or column the grid does not have. Texts longer than a cell holds
// (32,767 UTF-16 units) are cut to it; cutCells, when given, receives how many were.
bool exportXls(const TextGrid& grid, CString path, const std::vector<bool>& visibleColumns,
               const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
               int* cutCells = nullptr);
// The update command's export of the rows read back from a table, as they stand.
bool exportXlsFromTable(const TextGrid& grid, CString path, int* cutCells = nullptr);
