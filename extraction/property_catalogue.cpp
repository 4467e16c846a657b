#include "extraction/property_catalogue.h"

#include <algorithm>
#include <cassert>

#include "extraction/res_strings.h"
#include "res/resource_ids.h"

namespace {

struct ItemText {
  UINT id;
  int category;
  bool total;  // the property can be summed in a totals row
};

// The text in the language, or (language 0) in the session's language.
CString loadText(UINT id, LANGID language) { return language ? LoadResString(id, language) : LoadResString(id); }

std::vector<PropertyItem> loadItemsIn(LANGID language, std::initializer_list<ItemText> texts) {
  std::vector<PropertyItem> items;
  items.reserve(texts.size());
  for (const ItemText& t : texts) items.emplace_back(loadText(t.id, language), t.category, t.total);
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
  auto loadItems = [language](std::initializer_list<ItemText> texts) { return loadItemsIn(language, texts); };
  for (const ObjectKindInfo& kind : objectKinds()) typeNames.push_back(loadText(kind.nameId, language));
  const int G = kCategoryGeometry, M = kCategoryMisc, T = kCategoryText;
  lineItems = loadItems({{IDS_LINE_ANGLE, G, true},
                         {IDS_LINE_X_DELTA, G, false},
                         {IDS_LINE_Y_DELTA, G, false},
                         {IDS_LINE_Z_DELTA, G, false},
                         {IDS_LINE_X_START, G, false},
                         {IDS_LINE_Y_START, G, false},
                         {IDS_LINE_Z_START, G, false},
                         {IDS_LINE_X_END, G, false},
                         {IDS_LINE_Y_END, G, false},
                         {IDS_LINE_Z_END, G, false},
                         {IDS_LINE_LENGTH, G, true}});
  polylineItems = loadItems({{IDS_POLYLINE_AREA, G, true},
                             {IDS_POLYLINE_GLOBAL_WIDTH, kCategoryGeneral, true},
                             {IDS_POLYLINE_LENGTH, G, true},
                             {IDS_POLYLINE_CLOSED, M, false},
                             {IDS_POLYLINE_LINETYPE_GENERATION, M, false}});
  arcItems = loadItems({{IDS_ARC_AREA, G, true},
                        {IDS_ARC_START_ANGLE, G, false},
                        {IDS_ARC_END_ANGLE, G, false},
                        {IDS_ARC_TOTAL_ANGLE, G, true},
                        {IDS_ARC_X_CENTER, G, false},
                        {IDS_ARC_Y_CENTER, G, false},
                        {IDS_ARC_Z_CENTER, G, false},
                        {IDS_ARC_LENGTH, G, true},
                        {IDS_ARC_RADIUS, G, true}});
  circleItems = loadItems({{IDS_CIRCLE_AREA, G, true},
                           {IDS_CIRCLE_X_CENTER, G, false},
                           {IDS_CIRCLE_Y_CENTER, G, false},
                           {IDS_CIRCLE_Z_CENTER, G, false},
                           {IDS_CIRCLE_RADIUS, G, true},
                           {IDS_CIRCLE_CIRCUMFERENCE, G, true},
                           {IDS_CIRCLE_DIAMETER, G, true}});
  pointItems =
      loadItems({{IDS_POINT_X_POSITION, G, false}, {IDS_POINT_Y_POSITION, G, false}, {IDS_POINT_Z_POSITION, G, false}});
  mtextItems = loadItems({{IDS_MTEXT_X_POSITION, G, false},
                          {IDS_MTEXT_Y_POSITION, G, false},
                          {IDS_MTEXT_Z_POSITION, G, false},
                          {IDS_MTEXT_CONTENTS, T, false},
                          {IDS_MTEXT_STYLE, T, false},
                          {IDS_MTEXT_JUSTIFY, T, false},
                          {IDS_MTEXT_DIRECTION, T, false},
                          {IDS_MTEXT_DEFINED_WIDTH, T, false},
                          {IDS_MTEXT_TEXT_HEIGHT, T, false},
                          {IDS_MTEXT_ROTATION, T, true},
                          {IDS_MTEXT_BACKGROUND_MASK, T, false},
                          {IDS_MTEXT_LINE_SPACING_FACTOR, T, false},
                          {IDS_MTEXT_LINE_SPACING_DISTANCE, T, false},
                          {IDS_MTEXT_LINE_SPACING_STYLE, T, false}});
  const int L = kCategoryGeneral;
  generalItems = loadItems({{IDS_PROP_LAYER, L, false},
                            {IDS_PROP_COLOR, L, false},
                            {IDS_PROP_LINETYPE_SCALE, L, false},
                            {IDS_PROP_THICKNESS, L, true},
                            {IDS_PROP_LINE_WEIGHT, L, false},
                            {IDS_PROP_HYPERLINK, L, false},
                            {IDS_PROP_PLOT_STYLE, L, false},
                            {IDS_PROP_LINETYPE, L, false}});
  blockRefItems = loadItems({{IDS_BLOCK_X_POSITION, G, false},
                             {IDS_BLOCK_Y_POSITION, G, false},
                             {IDS_BLOCK_Z_POSITION, G, false},
                             {IDS_BLOCK_ROTATION, M, true},
                             {IDS_BLOCK_X_SCALE, G, false},
                             {IDS_BLOCK_Y_SCALE, G, false},
                             {IDS_BLOCK_Z_SCALE, G, false}});
  for (const auto* list : {&lineItems, &polylineItems, &arcItems, &pointItems, &circleItems})
    geometricItems.insert(geometricItems.end(), list->begin(), list->end());
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
