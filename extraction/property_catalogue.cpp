#include "extraction/property_catalogue.h"

#include "extraction/res_strings.h"

namespace {

struct ItemText {
  UINT id;
  int category;
  bool total;
};

std::vector<PropertyItem> loadItems(std::initializer_list<ItemText> texts) {
  std::vector<PropertyItem> items;
  items.reserve(texts.size());
  for (const ItemText& t : texts) items.emplace_back(LoadResString(t.id), t.category, t.total);
  return items;
}

PropertyItem loadItem(UINT id, int category, bool total) { return {LoadResString(id), category, total}; }

}  // namespace

PropertyCatalogue::PropertyCatalogue()
    : objectTypeItem(loadItem(168, kCategoryGeneral, false)),
      quantityItem(loadItem(167, kCategoryGeneral, true)),
      blockPreviewItem(loadItem(177, kCategoryGeneral, false)),
      blockNameItem(loadItem(178, kCategoryGeneral, false)) {
  for (UINT id : {169u, 170u, 171u, 172u, 173u, 174u, 175u, 176u, 289u}) typeNames.push_back(LoadResString(id));
  const int G = kCategoryGeometry, M = kCategoryMisc, T = kCategoryText;
  lineItems = loadItems({{202, G, true}, {203, G, false}, {204, G, false}, {205, G, false}, {206, G, false},
                         {207, G, false}, {208, G, false}, {209, G, false}, {210, G, false}, {211, G, false},
                         {212, G, true}});
  polylineItems = loadItems({{223, G, true}, {224, kCategoryGeneral, true}, {225, G, true}, {255, M, false},
                             {265, M, false}});
  arcItems = loadItems({{226, G, true}, {227, G, false}, {228, G, false}, {229, G, true}, {230, G, false},
                        {231, G, false}, {232, G, false}, {233, G, true}, {234, G, true}});
  circleItems = loadItems({{179, G, true}, {180, G, false}, {181, G, false}, {182, G, false}, {183, G, true},
                           {184, G, true}, {185, G, true}});
  pointItems = loadItems({{235, G, false}, {236, G, false}, {237, G, false}});
  mtextItems = loadItems({{290, G, false}, {291, G, false}, {292, G, false}, {293, T, false}, {294, T, false},
                          {295, T, false}, {296, T, false}, {297, T, false}, {298, T, false}, {299, T, true},
                          {300, T, false}, {301, T, false}, {302, T, false}, {303, T, false}});
  const int L = kCategoryGeneral;
  generalItems = loadItems({{165, L, false}, {193, L, false}, {194, L, false}, {195, L, true}, {196, L, false},
                            {197, L, false}, {198, L, false}, {199, L, false}});
  blockRefItems = loadItems({{258, G, false}, {259, G, false}, {260, G, false}, {261, M, true}, {262, G, false},
                             {263, G, false}, {264, G, false}});
  for (const auto* list : {&lineItems, &polylineItems, &arcItems, &pointItems, &circleItems})
    geometricItems.insert(geometricItems.end(), list->begin(), list->end());
}

CString PropertyCatalogue::kindName(int kind) const {
  if (kind < 1 || kind > static_cast<int>(typeNames.size())) return CString();
  return typeNames[static_cast<std::size_t>(kind - 1)];
}

const std::vector<PropertyItem>& PropertyCatalogue::kindItems(int kind) const {
  static const std::vector<PropertyItem> kNone;
  switch (kind) {
    case kKindLine: return lineItems;
    case kKindPolyline: return polylineItems;
    case kKindArc: return arcItems;
    case kKindCircle: return circleItems;
    case kKindPoint: return pointItems;
    case kKindMText: return mtextItems;
    default: return kNone;
  }
}
