// What an extraction table keeps of the choices it was made with, beyond the six link
// lists, so that the update command can make it again exactly: how its rows were merged,
// the properties its rows were built from and those the user left out, its columns in table
// order, its totals, its header line, the order of the preview's rows, and its objects in
// the order its rows were built, each with the table row it is shown in. It is stored as one
// more xdata list of the table (kTableLayoutApp), one "tag:value" entry per item.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "extraction/extraction_engine.h"
#include "platform/mfc/cstring.h"

// A sort of the preview's rows by the column of one property, as a click on its heading
// sorts them.
struct RowSortKey {
  CString property;
  bool ascending = true;
};

// A row under the header line: a data row with the handles of its objects, or (no objects)
// the empty row that the wizard puts where the preview showed the totals row.
struct LinkedRow {
  std::vector<CString> objects;
  bool isGap() const { return objects.empty(); }
};

struct TableLayout {
  RowMerge merge = RowMerge::None;
  CString groupBy;  // the property chosen to combine rows by (rows may be combined instead)
  bool headerShown = true;
  bool totalsRow = false;        // an empty row and a totals row end the table
  std::vector<CString> chosen;   // the property names the rows are built from, in order
  std::vector<CString> leftOut;  // the properties offered to the user and not chosen
  std::vector<CString> columns;  // the property name of every table column, in table order
  std::vector<CString> totals;   // the property names with a total
  // How the preview ordered its rows, so that rows new to the table can go where the wizard
  // puts them: unknown when rows were moved by hand (or the list is older than this entry),
  // else as built or sorted by these keys, the first deciding, ties by the next, then as built.
  bool rowOrderKnown = false;
  std::vector<RowSortKey> sortKeys;
  std::vector<LinkedRow> rows;   // the rows under the header line, without the totals row
  std::vector<CString> objects;  // every object of the rows, in the order the rows were built

  std::vector<CString> entries() const;
  // The layout of a stored list, each property name read through the given function when
  // there is one (the list holds the names of the language the table was made in); nothing
  // when an entry is not understood.
  static std::optional<TableLayout> fromEntries(const std::vector<CString>& entries,
                                                const std::function<CString(const CString&)>& propertyName = {});
};

// The layout of a table the wizard inserted: the engine after its rows were built, the
// output grid (display names in row 0, an empty row before the totals row when one was
// appended), the column and row orders the table was filled with, the header and totals
// flags, and the properties that were offered.
TableLayout wizardTableLayout(const ExtractionEngine& engine, const TextGrid& outputRows,
                              const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
                              bool totalsRow, const OfferedPropertyMap& offered);
