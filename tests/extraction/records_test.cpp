// What each kind of object becomes: common properties, the values of the geometric kinds
// and of block references, read through the engine from small drawings.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

class RecordsTest : public DrawingTest {
protected:
  // The pairs of a record as a name -> value lookup (later pairs of a name win).
  static CString valueOf(const std::vector<PropertyPair>& pairs, const wchar_t* name) {
    CString value = L"<missing>";
    for (const auto& p : pairs) {
      if (p.name == name) value = p.value;
    }
    return value;
  }
  template <typename Record>
  static std::vector<PropertyPair> pairsOf(const Record& record, const ExtractionEngine& engine, int kind) {
    return record.fillProperties(engine.catalogue.kindItems(kind));
  }
};

}  // namespace

TEST_F(RecordsTest, CommonPropertiesAsTexts) {
  setPrecision(1);
  auto* a = new OvDbLine({0, 0, 0}, {1, 0, 0});
  a->setColorIndex(256);
  a->setLineWeight(OvDb::kLnWtByLwDefault);
  a->setPlotStyleName(L"BYLAYER");
  a->setLinetype(L"bYbLoCk");
  a->setLinetypeScale(1.26);
  auto* b = new OvDbLine({0, 0, 0}, {1, 0, 0});
  b->setColorIndex(0);
  b->setLineWeight(OvDb::kLnWt025);
  b->setPlotStyleName(L"ByLayerish");
  b->setLayer(L"Walls");
  auto* c = new OvDbLine({0, 0, 0}, {1, 0, 0});
  c->setColorIndex(7);
  c->setLineWeight(OvDb::kLnWt211);
  c->setLineWeight(OvDb::kLnWtByBlock);
  add(a);
  add(b);
  add(c);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), 3u);
  const CommonProps& pa = engine.lines[0].props;
  EXPECT_EQ(pa.color, L"ByLayer");
  EXPECT_EQ(pa.lineWeight, L"Default");
  EXPECT_EQ(pa.plotStyle, L"ByLayer");
  EXPECT_EQ(pa.linetype, L"ByBlock");
  EXPECT_EQ(pa.linetypeScale, 1.3);
  EXPECT_EQ(pa.layer, L"0");
  const CommonProps& pb = engine.lines[1].props;
  EXPECT_EQ(pb.color, L"ByBlock");
  EXPECT_EQ(pb.lineWeight, L"25");
  EXPECT_EQ(pb.plotStyle, L"ByLayerish");
  EXPECT_EQ(pb.layer, L"Walls");
  EXPECT_EQ(engine.lines[2].props.color, L"7");
  EXPECT_EQ(engine.lines[2].props.lineWeight, L"ByBlock");
  EXPECT_EQ(colorToText(211), L"211");

  std::vector<PropertyPair> common = engine.lines[0].commonProperties(engine.catalogue.generalItems);
  ASSERT_EQ(common.size(), 8u);
  const wchar_t* names[] = {L"Layer",          L"Color",     L"Linetype scale", L"Thickness",
                            L"Line thickness", L"Hyperlink", L"Plot style",     L"Linetype"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(common[static_cast<std::size_t>(i)].name, names[i]);
  EXPECT_EQ(common[2].value, L"1.3");
  EXPECT_EQ(common[3].value, L"0");
  EXPECT_EQ(common[5].value, L"");
}

TEST_F(RecordsTest, LinetypeScaleKeepsSixDecimals) {
  auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
  line->setLinetypeScale(0.123456789);
  add(line);
  setPrecision(8);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), 1u);
  EXPECT_EQ(engine.lines[0].props.linetypeScale, 0.123457);
}

TEST_F(RecordsTest, OnlyTheFirstHyperlinkIsShown) {
  auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
  OvDbHyperlinkCollection links;
  for (const wchar_t* name : {L"one", L"two", L"three"}) links.addTail(name);
  OvDbEntityHyperlinkPE::instance()->setHyperlinkCollection(line, &links);
  add(line);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), 1u);
  EXPECT_EQ(engine.lines[0].props.hyperlinks, (std::vector<CString>{L"one", L"two", L"three"}));
  EXPECT_EQ(valueOf(engine.lines[0].commonProperties(engine.catalogue.generalItems), L"Hyperlink"), L"one");
}

