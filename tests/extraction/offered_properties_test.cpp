// The catalogue's lists and the properties and category filters offered for chosen kinds.
#include <gtest/gtest.h>

#include "extraction/row_context.h"
#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

class OfferedTest : public DrawingTest {
protected:
  std::vector<CString> offeredNames(ExtractionEngine& engine, const std::vector<CString>& kinds) {
    OfferedPropertyMap offered;
    engine.prepare(offered, kinds);
    std::vector<CString> names;
    for (const auto& item : offered) names.push_back(item.name);
    return names;
  }
  const PropertyItem* find(const OfferedPropertyMap& map, const wchar_t* name) {
    auto it = map.find(PropertyItem(name, 0, false));
    return it == map.end() ? nullptr : &*it;
  }
  static bool has(const std::vector<CString>& names, const wchar_t* name) {
    return std::find(names.begin(), names.end(), CString(name)) != names.end();
  }
};

}  // namespace

TEST_F(OfferedTest, CatalogueListsInTheirOrder) {
  PropertyCatalogue c;
  EXPECT_EQ(c.typeNames, (std::vector<CString>{L"Block", L"Line", L"Polyline", L"Arc", L"Circle", L"Solid", L"3D Solid",
                                               L"Point", L"MText"}));
  EXPECT_EQ(c.objectTypeItem.name, L"Object type");
  EXPECT_TRUE(c.quantityItem.total);
  EXPECT_EQ(c.blockPreviewItem.name, L"Block preview");
  EXPECT_EQ(c.blockNameItem.name, L"Block name");
  EXPECT_EQ(c.lineItems.size(), 11u);
  EXPECT_EQ(c.polylineItems.size(), 5u);
  EXPECT_EQ(c.arcItems.size(), 9u);
  EXPECT_EQ(c.circleItems.size(), 7u);
  EXPECT_EQ(c.pointItems.size(), 3u);
  EXPECT_EQ(c.mtextItems.size(), 14u);
  EXPECT_EQ(c.generalItems.size(), 8u);
  EXPECT_EQ(c.blockRefItems.size(), 7u);
  ASSERT_EQ(c.geometricItems.size(), 35u);
  EXPECT_EQ(c.geometricItems[11].name, L"Area");        // the polyline list follows the line list
  EXPECT_EQ(c.geometricItems[25].name, L"X position");  // then arcs, then points
  EXPECT_EQ(c.geometricItems[28].name, L"Area");        // then circles
  EXPECT_EQ(c.polylineItems[1].name, L"Global width");
  EXPECT_EQ(c.polylineItems[1].category, kCategoryGeneral);
  EXPECT_EQ(c.blockRefItems[3].category, kCategoryMisc);
  EXPECT_EQ(c.mtextItems[9].name, L"Rotation");
  EXPECT_EQ(c.mtextItems[9].category, kCategoryText);
  EXPECT_TRUE(c.mtextItems[9].total);
  EXPECT_EQ(c.lineItems[7].name, L"X end");
  EXPECT_EQ(c.arcItems[4].name, L"X center");
  EXPECT_EQ(c.circleItems[1].name, L"X Center");
}

