#include "platform/host/selection.h"

#include <map>
#include <set>
#include <stdexcept>

#include "platform/host/db_blocks.h"
#include "platform/host/db_database.h"

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
  for (const auto& id : space->entityIds()) {
    if (!id.isErased()) ids.push_back(id);
  }
  space->close();
  return ids;
}

}  // namespace

int ovedSSGet(const wchar_t* mode, const void*, const void*, const OvResBuf* filter, ov_name set) {
  if (!set || filter) return RTERROR;  // the stand-in takes no filter lists
  std::vector<OvDbObjectId> chosen;
  if (!mode) {
    if (!g_pickHandler) throw std::logic_error("ovedSSGet: an interactive pick was asked for and no pick handler is set");
    int status = g_pickHandler(chosen);
    if (status != RTNORM) return status;
  } else if (std::wstring(mode) == L"A") {
    chosen = modelSpaceEntities();
  } else {
    return RTERROR;
  }
  std::vector<OvDbObjectId> selected;
  std::set<OvDbObjectId> seen;
  for (const auto& id : chosen) {
    if (seen.insert(id).second && id.isValid() && !id.isErased()) selected.push_back(id);
  }
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
}  // namespace HostSelection
