#include "extraction/extraction_engine.h"

#include <cmath>
#include <memory>

#include "common/host_strings.h"
#include "common/numbers.h"
#include "extraction/host_guards.h"
#include "extraction/kind_records.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "platform/win/wide_numbers.h"
#include "res/resource_ids.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double degrees(double radians) { return radians * 180.0 / kPi; }

void roundPoint(double step, OvGePoint3d& p) { ::roundPoint(step, p.x, p.y, p.z); }

}  // namespace

ExtractionEngine::ExtractionEngine() = default;

ExtractionEngine::ExtractionEngine(const ov_name selection, long long count, const PropertyCatalogue& catalogue)
    : catalogue(catalogue), step(precisionStep(getLinearPrecision())) {
  for (long long i = 0; i < count; ++i) {
    ov_name name{0, 0};
    OvDbObjectId id;
    if (ovedSSName(selection, static_cast<std::int32_t>(i), name) != RTNORM) continue;
    if (ovdbGetObjectId(id, name) != Ovis::eOk) continue;
    OpenedObject<OvDbEntity> entity;
    if (!entity.open(id)) continue;
    extractEntity(entity.get(), id);
  }
}

ExtractionEngine::ExtractionEngine(const std::vector<CString>& handles, const PropertyCatalogue& catalogue)
    : catalogue(catalogue), step(precisionStep(getLinearPrecision())) {
  OvDbDatabase* drawing = ovdbHostApplicationServices()->workingDatabase();
  if (!drawing) return;
  for (const CString& handle : handles) {
    OvDbObjectId id;
    if (drawing->getOvDbObjectId(id, false, OvDbHandle(handle.GetString())) != Ovis::eOk) continue;
    OpenedObject<OvDbEntity> entity;
    if (!entity.open(id)) continue;
    extractEntity(entity.get(), id);
  }
}

void ExtractionEngine::extractEntity(OvDbEntity* entity, const OvDbObjectId& id) {
  const ObjectKindInfo* kind = objectKindOf(entity);
  if (!kind) return;  // an entity of no kind gives no record
  OvDbHandle handle;
  entity->getOvDbHandle(handle);
  wchar_t buffer[17] = L"";
  handle.getIntoAsciiBuffer(buffer, 17);
  kindRecords(*kind).extract(*this, entity, id, CString(buffer));
}

PresentTypeMap ExtractionEngine::presentObjectKinds() const {
  PresentTypeMap kinds;
  for (const ObjectKindInfo& kind : objectKinds()) {
    if (kindRecords(kind).count(*this) > 0) kinds.insert(kind.code);
  }
  return kinds;
}

void ExtractionEngine::readCommonProperties(CommonProps& out, OvDbEntity* entity) const {
  out = CommonProps();
  out.layer = entity->layer();
  std::uint16_t color = entity->colorIndex();
  double scale = entity->linetypeScale();
  OvDb::LineWeight weight = entity->lineWeight();
  out.plotStyle = entity->plotStyleName();
  out.linetype = entity->linetype();

  roundToStep(step, scale);
  out.linetypeScale = keepSixDecimals(scale);

  if (weight == OvDb::kLnWtByLayer) out.lineWeight = byLayerTexts_.byLayer;
  else if (weight == OvDb::kLnWtByBlock) out.lineWeight = byLayerTexts_.byBlock;
  else if (weight == OvDb::kLnWtByLwDefault) out.lineWeight = byLayerTexts_.byDefault;
  else {
    double value = static_cast<double>(weight);
    roundToStep(step, value);
    out.lineWeight = formatNumber(value);
  }
  out.color = colorToText(color, byLayerTexts_);
  localizeByLayerByBlock(out.plotStyle, byLayerTexts_);
  localizeByLayerByBlock(out.linetype, byLayerTexts_);
  out.hyperlinks = readHyperlink(entity);
}

void ExtractionEngine::extractLine(OvDbLine* line, CString handle) {
  CommonProps props;
  readCommonProperties(props, line);
  double thickness = line->thickness();
  OvGePoint3d start = line->startPoint(), end = line->endPoint();
  OvGeVector3d delta = end - start;
  double angle = degrees(delta.angleOnPlane(OvGePlane::kXYPlane));
  double length = 0;
  line->getDistAtPoint(end, length);

  roundToStep(step, angle);
  roundPoint(step, delta.x, delta.y, delta.z);
  roundPoint(step, start);
  roundPoint(step, end);
  roundToStep(step, length);
  roundToStep(step, thickness);
  props.thickness = thickness;
  lines.emplace_back(std::move(handle), kKindLine, catalogue.kindName(kKindLine), std::move(props), angle, delta.x,
                     delta.y, delta.z, start, end, length);
}

