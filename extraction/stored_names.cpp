#include "extraction/stored_names.h"

#include <vector>

#include "res/module_resources.h"

namespace {

using Names = std::vector<CString>;

// Every property name of a catalogue, in an order that the catalogues of all languages share:
// the fixed items, the general list, then the kinds' own lists in the wizard's order.
Names propertyNames(const PropertyCatalogue& catalogue) {
  Names names = {catalogue.objectTypeItem.name, catalogue.quantityItem.name, catalogue.blockPreviewItem.name,
                 catalogue.blockNameItem.name};
  auto add = [&names](const std::vector<PropertyItem>& items) {
    for (const PropertyItem& item : items) names.push_back(item.name);
  };
  add(catalogue.generalItems);
  for (const ObjectKindInfo* kind : objectKindsInWizardOrder()) add(catalogue.kindItems(*kind));
  return names;
}

// Reads each name of a language as the session's name in the same place; a name read
// already keeps its first meaning, so that the session's own names mean what they say.
void addLanguage(std::unordered_map<CString, CString>& read, const Names& names, const Names& session) {
  for (size_t i = 0; i < names.size() && i < session.size(); ++i) read.emplace(names[i], session[i]);
}

}  // namespace

StoredNames::StoredNames(const PropertyCatalogue& session) {
  const Names sessionProperties = propertyNames(session);
  addLanguage(kinds_, session.typeNames, session.typeNames);
  addLanguage(properties_, sessionProperties, sessionProperties);
  for (const InterfaceLanguage& language : kInterfaceLanguages) {
    const PropertyCatalogue catalogue(language.language);
    addLanguage(kinds_, catalogue.typeNames, session.typeNames);
    addLanguage(properties_, propertyNames(catalogue), sessionProperties);
  }
}

std::optional<CString> StoredNames::kindName(const CString& stored) const {
  auto found = kinds_.find(stored);
  if (found == kinds_.end()) return std::nullopt;
  return found->second;
}

CString StoredNames::propertyName(const CString& stored) const {
  auto found = properties_.find(stored);
  return found == properties_.end() ? stored : found->second;
}
