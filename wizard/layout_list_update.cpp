#include "wizard/layout_list_update.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/text_grid.h"
#include "extraction/link_list_names.h"
#include "extraction/linked_table.h"
#include "extraction/stored_names.h"
#include "extraction/xdata_link.h"
#include "res/resource_ids.h"
#include "wizard/update_reading.h"

namespace {

using Texts = std::vector<CString>;

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

}  // namespace

void refreshLinkedTable(OvDbObjectId tableId, const Texts& layoutEntries, const PropertyCatalogue& catalogue) {
  LinkedChoices choices;
  if (!readLinkedChoices(tableId, layoutEntries, catalogue, choices)) return;
  // Only the table's own objects: objects never in the table never enter it.
  ExtractionEngine engine(choices.layout.objects, catalogue);
  updateAndReport(tableId, engine, choices.kinds, choices.names, choices.layout);
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
