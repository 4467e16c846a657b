// The four actions of the update dialog on a picked data table: refresh its rows from the
// drawing, add objects to it, replace its objects, export its cells.
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "extraction/csv_export.h"
#include "extraction/extraction_engine.h"
#include "extraction/host_guards.h"
#include "extraction/kind_records.h"
#include "extraction/link_list_names.h"
#include "extraction/linked_table.h"
#include "extraction/output_table.h"
#include "extraction/res_strings.h"
#include "extraction/stored_names.h"
#include "extraction/table_refresh.h"
#include "extraction/text_grid.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "platform/mfc/file_dialog.h"
#include "res/resource_ids.h"
#include "spreadsheet/xls_export.h"
#include "wizard/dlg_update.h"
#include "wizard/export_files.h"

namespace {

using Texts = std::vector<CString>;

void printMessage(UINT id) { ovutPrintf(L"%s", LoadResString(id).GetString()); }
void printChanged(bool changed) { printMessage(changed ? IDS_TABLE_UPDATED : IDS_TABLE_UP_TO_DATE); }

// Says that the table is left as it is because its list of the application is damaged; false.
// A list that the table lacks has been named by its reader already.
bool refuseDamaged(OvDbObjectId tableId, const wchar_t* appName) {
  if (hasLinkXData(tableId, appName)) reportDamagedLinkList(appName);
  return false;
}

// A list that must hold entries holds some; false, with the reason said, when it is empty.
bool holdsEntries(OvDbObjectId tableId, const std::vector<CString>& list, const wchar_t* appName) {
  return !list.empty() || refuseDamaged(tableId, appName);
}

// A header text of the table walked against the display names in order: each display name
// equal to the current text turns it into the property name of the same entry.
CString translateHeader(CString text, const Texts& propertyNames, const Texts& displayNames) {
  for (size_t j = 0; j < displayNames.size() && j < propertyNames.size(); ++j) {
    if (displayNames[j] == text) text = propertyNames[j];
  }
  return text;
}

// The texts of the table's row 1 (the header row, unless it is hidden).
Texts headerRow(OvDbTable* table) {
  Texts row;
  readTableRow(row, table, 1, table->numColumns());
  return row;
}

// Whether the table's row 1 is its header line: as its layout list says; for a table with
// the six lists only, when every text of row 1 is one of its stored headers (which keep the
// wizard grid's columns, hidden ones too, in the grid's order).
bool rowOneIsHeader(OvDbObjectId tableId, OvDbTable* table) {
  std::optional<TableLayout> layout =
      TableLayout::fromEntries(readLinkXData(tableId, kTableLayoutApp, /*reportMissing=*/false));
  if (layout) return layout->headerShown;
  Texts stored = readLinkXData(tableId, kTableHeadersApp, /*reportMissing=*/false);
  for (const CString& text : headerRow(table)) {
    auto at = std::find(stored.begin(), stored.end(), text);
    if (at == stored.end()) return false;
    stored.erase(at);
  }
  return true;
}

// The table's property names and their display names, pair by pair.
struct NameLists {
  Texts propertyNames;
  Texts displayNames;
  bool consistent() const { return propertyNames.size() == displayNames.size(); }
  // consistent(), or false with the reason said.
  bool paired(OvDbObjectId tableId) const {
    return consistent() ||
           refuseDamaged(tableId, hasLinkXData(tableId, kOriginalNamesApp) ? kDisplayNamesApp : kOriginalNamesApp);
  }
  std::map<CString, CString> displayNameMap() const {
    std::map<CString, CString> map;
    for (size_t i = 0; i < propertyNames.size() && i < displayNames.size(); ++i)
      map.emplace(propertyNames[i], displayNames[i]);
    return map;
  }
  Texts translated(Texts headers) const {
    for (CString& text : headers) text = translateHeader(text, propertyNames, displayNames);
    return headers;
  }
  // The lists in the session's language: the property names read as stored names, and the
  // display names that only repeat their property's stored name (columns not renamed) with them.
  NameLists inSessionLanguage(const StoredNames& stored) const {
    NameLists names = *this;
    for (size_t i = 0; i < propertyNames.size(); ++i) {
      names.propertyNames[i] = stored.propertyName(propertyNames[i]);
      if (i < displayNames.size() && displayNames[i] == propertyNames[i])
        names.displayNames[i] = names.propertyNames[i];
    }
    return names;
  }
};

// Stored property names in the session's language.
Texts inSessionLanguage(Texts names, const StoredNames& stored) {
  for (CString& name : names) name = stored.propertyName(name);
  return names;
}

NameLists readNameLists(OvDbObjectId tableId) {
  NameLists names;
  names.propertyNames = readLinkXData(tableId, kOriginalNamesApp);
  names.displayNames = readLinkXData(tableId, kDisplayNamesApp);
  return names;
}

// The table's object kinds in the session's language, each once: a list changed elsewhere may
// name a kind twice, whose objects would then make their rows twice. False, with the reason
// said, when the list names a kind that no language knows, or none.
bool readKinds(OvDbObjectId tableId, const StoredNames& stored, Texts& kinds) {
  kinds.clear();
  for (const CString& name : readLinkXData(tableId, kObjectTypesApp)) {
    std::optional<CString> kind = stored.kindName(name);
    if (!kind) {
      ovutPrintf(L"%s", LoadResFormat(IDS_UNKNOWN_KIND, name).GetString());
      return false;
    }
    if (!holds(kinds, *kind)) kinds.push_back(*kind);
  }
  return holdsEntries(tableId, kinds, kObjectTypesApp);
}

// The kinds and handles of the objects of a user's selection that a table can show, in
// selection order; other objects (tables, ...) are left out.
struct SelectedObjects {
  std::set<CString> kinds;
  Texts handles;
};

SelectedObjects classifySelection(const ov_name set, std::int32_t length, const PropertyCatalogue& catalogue) {
  SelectedObjects selected;
  for (std::int32_t i = 0; i < length; ++i) {
    ov_name name{0, 0};
    OvDbObjectId id;
    OpenedObject<OvDbEntity> entity;
    if (ovedSSName(set, i, name) != RTNORM || ovdbGetObjectId(id, name) != Ovis::eOk || !entity.open(id)) continue;
    const ObjectKindInfo* kind = objectKindOf(entity.get());
    if (!kind) continue;
    OvDbHandle handle;
    entity->getOvDbHandle(handle);
    wchar_t text[17] = {};
    handle.getIntoAsciiBuffer(text, 17);
    selected.kinds.insert(catalogue.kindName(*kind));
    selected.handles.emplace_back(text);
  }
  return selected;
}

// The handles of every object the engine read.
std::unordered_set<CString> readHandles(const ExtractionEngine& engine) {
  std::unordered_set<CString> handles;
  for (const ObjectKindInfo& kind : objectKinds()) {
    const KindRecords& records = kindRecords(kind);
    for (size_t i = 0; i < records.count(engine); ++i) handles.insert(records.record(engine, i).handle);
  }
  return handles;
}

// Keeps of the selected objects those the engine read, and their kinds: the extraction passes
// over some (blocks of excluded names, ...), as it does in the wizard.
void keepRead(SelectedObjects& selected, const ExtractionEngine& engine) {
  const std::unordered_set<CString> read = readHandles(engine);
  std::erase_if(selected.handles, [&read](const CString& handle) { return !read.count(handle); });
  selected.kinds.clear();
  for (int kind : engine.presentObjectKinds()) selected.kinds.insert(engine.catalogue.kindName(kind));
}

// Classifies the objects of the user's selection and reads them into an engine.
ExtractionEngine extractSelection(const SelectionSet& set, std::int32_t length, const PropertyCatalogue& catalogue,
                                  SelectedObjects& selected) {
  selected = classifySelection(set.name(), length, catalogue);
  ExtractionEngine engine(set.name(), length, catalogue);
  keepRead(selected, engine);
  return engine;
}

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

// Appends the handles that the list does not hold yet, each once, in their order.
void appendUnlisted(Texts& list, const Texts& handles) {
  std::unordered_set<CString> listed(list.begin(), list.end());
  for (const CString& handle : handles) {
    if (listed.insert(handle).second) list.push_back(handle);
  }
}

void replaceLink(OvDbObjectId tableId, const wchar_t* appName, const Texts& entries) {
  clearLinkXData(tableId, appName);
  writeLinkXData(tableId, appName, entries);
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
// them into the table (open for write) for the handles and closes it; then the table's
// handle, kind and header lists are replaced and the outcome printed. The handles follow
// the rows and the headers the header row as written, so that a later refresh pairs each
// row with its object and finds the header line where it is.
void rewriteAndRelink(ExtractionEngine& engine, OpenedObject<OvDbTable>& table, OvDbObjectId tableId,
                      const Texts& handles, const Texts& kinds, const RowChoice& choice, const NameLists& names) {
  TextGrid rows;
  BlockPreviewMap preview;
  engine.buildRows(rows, preview, choice.chosen, choice.quantityChosen, choice.blockNameChosen, choice.totals,
                   choice.groupBy);
  const std::map<CString, CString> displayNames = names.displayNameMap();
  translateNames(rows, displayNames);
  engine.setRows(rows);
  Texts ids = handles;
  const bool changed = engine.rewriteTable(table.get(), ids);
  const Texts headers = headerRow(table.get());
  table.close();  // before its link lists are written, which opens it again
  replaceLink(tableId, kObjectHandlesApp, handlesInRowOrder(rows, handles));
  replaceLink(tableId, kObjectTypesApp, kinds);
  storeDisplayNames(tableId, displayNames);
  if (!rows.empty()) replaceLink(tableId, kTableHeadersApp, headers);
  printChanged(changed);
}

bool pickedTableId(OvDbObjectId& id, const std::int64_t* name) {
  ov_name entity{name[0], name[1]};
  return ovdbGetObjectId(id, entity) == Ovis::eOk;
}

// ---- Tables made before the layout list (the six link lists only) ----

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

// Refreshes such a table row by row from the whole drawing.
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
  OpenedObject<OvDbTable> table;
  if (!openLinkedTable(table, tableId)) return;
  ExtractionEngine engine(set.name(), length, catalogue);

  OfferedPropertyMap offered;
  engine.prepare(offered, lists.kinds);
  bool headerHidden = false;
  RowChoice choice = sixListChoice(table.get(), lists, stored, catalogue, headerHidden);

  TextGrid rows;
  BlockPreviewMap preview;
  buildChosenRows(engine, choice, rows, preview);
  const bool grouped = !choice.groupBy.IsEmpty();
  const bool changed = engine.refreshTable(table.get(), handles, grouped, lists.headers, headerHidden);
  table.close();  // before its handle list is written, which opens it again
  replaceLink(tableId, kObjectHandlesApp, handles);
  printChanged(changed);
}

// Opens such a table for write when it has a column for every stored header: a rewrite takes
// its columns from the table, so that a column added or taken away elsewhere would become a
// column of its own or lose its property.
bool openSixListTableToRewrite(OvDbObjectId tableId, OpenedObject<OvDbTable>& table) {
  const size_t headers = readLinkXData(tableId, kTableHeadersApp).size();
  if (!openLinkedTable(table, tableId)) return false;
  if (table->numColumns() == headers) return true;
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

// Rewrites such a table from the whole drawing with the new objects added.
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
  OpenedObject<OvDbTable> table;
  if (!openSixListTableToRewrite(tableId, table)) return;
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
  rewriteAndRelink(drawing, table, tableId, handles, mergedKindList, choice, names.inSessionLanguage(stored));
}

// Rewrites such a table from the selected objects alone.
void replaceInSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue, ExtractionEngine& engine,
                           const SelectedObjects& selected) {
  const StoredNames stored(catalogue);
  SixLists lists;
  if (!readSixLists(tableId, stored, lists)) return;
  const NameLists& names = lists.names;
  const CString groupBy = lists.groupBy;

  const Texts kinds(selected.kinds.begin(), selected.kinds.end());
  OpenedObject<OvDbTable> table;
  if (!openSixListTableToRewrite(tableId, table)) return;
  OfferedPropertyMap offered;
  engine.prepare(offered, kinds);

  RowChoice choice =
      rowChoice(inSessionLanguage(names.translated(headerRow(table.get())), stored), table.get(), catalogue, groupBy);
  rewriteAndRelink(engine, table, tableId, selected.handles, kinds, choice, names.inSessionLanguage(stored));
}