void ExtractionEngine::extractPolyline(OvDbPolyline* polyline, CString handle) {
  CommonProps props;
  readCommonProperties(props, polyline);
  double thickness = polyline->thickness();
  double area = 0, width = 0, endParam = 0, length = 0;
  polyline->getArea(area);
  polyline->getConstantWidth(width);
  polyline->getEndParam(endParam);
  polyline->getDistAtParam(endParam, length);
  int closed = polyline->isClosed() ? 1 : 0;
  int plinegen = polyline->hasPlinegen() ? 1 : 0;

  roundToStep(step, area);
  roundToStep(step, width);
  roundToStep(step, length);
  roundToStep(step, thickness);
  props.thickness = thickness;
  polylines.emplace_back(std::move(handle), kKindPolyline, catalogue.kindName(kKindPolyline), std::move(props), area,
                         width, length, closed, plinegen);
}

void ExtractionEngine::extractCircle(OvDbCircle* circle, CString handle) {
  CommonProps props;
  readCommonProperties(props, circle);
  double area = 0;
  circle->getArea(area);
  OvGePoint3d center = circle->center();
  double radius = circle->radius();
  double circumference = 2 * radius * kPi;
  double thickness = circle->thickness();

  roundToStep(step, area);
  roundPoint(step, center);
  roundToStep(step, radius);
  roundToStep(step, circumference);
  roundToStep(step, thickness);
  props.thickness = thickness;
  circles.emplace_back(std::move(handle), kKindCircle, catalogue.kindName(kKindCircle), std::move(props), area, center,
                       radius, circumference);
}

void ExtractionEngine::extractArc(OvDbArc* arc, CString handle) {
  CommonProps props;
  readCommonProperties(props, arc);
  double area = 0;
  arc->getArea(area);
  double startAngle = degrees(arc->startAngle());
  double endAngle = degrees(arc->endAngle());
  // The included angle, brought into (0, 360].
  double totalAngle = std::fmod(endAngle - startAngle, 360.0);
  if (totalAngle <= 0) totalAngle += 360.0;
  OvGePoint3d center = arc->center();
  OvGePoint3d end;
  double length = 0;
  arc->getEndPoint(end);
  arc->getDistAtPoint(end, length);
  double radius = arc->radius();
  double thickness = arc->thickness();

  roundToStep(step, area);
  roundToStep(step, startAngle);
  roundToStep(step, endAngle);
  roundToStep(step, totalAngle);
  roundPoint(step, center);
  roundToStep(step, length);
  roundToStep(step, radius);
  roundToStep(step, thickness);
  props.thickness = thickness;
  arcs.emplace_back(std::move(handle), kKindArc, catalogue.kindName(kKindArc), std::move(props), area, startAngle,
                    endAngle, totalAngle, center, length, radius);
}

void ExtractionEngine::extractSolid(OvDbSolid* solid, CString handle) {
  CommonProps props;
  readCommonProperties(props, solid);
  double thickness = solid->thickness();
  roundToStep(step, thickness);
  props.thickness = thickness;
  solids.emplace_back(std::move(handle), kKindSolid, catalogue.kindName(kKindSolid), std::move(props));
}

void ExtractionEngine::extract3dSolid(OvDb3dSolid* solid, CString handle) {
  CommonProps props;
  readCommonProperties(props, solid);
  props.thickness = 0;
  solids3d.emplace_back(std::move(handle), kKindSolid3d, catalogue.kindName(kKindSolid3d), std::move(props));
}

void ExtractionEngine::extractPoint(OvDbPoint* point, CString handle) {
  CommonProps props;
  readCommonProperties(props, point);
  double thickness = point->thickness();
  OvGePoint3d position = point->position();
  roundPoint(step, position);
  roundToStep(step, thickness);
  props.thickness = thickness;
  points.emplace_back(std::move(handle), kKindPoint, catalogue.kindName(kKindPoint), std::move(props), position);
}

