// The drawing database stand-in where the extraction relies on it: open modes and their
// accounting, handles, selection sets and entity names, blocks, dynamic blocks, hyperlinks
// and the geometry of curves, checked against values sampled from the curves themselves.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/host/sample_drawing.h"
#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

class DatabaseTest : public DrawingTest {};

// Length and enclosed area of a curve measured from many points along it (independent of
// the curve's own length and area operations).
struct Sampled {
  double length = 0;
  double area = 0;
};

Sampled sample(const OvDbCurve* curve, int n = 200000) {
  double start = 0, end = 0;
  curve->getStartParam(start);
  curve->getEndParam(end);
  Sampled s;
  OvGePoint3d previous, first;
  curve->getPointAtParam(start, first);
  previous = first;
  double twiceArea = 0;
  for (int i = 1; i <= n; ++i) {
    OvGePoint3d p;
    curve->getPointAtParam(start + (end - start) * i / n, p);
    s.length += previous.distanceTo(p);
    twiceArea += previous.x * p.y - p.x * previous.y;
    previous = p;
  }
  twiceArea += previous.x * first.y - first.x * previous.y;  // closing chord
  s.area = std::fabs(twiceArea) / 2;
  return s;
}

}  // namespace

TEST_F(DatabaseTest, OpenModesAndTheirCount) {
  int before = HostDatabase::openObjects();
  OvDbObjectId id = add(new OvDbLine({0, 0, 0}, {1, 0, 0}));
  OvDbLine *a = nullptr, *b = nullptr, *w = nullptr;
  ASSERT_EQ(ovdbOpenObject(a, id, Ovis::kForRead), Ovis::eOk);
  ASSERT_EQ(ovdbOpenObject(b, id, Ovis::kForRead), Ovis::eOk);
  EXPECT_EQ(a, b);
  EXPECT_EQ(HostDatabase::openObjects(), before + 2);
  EXPECT_EQ(ovdbOpenObject(w, id, Ovis::kForWrite), Ovis::eWasOpenForRead);
  EXPECT_EQ(w, nullptr);
  EXPECT_EQ(a->upgradeOpen(), Ovis::eWasOpenForRead);  // another reader holds it
  EXPECT_EQ(b->close(), Ovis::eOk);
  EXPECT_EQ(a->upgradeOpen(), Ovis::eOk);
  EXPECT_EQ(a->setEndPoint({2, 0, 0}), Ovis::eOk);
  EXPECT_EQ(ovdbOpenObject(b, id, Ovis::kForRead), Ovis::eWasOpenForWrite);
  EXPECT_EQ(HostDatabase::openObjects(), before + 1);
  EXPECT_EQ(a->close(), Ovis::eOk);
  EXPECT_EQ(a->close(), Ovis::eNotApplicable);
  EXPECT_EQ(HostDatabase::openObjects(), before);
  // A closed object cannot be read or written.
  EXPECT_THROW(a->endPoint(), OvDbAccessError);
  ASSERT_EQ(ovdbOpenObject(a, id, Ovis::kForRead), Ovis::eOk);
  EXPECT_THROW(a->setStartPoint({1, 1, 1}), OvDbAccessError);
  EXPECT_EQ(a->endPoint(), OvGePoint3d(2, 0, 0));
  a->close();
}