TEST_F(RecordsTest, EntitiesWithoutTheHyperlinkExtensionHaveNone) {
  auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
  OvDbHyperlinkCollection links;
  links.addTail(L"hidden");
  OvDbEntityHyperlinkPE::instance()->setHyperlinkCollection(line, &links);
  add(line);
  ovrxRemoveProtocolExtension(OvDbEntity::desc(), OvDbEntityHyperlinkPE::desc());
  ExtractionEngine engine = extractAll();
  ovrxAddProtocolExtension(OvDbEntity::desc(), OvDbEntityHyperlinkPE::desc(), OvDbEntityHyperlinkPE::instance());
  ASSERT_EQ(engine.lines.size(), 1u);
  EXPECT_TRUE(engine.lines[0].props.hyperlinks.empty());
}

TEST_F(RecordsTest, LineValues) {
  add(new OvDbLine({0, 0, 0}, {0, -1, 0}));
  add(new OvDbLine({1, 1, 0}, {0, 0, 0}));
  add(new OvDbLine({1.5, -2, 0.25}, {4.75, 3.125, -1}));
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), 3u);
  EXPECT_EQ(valueOf(pairsOf(engine.lines[0], engine, kKindLine), L"Angle"), L"270");
  EXPECT_EQ(valueOf(pairsOf(engine.lines[1], engine, kKindLine), L"Angle"), L"225");
  std::vector<PropertyPair> p = pairsOf(engine.lines[2], engine, kKindLine);
  ASSERT_EQ(p.size(), 11u);
  double dx = 3.25, dy = 5.125, dz = -1.25;
  double step = 1e-4;
  EXPECT_EQ(p[0].value, printfG(roundedTo(std::atan2(dy, dx) * 180 / kPi, step)));
  EXPECT_EQ(p[1].value, L"3.25");
  EXPECT_EQ(p[2].value, L"5.125");
  EXPECT_EQ(p[3].value, L"-1.25");
  EXPECT_EQ(p[4].name, L"X Start");
  EXPECT_EQ(p[9].value, L"-1");
  EXPECT_EQ(p[10].name, L"Length");
  EXPECT_EQ(p[10].value, printfG(roundedTo(std::sqrt(dx * dx + dy * dy + dz * dz), step)));
}

TEST_F(RecordsTest, CircleValues) {
  setPrecision(2);
  auto* circle = new OvDbCircle({1.234, -5.678, 2}, 2.5);
  circle->setThickness(0.333);
  add(circle);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.circles.size(), 1u);
  std::vector<PropertyPair> p = pairsOf(engine.circles[0], engine, kKindCircle);
  ASSERT_EQ(p.size(), 7u);
  EXPECT_EQ(p[0].value, L"19.63");
  EXPECT_EQ(p[1].value, L"1.23");
  EXPECT_EQ(p[2].value, L"-5.68");
  EXPECT_EQ(p[4].value, L"2.5");
  EXPECT_EQ(p[5].value, L"15.71");
  EXPECT_EQ(p[6].value, L"5");
  EXPECT_EQ(engine.circles[0].props.thickness, 0.33);
}

TEST_F(RecordsTest, ArcValuesWithTheIncludedAngle) {
  add(new OvDbArc({0, 0, 0}, 1, 0, kPi / 2));
  add(new OvDbArc({2, 3, 0}, 4, 300 * kPi / 180, 30 * kPi / 180));  // across the X axis
  add(new OvDbArc({0, 0, 0}, 1, 1.0, 1.0));                         // a whole turn
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.arcs.size(), 3u);
  std::vector<PropertyPair> p = pairsOf(engine.arcs[0], engine, kKindArc);
  ASSERT_EQ(p.size(), 9u);
  EXPECT_EQ(p[1].value, L"0");
  EXPECT_EQ(p[2].value, L"90");
  EXPECT_EQ(p[3].value, L"90");
  EXPECT_EQ(p[7].value, printfG(roundedTo(kPi / 2, 1e-4)));
  EXPECT_EQ(p[0].value, printfG(roundedTo((kPi / 2 - 1) / 2, 1e-4)));  // the segment's area

  p = pairsOf(engine.arcs[1], engine, kKindArc);
  EXPECT_EQ(p[1].value, L"300");
  EXPECT_EQ(p[2].value, L"30");
  EXPECT_EQ(p[3].value, L"90");
  EXPECT_EQ(p[4].value, L"2");
  EXPECT_EQ(p[7].value, printfG(roundedTo(4 * kPi / 2, 1e-4)));
  EXPECT_EQ(p[8].value, L"4");
  EXPECT_EQ(valueOf(pairsOf(engine.arcs[2], engine, kKindArc), L"Total angle"), L"360");
}

