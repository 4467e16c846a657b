#include "extraction/entity_records.h"

#include "extraction/res_strings.h"
#include "platform/host/db_hyperlink.h"

CString BaseEnt::kindName(const std::vector<CString>& typeNames) const {
  if (kind < 1 || kind > 9 || static_cast<std::size_t>(kind) > typeNames.size()) return CString();
  return typeNames[static_cast<std::size_t>(kind - 1)];
}

std::vector<PropertyPair> GeomEnt::commonProperties(const std::vector<PropertyItem>& generalItems) const {
  return namedPairs(generalItems, {props.layer, props.color, formatNumber(props.linetypeScale),
                                   formatNumber(props.thickness), props.lineWeight,
                                   props.hyperlinks.empty() ? CString() : props.hyperlinks.front(), props.plotStyle,
                                   props.linetype});
}

std::vector<PropertyPair> namedPairs(const std::vector<PropertyItem>& items, const std::vector<CString>& values) {
  std::vector<PropertyPair> pairs;
  std::size_t n = std::min(items.size(), values.size());
  pairs.reserve(n);
  for (std::size_t i = 0; i < n; ++i) pairs.push_back({items[i].name, values[i]});
  return pairs;
}

CString colorToText(std::uint16_t color) {
  if (color == 256) return LoadResString(190);
  if (color == 0) return LoadResString(191);
  return formatInteger(color);
}

void localizeByLayerByBlock(CString& text) {
  if (text.CompareNoCase(L"ByLayer") == 0) text = LoadResString(190);
  else if (text.CompareNoCase(L"ByBlock") == 0) text = LoadResString(191);
}

std::vector<CString> readHyperlink(OvDbEntity* entity) {
  std::vector<CString> names;
  auto* extension = static_cast<OvDbEntityHyperlinkPE*>(entity->x(OvDbEntityHyperlinkPE::desc()));
  if (!extension) return names;
  bool has = false;
  if (extension->hasHyperlink(entity, has, true) != Ovis::eOk || !has) return names;
  OvDbHyperlinkCollection* collection = nullptr;
  if (extension->getHyperlinkCollection(entity, collection, false, true) != Ovis::eOk || !collection) return names;
  for (int i = 0; i < collection->count(); ++i) names.emplace_back(collection->item(i)->name());
  delete collection;
  return names;
}