TEST_F(DatabaseTest, OpeningChecksClassErasureAndId) {
  OvDbObjectId id = add(new OvDbCircle({0, 0, 0}, 1));
  OvDbLine* line = nullptr;
  EXPECT_EQ(ovdbOpenObject(line, id, Ovis::kForRead), Ovis::eNotThatKindOfClass);
  OvDbCurve* curve = nullptr;
  ASSERT_EQ(ovdbOpenObject(curve, id, Ovis::kForWrite), Ovis::eOk);
  EXPECT_EQ(curve->erase(), Ovis::eOk);
  curve->close();
  OvDbEntity* entity = nullptr;
  EXPECT_EQ(ovdbOpenOvDbEntity(entity, id, Ovis::kForRead), Ovis::eWasErased);
  ASSERT_EQ(ovdbOpenOvDbEntity(entity, id, Ovis::kForRead, true), Ovis::eOk);
  entity->close();
  EXPECT_EQ(ovdbOpenOvDbEntity(entity, OvDbObjectId(), Ovis::kForRead), Ovis::eNullObjectId);
  EXPECT_EQ(ovdbOpenOvDbEntity(entity, OvDbObjectId(db_->serial(), 999999), Ovis::kForRead), Ovis::eInvalidObjectId);
  // An id of a database that is gone names nothing.
  OvDbObjectId stale;
  {
    OvDbDatabase other;
    OvDbObjectId otherId;
    auto* p = new OvDbPoint;
    ASSERT_EQ(other.addToModelSpace(otherId, p), Ovis::eOk);
    p->close();
    stale = otherId;
    EXPECT_TRUE(stale.isValid());
  }
  EXPECT_FALSE(stale.isValid());
  EXPECT_EQ(ovdbOpenOvDbEntity(entity, stale, Ovis::kForRead), Ovis::eNoDatabase);
}

TEST_F(DatabaseTest, HandlesAreUpperCaseHexWithoutLeadingZeros) {
  for (std::uint64_t value : {1ull, 0x1Full, 0xABCDEFull, 0x10ull, 0xFFFFFFFFFFFFFFFFull}) {
    wchar_t text[17];
    ASSERT_TRUE(OvDbHandle(value).getIntoAsciiBuffer(text, 17));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%llX", static_cast<unsigned long long>(value));
    EXPECT_EQ(CString(text), CString(expected));
    EXPECT_EQ(OvDbHandle(text).value(), value);
  }
  wchar_t small[2];
  EXPECT_FALSE(OvDbHandle(0x1F).getIntoAsciiBuffer(small, 2));  // no room for two digits and the null
  EXPECT_TRUE(OvDbHandle(L"12G").isNull());
  // Handles of new objects are distinct and the database finds them again.
  OvDbObjectId a = add(new OvDbPoint), b = add(new OvDbPoint);
  EXPECT_NE(a.handle().value(), b.handle().value());
  OvDbObjectId found;
  EXPECT_EQ(db_->getOvDbObjectId(found, false, b.handle()), Ovis::eOk);
  EXPECT_EQ(found, b);
}

