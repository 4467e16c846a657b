#include "extraction/object_kinds.h"

#include <algorithm>
#include <array>

#include "extraction/property_catalogue.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "res/resource_ids.h"

namespace {

constexpr unsigned filtersOf(std::initializer_list<int> categories) {
  unsigned filters = 0;
  for (int category : categories) filters |= 1u << category;
  return filters;
}

constexpr unsigned kGeneral = filtersOf({kCategoryGeneral});
constexpr unsigned kGeometric = filtersOf({kCategoryGeneral, kCategoryGeometry});
constexpr unsigned kMisc = filtersOf({kCategoryMisc});
constexpr unsigned kText = filtersOf({kCategoryText});

using C = PropertyCatalogue;

// Blocks have no general list, hence no "Thickness"; their attribute and dynamic-block
// filters come with the tags their references carry. 3D solids and multiline texts offer
// the general list without "Thickness"; solids and 3D solids have no list of their own.
constexpr ObjectKindInfo kKinds[] = {
    {kKindBlock, IDS_KIND_BLOCK, &OvDbBlockReference::desc, &C::blockRefItems, false, kGeometric | kMisc, 9},
    {kKindLine, IDS_KIND_LINE, &OvDbLine::desc, &C::lineItems, true, kGeometric, 1},
    {kKindPolyline, IDS_KIND_POLYLINE, &OvDbPolyline::desc, &C::polylineItems, true, kGeometric | kMisc, 2},
    {kKindArc, IDS_KIND_ARC, &OvDbArc::desc, &C::arcItems, true, kGeometric, 3},
    {kKindCircle, IDS_KIND_CIRCLE, &OvDbCircle::desc, &C::circleItems, true, kGeometric, 4},
    {kKindSolid, IDS_KIND_SOLID, &OvDbSolid::desc, nullptr, true, kGeometric, 5},
    {kKindSolid3d, IDS_KIND_3D_SOLID, &OvDb3dSolid::desc, nullptr, false, kGeneral, 6},
    {kKindPoint, IDS_KIND_POINT, &OvDbPoint::desc, &C::pointItems, true, kGeometric, 7},
    {kKindMText, IDS_KIND_MTEXT, &OvDbMText::desc, &C::mtextItems, false, kGeometric | kText, 8},
};
constexpr std::size_t kKindCount = std::size(kKinds);
static_assert(kKindCount == kObjectKindCount, "every code of the enumeration has its entry");

constexpr bool codesArePlaces() {
  for (std::size_t i = 0; i < kKindCount; ++i) {
    if (kKinds[i].slot() != i) return false;
  }
  return true;
}
static_assert(codesArePlaces(), "each kind's code is its place in the table, counted from 1");

constexpr bool wizardPlacesAreAPermutation() {
  for (std::size_t place = 1; place <= kKindCount; ++place) {
    if (std::count_if(std::begin(kKinds), std::end(kKinds),
                      [place](const ObjectKindInfo& kind) { return kind.wizardPlace == static_cast<int>(place); }) != 1)
      return false;
  }
  return true;
}
static_assert(wizardPlacesAreAPermutation(), "every kind has its own place in the wizard's order");

constexpr std::array<const ObjectKindInfo*, kKindCount> kWizardOrder = [] {
  std::array<const ObjectKindInfo*, kKindCount> kinds{};
  for (const ObjectKindInfo& kind : kKinds) kinds[static_cast<std::size_t>(kind.wizardPlace) - 1] = &kind;
  return kinds;
}();

}  // namespace

std::span<const ObjectKindInfo> objectKinds() { return kKinds; }

std::span<const ObjectKindInfo* const> objectKindsInWizardOrder() { return kWizardOrder; }

const ObjectKindInfo* findObjectKind(int code) {
  if (code < 1 || static_cast<std::size_t>(code) > kKindCount) return nullptr;
  return &kKinds[static_cast<std::size_t>(code) - 1];
}

const ObjectKindInfo* objectKindOf(const OvRxObject* object) {
  for (const ObjectKindInfo& kind : kKinds) {
    if (object->isKindOf(kind.hostClass())) return &kind;
  }
  return nullptr;
}
