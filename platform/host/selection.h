// Selection sets and entity names of the host editor. Both are pairs of long integers:
// an entity name is (database serial, handle), a selection set (set number, 0).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/host/host_status.h"

// Makes a selection set. Mode "A" takes every entity of the working drawing's model space;
// without a mode the user picks, which the pick handler answers. RTNORM, or RTERROR when
// nothing was selected, the mode is unknown or a filter list is given (the stand-in takes
// none), RTCAN when the pick was cancelled.
int ovedSSGet(const wchar_t* mode, const void* point1, const void* point2, const OvResBuf* filter, ov_name set);
int ovedSSLength(const ov_name set, std::int32_t* length);
int ovedSSName(const ov_name set, std::int32_t index, ov_name entity);
int ovedSSFree(const ov_name set);

// Entity names over model space of the working drawing, in drawing order; erased
// entities are skipped. ovdbEntNext of no name (null, or a first word of 0) gives the
// first entity; ovdbEntLast of an empty drawing gives the name (0, 0) and RTERROR.
int ovdbEntLast(ov_name entity);
int ovdbEntNext(const ov_name entity, ov_name next);
Ovis::ErrorStatus ovdbGetObjectId(OvDbObjectId& id, const ov_name entity);
Ovis::ErrorStatus ovdbGetOvName(ov_name entity, const OvDbObjectId& id);

namespace HostSelection {
// Answers an interactive pick: fills the picked ids and returns RTNORM, or RTCAN when the
// user cancels. Until one is set an interactive pick throws std::logic_error.
using PickHandler = std::function<int(std::vector<OvDbObjectId>& picked)>;
void setPickHandler(PickHandler handler);
int liveSets();  // selection sets not yet freed
}  // namespace HostSelection
