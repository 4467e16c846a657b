#include "platform/host/text_style.h"

#include <cwchar>

OVRX_DEFINE_MEMBERS(OvDbTextStyleTableRecord, OvDbObject)

void OvDbTextStyleTableRecord::setName(const wchar_t* name) {
  assertWriteEnabled();
  name_ = name ? name : L"";
}

double OvDbTextStyleTableRecord::xScale() const {
  assertReadEnabled();
  return xScale_;
}

Ovis::ErrorStatus OvDbTextStyleTableRecord::setXScale(double factor) {
  assertWriteEnabled();
  if (!(factor > 0)) return Ovis::eInvalidInput;
  xScale_ = factor;
  return Ovis::eOk;
}

OvGePoint2d OvGiTextStyle::extents(const wchar_t* text, bool, int length, bool, void*) const {
  size_t count = text ? std::wcslen(text) : 0;
  if (length >= 0 && static_cast<size_t>(length) < count) count = static_cast<size_t>(length);
  return {static_cast<double>(count) * kAdvance * textSize_ * xScale_, textSize_};
}

Ovis::ErrorStatus fromOvDbTextStyle(OvGiTextStyle& style, const OvDbObjectId& styleId) {
  OvDbTextStyleTableRecord* record = nullptr;
  Ovis::ErrorStatus es = ovdbOpenObject(record, styleId, Ovis::kForRead);
  if (es != Ovis::eOk) return es;
  style.setXScale(record->xScale());
  record->close();
  return Ovis::eOk;
}