// ---- Tables with their layout list ----

// What a table with its layout list keeps: the layout, the kinds and the names, in the
// session's language; false (the action stops, saying why) when one of them is missing or not
// understood.
struct LinkedChoices {
  TableLayout layout;
  Texts kinds;
  NameLists names;
};

// The handle list names the object of every data row of the layout, row for row: a layout
// list cut short or changed elsewhere disagrees with it.
bool rowsAgreeWithHandles(const TableLayout& layout, const Texts& handles) {
  size_t i = 0;
  for (const LinkedRow& row : layout.rows) {
    if (row.isGap()) continue;
    if (i >= handles.size() || !holds(row.objects, handles[i])) return false;
    ++i;
  }
  return i == handles.size();
}

bool readLinkedChoices(OvDbObjectId tableId, const Texts& layoutEntries, const PropertyCatalogue& catalogue,
                       LinkedChoices& choices) {
  const StoredNames stored(catalogue);
  std::optional<TableLayout> layout =
      TableLayout::fromEntries(layoutEntries, [&stored](const CString& name) { return stored.propertyName(name); });
  const bool kindsRead = readKinds(tableId, stored, choices.kinds);
  choices.names = readNameLists(tableId);
  if (!kindsRead || !choices.names.paired(tableId)) return false;
  if (!layout) return refuseDamaged(tableId, kTableLayoutApp);
  if (!rowsAgreeWithHandles(*layout, readLinkXData(tableId, kObjectHandlesApp)))
    return refuseDamaged(tableId, kObjectHandlesApp);
  choices.names = choices.names.inSessionLanguage(stored);
  choices.layout = std::move(*layout);
  return true;
}