// Lengths of lines and arcs worked out here from their ends, radius and included angle:
// short ones far from the origin (site coordinates in metres) and arcs of almost a whole
// turn, whose two ends lie close together, keep their own length.
TEST_F(RecordsTest, LengthsAgreeWithTheirGeometryAtAnyOffset) {
  setPrecision(8);
  std::mt19937 random(20240611);
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  auto magnitude = [&](double low, double high) { return std::pow(10.0, uniform(std::log10(low), std::log10(high))); };
  std::vector<double> lineLengths, arcLengths;
  for (int i = 0; i < 200; ++i) {
    double offset = i % 4 == 0 ? 0 : magnitude(1, 1e7);
    OvGePoint3d start(offset + uniform(-1, 1), offset * 10 + uniform(-1, 1), uniform(-1, 1));
    double angle = uniform(0, 2 * kPi), length = magnitude(1e-3, 1e3);
    OvGePoint3d end(start.x + length * std::cos(angle), start.y + length * std::sin(angle), start.z);
    add(new OvDbLine(start, end));
    lineLengths.push_back(end.distanceTo(start));

    double radius = magnitude(1e-3, 1e3), from = uniform(0, 2 * kPi);
    double sweep = i % 3 == 0 ? 2 * kPi - magnitude(1e-9, 1e-2) : uniform(0.01, 2 * kPi - 0.01);
    double to = from + sweep < 2 * kPi ? from + sweep : from + sweep - 2 * kPi;
    add(new OvDbArc({offset, -offset, 0}, radius, from, to));
    double included = std::fmod(to - from, 2 * kPi);
    arcLengths.push_back(radius * (included <= 0 ? included + 2 * kPi : included));
  }
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), lineLengths.size());
  ASSERT_EQ(engine.arcs.size(), arcLengths.size());
  for (std::size_t i = 0; i < lineLengths.size(); ++i) {
    EXPECT_NEAR(engine.lines[i].length, lineLengths[i], 1e-8 + 1e-12 * lineLengths[i]) << "line " << i;
    EXPECT_NEAR(engine.arcs[i].length, arcLengths[i], 1e-8 + 1e-12 * arcLengths[i]) << "arc " << i;
    EXPECT_NEAR(engine.arcs[i].length, engine.arcs[i].radius * engine.arcs[i].totalAngle * kPi / 180,
                1e-6 * (1 + arcLengths[i]))
        << "arc " << i;
  }
}

TEST_F(RecordsTest, PolylineValues) {
  auto* closed = new OvDbPolyline;
  closed->addVertexAt(0, {0, 0});
  closed->addVertexAt(1, {4, 0}, 1);
  closed->addVertexAt(2, {4, 2});
  closed->addVertexAt(3, {0, 2});
  closed->setClosed(true);
  closed->setPlinegen(true);
  closed->setConstantWidth(0.25);
  add(closed);
  auto* open = new OvDbPolyline;
  open->addVertexAt(0, {0, 0});
  open->addVertexAt(1, {3, 4});
  add(open);
  add(new OvDb2dPolyline);  // another class: no record
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.polylines.size(), 2u);
  std::vector<PropertyPair> p = pairsOf(engine.polylines[0], engine, kKindPolyline);
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].value, printfG(roundedTo(8 + kPi / 2, 1e-4)));
  EXPECT_EQ(p[1].value, L"0.25");
  EXPECT_EQ(p[2].value, printfG(roundedTo(10 + kPi, 1e-4)));
  EXPECT_EQ(p[3].value, L"Yes");
  EXPECT_EQ(p[4].value, L"Enabled");
  p = pairsOf(engine.polylines[1], engine, kKindPolyline);
  EXPECT_EQ(p[0].value, L"0");
  EXPECT_EQ(p[1].value, L"0");  // no constant width: the value stays 0
  EXPECT_EQ(p[2].value, L"5");
  EXPECT_EQ(p[3].value, L"No");
  EXPECT_EQ(p[4].value, L"Disabled");
}

