// Multiline text.
#pragma once
#include <string>

#include "platform/host/db_entity.h"
#include "platform/host/geometry.h"

namespace OvDb {
enum FlowDirection { kLtoR = 1, kTtoB = 3, kBtoT = 4, kByStyle = 5 };
enum LineSpacingStyle { kAtLeast = 1, kExactly = 2 };
}  // namespace OvDb

class OvDbMText : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbMText)
  // The host's attachment points run from 1 (top left) to 24; the code names these three.
  enum AttachmentPoint : int { kTopLeft = 1, kMiddleCenter = 5, kBottomRight = 9 };

  OvGePoint3d location() const;
  Ovis::ErrorStatus setLocation(const OvGePoint3d& location);
  // The contents with their formatting codes, host-allocated (free with ovutDelBuffer).
  wchar_t* text() const;
  Ovis::ErrorStatus setContents(const wchar_t* contents);
  AttachmentPoint attachment() const;
  Ovis::ErrorStatus setAttachment(AttachmentPoint attachment);
  OvDb::FlowDirection flowDirection() const;
  Ovis::ErrorStatus setFlowDirection(OvDb::FlowDirection direction);
  double width() const;
  Ovis::ErrorStatus setWidth(double width);
  double textHeight() const;
  Ovis::ErrorStatus setTextHeight(double height);
  double rotation() const;  // radians
  Ovis::ErrorStatus setRotation(double radians);
  bool backgroundFillOn() const;
  Ovis::ErrorStatus setBackgroundFill(bool on);
  double lineSpacingFactor() const;
  Ovis::ErrorStatus setLineSpacingFactor(double factor);
  OvDb::LineSpacingStyle lineSpacingStyle() const;
  Ovis::ErrorStatus setLineSpacingStyle(OvDb::LineSpacingStyle style);

private:
  OvGePoint3d location_;
  std::wstring contents_;
  AttachmentPoint attachment_ = kTopLeft;
  OvDb::FlowDirection flow_ = OvDb::kLtoR;
  double width_ = 0, height_ = 2.5, rotation_ = 0, spacingFactor_ = 1.0;
  bool backgroundFill_ = false;
  OvDb::LineSpacingStyle spacingStyle_ = OvDb::kAtLeast;
};
