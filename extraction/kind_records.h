// What the extraction engine keeps of each object kind: how an object of the kind's host
// class becomes its record, and how the kind's records are counted, read and built into
// rows. One entry per entry of the kinds' table (object_kinds.h), in the same order; a kind's
// records give one value for each item of its list, checked when the entries compile.
#pragma once
#include <cstddef>

#include "extraction/object_kinds.h"
#include "platform/mfc/cstring.h"

class BaseEnt;
class ExtractionEngine;
class OvDbEntity;
class OvDbObjectId;
class RowContext;

struct KindRecords {
  ObjectKind code;
  // Reads the entity (open for read, of the kind's host class) into a record of the kind.
  void (*extract)(ExtractionEngine& engine, OvDbEntity* entity, const OvDbObjectId& id, CString handle);
  std::size_t (*count)(const ExtractionEngine& engine);
  // Record i of the kind, in extraction order (i below count).
  const BaseEnt& (*record)(const ExtractionEngine& engine, std::size_t i);
  // A row for each record of the kind, in extraction order.
  void (*buildRows)(const ExtractionEngine& engine, RowContext& context, const ObjectKindInfo& kind);
};

const KindRecords& kindRecords(const ObjectKindInfo& kind);
