// Bringing an extraction table up to date: helpers of the refresh and rewrite that the
// extraction engine performs on a table (ExtractionEngine::refreshTable, rewriteTable).
#pragma once
#include <unordered_map>
#include <vector>

#include "extraction/property_catalogue.h"
#include "platform/mfc/cstring.h"

class OvDbTable;

// Fills the output with every header text that names an item with a total, or equals the
// extra name; each once, ascending.
void collectTotalColumns(std::vector<CString>& out, const std::vector<CString>& headers,
                         const OfferedPropertyMap& items, CString extraName);
// Erases every entry equal to the text.
void removeHandle(std::vector<CString>& list, CString text);
// How often each text stands in the list.
std::unordered_map<CString, size_t> countTexts(const std::vector<CString>& texts);
// Deletes the table rows from the first data row on whose texts equal the given ones (the
// row that moves up after a deletion is not compared). True when a row was deleted; a
// failed layout generation after a deletion ends the walk.
bool removeMatchingTableRow(OvDbTable* table, const std::vector<CString>& rowTexts, unsigned firstDataRow);
// A table has totals when its second-to-last row lies under the first data row and all of
// its cells are empty.
bool tableHasTotals(OvDbTable* table, unsigned firstDataRow);
