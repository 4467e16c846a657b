// The localized vocabulary of an extraction: object kind names, the fixed column items and
// the property lists of every group of properties, all from the string table (the lists'
// texts in property_lists.h, the kinds' in the kinds' table).
#pragma once
#include <set>
#include <vector>

#include "extraction/object_kinds.h"
#include "extraction/property_lists.h"
#include "platform/mfc/cstring.h"

// One property as offered to the user. Items order and compare by name alone.
struct PropertyItem {
  CString name;
  int category = 0;
  bool total = false;
  PropertyItem() = default;
  PropertyItem(const CString& n, int c, bool t) : name(n), category(c), total(t) {}
  bool operator<(const PropertyItem& other) const { return name.Compare(other.name) < 0; }
  bool operator==(const PropertyItem& other) const { return name.Compare(other.name) == 0; }
};

// The offered properties: one item per name, the first inserted of a name kept.
using OfferedPropertyMap = std::set<PropertyItem>;

class PropertyCatalogue {
public:
  PropertyCatalogue();  // in the session's language
  // In one language of the module's string table (a table made in it keeps its names).
  explicit PropertyCatalogue(LANGID language);

  PropertyItem objectTypeItem;
  PropertyItem quantityItem;
  std::vector<CString> typeNames;  // the kinds' names, kind by kind (ObjectKindInfo::slot)
  PropertyItem blockPreviewItem;
  PropertyItem blockNameItem;
  std::vector<PropertyItem> lineItems;
  std::vector<PropertyItem> polylineItems;
  std::vector<PropertyItem> arcItems;
  std::vector<PropertyItem> circleItems;
  std::vector<PropertyItem> pointItems;
  std::vector<PropertyItem> mtextItems;
  std::vector<PropertyItem> generalItems;
  // The lists of the kinds with a geometric place joined in the order of their places (line,
  // polyline, arc, point and circle).
  std::vector<PropertyItem> geometricItems;
  std::vector<PropertyItem> blockRefItems;

  // The kind's name, or an empty text for a code of no kind.
  CString kindName(int kind) const;
  const CString& kindName(const ObjectKindInfo& kind) const { return typeNames[kind.slot()]; }
  // The kind of the name; null for a name of no kind.
  const ObjectKindInfo* findKind(const CString& name) const;
  // The list of the kind's own properties (empty for solids and 3D solids). A code of no
  // kind is a programming error.
  const std::vector<PropertyItem>& kindItems(int kind) const;
  const std::vector<PropertyItem>& kindItems(const ObjectKindInfo& kind) const;
};
