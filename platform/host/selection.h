// Selection sets and entity names of the host editor. Both are pairs of long integers:
// an entity name is (database serial, handle), a selection set (set number, 0).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/host/host_status.h"

// Makes a selection set. Mode "A" takes every entity of the working drawing's model space;
// without a mode the user picks objects, with ":S" one object. A filter list may name the
// admitted object types (RTDXF0 items, each a type name such as "ACAD_TABLE" or a comma-
// separated list, compared ignoring case); other filter items give RTERROR. Picks are
// answered by the pick handler when one is set (a hook for tests of the drawing), else by
// the input driver (StandIn::InputDriver::AnswerPick), which is legal only while a
// dialog's editor command is active (std::logic_error otherwise). RTNORM, RTERROR when
// nothing was selected (picked objects that the filter refuses are not selected) or the
// mode is unknown, RTCAN when the pick was cancelled.
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
// Answers an interactive pick in place of the input driver: fills the picked ids and
// returns RTNORM, or RTCAN when the user cancels. Null hands picks back to the driver.
using PickHandler = std::function<int(std::vector<OvDbObjectId>& picked)>;
void setPickHandler(PickHandler handler);
int liveSets();  // selection sets not yet freed
// The object type name a filter compares ("LINE", "ACAD_TABLE", ...), empty when unknown.
std::wstring typeNameOf(const OvDbObjectId& id);
}  // namespace HostSelection