TEST_F(RecordsTest, PointSolidsAndNumberForms) {
  auto* point = new OvDbPoint({1250000, 0.00001, -3});
  point->setThickness(2);
  add(point);
  auto* solid = new OvDbSolid({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
  solid->setThickness(0.5);
  add(solid);
  auto* body = new OvDb3dSolid;
  body->createBox(1, 2, 3);
  add(body);
  setPrecision(8);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.points.size(), 1u);
  std::vector<PropertyPair> p = pairsOf(engine.points[0], engine, kKindPoint);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].value, L"1.25e+06");
  EXPECT_EQ(p[1].value, L"1e-05");
  EXPECT_EQ(p[2].value, L"-3");
  EXPECT_EQ(engine.points[0].props.thickness, 2);
  ASSERT_EQ(engine.solids.size(), 1u);
  EXPECT_TRUE(pairsOf(engine.solids[0], engine, kKindSolid).empty());
  EXPECT_EQ(engine.solids[0].props.thickness, 0.5);
  ASSERT_EQ(engine.solids3d.size(), 1u);
  EXPECT_TRUE(pairsOf(engine.solids3d[0], engine, kKindSolid3d).empty());
  EXPECT_EQ(valueOf(engine.solids3d[0].commonProperties(engine.catalogue.generalItems), L"Thickness"), L"0");
}

TEST_F(RecordsTest, MultilineTextValues) {
  auto* text = new OvDbMText;
  text->setLocation({1, 2, 3});
  text->setContents(L"{\\fArial|b1;Hall}\\Pnorth");
  text->setAttachment(OvDbMText::kBottomRight);
  text->setFlowDirection(OvDb::kBtoT);
  text->setWidth(4.5);
  text->setTextHeight(0.25);
  text->setRotation(kPi / 2);
  text->setBackgroundFill(true);
  text->setLineSpacingFactor(1.25);
  text->setLineSpacingStyle(OvDb::kExactly);
  add(text);
  for (int attachment : {14, 15, 16, 17, 21}) {
    auto* other = new OvDbMText;
    other->setAttachment(static_cast<OvDbMText::AttachmentPoint>(attachment));
    other->setFlowDirection(OvDb::kByStyle);
    add(other);
  }
  setPrecision(8);
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.mtexts.size(), 6u);
  std::vector<PropertyPair> p = pairsOf(engine.mtexts[0], engine, kKindMText);
  ASSERT_EQ(p.size(), 14u);
  const wchar_t* expected[] = {L"1",        L"2",
                               L"3",        L"{\\fArial|b1;Hall}\\Pnorth",
                               L"",         L"Bottom right",
                               L"Vertical", L"4.5",
                               L"0.25",     L"1.5708",
                               L"Yes",      L"1.25",
                               L"",         L"Exactly"};
  for (std::size_t i = 0; i < 14; ++i) EXPECT_EQ(p[i].value, expected[i]) << i;
  EXPECT_EQ(p[9].name, L"Rotation");
  EXPECT_EQ(engine.mtexts[0].props.thickness, 0);
  const wchar_t* justify[] = {L"", L"", L"", L"Fit", L"Middle"};
  for (std::size_t i = 0; i < 5; ++i) {
    p = pairsOf(engine.mtexts[i + 1], engine, kKindMText);
    EXPECT_EQ(p[5].value, justify[i]);
    EXPECT_EQ(p[6].value, L"By style");
    EXPECT_EQ(p[10].value, L"No");
    EXPECT_EQ(p[13].value, L"At least");
  }
}

TEST_F(RecordsTest, ExcludedBlockNames) {
  const wchar_t* excluded[] = {L"*Anonymous", L"kt$Logo", L"ac$Frame", L"*"};
  const wchar_t* extracted[] = {L"KT$Logo", L"AC$x", L"Xkt$", L"x*", L"kt", L"ac"};
  for (const wchar_t* name : excluded) EXPECT_TRUE(hasExcludedBlockPrefix(name, ExcludedBlockPrefixes)) << name;
  for (const wchar_t* name : extracted) EXPECT_FALSE(hasExcludedBlockPrefix(name, ExcludedBlockPrefixes)) << name;
  for (const wchar_t* name : {L"kt$Logo", L"KT$Frame", L"Xkt$", L"ac"}) addReference(addBlock(name));
  addReference(addBlock(L"*U"));
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.blockRefs.size(), 3u);
  EXPECT_EQ(engine.blockRefs[0].name, L"KT$Frame");
  EXPECT_EQ(engine.blockRefs[1].name, L"Xkt$");
  EXPECT_EQ(engine.blockRefs[2].name, L"ac");
}