// Every kind of the engine's objects is among the kinds: a kind taken out of the table's list
// elsewhere would drop the rows of its objects.
bool kindsCoverObjects(const ExtractionEngine& engine, const Texts& kinds) {
  for (int kind : engine.presentObjectKinds()) {
    if (!holds(kinds, engine.catalogue.kindName(kind))) return false;
  }
  return true;
}

// Brings the table up to date over the engine's objects and prints the outcome; a failure
// has printed its own message and left the table as it was, and so has a kind list that
// lacks a kind of the objects.
void updateAndReport(OvDbObjectId tableId, ExtractionEngine& engine, const Texts& kinds, const NameLists& names,
                     const TableLayout& layout) {
  if (!kindsCoverObjects(engine, kinds)) {
    refuseDamaged(tableId, kObjectTypesApp);
    return;
  }
  LinkedUpdate outcome = updateLinkedTable(tableId, engine, kinds, names.displayNameMap(), layout);
  if (outcome != LinkedUpdate::Failed) printChanged(outcome == LinkedUpdate::Updated);
}

// The offered properties that the table neither shows nor left out (what new objects bring:
// a new kind's properties, new attribute tags) become columns after the table's own, in
// the order the wizard would give them: the fixed columns first, then by category and name.
void addBroughtColumns(TableLayout& layout, const OfferedPropertyMap& offered, const PropertyCatalogue& catalogue) {
  const Texts fixed = {catalogue.objectTypeItem.name, catalogue.quantityItem.name, catalogue.blockNameItem.name,
                       catalogue.blockPreviewItem.name};
  auto rank = [&fixed](const PropertyItem& item) {
    auto at = std::find(fixed.begin(), fixed.end(), item.name);
    return std::pair(static_cast<int>(at - fixed.begin()), at == fixed.end() ? item.category : 0);
  };
  std::vector<PropertyItem> brought;
  for (const PropertyItem& item : offered) {
    if (!holds(layout.chosen, item.name) && !holds(layout.leftOut, item.name)) brought.push_back(item);
  }
  std::stable_sort(brought.begin(), brought.end(),
                   [&rank](const PropertyItem& a, const PropertyItem& b) { return rank(a) < rank(b); });
  for (const PropertyItem& item : brought) {
    layout.chosen.push_back(item.name);
    layout.columns.push_back(item.name);
  }
}

