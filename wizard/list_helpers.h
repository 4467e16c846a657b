// Routines that move the wizard's row tables (TextGrid, check cell "1"/"0" in cell 0) into
// its lists and grids and read the user's choices back out of them.
#pragma once
#include <initializer_list>
#include <map>
#include <set>
#include <vector>

#include "common/text_grid.h"
#include "extraction/extraction_engine.h"
#include "extraction/property_catalogue.h"
#include "platform/mfc/mfc.h"
#include "wizard/grid_list_ctrl.h"

// How setupListColumns lays a list out.
struct ListColumnsOptions {
  bool checkColumn = false;  // a narrow " " column with item check boxes comes first
  bool fill = false;         // the rows after row 0 are inserted as well
  bool skipFirst = false;    // cell 0 (the check cell) is not shown
};
// Which rows and cells fillListRows inserts.
struct ListRowsOptions {
  bool fromRow0 = false;   // row 0 is inserted as well
  bool skipFirst = false;  // cell 0 (the check cell) is not shown
};

// Inserts the list's columns from row 0 (a narrow " " check column first when asked) and,
// when asked, the rows after row 0.
void setupListColumns(TextGrid& rows, CListCtrl* list, const ListColumnsOptions& options);
// Inserts one item per row (from row 0, or from row 1) at the top of the list, in order;
// answers the next free item index.
int fillListRows(TextGrid& rows, CListCtrl* list, const ListRowsOptions& options);

// Which cells of the rows a grid shows, and which of its columns show check images.
struct GridCellLayout {
  bool checkColumn = false;  // grid column 1 shows the row's check cell as a check image
  int totalsColumn = -1;     // the trait column (from 0) whose cells are totals check boxes; -1: none
  bool skipFirst = false;    // cell 0 is not shown
  int columnOffset = 0;      // columnOffset - 1 further cells are left out after the skipped one (none for 0)
};
// How fillGrid sets a grid up.
struct GridOptions {
  GridCellLayout cells;
  bool headerShown = true;   // the headings come from row 0 (from row 1 when the header is hidden)
  bool fill = false;         // the rows after the heading row are inserted as well
  bool editColumns = false;  // the columns that show no check images can be edited (else text only)
};
// Which rows fillGridRows inserts, and how.
struct GridRowsOptions {
  GridCellLayout cells;
  bool fromRow0 = false;  // every row, row 0 included (firstRow is not read)
  int firstRow = 1;       // the first row inserted when not from row 0
};

// Inserts the grid's hidden lead column and one trait column per shown cell of row 0 (the
// heading from row 1 when the header is hidden) and, when asked, the rows.
void fillGrid(TextGrid& rows, GridListCtrl* grid, CImageList* images, const GridOptions& options);
// Inserts one grid item per row (from row 0, or from firstRow) at the top of the grid, in
// order, with texts and check images; answers the next free item index.
int fillGridRows(TextGrid& rows, GridListCtrl* grid, const GridRowsOptions& options);

// Deletes every item whose column 1 text equals the compare cell (1 when 0 is given) of a
// row; true when an item was deleted.
bool removeListRows(TextGrid& rows, CListCtrl* list, int compareCell);

// The object rows of a filter group: 1 the block kind, 2 every other kind.
TextGrid filterObjectRows(TextGrid& objectRows, int group, const PropertyCatalogue& catalogue);
// The property rows whose category cell is the category.
TextGrid filterPropertyRows(TextGrid& propertyRows, int category);
// Sets the check cell of every row whose cell at the compare column (1 when 0 is given)
// equals the name.
void updatePropertyCheck(TextGrid& rows, const CString& name, bool checked, int compareColumn);

// The object-kind rows of the kinds present, all checked, under a header row.
TextGrid buildObjectTypeRows(const PresentTypeMap& kinds, const PropertyCatalogue& catalogue);
// The property rows of the offered properties under a header row; checked unless the
// names are to be restored from a settings file.
TextGrid buildPropertyRows(const OfferedPropertyMap& offered, bool restored);

// Rows built afresh keep, from the earlier row with the same key cell, the cells listed:
// what the person chose for an entry that is still offered outlives a change of the offer.
TextGrid keepChoices(TextGrid fresh, const TextGrid& earlier, int keyCell, std::initializer_list<int> kept);
// The rows of earlier whose key cell no row of kept holds, the first of each key: the
// choices for entries no longer offered, kept for when they are offered again.
TextGrid rowsLeftOut(const TextGrid& earlier, const TextGrid& kept, int keyCell);

// The object filter rows of the kinds present: the block kind, then "Non-Block", checked.
TextGrid buildObjectFilterRows(const PresentTypeMap& kinds, const PropertyCatalogue& catalogue);
// The category filter rows, one per category, ascending, checked.
TextGrid buildPropertyFilterRows(const std::set<int>& categories);
// Fills the object filter list (building its rows when empty); answers the last item index.
int restoreObjectFilter(const PresentTypeMap& kinds, CListCtrl* filter, TextGrid& filterRows,
                        const PropertyCatalogue& catalogue);
// Fills the category filter list (building its rows when empty); answers the last item index.
int restorePropertyFilter(const std::set<int>& categories, CListCtrl* filter, TextGrid& filterRows);

// The column 1 texts of the checked items, in list order.
std::vector<CString> getCheckedItemTexts(CListCtrl* list);
// The names of the items checked in the check column, mapped to their texts in the text
// column (the map is emptied first).
std::vector<CString> readPropertySelection(GridListCtrl* grid, int checkColumn, int textColumn,
                                           std::map<CString, CString>& names);
// The texts (column 1 when -1 is given) of the items whose totals cell is checked.
std::vector<CString> collectTotalsColumns(GridListCtrl* grid, int totalsColumn, int textColumn);

// The shown columns in on-screen order.
std::vector<int> getColumnOrder(GridListCtrl* grid);
// The heading row index (0 shown, 1 hidden), then the rows' item data in on-screen order.
std::vector<int> orderRowsByColumns(GridListCtrl* grid, bool headerShown);
void setColumnRightAligned(CListCtrl* grid, int column);
// Sorts by value every column whose cells in rows [firstRow, endRow) are numeric texts or
// empty, at least one numeric (grid column k shows cell k).
void sortNumericColumns(GridListCtrl* grid, const TextGrid& rows, std::size_t firstRow, std::size_t endRow);

// The file name of the document of the host's working drawing ("" when none).
CString currentDrawingName();
// The localized name of a property category (1 to 6), "" for any other number.
CString categoryName(int category);
