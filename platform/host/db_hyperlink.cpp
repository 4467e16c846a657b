#include "platform/host/db_hyperlink.h"

#include <memory>

OVRX_DEFINE_MEMBERS(OvDbEntityHyperlinkPE, OvRxObject)

OvDbHyperlink* OvDbHyperlinkCollection::item(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return const_cast<OvDbHyperlink*>(&links_[static_cast<std::size_t>(index)]);
}

void OvDbHyperlinkCollection::addTail(const wchar_t* name, const wchar_t* description, const wchar_t* subLocation) {
  links_.emplace_back(name ? name : L"", description ? description : L"", subLocation ? subLocation : L"");
}

Ovis::ErrorStatus OvDbEntityHyperlinkPE::hasHyperlink(OvDbObject* object, bool& result, bool) {
  result = false;
  const OvDbEntity* entity = OvDbEntity::cast(object);
  if (!entity) return Ovis::eNotThatKindOfClass;
  entity->assertReadEnabled();
  result = !entity->hyperlinks_.empty();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbEntityHyperlinkPE::getHyperlinkCollection(OvDbObject* object,
                                                                OvDbHyperlinkCollection*& collection, bool oneOnly,
                                                                bool) {
  collection = nullptr;
  const OvDbEntity* entity = OvDbEntity::cast(object);
  if (!entity) return Ovis::eNotThatKindOfClass;
  entity->assertReadEnabled();
  // Filled before it is handed over, so a refused allocation hands over nothing.
  auto filled = std::make_unique<OvDbHyperlinkCollection>();
  for (const auto& link : entity->hyperlinks_) {
    filled->addTail(link.name.c_str(), link.description.c_str(), link.subLocation.c_str());
    if (oneOnly) break;
  }
  collection = filled.release();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbEntityHyperlinkPE::setHyperlinkCollection(OvDbObject* object,
                                                                const OvDbHyperlinkCollection* collection) {
  OvDbEntity* entity = OvDbEntity::cast(object);
  if (!entity) return Ovis::eNotThatKindOfClass;
  entity->assertWriteEnabled();
  entity->hyperlinks_.clear();
  for (int i = 0; collection && i < collection->count(); ++i) {
    const OvDbHyperlink* link = collection->item(i);
    entity->hyperlinks_.push_back({link->name(), link->description(), link->subLocation()});
  }
  return Ovis::eOk;
}

OvDbEntityHyperlinkPE* OvDbEntityHyperlinkPE::instance() {
  static OvDbEntityHyperlinkPE extension;
  return &extension;
}

namespace {
// Every entity class answers the hyperlink extension from the start.
const bool g_registered = [] {
  ovrxAddProtocolExtension(OvDbEntity::desc(), OvDbEntityHyperlinkPE::desc(), OvDbEntityHyperlinkPE::instance());
  return true;
}();
}  // namespace