void addToLinkedTable(OvDbObjectId tableId, const Texts& layoutEntries, const PropertyCatalogue& catalogue,
                      ExtractionEngine& newObjects, const SelectedObjects& selected) {
  LinkedChoices choices;
  if (!readLinkedChoices(tableId, layoutEntries, catalogue, choices)) return;
  Texts objects = choices.layout.objects;
  const size_t storedCount = objects.size();
  appendUnlisted(objects, selected.handles);
  if (objects.size() == storedCount) {
    printMessage(IDS_TABLE_UP_TO_DATE);
    return;
  }
  Texts kinds = choices.kinds;
  kinds.insert(kinds.end(), selected.kinds.begin(), selected.kinds.end());
  kinds = kindsInWizardOrder(kinds, catalogue);
  ExtractionEngine engine(objects, catalogue);
  // What the new objects bring, as far as the wizard offers it over all the objects.
  OfferedPropertyMap brought, offered;
  newObjects.prepare(brought, kindsInWizardOrder(Texts(selected.kinds.begin(), selected.kinds.end()), catalogue));
  engine.prepare(offered, kinds);
  std::erase_if(brought, [&offered](const PropertyItem& item) { return !offered.count(item); });
  addBroughtColumns(choices.layout, brought, catalogue);
  // With the preview's order known every row goes where the wizard puts it over all the
  // objects; else (rows moved by hand) the rows keep their places and the new ones follow.
  if (choices.layout.rowOrderKnown) choices.layout.rows.clear();
  updateAndReport(tableId, engine, kinds, choices.names, choices.layout);
}