TEST_F(RecordsTest, AttributesArePairsAndOfferedItems) {
  setPrecision(2);
  OvDbObjectId door = addBlock(L"Door");
  OvDbObjectId a =
      addReference(door, {{L"WIDTH", L"12.3456"}, {L"NOTE", L"12 mm"}, {L"WIDTH", L"7"}}, {1.23456, 2, 3}, kPi / 2);
  addReference(door, {{L"NOTE", L"3.5"}, {L"NEW", L"x"}});
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.blockRefs.size(), 2u);
  const BlockRefRecord& r = engine.blockRefs[0];
  EXPECT_EQ(r.handle, handleOf(a));
  EXPECT_EQ(r.name, L"Door");
  EXPECT_FALSE(r.isDynamic);
  EXPECT_EQ(r.blockRecordId, door);
  ASSERT_EQ(r.attributes.size(), 3u);
  EXPECT_EQ(r.attributes[0].value, L"12.35");
  EXPECT_TRUE(r.attributes[0].numeric);
  EXPECT_EQ(r.attributes[1].value, L"12 mm");
  EXPECT_FALSE(r.attributes[1].numeric);
  std::vector<PropertyPair> p = r.blockProperties(engine.catalogue.blockRefItems);
  ASSERT_EQ(p.size(), 7u);
  EXPECT_EQ(p[0].value, L"1.23");
  EXPECT_EQ(p[3].name, L"Rotation");
  EXPECT_EQ(p[3].value, L"90");
  EXPECT_EQ(p[4].value, L"1");
  // One offered item per tag; the first reference's flags stand.
  ASSERT_EQ(engine.blockItems.size(), 3u);
  auto note = engine.blockItems.find(PropertyItem(L"NOTE", 0, false));
  ASSERT_NE(note, engine.blockItems.end());
  EXPECT_FALSE(note->total);
  EXPECT_EQ(note->category, kCategoryAttribute);
  EXPECT_TRUE(engine.blockItems.find(PropertyItem(L"WIDTH", 0, false))->total);
}

TEST_F(RecordsTest, DynamicBlocksAreNamedByTheirDefinition) {
  OvDbObjectId dynamic = addBlock(L"Sliding");
  OvDbObjectId shape = addBlock(L"*U");
  OvDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(ovdbOpenObject(record, dynamic, Ovis::kForWrite), Ovis::eOk);
  record->addDynamicProperty(L"Origin", OvDbEvalVariant(OvGePoint3d()));
  record->addDynamicProperty(L"Width", OvDbEvalVariant(2.5));
  record->addDynamicProperty(L"Panels", OvDbEvalVariant(static_cast<short>(3)));
  record->addDynamicProperty(L"Track", OvDbEvalVariant(std::int32_t{70000}));
  record->addDynamicProperty(L"Finish", OvDbEvalVariant(L"Oak"));
  record->addDynamicProperty(L"Corner", OvDbEvalVariant(OvGePoint3d(1, 2, 3)));
  record->close();
  ASSERT_EQ(ovdbOpenObject(record, shape, Ovis::kForWrite), Ovis::eOk);
  record->setDynamicBlockDefinition(dynamic);
  record->close();
  addReference(shape, {{L"Width", L"9"}});
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.blockRefs.size(), 1u);
  const BlockRefRecord& r = engine.blockRefs[0];
  EXPECT_EQ(r.name, L"Sliding");
  EXPECT_TRUE(r.isDynamic);
  EXPECT_EQ(r.blockRecordId, shape);          // the preview shows the definition the reference uses
  ASSERT_EQ(r.dynamicProperties.size(), 5u);  // "Origin" is never listed
  const wchar_t* values[] = {L"2.5", L"3", L"70000", L"Oak", L""};
  const bool numeric[] = {true, true, true, false, false};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(r.dynamicProperties[i].value, values[i]) << i;
    EXPECT_EQ(r.dynamicProperties[i].numeric, numeric[i]) << i;
  }
  // Dynamic items come before attribute items: "Width" keeps category 5.
  auto width = engine.blockItems.find(PropertyItem(L"Width", 0, false));
  ASSERT_NE(width, engine.blockItems.end());
  EXPECT_EQ(width->category, kCategoryDynamicBlock);
  EXPECT_EQ(engine.blockItems.count(PropertyItem(L"Origin", 0, false)), 0u);
}

