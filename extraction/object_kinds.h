// The kinds of drawing objects that an extraction reads, listed once in one ordered table
// (object_kind_table.h): each kind's code, the string that names it, the host class whose
// objects (those of derived classes too) are of the kind, the catalogue list of its own
// properties and their texts, whether it offers the common "Thickness", the category filters
// its properties bring, its place in the order the wizard lists kinds in and its list's place
// among the geometric ones. Every pass over the kinds walks this table or looks a kind up in
// it: a new kind is one entry there, and its record with the engine (kind_records.h).
#pragma once
#include <cstddef>
#include <span>
#include <vector>

#include "extraction/property_lists.h"
#include "platform/win/win32_types.h"

class OvRxClass;
class OvRxObject;
class PropertyCatalogue;
struct PropertyItem;

// The kinds' codes: the position of each in the table, counted from 1.
enum ObjectKind {
  kKindBlock = 1,
  kKindLine = 2,
  kKindPolyline = 3,
  kKindArc = 4,
  kKindCircle = 5,
  kKindSolid = 6,
  kKindSolid3d = 7,
  kKindPoint = 8,
  kKindMText = 9,
};
// How many kinds there are (the last code): the kinds' table and every table kept kind by
// kind have this many entries.
inline constexpr std::size_t kObjectKindCount = kKindMText;

struct ObjectKindInfo {
  ObjectKind code;
  UINT nameId;                      // the string-table text that names the kind
  const OvRxClass* (*hostClass)();  // the host's run-time class of its objects
  // The catalogue list of its own properties, and the texts it is loaded from; null and
  // empty for a kind that has none.
  std::vector<PropertyItem> PropertyCatalogue::*items;
  std::span<const PropertyText> properties;
  bool offersThickness;  // its rows offer the general list's "Thickness"
  unsigned filters;      // the category filters it brings, bit c for category c
  int wizardPlace;       // 1 for the kind the wizard lists first, and so on
  // 1 for the kind whose list comes first in the catalogue's geometricItems, and so on;
  // kNotGeometric for a kind whose list is not there.
  int geometricPlace;

  // The kind's index in the table, and in every list kept kind by kind (the catalogue's names).
  constexpr std::size_t slot() const { return static_cast<std::size_t>(code) - 1; }
  constexpr bool bringsFilter(int category) const { return (filters >> category) & 1u; }
};

// The geometric place of a kind whose list the catalogue's geometricItems does not hold.
inline constexpr int kNotGeometric = -1;

// Every kind, in the order of their codes.
std::span<const ObjectKindInfo> objectKinds();
// Every kind, in the order the wizard lists them.
std::span<const ObjectKindInfo* const> objectKindsInWizardOrder();
// The kinds whose lists the catalogue's geometricItems joins, in the order it joins them.
std::span<const ObjectKindInfo* const> objectKindsInGeometricItems();
// The kind of the code; null when no kind has the code.
const ObjectKindInfo* findObjectKind(int code);
// The kind whose host class the object is of; null for an object of no kind.
const ObjectKindInfo* objectKindOf(const OvRxObject* object);
