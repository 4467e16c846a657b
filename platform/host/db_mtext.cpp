#include "platform/host/db_mtext.h"

#include "platform/host/editor.h"

OVRX_DEFINE_MEMBERS(OvDbMText, OvDbEntity)

OVDB_DEFINE_VALUE(OvDbMText, OvDbMText::AttachmentPoint, attachment, setAttachment, attachment_)
OVDB_DEFINE_VALUE(OvDbMText, OvDb::FlowDirection, flowDirection, setFlowDirection, flow_)
OVDB_DEFINE_VALUE(OvDbMText, double, width, setWidth, width_)
OVDB_DEFINE_VALUE(OvDbMText, double, textHeight, setTextHeight, height_)
OVDB_DEFINE_VALUE(OvDbMText, double, rotation, setRotation, rotation_)
OVDB_DEFINE_VALUE(OvDbMText, bool, backgroundFillOn, setBackgroundFill, backgroundFill_)
OVDB_DEFINE_VALUE(OvDbMText, double, lineSpacingFactor, setLineSpacingFactor, spacingFactor_)
OVDB_DEFINE_VALUE(OvDbMText, OvDb::LineSpacingStyle, lineSpacingStyle, setLineSpacingStyle, spacingStyle_)

OVDB_DEFINE_VALUE(OvDbMText, OvGePoint3d, location, setLocation, location_)

wchar_t* OvDbMText::text() const {
  assertReadEnabled();
  return HostEditor::newBuffer(contents_.c_str());
}

Ovis::ErrorStatus OvDbMText::setContents(const wchar_t* contents) {
  assertWriteEnabled();
  if (!contents) return Ovis::eInvalidInput;
  contents_ = contents;
  return Ovis::eOk;
}