TEST_F(RecordsTest, UnreadableDynamicDefinitionFallsBackToTheDefinitionInUse) {
  OvDbObjectId dynamic = addBlock(L"Sliding");
  OvDbObjectId shape = addBlock(L"*U");
  OvDbObjectId named = addBlock(L"Swing");
  OvDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(ovdbOpenObject(record, dynamic, Ovis::kForWrite), Ovis::eOk);
  record->addDynamicProperty(L"Width", OvDbEvalVariant(2.5));
  record->close();
  for (const OvDbObjectId& id : {shape, named}) {
    ASSERT_EQ(ovdbOpenObject(record, id, Ovis::kForWrite), Ovis::eOk);
    record->setDynamicBlockDefinition(dynamic);
    record->close();
  }
  addReference(shape);
  addReference(named);
  ASSERT_EQ(ovdbOpenObject(record, dynamic, Ovis::kForWrite), Ovis::eOk);
  record->erase();
  record->close();
  ExtractionEngine engine = extractAll();
  // The anonymous one is excluded by its own name; the other is named by its definition.
  ASSERT_EQ(engine.blockRefs.size(), 1u);
  EXPECT_EQ(engine.blockRefs[0].name, L"Swing");
  EXPECT_FALSE(engine.blockRefs[0].isDynamic);
  EXPECT_TRUE(engine.blockRefs[0].dynamicProperties.empty());
}

TEST_F(RecordsTest, EvalVariantTexts) {
  bool numeric = true;
  EXPECT_EQ(evalVariantToText(OvDbEvalVariant(L"100%"), numeric, 0.01), L"100%");
  EXPECT_FALSE(numeric);
  EXPECT_EQ(evalVariantToText(OvDbEvalVariant(2.345), numeric, 0.01), printfG(roundedTo(2.345, 0.01)));
  EXPECT_TRUE(numeric);
  EXPECT_EQ(evalVariantToText(OvDbEvalVariant(static_cast<short>(-7)), numeric, 1), L"-7");
  EXPECT_TRUE(numeric);
  EXPECT_EQ(evalVariantToText(OvDbEvalVariant(OvGePoint3d(1, 1, 1)), numeric, 1), L"");
  EXPECT_FALSE(numeric);
  EXPECT_EQ(evalVariantToText(OvDbEvalVariant(), numeric, 1), L"");
  EXPECT_TRUE(readDynamicBlockProperties(nullptr, 1).empty());
}

TEST_F(RecordsTest, KindNames) {
  PropertyCatalogue catalogue;
  BaseEnt zero(L"1", 0, L""), ten(L"2", 10, L""), arc(L"3", 4, L"");
  EXPECT_EQ(zero.kindName(catalogue.typeNames), L"");
  EXPECT_EQ(ten.kindName(catalogue.typeNames), L"");
  EXPECT_EQ(arc.kindName(catalogue.typeNames), L"Arc");
}

namespace {
// A class of some other application, derived from the line.
class DimensionLine : public OvDbLine {
public:
  OVRX_DECLARE_MEMBERS(DimensionLine)
  using OvDbLine::OvDbLine;
};
OVRX_DEFINE_MEMBERS(DimensionLine, OvDbLine)
}  // namespace

TEST_F(RecordsTest, DerivedClassesCountAsTheirBaseKind) {
  add(new DimensionLine({0, 0, 0}, {0, 2, 0}));
  add(new OvDbAttribute(L"T", L"x"));  // an entity of none of the nine kinds
  ExtractionEngine engine = extractAll();
  ASSERT_EQ(engine.lines.size(), 1u);
  EXPECT_EQ(valueOf(pairsOf(engine.lines[0], engine, kKindLine), L"Length"), L"2");
  EXPECT_EQ(engine.presentObjectKinds(), (PresentTypeMap{kKindLine}));
}
