// The kinds of drawing objects that an extraction reads, listed once in one ordered table:
// each kind's code, the string that names it, the host class whose objects (those of derived
// classes too) are of the kind, the catalogue list of its own properties, whether it offers
// the common "Thickness", the category filters its properties bring and its place in the
// order the wizard lists kinds in. Every pass over the kinds walks this table or looks a kind
// up in it: a new kind is one entry here, and its record with the engine (kind_records.h).
#pragma once
#include <cstddef>
#include <span>
#include <vector>

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
  // The catalogue list of its own properties; null for a kind that has none.
  std::vector<PropertyItem> PropertyCatalogue::*items;
  bool offersThickness;  // its rows offer the general list's "Thickness"
  unsigned filters;      // the category filters it brings, bit c for category c
  int wizardPlace;       // 1 for the kind the wizard lists first, and so on

  // The kind's index in the table, and in every list kept kind by kind (the catalogue's names).
  constexpr std::size_t slot() const { return static_cast<std::size_t>(code) - 1; }
  constexpr bool bringsFilter(int category) const { return (filters >> category) & 1u; }
};

// Every kind, in the order of their codes.
std::span<const ObjectKindInfo> objectKinds();
// Every kind, in the order the wizard lists them.
std::span<const ObjectKindInfo* const> objectKindsInWizardOrder();
// The kind of the code; null when no kind has the code.
const ObjectKindInfo* findObjectKind(int code);
// The kind whose host class the object is of; null for an object of no kind.
const ObjectKindInfo* objectKindOf(const OvRxObject* object);
