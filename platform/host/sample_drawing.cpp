#include "platform/host/sample_drawing.h"

#include <cmath>
#include <memory>

#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_hyperlink.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The look of an entity: layer, colour, linetype, lineweight and plot style.
struct Look {
  const wchar_t* layer = L"0";
  std::uint16_t color = 256;
  const wchar_t* linetype = L"ByLayer";
  OvDb::LineWeight weight = OvDb::kLnWtByLayer;
  double linetypeScale = 1.0;
  const wchar_t* plotStyle = L"ByLayer";
};

void applyLook(OvDbEntity* entity, const Look& look) {
  entity->setLayer(look.layer);
  entity->setColorIndex(look.color);
  entity->setLinetype(look.linetype);
  entity->setLineWeight(look.weight);
  entity->setLinetypeScale(look.linetypeScale);
  entity->setPlotStyleName(look.plotStyle);
}

// Appends a new entity to the record open for write, and closes it. A new entity stays its
// maker's (deleted on every way out) until the drawing takes it.
OvDbObjectId append(OvDbBlockTableRecord* space, OvDbEntity* made, const Look& look) {
  std::unique_ptr<OvDbEntity> entity(made);
  applyLook(entity.get(), look);
  OvDbObjectId id;
  if (space->appendOvDbEntity(id, entity.get()) != Ovis::eOk) return {};
  entity.release()->close();
  return id;
}

OvDbBlockTableRecord* newBlock(OvDbBlockTable* table, const wchar_t* name, OvDbObjectId& id) {
  auto record = std::make_unique<OvDbBlockTableRecord>();
  record->setName(name);
  if (table->add(id, record.get()) != Ovis::eOk) return nullptr;
  return record.release();
}

void setHyperlinks(OvDbEntity* entity, std::initializer_list<const wchar_t*> names) {
  OvDbHyperlinkCollection links;
  for (const wchar_t* name : names) links.addTail(name, L"", L"");
  OvDbEntityHyperlinkPE::instance()->setHyperlinkCollection(entity, &links);
}

struct Attribute {
  const wchar_t* tag;
  const wchar_t* text;
};

// A block reference in model space with its attributes.
OvDbObjectId insertBlock(OvDbBlockTableRecord* space, const OvDbObjectId& block, const OvGePoint3d& at, double rotation,
                         const OvGeScale3d& scale, const Look& look, std::initializer_list<Attribute> attributes,
                         std::initializer_list<std::pair<const wchar_t*, OvDbEvalVariant>> dynamicValues = {}) {
  auto made = std::make_unique<OvDbBlockReference>(at, block);
  made->setRotation(rotation);
  made->setScaleFactors(scale);
  for (const auto& [name, value] : dynamicValues) made->setDynamicValue(name, value);
  applyLook(made.get(), look);
  OvDbObjectId id;
  if (space->appendOvDbEntity(id, made.get()) != Ovis::eOk) return {};
  OvDbBlockReference* reference = made.release();
  for (const Attribute& a : attributes) {
    auto attribute = std::make_unique<OvDbAttribute>(a.tag, a.text);
    applyLook(attribute.get(), look);
    OvDbObjectId attributeId;
    if (reference->appendAttribute(attributeId, attribute.get()) == Ovis::eOk) attribute.release()->close();
  }
  reference->close();
  return id;
}

std::unique_ptr<OvDbPolyline> polyline(std::initializer_list<std::pair<OvGePoint2d, double>> vertices, bool closed) {
  auto p = std::make_unique<OvDbPolyline>();
  unsigned i = 0;
  for (const auto& [point, bulge] : vertices) p->addVertexAt(i++, point, bulge);
  p->setClosed(closed);
  return p;
}

}  // namespace