void replaceInLinkedTable(OvDbObjectId tableId, const Texts& layoutEntries, const PropertyCatalogue& catalogue,
                          const SelectedObjects& selected) {
  LinkedChoices choices;
  if (!readLinkedChoices(tableId, layoutEntries, catalogue, choices)) return;
  ExtractionEngine engine(selected.handles, catalogue);
  if (engine.presentObjectKinds().empty()) {
    printMessage(IDS_TABLE_UP_TO_DATE);
    return;
  }
  choices.layout.rows.clear();
  const Texts kinds = kindsInWizardOrder(Texts(selected.kinds.begin(), selected.kinds.end()), catalogue);
  updateAndReport(tableId, engine, kinds, choices.names, choices.layout);
}

}  // namespace

bool DlgUpdateA1::SelectNewObjects(UINT prompt, SelectionSet& set, std::int32_t& length) {
  printMessage(prompt);
  BeginEditorCommand();
  length = 0;
  if (set.select(nullptr) != RTNORM || ovedSSLength(set.name(), &length) != RTNORM || length == 0) {
    CancelEditorCommand();
    return false;
  }
  CompleteEditorCommand(TRUE);
  return true;
}

void DlgUpdateA1::RefreshTable() {
  OvDbObjectId tableId;
  if (!pickedTableId(tableId, pickedTable)) return;
  const Texts layoutEntries = readLinkXData(tableId, kTableLayoutApp, /*reportMissing=*/false);
  if (layoutEntries.empty()) {
    refreshSixListTable(tableId, catalogue);
    return;
  }
  LinkedChoices choices;
  if (!readLinkedChoices(tableId, layoutEntries, catalogue, choices)) return;
  // Only the table's own objects: objects never in the table never enter it.
  ExtractionEngine engine(choices.layout.objects, catalogue);
  updateAndReport(tableId, engine, choices.kinds, choices.names, choices.layout);
}

