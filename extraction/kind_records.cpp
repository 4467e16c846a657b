#include "extraction/kind_records.h"

#include <cassert>
#include <iterator>
#include <type_traits>
#include <utility>

#include "extraction/extraction_engine.h"
#include "extraction/object_kind_table.h"
#include "extraction/row_context.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"

namespace {

// The host class that an extractor of the engine reads.
template <typename>
struct ExtractorHost;
template <typename Host>
struct ExtractorHost<void (ExtractionEngine::*)(Host*, CString)> {
  using type = Host;
};

// Reads the entity through the engine's extractor of its host class. The kinds' table and
// this one name the same class for a kind; an entity of another class is a programming error.
template <auto Extract>
void extractAs(ExtractionEngine& engine, OvDbEntity* entity, const OvDbObjectId&, CString handle) {
  using Host = typename ExtractorHost<decltype(Extract)>::type;
  Host* object = Host::cast(entity);
  assert(object && "the entity is of the kind's host class");
  if (object) (engine.*Extract)(object, std::move(handle));
}

// A block reference's record also keeps the reference's id.
void extractBlock(ExtractionEngine& engine, OvDbEntity* entity, const OvDbObjectId& id, CString handle) {
  OvDbBlockReference* reference = OvDbBlockReference::cast(entity);
  assert(reference && "the entity is a block reference");
  if (reference) engine.extractBlockReference(reference, id, std::move(handle));
}

template <auto Records>
std::size_t countOf(const ExtractionEngine& engine) {
  return (engine.*Records).size();
}

template <auto Records>
const BaseEnt& recordOf(const ExtractionEngine& engine, std::size_t i) {
  return (engine.*Records)[i];
}

template <auto Records>
void rowsOf(const ExtractionEngine& engine, RowContext& context, const ObjectKindInfo& kind) {
  context.buildRowsForType(engine.*Records, kind);
}

// The record type of the engine's vector Records.
template <auto Records>
using RecordIn = typename std::remove_cvref_t<decltype(std::declval<const ExtractionEngine&>().*Records)>::value_type;

// The entry of the kind Code, whose records the engine keeps in the vector Records. Its
// records give one value for each item of the kind's list, which names them.
template <auto Records, ObjectKind Code>
constexpr KindRecords recordsIn(decltype(KindRecords::extract) extract) {
  static_assert(RecordIn<Records>::kPropertyCount == object_kind_table::kKinds[Code - 1].properties.size(),
                "the kind's records give as many values as its list has items");
  return {Code, extract, countOf<Records>, recordOf<Records>, rowsOf<Records>};
}

using E = ExtractionEngine;

constexpr KindRecords kRecords[] = {
    recordsIn<&E::blockRefs, kKindBlock>(extractBlock),
    recordsIn<&E::lines, kKindLine>(extractAs<&E::extractLine>),
    recordsIn<&E::polylines, kKindPolyline>(extractAs<&E::extractPolyline>),
    recordsIn<&E::arcs, kKindArc>(extractAs<&E::extractArc>),
    recordsIn<&E::circles, kKindCircle>(extractAs<&E::extractCircle>),
    recordsIn<&E::solids, kKindSolid>(extractAs<&E::extractSolid>),
    recordsIn<&E::solids3d, kKindSolid3d>(extractAs<&E::extract3dSolid>),
    recordsIn<&E::points, kKindPoint>(extractAs<&E::extractPoint>),
    recordsIn<&E::mtexts, kKindMText>(extractAs<&E::extractMText>),
};

constexpr bool inCodeOrder() {
  for (std::size_t i = 0; i < std::size(kRecords); ++i) {
    if (static_cast<std::size_t>(kRecords[i].code) != i + 1) return false;
  }
  return true;
}
static_assert(std::size(kRecords) == kObjectKindCount, "every kind has its records");
static_assert(inCodeOrder(), "the entries follow the kinds' table, in the order of the codes");

}  // namespace

const KindRecords& kindRecords(const ObjectKindInfo& kind) { return kRecords[kind.slot()]; }