void fillSampleDrawing(OvDbDatabase& db) {
  OvDbBlockTable* table = nullptr;
  if (db.getBlockTable(table, Ovis::kForWrite) != Ovis::eOk) return;

  // Block definitions: a door, a window, a dynamic door with the anonymous definition its
  // reference uses, and a logo whose name marks it as the drafting program's own.
  OvDbObjectId doorId, windowId, dynamicDoorId, dynamicShapeId, logoId;
  if (OvDbBlockTableRecord* door = newBlock(table, L"Door", doorId)) {
    append(door, new OvDbLine({0, 0, 0}, {0.9, 0, 0}), Look{});
    append(door, new OvDbArc({0, 0, 0}, 0.9, 0, kPi / 2), Look{});
    door->close();
  }
  if (OvDbBlockTableRecord* window = newBlock(table, L"Window", windowId)) {
    append(window, new OvDbLine({0, 0, 0}, {1.2, 0, 0}), Look{});
    append(window, new OvDbLine({0, 0.1, 0}, {1.2, 0.1, 0}), Look{});
    window->close();
  }
  if (OvDbBlockTableRecord* dynamicDoor = newBlock(table, L"SlidingDoor", dynamicDoorId)) {
    append(dynamicDoor, new OvDbLine({0, 0, 0}, {1.0, 0, 0}), Look{});
    dynamicDoor->addDynamicProperty(L"Origin", OvDbEvalVariant(OvGePoint3d(0, 0, 0)));
    dynamicDoor->addDynamicProperty(L"Width", OvDbEvalVariant(1.0));
    dynamicDoor->addDynamicProperty(L"Panels", OvDbEvalVariant(static_cast<short>(2)));
    dynamicDoor->addDynamicProperty(L"Track", OvDbEvalVariant(std::int32_t{3}));
    dynamicDoor->addDynamicProperty(L"Finish", OvDbEvalVariant(L"Oak"));
    dynamicDoor->close();
  }
  if (OvDbBlockTableRecord* shape = newBlock(table, L"*U", dynamicShapeId)) {
    append(shape, new OvDbLine({0, 0, 0}, {1.6, 0, 0}), Look{});
    shape->setDynamicBlockDefinition(dynamicDoorId);
    shape->close();
  }
  if (OvDbBlockTableRecord* logo = newBlock(table, L"kt$Logo", logoId)) {
    append(logo, new OvDbCircle({0, 0, 0}, 0.5), Look{});
    logo->close();
  }
  OvDbBlockTableRecord* space = nullptr;
  OvDbObjectId modelSpace;
  table->getAt(OVDB_MODEL_SPACE, modelSpace);
  table->close();
  if (ovdbOpenObject(space, modelSpace, Ovis::kForWrite) != Ovis::eOk) return;

  // Outer walls: a 12 by 8 rectangle of lines; one inner wall.
  Look walls{L"Walls", 256, L"Continuous", OvDb::kLnWt050};
  const OvGePoint3d corners[] = {{0, 0, 0}, {12, 0, 0}, {12, 8, 0}, {0, 8, 0}};
  for (int i = 0; i < 4; ++i) append(space, new OvDbLine(corners[i], corners[(i + 1) % 4]), walls);
  auto inner = std::make_unique<OvDbLine>(OvGePoint3d(6, 0, 0), OvGePoint3d(6, 5, 0));
  inner->setThickness(2.6);
  append(space, inner.release(), Look{L"Walls", 8, L"ByLayer", OvDb::kLnWt025, 1.0, L"BYLAYER"});

  // The bay of the living room: a closed polyline whose outer side is a half circle, and
  // the kitchen counter with a rounded end.
  auto bay = polyline({{{12, 3}, 0}, {{13, 3}, 1}, {{13, 5}, 0}, {{12, 5}, 0}}, true);
  bay->setConstantWidth(0.05);
  bay->setPlinegen(true);
  append(space, bay.release(), Look{L"Walls", 5, L"Continuous", OvDb::kLnWt050, 2.0, L"Normal"});
  auto counter =
      polyline({{{0.5, 0.5}, 0}, {{3.5, 0.5}, 0.41421356237309503}, {{4.5, 1.5}, 0}, {{4.5, 2.5}, 0}}, false);
  counter->setElevation(0.9);
  append(space, counter.release(), Look{L"Furniture", 3, L"ByBlock", OvDb::kLnWtByBlock, 1.26, L"ByBlock"});

  // A heavyweight polyline of the site boundary (not a lightweight polyline).
  auto boundary = std::make_unique<OvDb2dPolyline>();
  for (const auto& p : {OvGePoint3d(-2, -2, 0), OvGePoint3d(15, -2, 0), OvGePoint3d(15, 10, 0), OvGePoint3d(-2, 10, 0)})
    boundary->appendVertex(p);
  boundary->makeClosed();
  append(space, boundary.release(), Look{L"Site"});

  // Doors with their swings, windows on the outer walls.
  Look doors{L"Doors", 256, L"ByLayer", OvDb::kLnWtByLayer};
  insertBlock(space, doorId, {2, 8, 0}, kPi, {1, 1, 1}, doors,
              {{L"NUMBER", L"101"}, {L"WIDTH", L"0.9"}, {L"FIRE", L"EI30 min"}});
  insertBlock(space, doorId, {6, 2, 0}, kPi / 2, {1, 1, 1}, doors,
              {{L"NUMBER", L"102"}, {L"WIDTH", L"0.8"}, {L"FIRE", L"none"}});
  insertBlock(space, dynamicShapeId, {8, 5, 0}, 0, {1, 1, 1}, doors, {{L"NUMBER", L"103"}},
              {{L"Width", OvDbEvalVariant(1.6)}, {L"Panels", OvDbEvalVariant(static_cast<short>(3))}});
  Look windows{L"Windows", 4, L"ByLayer", OvDb::kLnWtByLwDefault};
  insertBlock(space, windowId, {3, 0, 0}, 0, {1, 1, 1}, windows, {{L"TYPE", L"W1"}, {L"WIDTH", L"1.2"}});
  insertBlock(space, windowId, {9, 0, 0}, 0, {1, 1, 1}, windows, {{L"TYPE", L"W1"}, {L"WIDTH", L"1.2"}});
  insertBlock(space, windowId, {0, 4, 0}, kPi / 2, {1.5, 1, 1}, windows, {{L"TYPE", L"W2"}, {L"WIDTH", L"1.80"}});
  insertBlock(space, logoId, {14, -1, 0}, 0, {1, 1, 1}, Look{L"Title"}, {});
  append(space, new OvDbArc({2, 8, 0}, 0.9, kPi, 3 * kPi / 2), Look{L"Doors", 256, L"DASHED", OvDb::kLnWt018, 0.5});
  append(space, new OvDbArc({6, 2, 0}, 0.8, kPi / 2, kPi), Look{L"Doors", 256, L"DASHED", OvDb::kLnWt018, 0.5});

  // Columns at the grid points of the living room.
  Look columns{L"Columns", 1, L"Continuous", OvDb::kLnWt035};
  for (double x : {3.0, 9.0}) {
    for (double y : {4.0, 6.5}) append(space, new OvDbCircle({x, y, 0}, 0.15), columns);
  }

  // Survey points of the floor levels.
  Look survey{L"Survey", 2, L"ByLayer", OvDb::kLnWtByLayer};
  append(space, new OvDbPoint({0, 0, 0.0}), survey);
  append(space, new OvDbPoint({12, 0, 0.012}), survey);
  auto raised = std::make_unique<OvDbPoint>(OvGePoint3d(12, 8, 0.0245));
  raised->setThickness(0.5);
  append(space, raised.release(), survey);

  // The stair landing (a filled solid) and the chimney (a 3D solid).
  auto landing = std::make_unique<OvDbSolid>(OvGePoint3d(10, 6, 0), OvGePoint3d(12, 6, 0), OvGePoint3d(10, 8, 0),
                                             OvGePoint3d(12, 8, 0));
  landing->setThickness(0.2);
  append(space, landing.release(), Look{L"Structure", 0, L"ByBlock", OvDb::kLnWt013});
  auto chimney = std::make_unique<OvDb3dSolid>();
  chimney->createBox(0.6, 0.6, 3.0);
  append(space, chimney.release(), Look{L"Structure", 7, L"Continuous", OvDb::kLnWt211});

  // Room labels; the kitchen's has its formatting codes and a link to its sheet.
  Look labels{L"Annotation", 256, L"ByLayer", OvDb::kLnWtByLayer};
  auto living = std::make_unique<OvDbMText>();
  living->setLocation({9, 3, 0});
  living->setContents(L"Living room");
  living->setAttachment(OvDbMText::kMiddleCenter);
  living->setTextHeight(0.35);
  living->setWidth(3);
  append(space, living.release(), labels);
  auto kitchen = std::make_unique<OvDbMText>();
  kitchen->setLocation({2.5, 4, 0});
  kitchen->setContents(L"{\\fArial|b1;Kitchen}\\PSouth side");
  kitchen->setAttachment(OvDbMText::kTopLeft);
  kitchen->setFlowDirection(OvDb::kTtoB);
  kitchen->setRotation(kPi / 2);
  kitchen->setBackgroundFill(true);
  kitchen->setLineSpacingFactor(1.5);
  kitchen->setLineSpacingStyle(OvDb::kExactly);
  setHyperlinks(kitchen.get(), {L"https://plans.example/kitchen", L"https://plans.example/appliances"});
  append(space, kitchen.release(), labels);
  space->close();
}

OvDbDatabase* buildSampleDrawing() {
  auto database = std::make_unique<OvDbDatabase>();
  fillSampleDrawing(*database);
  return database.release();
}
