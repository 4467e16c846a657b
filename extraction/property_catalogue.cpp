#include "extraction/property_catalogue.h"

#include <algorithm>
#include <cassert>

#include "extraction/res_strings.h"
#include "res/resource_ids.h"

namespace {

// The text in the language, or (language 0) in the session's language.
CString loadText(UINT id, LANGID language) { return language ? LoadResString(id, language) : LoadResString(id); }

std::vector<PropertyItem> loadItemsIn(LANGID language, std::span<const PropertyText> texts) {
  std::vector<PropertyItem> items;
  items.reserve(texts.size());
  for (const PropertyText& t : texts) items.emplace_back(loadText(t.id, language), t.category, t.total);
  return items;
}

PropertyItem loadItem(LANGID language, UINT id, int category, bool total) {
  return {loadText(id, language), category, total};
}

const std::vector<PropertyItem>& noItems() {
  static const std::vector<PropertyItem> none;
  return none;
}

}  // namespace

PropertyCatalogue::PropertyCatalogue() : PropertyCatalogue(0) {}

PropertyCatalogue::PropertyCatalogue(LANGID language)
    : objectTypeItem(loadItem(language, IDS_PROP_OBJECT_TYPE, kCategoryGeneral, /*total=*/false)),
      quantityItem(loadItem(language, IDS_PROP_QUANTITY, kCategoryGeneral, /*total=*/true)),
      blockPreviewItem(loadItem(language, IDS_PROP_BLOCK_PREVIEW, kCategoryGeneral, /*total=*/false)),
      blockNameItem(loadItem(language, IDS_PROP_BLOCK_NAME, kCategoryGeneral, /*total=*/false)) {
  for (const ObjectKindInfo& kind : objectKinds()) {
    typeNames.push_back(loadText(kind.nameId, language));
    if (kind.items) this->*kind.items = loadItemsIn(language, kind.properties);
  }
  generalItems = loadItemsIn(language, kGeneralProperties);
  for (const ObjectKindInfo* kind : objectKindsInGeometricItems()) {
    const std::vector<PropertyItem>& items = kindItems(*kind);
    geometricItems.insert(geometricItems.end(), items.begin(), items.end());
  }
}

CString PropertyCatalogue::kindName(int kind) const {
  const ObjectKindInfo* known = findObjectKind(kind);
  return known ? kindName(*known) : CString();
}

const ObjectKindInfo* PropertyCatalogue::findKind(const CString& name) const {
  const auto slot = static_cast<std::size_t>(std::find(typeNames.begin(), typeNames.end(), name) - typeNames.begin());
  return slot < objectKinds().size() ? &objectKinds()[slot] : nullptr;
}

const std::vector<PropertyItem>& PropertyCatalogue::kindItems(int kind) const {
  const ObjectKindInfo* known = findObjectKind(kind);
  assert(known && "a record's kind is one of the table's");
  return known ? kindItems(*known) : noItems();
}

const std::vector<PropertyItem>& PropertyCatalogue::kindItems(const ObjectKindInfo& kind) const {
  return kind.items ? this->*kind.items : noItems();
}
