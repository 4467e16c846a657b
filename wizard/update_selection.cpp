#include "wizard/update_selection.h"

#include <unordered_set>

#include "extraction/host_guards.h"
#include "extraction/kind_records.h"
#include "platform/host/db_entity.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"

namespace {

// The handles of the objects of the set's first length entries, in selection order. Which
// of them a table can show, and of what kinds, the extraction tells (keepRead).
std::vector<CString> selectionHandles(const ov_name set, std::int32_t length) {
  std::vector<CString> handles;
  for (std::int32_t i = 0; i < length; ++i) {
    ov_name name{0, 0};
    OvDbObjectId id;
    OpenedObject<OvDbEntity> entity;
    if (ovedSSName(set, i, name) != RTNORM || ovdbGetObjectId(id, name) != Ovis::eOk || !entity.open(id)) continue;
    OvDbHandle handle;
    entity->getOvDbHandle(handle);
    wchar_t text[17] = {};
    handle.getIntoAsciiBuffer(text, 17);
    handles.emplace_back(text);
  }
  return handles;
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
// over objects of no kind (tables, ...) and some of a kind (blocks of excluded names, ...),
// as it does in the wizard.
void keepRead(SelectedObjects& selected, const ExtractionEngine& engine) {
  const std::unordered_set<CString> read = readHandles(engine);
  std::erase_if(selected.handles, [&read](const CString& handle) { return !read.count(handle); });
  selected.kinds.clear();
  for (int kind : engine.presentObjectKinds()) selected.kinds.insert(engine.catalogue.kindName(kind));
}

}  // namespace

ExtractionEngine extractSelection(const SelectionSet& set, std::int32_t length, const PropertyCatalogue& catalogue,
                                  SelectedObjects& selected) {
  selected.handles = selectionHandles(set.name(), length);
  ExtractionEngine engine(set.name(), length, catalogue);
  keepRead(selected, engine);
  return engine;
}

void appendUnlisted(std::vector<CString>& list, const std::vector<CString>& handles) {
  std::unordered_set<CString> listed(list.begin(), list.end());
  for (const CString& handle : handles) {
    if (listed.insert(handle).second) list.push_back(handle);
  }
}
