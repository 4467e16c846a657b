// A table that the wizard inserted with its stored layout (table_layout.h), made again from
// the drawing: its rows built over its objects with its own choices, laid out as the wizard
// lays out a table, rows kept in their places; then written only where the table differs,
// and its link lists stored again where they changed.
#pragma once
#include <map>
#include <vector>

#include "extraction/extraction_engine.h"
#include "extraction/host_guards.h"
#include "extraction/output_table.h"
#include "extraction/table_layout.h"
#include "extraction/xdata_link.h"

// What a linked table shows when made again, and what its link lists then hold.
struct RebuiltTable {
  TableContent content;          // the cells under the title
  TableLayout layout;            // the stored layout with the rows as they now stand
  std::vector<CString> rowIds;   // "obj_handles": the handle of every data row, in table order
  std::vector<CString> headers;  // "tb_headers": the header row in grid column order
};

// Builds the rows of the engine's objects with the kinds, display names and layout, and
// lays them out: a row takes the place of the first row of the old layout that held one of
// its objects (rows in one place in the order the engine builds them); rows of objects new
// to the table follow the old data rows. False when a column of the layout is not built.
bool rebuildTable(ExtractionEngine& engine, const std::vector<CString>& kinds,
                  const std::map<CString, CString>& displayNames, const TableLayout& layout, RebuiltTable& out);

enum class LinkedUpdate { Failed, Unchanged, Updated };

// Opens the linked table for write; when it cannot be opened so, says that it is left as it is.
bool openLinkedTable(OpenedObject<OvDbTable>& table, OvDbObjectId tableId);
// Stores the lists in place of the table's in one write (replaceLinkLists) and commits the
// rollback; when they cannot be stored, says so and leaves the rollback to put the table back.
bool storeLinkLists(OvDbObjectId tableId, const std::vector<LinkList>& lists, TableRollback& rollback);
// Takes the table's property names and their display names ("original_names" and
// "display_names", pair by pair in the map's order) among the lists to store where their
// entries differ from the table's.
void addDisplayNames(std::vector<LinkList>& lists, OvDbObjectId tableId,
                     const std::map<CString, CString>& displayNames);

// Makes the table (opened for write here and closed again) again as rebuildTable does and
// writes it where it differs; then every link list whose entries changed is stored, its names
// in the session's language. A failure, a table that cannot be opened or lists that cannot
// be stored leave it as it was, and say why.
LinkedUpdate updateLinkedTable(OvDbObjectId tableId, ExtractionEngine& engine, const std::vector<CString>& kinds,
                               const std::map<CString, CString>& displayNames, const TableLayout& layout);

// The kinds in the order the wizard lists them (objectKindsInWizardOrder), each once. Each is
// a kind's name of the catalogue: the callers read them so.
std::vector<CString> kindsInWizardOrder(const std::vector<CString>& kinds, const PropertyCatalogue& catalogue);
