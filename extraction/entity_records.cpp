#include "extraction/entity_records.h"

#include <iterator>
#include <memory>

#include "extraction/res_strings.h"
#include "platform/host/db_hyperlink.h"
#include "res/resource_ids.h"

CString BaseEnt::kindName(const std::vector<CString>& typeNames) const {
  const ObjectKindInfo* known = findObjectKind(kind);
  if (!known || known->slot() >= typeNames.size()) return CString();
  return typeNames[known->slot()];
}

static_assert(std::size(kGeneralProperties) == GeomEnt::kCommonCount, "the general list names each common value");

std::vector<PropertyPair> GeomEnt::commonProperties(const std::vector<PropertyItem>& generalItems) const {
  return namedPairs(generalItems, kCommonCount, [this](std::size_t i) { return commonValue(i); });
}

CString GeomEnt::commonValue(std::size_t i) const {
  switch (i) {
    case 0: return props.layer;
    case 1: return props.color;
    case 2: return formatNumber(props.linetypeScale);
    case 3: return formatNumber(props.thickness);
    case 4: return props.lineWeight;
    case 5: return props.hyperlinks.empty() ? CString() : props.hyperlinks.front();
    case 6: return props.plotStyle;
    case 7: return props.linetype;
    default: return CString();
  }
}

ByLayerTexts ByLayerTexts::load() {
  return {LoadResString(IDS_BY_LAYER), LoadResString(IDS_BY_BLOCK), LoadResString(IDS_BY_DEFAULT)};
}

CString colorToText(std::uint16_t color) { return colorToText(color, ByLayerTexts::load()); }

CString colorToText(std::uint16_t color, const ByLayerTexts& texts) {
  if (color == 256) return texts.byLayer;
  if (color == 0) return texts.byBlock;
  return formatInteger(color);
}

void localizeByLayerByBlock(CString& text) { localizeByLayerByBlock(text, ByLayerTexts::load()); }

namespace {

// CompareNoCase(name) == 0 for a name of ASCII letters. A text of ASCII characters is
// compared here, letters folded as the case mapping folds them; any other goes to
// CompareNoCase, whose mapping may take a character outside ASCII to a letter of the name.
bool equalsNoCase(const CString& text, const wchar_t* name) {
  const wchar_t* p = text.GetString();
  for (const wchar_t* q = p; *q; ++q) {
    if (static_cast<unsigned long>(*q) > 0x7F) return text.CompareNoCase(name) == 0;
  }
  auto lower = [](wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch; };
  for (; *p && *name; ++p, ++name) {
    if (lower(*p) != lower(*name)) return false;
  }
  return *p == *name;
}

}  // namespace

void localizeByLayerByBlock(CString& text, const ByLayerTexts& texts) {
  // Both names are seven characters long: a text that is not (up to its first null, where
  // the comparison stops) needs no comparison.
  constexpr int kLength = 7;
  if (text.GetLength() < kLength || (text.GetLength() > kLength && text.GetString()[kLength] != L'\0')) return;
  if (equalsNoCase(text, L"ByLayer")) text = texts.byLayer;
  else if (equalsNoCase(text, L"ByBlock")) text = texts.byBlock;
}

std::vector<CString> readHyperlink(OvDbEntity* entity) {
  std::vector<CString> names;
  auto* extension = static_cast<OvDbEntityHyperlinkPE*>(entity->x(OvDbEntityHyperlinkPE::desc()));
  if (!extension) return names;
  bool has = false;
  if (extension->hasHyperlink(entity, has, /*ignoreBlockDefinition=*/true) != Ovis::eOk || !has) return names;
  OvDbHyperlinkCollection* handed = nullptr;
  const Ovis::ErrorStatus collected =
      extension->getHyperlinkCollection(entity, handed, /*oneOnly=*/false, /*ignoreBlockDefinition=*/true);
  const std::unique_ptr<OvDbHyperlinkCollection> collection(handed);  // ours to delete, on every way out
  if (collected != Ovis::eOk || !collection) return names;
  for (int i = 0; i < collection->count(); ++i) names.emplace_back(collection->item(i)->name());
  return names;
}
