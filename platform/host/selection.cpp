#include "platform/host/selection.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <stdexcept>

#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "platform/host/db_table.h"
#include "platform/host/editor_input.h"
#include "platform/win/codepage.h"
#include "platform/win/input_driver.h"

namespace {

std::map<std::int64_t, std::vector<OvDbObjectId>>& liveSetTable() {
  static std::map<std::int64_t, std::vector<OvDbObjectId>> sets;
  return sets;
}
std::int64_t g_nextSet = 1;
HostSelection::PickHandler g_pickHandler;

const std::vector<OvDbObjectId>* findSet(const ov_name set) {
  if (!set) return nullptr;
  auto it = liveSetTable().find(set[0]);
  return it == liveSetTable().end() ? nullptr : &it->second;
}

// Model space's entities of the working drawing, in drawing order, erased ones left out.
std::vector<OvDbObjectId> modelSpaceEntities() {
  std::vector<OvDbObjectId> ids;
  OvDbDatabase* db = ovdbHostApplicationServices()->workingDatabase();
  if (!db) return ids;
  OvDbBlockTableRecord* space = nullptr;
  if (ovdbOpenObject(space, db->modelSpaceId(), Ovis::kForRead) != Ovis::eOk) return ids;
  struct Close {  // also when the list runs out of memory
    OvDbObject* object;
    ~Close() { object->close(); }
  } close{space};
  for (const auto& id : space->entityIds()) {
    if (!id.isErased()) ids.push_back(id);
  }
  return ids;
}

std::wstring upper(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// The type names a filter list admits; false for a filter the stand-in does not know.
bool filterTypes(const OvResBuf* filter, std::vector<std::wstring>& types) {
  for (const OvResBuf* item = filter; item; item = item->rbnext) {
    if ((item->restype != RTDXF0 && item->restype != 0) || !item->resval.rstring) return false;
    std::wstring list = item->resval.rstring;
    size_t start = 0;
    while (start <= list.size()) {
      size_t comma = list.find(L',', start);
      if (comma == std::wstring::npos) comma = list.size();
      std::wstring name = list.substr(start, comma - start);
      size_t a = name.find_first_not_of(L' ');
      if (a != std::wstring::npos) types.push_back(upper(name.substr(a, name.find_last_not_of(L' ') - a + 1)));
      start = comma + 1;
    }
  }
  return true;
}

bool admitted(const OvDbObjectId& id, const std::vector<std::wstring>& types) {
  if (types.empty()) return true;
  std::wstring type = HostSelection::typeNameOf(id);
  for (const auto& t : types)
    if (t == type || t == L"*") return true;
  return false;
}

// The objects a person picked, as the driver answers; RTCAN for Escape.
int askDriver(bool single, const std::vector<std::wstring>& types, std::vector<OvDbObjectId>& chosen) {
  HostEditorInput::requireDialogCommand("an interactive ovedSSGet");
  StandIn::PickRequest request;
  request.dialogId = HostEditorInput::activeDialogId();
  request.single = single;
  request.types = types;
  StandIn::PickAnswer answer = StandIn::CurrentInputDriver().AnswerPick(request);
  switch (answer.kind) {
    case StandIn::PickAnswer::Cancel: return RTCAN;
    case StandIn::PickAnswer::Nothing: return RTNORM;
    case StandIn::PickAnswer::All: chosen = modelSpaceEntities(); return RTNORM;
    case StandIn::PickAnswer::Handles: break;
  }
  std::vector<OvDbObjectId> space = modelSpaceEntities();
  for (const std::wstring& text : answer.handles) {
    OvDbHandle handle(text.c_str());
    auto it = std::find_if(space.begin(), space.end(),
                           [&](const OvDbObjectId& id) { return !handle.isNull() && id.handle() == handle; });
    if (it == space.end())
      throw StandIn::InputScriptError(StandIn::DescribePick(request) + ": the drawing has no object with handle " +
                                      WideToUtf8(text) + " to pick");
    chosen.push_back(*it);
  }
  if (single && chosen.size() > 1)
    throw StandIn::InputScriptError(StandIn::DescribePick(request) + " takes one object, the script picks " +
                                    std::to_string(chosen.size()));
  return RTNORM;
}

}  // namespace

int ovedSSGet(const wchar_t* mode, const void*, const void*, const OvResBuf* filter, ov_name set) {
  if (!set) return RTERROR;
  std::vector<std::wstring> types;
  if (!filterTypes(filter, types)) return RTERROR;
  std::wstring how = mode ? mode : L"";
  std::vector<OvDbObjectId> chosen;
  if (how.empty() || how == L":S") {
    int status = g_pickHandler ? g_pickHandler(chosen) : askDriver(how == L":S", types, chosen);
    if (status != RTNORM) return status;
  } else if (how == L"A") {
    chosen = modelSpaceEntities();
  } else {
    return RTERROR;
  }
  std::vector<OvDbObjectId> selected;
  std::set<OvDbObjectId> seen;
  for (const auto& id : chosen) {
    if (id.isValid() && !id.isErased() && admitted(id, types) && seen.insert(id).second) selected.push_back(id);
  }
  if (how == L":S" && selected.size() > 1) selected.resize(1);
  if (selected.empty()) return RTERROR;
  set[0] = g_nextSet++;
  set[1] = 0;
  liveSetTable()[set[0]] = std::move(selected);
  return RTNORM;
}

int ovedSSLength(const ov_name set, std::int32_t* length) {
  const auto* ids = findSet(set);
  if (!ids || !length) return RTERROR;
  *length = static_cast<std::int32_t>(ids->size());
  return RTNORM;
}

int ovedSSName(const ov_name set, std::int32_t index, ov_name entity) {
  const auto* ids = findSet(set);
  if (!ids || !entity || index < 0 || static_cast<std::size_t>(index) >= ids->size()) return RTERROR;
  const OvDbObjectId& id = (*ids)[static_cast<std::size_t>(index)];
  return ovdbGetOvName(entity, id) == Ovis::eOk ? RTNORM : RTERROR;
}

int ovedSSFree(const ov_name set) {
  if (!set || !liveSetTable().erase(set[0])) return RTERROR;
  return RTNORM;
}

int ovdbEntLast(ov_name entity) {
  if (!entity) return RTERROR;
  entity[0] = entity[1] = 0;
  std::vector<OvDbObjectId> ids = modelSpaceEntities();
  if (ids.empty()) return RTERROR;
  return ovdbGetOvName(entity, ids.back()) == Ovis::eOk ? RTNORM : RTERROR;
}

int ovdbEntNext(const ov_name entity, ov_name next) {
  if (!next) return RTERROR;
  OvDbDatabase* db = ovdbHostApplicationServices()->workingDatabase();
  if (!db) return RTERROR;
  OvDbBlockTableRecord* space = nullptr;
  if (ovdbOpenObject(space, db->modelSpaceId(), Ovis::kForRead) != Ovis::eOk) return RTERROR;
  const auto& ids = space->entityIds();
  long from = 0;
  if (entity && entity[0] != 0) {
    OvDbObjectId current;
    long at = ovdbGetObjectId(current, entity) == Ovis::eOk ? space->indexOf(current) : -1;
    if (at < 0) {
      space->close();
      return RTERROR;
    }
    from = at + 1;
  }
  OvDbObjectId found;
  for (auto i = static_cast<std::size_t>(from); i < ids.size() && found.isNull(); ++i) {
    if (!ids[i].isErased()) found = ids[i];
  }
  space->close();
  if (found.isNull()) return RTERROR;
  return ovdbGetOvName(next, found) == Ovis::eOk ? RTNORM : RTERROR;
}

Ovis::ErrorStatus ovdbGetObjectId(OvDbObjectId& id, const ov_name entity) {
  id = OvDbObjectId();
  if (!entity || entity[0] <= 0 || entity[1] <= 0) return Ovis::eInvalidInput;
  OvDbObjectId candidate(static_cast<std::uint32_t>(entity[0]), static_cast<std::uint64_t>(entity[1]));
  if (!candidate.isValid()) return Ovis::eInvalidInput;
  id = candidate;
  return Ovis::eOk;
}

Ovis::ErrorStatus ovdbGetOvName(ov_name entity, const OvDbObjectId& id) {
  if (!entity) return Ovis::eInvalidInput;
  if (!id.isValid()) return Ovis::eInvalidObjectId;
  entity[0] = id.databaseSerial();
  entity[1] = static_cast<std::int64_t>(id.handle().value());
  return Ovis::eOk;
}

namespace HostSelection {
void setPickHandler(PickHandler handler) { g_pickHandler = std::move(handler); }
int liveSets() { return static_cast<int>(liveSetTable().size()); }

std::wstring typeNameOf(const OvDbObjectId& id) {
  OvDbDatabase* db = OvDbDatabase::fromSerial(id.databaseSerial());
  OvDbObject* object = db ? db->objectAt(id.handle().value()) : nullptr;
  if (!object) return L"";
  // Most derived first: the first class the object is of names its type.
  static const std::pair<const OvRxClass* (*)(), const wchar_t*> kTypes[] = {{&OvDbTable::desc, L"ACAD_TABLE"},
                                                                             {&OvDbAttribute::desc, L"ATTRIB"},
                                                                             {&OvDbBlockReference::desc, L"INSERT"},
                                                                             {&OvDbLine::desc, L"LINE"},
                                                                             {&OvDbArc::desc, L"ARC"},
                                                                             {&OvDbCircle::desc, L"CIRCLE"},
                                                                             {&OvDbPolyline::desc, L"LWPOLYLINE"},
                                                                             {&OvDb2dPolyline::desc, L"POLYLINE"},
                                                                             {&OvDb3dSolid::desc, L"3DSOLID"},
                                                                             {&OvDbSolid::desc, L"SOLID"},
                                                                             {&OvDbPoint::desc, L"POINT"},
                                                                             {&OvDbMText::desc, L"MTEXT"}};
  for (const auto& [desc, name] : kTypes)
    if (object->isKindOf(desc())) return name;
  return L"";
}
}  // namespace HostSelection