void ExtractionEngine::extractMText(OvDbMText* text, CString handle) {
  CommonProps props;
  readCommonProperties(props, text);
  OvGePoint3d location = text->location();
  CString contents = takeHostString(text->text());
  int attachment = text->attachment();
  int flow = text->flowDirection();
  double width = text->width();
  double height = text->textHeight();
  double rotation = text->rotation();
  bool mask = text->backgroundFillOn();
  double spacing = text->lineSpacingFactor();
  int spacingStyle = text->lineSpacingStyle();

  roundPoint(step, location);
  roundToStep(step, width);
  roundToStep(step, height);
  roundToStep(step, rotation);
  roundToStep(step, spacing);
  props.thickness = 0;
  mtexts.emplace_back(std::move(handle), kKindMText, catalogue.kindName(kKindMText), std::move(props), location,
                      std::move(contents), attachment, flow, width, height, rotation, mask, spacing, spacingStyle);
}

void ExtractionEngine::extractBlockReference(OvDbBlockReference*, const OvDbObjectId& id, CString handle) {
  OpenedObject<OvDbBlockReference> reference;
  if (!reference.open(id)) return;
  OvDbObjectId blockRecordId = reference->blockTableRecord();

  CString name;
  bool isDynamic = false;
  std::vector<BlockAttribute> dynamicProperties;
  OfferedPropertyMap dynamicItems, attributeItems;
  OvDbDynBlockReference dynamicReference(id);
  bool named = false;
  if (dynamicReference.isDynamicBlock()) {
    OpenedObject<OvDbBlockTableRecord> definition;
    if (definition.open(dynamicReference.dynamicBlockTableRecord())) {
      const wchar_t* text = nullptr;
      definition->getName(text);
      name = text;
      named = true;
      isDynamic = true;
      if (hasExcludedBlockPrefix(name, ExcludedBlockPrefixes)) return;
      dynamicProperties = readDynamicBlockProperties(&dynamicReference, step);
      for (const auto& p : dynamicProperties)
        dynamicItems.insert(PropertyItem(p.tag, kCategoryDynamicBlock, p.numeric));
    }
  }
  if (!named) {
    // Not dynamic, or its dynamic definition cannot be read: the definition it uses names it.
    OpenedObject<OvDbBlockTableRecord> definition;
    if (definition.open(blockRecordId)) {
      const wchar_t* text = nullptr;
      definition->getName(text);
      name = text;
      if (hasExcludedBlockPrefix(name, ExcludedBlockPrefixes)) return;
    }
  }

  std::vector<BlockAttribute> attributes;
  std::unique_ptr<OvDbObjectIterator> it(reference->attributeIterator());
  for (it->start(); !it->done(); it->step()) {
    OpenedObject<OvDbAttribute> attribute;
    if (reference->openAttribute(attribute.receive(), it->objectId(), Ovis::kForRead) != Ovis::eOk) continue;
    BlockAttribute a;
    a.tag = takeHostString(attribute->tag());
    a.value = takeHostString(attribute->textString());
    a.numeric = isNumericText(a.value);
    if (a.numeric) roundNumericText(step, a.value);
    attributeItems.insert(PropertyItem(a.tag, kCategoryAttribute, a.numeric));
    attributes.push_back(std::move(a));
  }
  blockItems.insert(dynamicItems.begin(), dynamicItems.end());
  blockItems.insert(attributeItems.begin(), attributeItems.end());

  OvGePoint3d position = reference->position();
  double rotation = reference->rotation() / (kPi / 180.0);
  OvGeScale3d scale = reference->scaleFactors();
  roundPoint(step, position);
  roundToStep(step, rotation);
  roundScale(step, scale);

  BlockRefRecord record(std::move(handle), kKindBlock, std::move(name), isDynamic, blockRecordId, position, scale,
                        rotation);
  record.attributes = std::move(attributes);
  record.dynamicProperties = std::move(dynamicProperties);
  blockRefs.push_back(std::move(record));
}

void translateNames(TextGrid& rows, const std::map<CString, CString>& displayNames) {
  if (rows.empty()) return;
  for (CString& cell : rows[0]) cell = displayNameOf(cell, displayNames);
}

CString displayNameOf(const CString& property, const std::map<CString, CString>& displayNames) {
  auto it = displayNames.find(property);
  return it != displayNames.end() ? it->second : property;
}
