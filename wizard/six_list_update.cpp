#include "wizard/six_list_update.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "common/text_grid.h"
#include "extraction/host_guards.h"
#include "extraction/link_list_names.h"
#include "extraction/linked_table.h"
#include "extraction/output_table.h"
#include "extraction/stored_names.h"
#include "extraction/table_refresh.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "res/resource_ids.h"
#include "wizard/update_reading.h"

namespace {

using Texts = std::vector<CString>;

// Every object of the drawing as a selection set with its length; false when there is none.
bool selectWholeDrawing(SelectionSet& set, std::int32_t& length) {
  length = 0;
  return set.select(L"A") == RTNORM && ovedSSLength(set.name(), &length) == RTNORM && length > 0;
}

// The names, totals and grouping under which the rows of a rewritten table are built.
struct RowChoice {
  Texts chosen;
  bool quantityChosen = false;
  bool blockNameChosen = false;
  Texts totals;
  CString groupBy;
};

RowChoice rowChoice(Texts chosen, OvDbTable* table, const PropertyCatalogue& catalogue, CString groupBy) {
  RowChoice choice;
  choice.quantityChosen = holds(chosen, catalogue.quantityItem.name);
  choice.blockNameChosen = holds(chosen, catalogue.blockNameItem.name);
  choice.chosen = std::move(chosen);
  collectTotalledHeaders(choice.totals, table);
  choice.groupBy = groupBy;
  return choice;
}

// Builds the engine's rows under the choice.
void buildChosenRows(ExtractionEngine& engine, const RowChoice& choice, TextGrid& rows, BlockPreviewMap& preview) {
  engine.buildRows(rows, preview, choice.chosen, choice.quantityChosen, choice.blockNameChosen, choice.totals,
                   choice.groupBy);
}

// The handles in the order of the table rows that a rewrite writes for them (one entry per
// row, as the refresh pairs them), then the handles that have no row of their own (objects
// combined into another object's row, or not extracted), in their order.
Texts handlesInRowOrder(const TextGrid& rows, const Texts& handles) {
  Texts ordered;
  const std::unordered_map<CString, size_t> listed = countTexts(handles);
  for (size_t k = 1; k < rows.size(); ++k) {
    auto times = rows[k].empty() ? listed.end() : listed.find(rows[k][0]);
    if (times != listed.end()) ordered.insert(ordered.end(), times->second, rows[k][0]);
  }
  appendUnlisted(ordered, handles);
  return ordered;
}

// Builds the engine's rows under the choice, with display names in the header row, writes
// them into the table (open for write, kept by the rollback) for the handles and closes it;
// then the table's handle, kind and header lists are replaced and the outcome printed. A
// failed write (printed) stops there, for the rollback to put the table back. The handles
// follow the rows and the headers the header row as written, so that a later refresh pairs
// each row with its object and finds the header line where it is.
void rewriteAndRelink(ExtractionEngine& engine, OpenedObject<OvDbTable>& table, TableRollback& rollback,
                      OvDbObjectId tableId, const Texts& handles, const Texts& kinds, const RowChoice& choice,
                      const NameLists& names) {
  TextGrid rows;
  BlockPreviewMap preview;
  buildChosenRows(engine, choice, rows, preview);
  const std::map<CString, CString> displayNames = names.displayNameMap();
  translateNames(rows, displayNames);
  engine.setRows(rows);
  Texts ids = handles;
  bool changed = false;
  if (!engine.rewriteTable(table.get(), ids, changed)) return;
  const Texts headers = headerRow(table.get());
  table.close();  // before its link lists are written, which opens it again
  std::vector<LinkList> lists = {{kObjectHandlesApp, handlesInRowOrder(rows, handles)}, {kObjectTypesApp, kinds}};
  addDisplayNames(lists, tableId, displayNames);
  if (!rows.empty()) lists.push_back({kTableHeadersApp, headers});
  if (storeLinkLists(tableId, lists, rollback)) printChanged(changed);
}

// The six lists of such a table; false (the action stops) when one of them is empty or the
// two name lists differ in length. Every action refuses what a refresh cannot work from.
struct SixLists {
  Texts handles;
  Texts kinds;
  NameLists names;
  CString groupBy;  // "" when rows are not grouped
  Texts headers;
};

bool readSixLists(OvDbObjectId tableId, const StoredNames& stored, SixLists& lists) {
  lists.handles = readLinkXData(tableId, kObjectHandlesApp);
  const bool kindsRead = readKinds(tableId, stored, lists.kinds);
  lists.names = readNameLists(tableId);
  Texts groupBy = readLinkXData(tableId, kGroupByApp);
  lists.headers = readLinkXData(tableId, kTableHeadersApp);
  if (!kindsRead || !holdsEntries(tableId, lists.handles, kObjectHandlesApp) ||
      !holdsEntries(tableId, groupBy, kGroupByApp) || !holdsEntries(tableId, lists.headers, kTableHeadersApp) ||
      !lists.names.paired(tableId)) {
    return false;
  }
  lists.groupBy = stored.propertyName(groupBy[0]);
  return true;
}

// The names, totals and grouping that such a table's rows are built with, and whether its
// header line is hidden (its row 1 differs from the stored headers).
RowChoice sixListChoice(OvDbTable* table, const SixLists& lists, const StoredNames& stored,
                        const PropertyCatalogue& catalogue, bool& headerHidden) {
  const Texts row1 = headerRow(table);
  headerHidden = row1 != lists.headers;
  // Without a header line the stored headers stand for it; they hold display names too, and
  // are translated alike so that renamed columns keep finding their property.
  Texts chosen = inSessionLanguage(lists.names.translated(headerHidden ? lists.headers : row1), stored);
  return rowChoice(std::move(chosen), table, catalogue, lists.groupBy);
}

// Opens such a table for write when it has a column for every stored header: a rewrite takes
// its columns from the table, so that a column added or taken away elsewhere would become a
// column of its own or lose its property.
bool openSixListTableToRewrite(OvDbObjectId tableId, const SixLists& lists, OpenedObject<OvDbTable>& table) {
  if (!openLinkedTable(table, tableId)) return false;
  if (table->numColumns() == lists.headers.size()) return true;
  table.close();  // before its list is looked at, which opens it again
  return refuseDamaged(tableId, kTableHeadersApp);
}

// Whether such a table shows all the objects: each listed, or in a merged row with a listed
// object (a combined or grouped row lists one of its objects), as the table's rows built over
// its listed objects and these tell.
bool showsAll(OvDbObjectId tableId, const SixLists& lists, const Texts& objects, const StoredNames& stored,
              const PropertyCatalogue& catalogue) {
  OpenedObject<OvDbTable> table;
  if (!table.open(tableId)) return false;
  bool headerHidden = false;
  const RowChoice choice = sixListChoice(table.get(), lists, stored, catalogue, headerHidden);
  table.close();
  if (!choice.quantityChosen && choice.groupBy.IsEmpty()) return false;  // a row for each object, listed
  Texts all = lists.handles;
  appendUnlisted(all, objects);
  ExtractionEngine engine(all, catalogue);
  OfferedPropertyMap offered;
  engine.prepare(offered, lists.kinds);
  TextGrid rows;
  BlockPreviewMap preview;
  buildChosenRows(engine, choice, rows, preview);
  const std::unordered_set<CString> listed(lists.handles.begin(), lists.handles.end());
  std::unordered_set<CString> shown = listed;
  for (const auto& [row, members] : engine.rowSources) {
    if (std::any_of(members.begin(), members.end(), [&listed](const CString& h) { return listed.count(h); }))
      shown.insert(members.begin(), members.end());
  }
  return std::all_of(objects.begin(), objects.end(), [&shown](const CString& h) { return shown.count(h); });
}

}  // namespace

void refreshSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue) {
  const StoredNames stored(catalogue);
  SixLists lists;
  if (!readSixLists(tableId, stored, lists)) return;
  Texts handles = lists.handles;
  // Its rows are paired with the engine's by their group's text, which a session in another
  // language writes otherwise: they would all go.
  if (!lists.groupBy.IsEmpty() && lists.names.inSessionLanguage(stored).propertyNames != lists.names.propertyNames) {
    printMessage(IDS_GROUPED_IN_ITS_LANGUAGE);
    return;
  }

  SelectionSet set;
  std::int32_t length = 0;
  if (!selectWholeDrawing(set, length)) return;
  TableRollback rollback;
  OpenedObject<OvDbTable> table;
  if (!openLinkedTable(table, tableId)) return;
  rollback.keep(table.get());
  ExtractionEngine engine(set.name(), length, catalogue);

  OfferedPropertyMap offered;
  engine.prepare(offered, lists.kinds);
  bool headerHidden = false;
  RowChoice choice = sixListChoice(table.get(), lists, stored, catalogue, headerHidden);

  TextGrid rows;
  BlockPreviewMap preview;
  buildChosenRows(engine, choice, rows, preview);
  const bool grouped = !choice.groupBy.IsEmpty();
  bool changed = false;
  // A failed write (printed) leaves the rows and the handles half refreshed: the rollback puts
  // the table back and its list stays.
  if (!engine.refreshTable(table.get(), handles, grouped, lists.headers, headerHidden, changed)) return;
  if (!changed) rollback.leftAsItWas();
  table.close();  // before its handle list is written, which opens it again
  if (storeLinkLists(tableId, {{kObjectHandlesApp, handles}}, rollback)) printChanged(changed);
}

void addToSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue, ExtractionEngine& newObjects,
                       const SelectedObjects& selected) {
  const StoredNames stored(catalogue);
  SixLists lists;
  if (!readSixLists(tableId, stored, lists)) return;
  Texts handles = lists.handles;
  const Texts& kinds = lists.kinds;
  const NameLists& names = lists.names;
  const CString groupBy = lists.groupBy;

  std::set<CString> mergedKinds(kinds.begin(), kinds.end());
  mergedKinds.insert(selected.kinds.begin(), selected.kinds.end());
  const size_t storedCount = handles.size();
  appendUnlisted(handles, selected.handles);
  if (handles.size() == storedCount || showsAll(tableId, lists, selected.handles, stored, catalogue)) {
    printMessage(IDS_TABLE_UP_TO_DATE);
    return;
  }

  SelectionSet set;
  std::int32_t length = 0;
  if (!selectWholeDrawing(set, length)) return;
  TableRollback rollback;
  OpenedObject<OvDbTable> table;
  if (!openSixListTableToRewrite(tableId, lists, table)) return;
  rollback.keep(table.get());
  ExtractionEngine drawing(set.name(), length, catalogue);

  drawing.blockItems.insert(newObjects.blockItems.begin(), newObjects.blockItems.end());
  const Texts mergedKindList(mergedKinds.begin(), mergedKinds.end());
  const Texts newKindList(selected.kinds.begin(), selected.kinds.end());
  OfferedPropertyMap offered;
  drawing.prepare(offered, mergedKindList);
  newObjects.prepare(offered, newKindList);

  std::set<CString> chosen;
  for (const CString& text : inSessionLanguage(names.translated(headerRow(table.get())), stored)) chosen.insert(text);
  if (selected.kinds.count(catalogue.kindName(kKindBlock))) chosen.insert(catalogue.blockNameItem.name);
  for (const PropertyItem& item : newObjects.blockItems) chosen.insert(item.name);
  for (const PropertyItem& item : newObjects.offeredItems) {
    auto sameName = [&item](const PropertyItem& geometric) { return geometric.name == item.name; };
    if (std::any_of(catalogue.geometricItems.begin(), catalogue.geometricItems.end(), sameName))
      chosen.insert(item.name);
  }
  RowChoice choice = rowChoice(Texts(chosen.begin(), chosen.end()), table.get(), catalogue, groupBy);
  rewriteAndRelink(drawing, table, rollback, tableId, handles, mergedKindList, choice, names.inSessionLanguage(stored));
}

void replaceInSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue, ExtractionEngine& engine,
                           const SelectedObjects& selected) {
  const StoredNames stored(catalogue);
  SixLists lists;
  if (!readSixLists(tableId, stored, lists)) return;
  const NameLists& names = lists.names;
  const CString groupBy = lists.groupBy;

  const Texts kinds(selected.kinds.begin(), selected.kinds.end());
  TableRollback rollback;
  OpenedObject<OvDbTable> table;
  if (!openSixListTableToRewrite(tableId, lists, table)) return;
  rollback.keep(table.get());
  OfferedPropertyMap offered;
  engine.prepare(offered, kinds);

  RowChoice choice =
      rowChoice(inSessionLanguage(names.translated(headerRow(table.get())), stored), table.get(), catalogue, groupBy);
  rewriteAndRelink(engine, table, rollback, tableId, selected.handles, kinds, choice, names.inSessionLanguage(stored));
}
