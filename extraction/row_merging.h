// Merging the rows of a grid whose row 0 is the header and column 0 the object handle:
// combining identical rows with a count, grouping by one column with sums, and totals.
#pragma once
#include <map>
#include <vector>

#include "common/text_grid.h"
#include "extraction/property_catalogue.h"
#include "platform/host/db_object.h"

// True when both rows have the same size and equal cells from column f on.
bool rowsEqualFrom(const std::vector<CString>& a, const std::vector<CString>& b, unsigned f);
// The handles of the objects that each merged row stands for, by the row's own handle.
using RowSources = std::map<CString, std::vector<CString>>;

// Keeps one row per set of rows equal from column 1 (the smallest handle), writes the set's
// size into the "Quantity" column and orders the rows by their cells; kept handles are appended.
// When asked, each kept row's set of handles goes into sources.
void combineIdenticalRows(TextGrid& rows, std::vector<CString>& keptIds, const PropertyCatalogue& catalogue,
                          RowSources* sources = nullptr);
// One row per value of the column named groupBy, moved to column 1, with the sums of the
// totals columns over the value's rows and the handle of its last row; ascending by value.
// When asked, each group row's handles go into sources.
void groupRowsByProperty(TextGrid& rows, const CString& groupBy, const std::vector<CString>& totalsNames,
                         std::vector<CString>& keptIds, RowSources* sources = nullptr);
// Moves column k of every row to the target position.
void moveColumn(TextGrid& rows, unsigned k, int target);
// The sums of the columns whose header is one of the names, written with "%g"; other
// cells empty. Empty for no names or an empty grid; all cells empty for a header alone.
std::vector<CString> computeTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames);
// The same over combined rows: each row's value counts as many times as the number in its
// count column (the column headed countName); that column's own total is the sum of the
// counts. An empty countName gives the plain totals.
std::vector<CString> computeTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames,
                                      const CString& countName);
// The same over grouped rows, whose column 1 holds each group's value: that value counts
// once per object of its group (the row's entry in groups, by its handle; once without
// one), the group's sums in the other columns once.
std::vector<CString> computeGroupedTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames,
                                             const RowSources& groups);
// Copies into out the entries of source whose handle is one of the kept ids.
void filterPreviewMap(std::map<CString, OvDbObjectId>& out, const std::map<CString, OvDbObjectId>& source,
                      const std::vector<CString>& keptIds);