// Every list item by item: name, category and total flag, in the binding order.
TEST_F(OfferedTest, EveryListHoldsItsNamesCategoriesAndTotalsInOrder) {
  struct Expected {
    const wchar_t* name;
    int category;
    bool total;
  };
  auto check = [](const char* list, const std::vector<PropertyItem>& items, std::vector<Expected> expected) {
    ASSERT_EQ(items.size(), expected.size()) << list;
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].name, expected[i].name) << list << " " << i;
      EXPECT_EQ(items[i].category, expected[i].category) << list << " " << i;
      EXPECT_EQ(items[i].total, expected[i].total) << list << " " << i;
    }
  };
  PropertyCatalogue c;
  check("fixed", {c.objectTypeItem, c.quantityItem, c.blockPreviewItem, c.blockNameItem},
        {{L"Object type", 1, false}, {L"Quantity", 1, true}, {L"Block preview", 1, false}, {L"Block name", 1, false}});
  const std::vector<Expected> general = {
      {L"Layer", 1, false},          {L"Color", 1, false},     {L"Linetype scale", 1, false}, {L"Thickness", 1, true},
      {L"Line thickness", 1, false}, {L"Hyperlink", 1, false}, {L"Plot style", 1, false},     {L"Linetype", 1, false}};
  const std::vector<Expected> line = {{L"Angle", 2, true},    {L"X Delta", 2, false}, {L"Y Delta", 2, false},
                                      {L"Z Delta", 2, false}, {L"X Start", 2, false}, {L"Y Start", 2, false},
                                      {L"Z Start", 2, false}, {L"X end", 2, false},   {L"Y end", 2, false},
                                      {L"Z end", 2, false},   {L"Length", 2, true}};
  const std::vector<Expected> polyline = {{L"Area", 2, true},
                                          {L"Global width", 1, true},
                                          {L"Length", 2, true},
                                          {L"Closed", 3, false},
                                          {L"Linetype generation", 3, false}};
  const std::vector<Expected> arc = {{L"Area", 2, true},        {L"Start angle", 2, false}, {L"End angle", 2, false},
                                     {L"Total angle", 2, true}, {L"X center", 2, false},    {L"Y center", 2, false},
                                     {L"Z center", 2, false},   {L"Length", 2, true},       {L"Radius", 2, true}};
  const std::vector<Expected> circle = {{L"Area", 2, true},      {L"X Center", 2, false}, {L"Y Center", 2, false},
                                        {L"Z Center", 2, false}, {L"Radius", 2, true},    {L"Circumference", 2, true},
                                        {L"Diameter", 2, true}};
  const std::vector<Expected> point = {{L"X position", 2, false}, {L"Y position", 2, false}, {L"Z position", 2, false}};
  const std::vector<Expected> mtext = {{L"X position", 2, false},
                                       {L"Y position", 2, false},
                                       {L"Z position", 2, false},
                                       {L"Contents", 6, false},
                                       {L"Style", 6, false},
                                       {L"Justify", 6, false},
                                       {L"Direction", 6, false},
                                       {L"Defined width", 6, false},
                                       {L"Text height", 6, false},
                                       {L"Rotation", 6, true},
                                       {L"Background mask", 6, false},
                                       {L"Line spacing factor", 6, false},
                                       {L"Line spacing distance", 6, false},
                                       {L"Line spacing style", 6, false}};
  const std::vector<Expected> block = {{L"X position", 2, false}, {L"Y position", 2, false}, {L"Z position", 2, false},
                                       {L"Rotation", 3, true},    {L"X Scale", 2, false},    {L"Y Scale", 2, false},
                                       {L"Z Scale", 2, false}};
  check("general", c.generalItems, general);
  check("line", c.lineItems, line);
  check("polyline", c.polylineItems, polyline);
  check("arc", c.arcItems, arc);
  check("circle", c.circleItems, circle);
  check("point", c.pointItems, point);
  check("mtext", c.mtextItems, mtext);
  check("block", c.blockRefItems, block);
  std::vector<Expected> geometric;
  for (const auto* list : {&line, &polyline, &arc, &point, &circle})
    geometric.insert(geometric.end(), list->begin(), list->end());
  check("geometric", c.geometricItems, geometric);
}

TEST_F(OfferedTest, MissingTextsGiveItemsNamedQuestionMarks) {
  SetUserInterfaceLanguage(0x0C09);
  // A module chain without the plug-in's strings: every text is "???".
  ResourceBundle empty;
  HINSTANCE bare = RegisterModuleInstance(L"bare", &empty);
  HINSTANCE previous = AfxGetResourceHandle();
  AFX_MODULE_STATE* state = AfxGetModuleState();
  auto saved = state->m_libraryList;
  state->m_libraryList.clear();
  AfxSetResourceHandle(bare);
  PropertyCatalogue c;
  AfxSetResourceHandle(previous);
  state->m_libraryList = saved;
  UnregisterModuleInstance(bare);
  EXPECT_EQ(c.generalItems[0].name, L"???");
  OfferedPropertyMap map(c.generalItems.begin(), c.generalItems.end());
  EXPECT_EQ(map.size(), 1u);  // equal names are one property
}

TEST_F(OfferedTest, OnlyPoints) {
  add(new OvDbPoint);
  ExtractionEngine engine = extractAll();
  EXPECT_EQ(offeredNames(engine, {L"Point"}),
            (std::vector<CString>{L"Color", L"Hyperlink", L"Layer", L"Line thickness", L"Linetype", L"Linetype scale",
                                  L"Object type", L"Plot style", L"Quantity", L"Thickness", L"X position",
                                  L"Y position", L"Z position"}));
  EXPECT_EQ(engine.categories, (std::set<int>{1, 2}));
  EXPECT_EQ(engine.chosenTypeNames, (std::vector<CString>{L"Point"}));
  EXPECT_EQ(engine.offeredItems.size(), 13u);
}

