#include "extraction/object_kinds.h"

#include <array>

#include "extraction/object_kind_table.h"

namespace {

using object_kind_table::kKindCount;
using object_kind_table::kKinds;

// The kinds that give themselves a place (1 or more), in the order of their places.
template <std::size_t Count, typename PlaceOf>
constexpr std::array<const ObjectKindInfo*, Count> inPlaceOrder(PlaceOf placeOf) {
  std::array<const ObjectKindInfo*, Count> kinds{};
  for (const ObjectKindInfo& kind : kKinds) {
    if (placeOf(kind) > 0) kinds[static_cast<std::size_t>(placeOf(kind)) - 1] = &kind;
  }
  return kinds;
}

constexpr auto kWizardOrder = inPlaceOrder<kKindCount>([](const ObjectKindInfo& kind) { return kind.wizardPlace; });
constexpr auto kGeometricOrder = inPlaceOrder<object_kind_table::geometricPlaceCount()>(
    [](const ObjectKindInfo& kind) { return kind.geometricPlace; });

}  // namespace

std::span<const ObjectKindInfo> objectKinds() { return kKinds; }

std::span<const ObjectKindInfo* const> objectKindsInWizardOrder() { return kWizardOrder; }

std::span<const ObjectKindInfo* const> objectKindsInGeometricItems() { return kGeometricOrder; }

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