// The user's new objects, read into an engine, and the picked table with its layout list
// (empty for a table that has the six lists only).
struct DlgUpdateA1::NewSelection {
  SelectedObjects selected;
  ExtractionEngine engine;
  OvDbObjectId tableId;
  Texts layoutEntries;
};

bool DlgUpdateA1::TakeNewSelection(UINT prompt, NewSelection& selection) {
  SelectionSet set;
  std::int32_t length = 0;
  if (!SelectNewObjects(prompt, set, length)) return false;
  selection.engine = extractSelection(set, length, catalogue, selection.selected);
  if (!pickedTableId(selection.tableId, pickedTable)) return false;
  selection.layoutEntries = readLinkXData(selection.tableId, kTableLayoutApp, /*reportMissing=*/false);
  return true;
}

void DlgUpdateA1::AddObjectsToTable() {
  NewSelection added;
  if (!TakeNewSelection(IDS_SELECT_NEW_OBJECTS, added)) return;
  if (added.layoutEntries.empty()) addToSixListTable(added.tableId, catalogue, added.engine, added.selected);
  else addToLinkedTable(added.tableId, added.layoutEntries, catalogue, added.engine, added.selected);
}

void DlgUpdateA1::ReplaceTableSelection() {
  NewSelection chosen;
  if (!TakeNewSelection(IDS_YOUR_NEW_SELECTION, chosen)) return;
  // A selection with nothing a table can show leaves the table as it is.
  if (chosen.selected.handles.empty()) {
    printMessage(IDS_TABLE_UP_TO_DATE);
    return;
  }
  if (chosen.layoutEntries.empty()) replaceInSixListTable(chosen.tableId, catalogue, chosen.engine, chosen.selected);
  else replaceInLinkedTable(chosen.tableId, chosen.layoutEntries, catalogue, chosen.selected);
}

void DlgUpdateA1::UpdateExport() {
  CFileDialog dialog(/*openFileDialog=*/FALSE, L"", kExportInitialName, OFN_HIDEREADONLY, kExportFileFilter, nullptr);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  const DWORD filterIndex = dialog.m_ofn.nFilterIndex;

  OvDbObjectId tableId;
  OpenedObject<OvDbTable> table;
  if (!pickedTableId(tableId, pickedTable) || !table.open(tableId)) return;
  // A table without a row under its title writes and prints nothing. A file that could not
  // be written whole is reported as such, never as done.
  bool rows = true;
  int cutCells = 0;
  bool written = exportWithinMemory([&] {
    TextGrid grid;
    rows = readTableCells(table.get(), grid);
    if (!rows) return false;
    if (filterIndex == kCsvFilterIndex)
      return exportCsvFromTable(grid, path, rowOneIsHeader(tableId, table.get()), L",");
    return filterIndex == kXlsFilterIndex && exportXlsFromTable(grid, path, &cutCells);
  });
  if (!rows) return;
  if (filterIndex == kCsvFilterIndex) printCsvExportResult(written, path);
  else if (filterIndex == kXlsFilterIndex) printXlsExportResult(written, path, cutCells);
}
