// The kinds' table itself (object_kinds.h says what it holds), with the checks that hold it
// together when it compiles. The kinds' accessors (object_kinds.cpp) serve it to everyone
// else; the engine's records per kind (kind_records.cpp) read it here, so that their counts
// of values are checked against the kinds' lists when they compile.
#pragma once
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <span>

#include "extraction/object_kinds.h"
#include "extraction/property_catalogue.h"
#include "extraction/property_lists.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "res/resource_ids.h"

namespace object_kind_table {

constexpr unsigned filtersOf(std::initializer_list<int> categories) {
  unsigned filters = 0;
  for (int category : categories) filters |= 1u << category;
  return filters;
}

inline constexpr unsigned kGeneral = filtersOf({kCategoryGeneral});
inline constexpr unsigned kGeometric = filtersOf({kCategoryGeneral, kCategoryGeometry});
inline constexpr unsigned kMisc = filtersOf({kCategoryMisc});
inline constexpr unsigned kText = filtersOf({kCategoryText});

using C = PropertyCatalogue;
inline constexpr std::span<const PropertyText> kNoList;

// Blocks have no general list, hence no "Thickness"; their attribute and dynamic-block
// filters come with the tags their references carry. 3D solids and multiline texts offer
// the general list without "Thickness"; solids and 3D solids have no list of their own.
// The geometric lists are joined line, polyline, arc, point, circle.
inline constexpr ObjectKindInfo kKinds[] = {
    // clang-format off
    {kKindBlock, IDS_KIND_BLOCK, &OvDbBlockReference::desc, &C::blockRefItems, kBlockRefProperties,
     false, kGeometric | kMisc, 9, kNotGeometric},
    {kKindLine, IDS_KIND_LINE, &OvDbLine::desc, &C::lineItems, kLineProperties,
     true, kGeometric, 1, 1},
    {kKindPolyline, IDS_KIND_POLYLINE, &OvDbPolyline::desc, &C::polylineItems, kPolylineProperties,
     true, kGeometric | kMisc, 2, 2},
    {kKindArc, IDS_KIND_ARC, &OvDbArc::desc, &C::arcItems, kArcProperties,
     true, kGeometric, 3, 3},
    {kKindCircle, IDS_KIND_CIRCLE, &OvDbCircle::desc, &C::circleItems, kCircleProperties,
     true, kGeometric, 4, 5},
    {kKindSolid, IDS_KIND_SOLID, &OvDbSolid::desc, nullptr, kNoList,
     true, kGeometric, 5, kNotGeometric},
    {kKindSolid3d, IDS_KIND_3D_SOLID, &OvDb3dSolid::desc, nullptr, kNoList,
     false, kGeneral, 6, kNotGeometric},
    {kKindPoint, IDS_KIND_POINT, &OvDbPoint::desc, &C::pointItems, kPointProperties,
     true, kGeometric, 7, 4},
    {kKindMText, IDS_KIND_MTEXT, &OvDbMText::desc, &C::mtextItems, kMTextProperties,
     false, kGeometric | kText, 8, kNotGeometric},
    // clang-format on
};

inline constexpr std::size_t kKindCount = std::size(kKinds);
static_assert(kKindCount == kObjectKindCount, "every code of the enumeration has its entry");

constexpr bool codesArePlaces() {
  for (std::size_t i = 0; i < kKindCount; ++i) {
    if (kKinds[i].slot() != i) return false;
  }
  return true;
}
static_assert(codesArePlaces(), "each kind's code is its place in the table, counted from 1");

// Whether the places that the kinds give themselves (those that give one) are 1, 2, ... each
// once.
template <typename PlaceOf>
constexpr bool placesAreAPermutation(PlaceOf placeOf, std::size_t count) {
  for (std::size_t place = 1; place <= count; ++place) {
    if (std::count_if(std::begin(kKinds), std::end(kKinds),
                      [&](const ObjectKindInfo& kind) { return placeOf(kind) == static_cast<int>(place); }) != 1)
      return false;
  }
  return true;
}

static_assert(placesAreAPermutation([](const ObjectKindInfo& kind) { return kind.wizardPlace; }, kKindCount),
              "every kind has its own place in the wizard's order");

// The geometric places given: each kind gives one or says that it has none.
constexpr std::size_t geometricPlaceCount() {
  std::size_t count = 0;
  for (const ObjectKindInfo& kind : kKinds) count += kind.geometricPlace > 0 ? 1 : 0;
  return count;
}
static_assert(std::all_of(std::begin(kKinds), std::end(kKinds),
                          [](const ObjectKindInfo& kind) {
                            return kind.geometricPlace > 0 || kind.geometricPlace == kNotGeometric;
                          }),
              "every kind gives its list's place in geometricItems, or kNotGeometric");
static_assert(placesAreAPermutation([](const ObjectKindInfo& kind) { return kind.geometricPlace; },
                                    geometricPlaceCount()),
              "each list joined into geometricItems has its own place there");

static_assert(std::all_of(std::begin(kKinds), std::end(kKinds),
                          [](const ObjectKindInfo& kind) {
                            return (kind.items != nullptr) == !kind.properties.empty() &&
                                   (kind.geometricPlace == kNotGeometric || kind.items != nullptr);
                          }),
              "a kind with a catalogue list has the texts it is loaded from, and only such a kind is geometric");

}  // namespace object_kind_table