TEST_F(OfferedTest, ThicknessComesAndGoesWithTheKinds) {
  ExtractionEngine engine;
  std::vector<CString> names = offeredNames(engine, {L"3D Solid"});
  EXPECT_EQ(names.size(), 9u);
  EXPECT_FALSE(has(names, L"Thickness"));
  EXPECT_EQ(engine.categories, (std::set<int>{1}));
  names = offeredNames(engine, {L"MText"});
  EXPECT_FALSE(has(names, L"Thickness"));
  EXPECT_EQ(engine.categories, (std::set<int>{1, 2, 6}));
  EXPECT_FALSE(has(offeredNames(engine, {L"Line", L"MText"}), L"Thickness"));
  EXPECT_TRUE(has(offeredNames(engine, {L"MText", L"Point"}), L"Thickness"));
  EXPECT_TRUE(has(offeredNames(engine, {L"3D Solid", L"Solid"}), L"Thickness"));
  EXPECT_EQ(engine.categories, (std::set<int>{1, 2}));
  EXPECT_TRUE(offeredNames(engine, {L"Nothing"}).size() == 2u);  // object type and quantity only
  EXPECT_TRUE(engine.categories.empty());
}

TEST_F(OfferedTest, SharedNamesAreOfferedOnceAndTheFirstKeepsItsCategory) {
  ExtractionEngine engine;
  OfferedPropertyMap offered;
  engine.prepare(offered, {L"Polyline", L"Arc"});
  EXPECT_EQ(engine.categories, (std::set<int>{1, 2, 3}));
  int areas = 0;
  for (const auto& item : offered) areas += item.name == L"Area";
  EXPECT_EQ(areas, 1);
  ASSERT_NE(find(offered, L"Global width"), nullptr);
  EXPECT_EQ(find(offered, L"Global width")->category, kCategoryGeneral);
  EXPECT_EQ(find(offered, L"Length")->category, kCategoryGeometry);
  engine.prepare(offered, {L"MText", L"Block"});
  EXPECT_EQ(find(offered, L"Rotation")->category, kCategoryText);
  engine.prepare(offered, {L"Block", L"MText"});
  EXPECT_EQ(find(offered, L"Rotation")->category, kCategoryMisc);
}

TEST_F(OfferedTest, BlocksWithAttributesAndDynamicProperties) {
  OvDbObjectId door = addBlock(L"Door");
  addReference(door, {{L"Layer", L"L1"}, {L"NUMBER", L"101"}});
  ExtractionEngine engine = extractAll();
  OfferedPropertyMap offered;
  engine.prepare(offered, {L"Block", L"Line"});
  EXPECT_EQ(engine.categories, (std::set<int>{1, 2, 3, 4}));
  ASSERT_NE(find(offered, L"NUMBER"), nullptr);
  EXPECT_EQ(find(offered, L"NUMBER")->category, kCategoryAttribute);
  EXPECT_TRUE(find(offered, L"NUMBER")->total);
  EXPECT_EQ(find(offered, L"Layer")->category, kCategoryAttribute);  // the tag came first
  EXPECT_NE(find(offered, L"Block preview"), nullptr);
  EXPECT_NE(find(offered, L"Block name"), nullptr);
  EXPECT_NE(find(offered, L"X Scale"), nullptr);

  std::set<int> categories;
  buildCategoryList(categories, /*geometric=*/false, /*block=*/true, /*hasAttributes=*/false, /*hasDynamic=*/true,
                    /*polyline=*/false, /*solid3d=*/false, /*textCategory=*/0);
  EXPECT_EQ(categories, (std::set<int>{1, 2, 3, 5}));
  bool attributes = true, dynamic = true;
  findBlockItemCategories({}, attributes, dynamic);
  EXPECT_FALSE(attributes);
  EXPECT_FALSE(dynamic);
}

TEST_F(OfferedTest, PresentKindsAreAscending) {
  add(new OvDbArc({0, 0, 0}, 1, 0, 1));
  add(new OvDbLine({0, 0, 0}, {1, 0, 0}));
  add(new OvDbArc({0, 0, 0}, 2, 0, 1));
  ExtractionEngine engine = extractAll();
  EXPECT_EQ(engine.presentObjectKinds(), (PresentTypeMap{2, 4}));
  ov_name none{0, 0};
  EXPECT_TRUE(ExtractionEngine(none, 0, PropertyCatalogue()).presentObjectKinds().empty());
  EXPECT_TRUE(ExtractionEngine(none, -1, PropertyCatalogue()).presentObjectKinds().empty());
}
