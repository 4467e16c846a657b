#include "platform/host/db_entity.h"

OVRX_DEFINE_MEMBERS(OvDbEntity, OvDbObject)

namespace {
// Setters of texts refuse a null text.
Ovis::ErrorStatus setText(std::wstring& field, const wchar_t* text) {
  if (!text) return Ovis::eInvalidInput;
  field = text;
  return Ovis::eOk;
}
}  // namespace

const wchar_t* OvDbEntity::layer() const {
  assertReadEnabled();
  return layer_.c_str();
}

Ovis::ErrorStatus OvDbEntity::setLayer(const wchar_t* name) {
  assertWriteEnabled();
  if (!name || !*name) return Ovis::eInvalidInput;
  layer_ = name;
  return Ovis::eOk;
}

std::uint16_t OvDbEntity::colorIndex() const {
  assertReadEnabled();
  return color_;
}

Ovis::ErrorStatus OvDbEntity::setColorIndex(std::uint16_t color) {
  assertWriteEnabled();
  if (color > 256) return Ovis::eOutOfRange;
  color_ = color;
  return Ovis::eOk;
}

const wchar_t* OvDbEntity::linetype() const {
  assertReadEnabled();
  return linetype_.c_str();
}

Ovis::ErrorStatus OvDbEntity::setLinetype(const wchar_t* name) {
  assertWriteEnabled();
  return setText(linetype_, name);
}

double OvDbEntity::linetypeScale() const {
  assertReadEnabled();
  return linetypeScale_;
}

Ovis::ErrorStatus OvDbEntity::setLinetypeScale(double scale) {
  assertWriteEnabled();
  if (!(scale > 0)) return Ovis::eInvalidInput;
  linetypeScale_ = scale;
  return Ovis::eOk;
}

OvDb::LineWeight OvDbEntity::lineWeight() const {
  assertReadEnabled();
  return lineWeight_;
}

Ovis::ErrorStatus OvDbEntity::setLineWeight(OvDb::LineWeight weight) {
  assertWriteEnabled();
  if (weight < OvDb::kLnWtByLwDefault || weight > OvDb::kLnWt211) return Ovis::eOutOfRange;
  lineWeight_ = weight;
  return Ovis::eOk;
}

const wchar_t* OvDbEntity::plotStyleName() const {
  assertReadEnabled();
  return plotStyle_.c_str();
}

Ovis::ErrorStatus OvDbEntity::setPlotStyleName(const wchar_t* name) {
  assertWriteEnabled();
  return setText(plotStyle_, name);
}