TEST_F(DatabaseTest, SelectionSetsAndEntityNames) {
  OvDbObjectId first = add(new OvDbLine({0, 0, 0}, {1, 0, 0}));
  OvDbObjectId erased = add(new OvDbPoint({1, 1, 0}));
  OvDbObjectId last = add(new OvDbCircle({0, 0, 0}, 2));
  OvDbEntity* e = nullptr;
  ASSERT_EQ(ovdbOpenOvDbEntity(e, erased, Ovis::kForWrite), Ovis::eOk);
  e->erase();
  e->close();

  ov_name set{0, 0};
  ASSERT_EQ(ovedSSGet(L"A", nullptr, nullptr, nullptr, set), RTNORM);
  EXPECT_EQ(HostSelection::liveSets(), 1);
  std::int32_t length = -1;
  ASSERT_EQ(ovedSSLength(set, &length), RTNORM);
  EXPECT_EQ(length, 2);
  ov_name name{0, 0};
  OvDbObjectId id;
  ASSERT_EQ(ovedSSName(set, 1, name), RTNORM);
  ASSERT_EQ(ovdbGetObjectId(id, name), Ovis::eOk);
  EXPECT_EQ(id, last);
  EXPECT_EQ(ovedSSName(set, 2, name), RTERROR);
  EXPECT_EQ(ovedSSName(set, -1, name), RTERROR);
  EXPECT_EQ(ovedSSFree(set), RTNORM);
  EXPECT_EQ(ovedSSFree(set), RTERROR);
  EXPECT_EQ(ovedSSLength(set, &length), RTERROR);

  // Walking the drawing skips the erased entity.
  ov_name walk{0, 0}, next{0, 0};
  ASSERT_EQ(ovdbEntNext(nullptr, walk), RTNORM);
  ASSERT_EQ(ovdbGetObjectId(id, walk), Ovis::eOk);
  EXPECT_EQ(id, first);
  ASSERT_EQ(ovdbEntNext(walk, next), RTNORM);
  ASSERT_EQ(ovdbGetObjectId(id, next), Ovis::eOk);
  EXPECT_EQ(id, last);
  EXPECT_EQ(ovdbEntNext(next, walk), RTERROR);
  ASSERT_EQ(ovdbEntLast(walk), RTNORM);
  ASSERT_EQ(ovdbGetObjectId(id, walk), Ovis::eOk);
  EXPECT_EQ(id, last);
  ov_name bogus{static_cast<std::int64_t>(db_->serial()), 99999};
  EXPECT_NE(ovdbGetObjectId(id, bogus), Ovis::eOk);

  // An unknown mode, a filter list and an empty result are errors.
  OvResBuf layer;
  layer.restype = 8;
  layer.resval.rstring = const_cast<wchar_t*>(L"0");
  EXPECT_EQ(ovedSSGet(L"A", nullptr, nullptr, &layer, set), RTERROR);
  EXPECT_EQ(ovedSSGet(L"W", nullptr, nullptr, nullptr, set), RTERROR);
  OvDbDatabase empty;
  ovdbHostApplicationServices()->setWorkingDatabase(&empty);
  EXPECT_EQ(ovedSSGet(L"A", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(ovdbEntLast(walk), RTERROR);
  EXPECT_EQ(walk[0], 0);
  EXPECT_EQ(ovdbEntNext(walk, next), RTERROR);
  ovdbHostApplicationServices()->setWorkingDatabase(db_.get());
}

TEST_F(DatabaseTest, InteractivePicksGoThroughThePickHandler) {
  OvDbObjectId a = add(new OvDbPoint), b = add(new OvDbPoint);
  ov_name set{0, 0};
  EXPECT_THROW(ovedSSGet(nullptr, nullptr, nullptr, nullptr, set), std::logic_error);
  HostSelection::setPickHandler([&](std::vector<OvDbObjectId>& picked) {
    picked = {b, a, b};
    return RTNORM;
  });
  ASSERT_EQ(ovedSSGet(nullptr, nullptr, nullptr, nullptr, set), RTNORM);
  std::int32_t length = 0;
  ovedSSLength(set, &length);
  EXPECT_EQ(length, 2);  // a repeated pick is one entry
  ov_name name{0, 0};
  OvDbObjectId id;
  ovedSSName(set, 0, name);
  ovdbGetObjectId(id, name);
  EXPECT_EQ(id, b);
  ovedSSFree(set);
  HostSelection::setPickHandler([](std::vector<OvDbObjectId>&) { return RTCAN; });
  EXPECT_EQ(ovedSSGet(nullptr, nullptr, nullptr, nullptr, set), RTCAN);
}

TEST_F(DatabaseTest, BlockTableNamesAndAnonymousBlocks) {
  OvDbObjectId door = addBlock(L"Door");
  OvDbObjectId anonymous1 = addBlock(L"*U"), anonymous2 = addBlock(L"*U");
  OvDbBlockTable* table = nullptr;
  ASSERT_EQ(db_->getBlockTable(table, Ovis::kForRead), Ovis::eOk);
  OvDbObjectId id;
  EXPECT_EQ(table->getAt(L"DOOR", id), Ovis::eOk);  // names ignore case
  EXPECT_EQ(id, door);
  EXPECT_EQ(table->getAt(L"*U1", id), Ovis::eOk);
  EXPECT_EQ(id, anonymous1);
  EXPECT_EQ(table->getAt(L"*U2", id), Ovis::eOk);
  EXPECT_EQ(id, anonymous2);
  EXPECT_EQ(table->getAt(OVDB_MODEL_SPACE, id), Ovis::eOk);
  EXPECT_EQ(id, db_->modelSpaceId());
  EXPECT_EQ(table->getAt(L"Window", id), Ovis::eKeyNotFound);
  EXPECT_EQ(table->upgradeOpen(), Ovis::eOk);
  auto* duplicate = new OvDbBlockTableRecord;
  duplicate->setName(L"door");
  EXPECT_EQ(table->add(id, duplicate), Ovis::eDuplicateRecordName);
  delete duplicate;
  table->close();
}

TEST_F(DatabaseTest, AttributesAndDynamicProperties) {
  OvDbObjectId dynamic = addBlock(L"Sliding");
  OvDbObjectId shape = addBlock(L"*U");
  OvDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(ovdbOpenObject(record, dynamic, Ovis::kForWrite), Ovis::eOk);
  record->addDynamicProperty(L"Origin", OvDbEvalVariant(OvGePoint3d()));
  record->addDynamicProperty(L"Width", OvDbEvalVariant(1.0));
  record->addDynamicProperty(L"Finish", OvDbEvalVariant(L"Oak"));
  EXPECT_EQ(record->addDynamicProperty(L"Width", OvDbEvalVariant(2.0)), Ovis::eDuplicateKey);
  record->close();
  ASSERT_EQ(ovdbOpenObject(record, shape, Ovis::kForWrite), Ovis::eOk);
  record->setDynamicBlockDefinition(dynamic);
  record->close();

  OvDbObjectId ref = addReference(shape, {{L"A", L"1"}, {L"B", L"2"}});
  OvDbBlockReference* reference = nullptr;
  ASSERT_EQ(ovdbOpenObject(reference, ref, Ovis::kForWrite), Ovis::eOk);
  reference->setDynamicValue(L"Width", OvDbEvalVariant(1.6));
  reference->close();

  OvDbDynBlockReference view(ref);
  EXPECT_TRUE(view.isDynamicBlock());
  EXPECT_EQ(view.dynamicBlockTableRecord(), dynamic);
  OvDbDynBlockReferencePropertyArray properties;
  view.getBlockProperties(properties);
  ASSERT_EQ(properties.size(), 3u);
  EXPECT_EQ(properties[0].propertyName(), L"Origin");
  double width = 0;
  EXPECT_EQ(properties[1].value().getValue(width), Ovis::eOk);
  EXPECT_EQ(width, 1.6);  // the reference's own value
  std::wstring finish;
  EXPECT_EQ(properties[2].value().getValue(finish), Ovis::eOk);
  EXPECT_EQ(finish, L"Oak");  // the definition's default
  EXPECT_EQ(properties[2].value().getValue(width), Ovis::eInvalidInput);
  EXPECT_FALSE(OvDbDynBlockReference(addReference(addBlock(L"Plain"))).isDynamicBlock());

  // The attribute iterator skips erased attributes; texts are host-allocated copies.
  ASSERT_EQ(ovdbOpenObject(reference, ref, Ovis::kForRead), Ovis::eOk);
  std::unique_ptr<OvDbObjectIterator> it(reference->attributeIterator());
  OvDbAttribute* attribute = nullptr;
  ASSERT_EQ(reference->openAttribute(attribute, it->objectId(), Ovis::kForWrite), Ovis::eOk);
  attribute->erase();
  attribute->close();
  int count = 0;
  for (it->start(); !it->done(); it->step()) {
    ASSERT_EQ(reference->openAttribute(attribute, it->objectId(), Ovis::kForRead), Ovis::eOk);
    wchar_t* tag = attribute->tag();
    EXPECT_STREQ(tag, L"B");
    ovutDelBuffer(&tag);
    attribute->close();
    ++count;
  }
  EXPECT_EQ(count, 1);
  EXPECT_EQ(reference->openAttribute(attribute, ref, Ovis::kForRead), Ovis::eInvalidInput);
  reference->close();
}

TEST_F(DatabaseTest, HyperlinksThroughTheProtocolExtension) {
  auto* line = new OvDbLine;
  OvDbHyperlinkCollection links;
  links.addTail(L"first");
  links.addTail(L"second");
  ASSERT_EQ(OvDbEntityHyperlinkPE::instance()->setHyperlinkCollection(line, &links), Ovis::eOk);
  OvDbObjectId id = add(line);
  OvDbEntity* entity = nullptr;
  ASSERT_EQ(ovdbOpenOvDbEntity(entity, id, Ovis::kForRead), Ovis::eOk);
  auto* pe = static_cast<OvDbEntityHyperlinkPE*>(entity->x(OvDbEntityHyperlinkPE::desc()));
  ASSERT_NE(pe, nullptr);
  bool has = false;
  EXPECT_EQ(pe->hasHyperlink(entity, has), Ovis::eOk);
  EXPECT_TRUE(has);
  OvDbHyperlinkCollection* got = nullptr;
  ASSERT_EQ(pe->getHyperlinkCollection(entity, got), Ovis::eOk);
  ASSERT_EQ(got->count(), 2);
  EXPECT_STREQ(got->item(1)->name(), L"second");
  EXPECT_EQ(got->item(2), nullptr);
  delete got;
  EXPECT_THROW(pe->setHyperlinkCollection(entity, &links), OvDbAccessError);  // read open only
  entity->close();
}

TEST_F(DatabaseTest, LineAndArcGeometry) {
  OvDbLine line({1, 2, 3}, {4, 6, 3});
  double d = 0;
  ASSERT_EQ(line.getDistAtPoint({4, 6, 3}, d), Ovis::eOk);
  EXPECT_DOUBLE_EQ(d, 5.0);
  ASSERT_EQ(line.getDistAtPoint({2.5, 4, 3}, d), Ovis::eOk);
  EXPECT_DOUBLE_EQ(d, 2.5);
  EXPECT_EQ(line.getDistAtPoint({2.5, 4.1, 3}, d), Ovis::eInvalidInput);
  EXPECT_EQ(line.getDistAtPoint({7, 10, 3}, d), Ovis::eInvalidInput);  // on the line, past its end

  // An arc from 350 to 80 degrees turns through 90 degrees across the X axis.
  OvDbArc arc({1, 1, 0}, 2, 350 * kPi / 180, 80 * kPi / 180);
  OvGePoint3d end;
  ASSERT_EQ(arc.getEndPoint(end), Ovis::eOk);
  EXPECT_NEAR(end.x, 1 + 2 * std::cos(80 * kPi / 180), 1e-12);
  ASSERT_EQ(arc.getDistAtPoint(end, d), Ovis::eOk);
  Sampled s = sample(&arc);
  EXPECT_NEAR(d, s.length, 1e-6);
  OvGePoint3d onXAxis(3, 1, 0);
  ASSERT_EQ(arc.getDistAtPoint(onXAxis, d), Ovis::eOk);
  EXPECT_NEAR(d, 2 * 10 * kPi / 180, 1e-9);
  EXPECT_EQ(arc.getDistAtPoint({1, 3.0001, 0}, d), Ovis::eInvalidInput);
  EXPECT_EQ(arc.getDistAtPoint({1, -1, 0}, d), Ovis::eInvalidInput);  // on the circle, off the arc
  double area = 0;
  arc.getArea(area);
  EXPECT_NEAR(area, s.area, 1e-4);  // the segment between arc and chord

  OvDbCircle circle({5, -1, 2}, 2.5);
  circle.getArea(area);
  s = sample(&circle);
  EXPECT_NEAR(area, s.area, 1e-4);
  double endParam = 0;
  circle.getEndParam(endParam);
  circle.getDistAtParam(endParam, d);
  EXPECT_NEAR(d, s.length, 1e-6);
}

TEST_F(DatabaseTest, PolylinesWithBulges) {
  // A 4 by 2 rectangle whose right side is a half circle outwards and whose top side
  // curves inwards by a quarter circle.
  OvDbPolyline p;
  p.addVertexAt(0, {0, 0}, 0);
  p.addVertexAt(1, {4, 0}, 1);
  p.addVertexAt(2, {4, 2}, 0);
  p.addVertexAt(3, {0, 2}, 0);
  p.addVertexAt(2, {4, 2}, -std::tan(kPi / 8));  // inserted before the old vertex 2
  EXPECT_EQ(p.numVerts(), 5u);
  p.setClosed(true);
  double area = 0, endParam = 0, length = 0;
  p.getArea(area);
  p.getEndParam(endParam);
  p.getDistAtParam(endParam, length);
  Sampled s = sample(&p);
  EXPECT_EQ(endParam, 5.0);
  EXPECT_NEAR(length, s.length, 1e-5);
  EXPECT_NEAR(area, s.area, 1e-4);
  // The same shape worked out by hand: the half circle of radius 1 adds pi / 2.
  OvDbPolyline q;
  q.addVertexAt(0, {0, 0}, 0);
  q.addVertexAt(1, {4, 0}, 1);
  q.addVertexAt(2, {4, 2}, 0);
  q.addVertexAt(3, {0, 2}, 0);
  q.setClosed(true);
  q.getArea(area);
  EXPECT_NEAR(area, 8 + kPi / 2, 1e-12);
  q.getEndParam(endParam);
  q.getDistAtParam(endParam, length);
  EXPECT_NEAR(length, 4 + kPi + 4 + 2, 1e-12);
  double d = 0;
  ASSERT_EQ(q.getDistAtPoint({5, 1, 0}, d), Ovis::eOk);  // the outermost point of the half circle
  EXPECT_NEAR(d, 4 + kPi / 2, 1e-9);
  EXPECT_EQ(q.getDistAtPoint({3, 1, 0}, d), Ovis::eInvalidInput);

  // An open polyline ends at its last vertex; its area is closed by a straight segment.
  OvDbPolyline open;
  open.addVertexAt(0, {0, 0}, 0.5);
  open.addVertexAt(1, {3, 0}, 0);
  open.addVertexAt(2, {3, 3}, 0);
  open.getEndParam(endParam);
  EXPECT_EQ(endParam, 2.0);
  open.getArea(area);
  s = sample(&open);
  EXPECT_NEAR(area, s.area, 1e-4);
  double width = -1;
  EXPECT_EQ(open.getConstantWidth(width), Ovis::eInvalidInput);
  EXPECT_EQ(width, -1);

  // The heavyweight polyline is a curve of another class.
  OvDb2dPolyline heavy;
  heavy.appendVertex({0, 0, 1});
  heavy.appendVertex({2, 0, 1}, 1);
  heavy.appendVertex({2, 2, 1});
  EXPECT_FALSE(heavy.isKindOf(OvDbPolyline::desc()));
  EXPECT_TRUE(heavy.isKindOf(OvDbCurve::desc()));
  heavy.getEndParam(endParam);
  heavy.getDistAtParam(endParam, length);
  EXPECT_NEAR(length, 2 + kPi, 1e-12);
}

TEST_F(DatabaseTest, SampleDrawingLeavesNothingOpen) {
  int before = HostDatabase::openObjects();
  std::unique_ptr<OvDbDatabase> sample(buildSampleDrawing());
  EXPECT_EQ(HostDatabase::openObjects(), before);
  OvDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(ovdbOpenObject(space, sample->modelSpaceId(), Ovis::kForRead), Ovis::eOk);
  EXPECT_GT(space->entityIds().size(), 25u);
  space->close();
}
