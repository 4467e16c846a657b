#include "extraction/geometric_records.h"

#include "extraction/res_strings.h"
#include "res/resource_ids.h"

namespace {
CString yesNo(bool yes) { return LoadResString(yes ? IDS_YES : IDS_NO); }
}  // namespace

Line::Line(const CString& handle, int kind, const CString& name, const CommonProps& props, double angle,
           double deltaX, double deltaY, double deltaZ, const OvGePoint3d& start, const OvGePoint3d& end, double length)
    : GeomEnt(handle, kind, name, props), angle(angle), deltaX(deltaX), deltaY(deltaY), deltaZ(deltaZ), start(start),
      end(end), length(length) {}

std::vector<PropertyPair> Line::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(angle), formatNumber(deltaX), formatNumber(deltaY), formatNumber(deltaZ),
                            formatNumber(start.x), formatNumber(start.y), formatNumber(start.z), formatNumber(end.x),
                            formatNumber(end.y), formatNumber(end.z), formatNumber(length)});
}

PolyLine::PolyLine(const CString& handle, int kind, const CString& name, const CommonProps& props, double area,
                   double globalWidth, double length, int closed, int linetypeGeneration)
    : GeomEnt(handle, kind, name, props), area(area), globalWidth(globalWidth), length(length), closed(closed),
      linetypeGeneration(linetypeGeneration) {}

std::vector<PropertyPair> PolyLine::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(area), formatNumber(globalWidth), formatNumber(length), yesNo(closed == 1),
                            LoadResString(linetypeGeneration == 1 ? IDS_ENABLED : IDS_DISABLED)});
}

KtArc::KtArc(const CString& handle, int kind, const CString& name, const CommonProps& props, double area,
             double startAngle, double endAngle, double totalAngle, const OvGePoint3d& center, double length,
             double radius)
    : GeomEnt(handle, kind, name, props), area(area), startAngle(startAngle), endAngle(endAngle),
      totalAngle(totalAngle), center(center), length(length), radius(radius) {}

std::vector<PropertyPair> KtArc::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(area), formatNumber(startAngle), formatNumber(endAngle),
                            formatNumber(totalAngle), formatNumber(center.x), formatNumber(center.y),
                            formatNumber(center.z), formatNumber(length), formatNumber(radius)});
}

Circle::Circle(const CString& handle, int kind, const CString& name, const CommonProps& props, double area,
               const OvGePoint3d& center, double radius, double circumference)
    : GeomEnt(handle, kind, name, props), area(area), center(center), radius(radius), circumference(circumference),
      diameter(2 * radius) {}

std::vector<PropertyPair> Circle::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(area), formatNumber(center.x), formatNumber(center.y),
                            formatNumber(center.z), formatNumber(radius), formatNumber(circumference),
                            formatNumber(diameter)});
}

KtPoint::KtPoint(const CString& handle, int kind, const CString& name, const CommonProps& props,
                 const OvGePoint3d& position)
    : GeomEnt(handle, kind, name, props), position(position) {}

std::vector<PropertyPair> KtPoint::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(position.x), formatNumber(position.y), formatNumber(position.z)});
}

MultiText::MultiText(const CString& handle, int kind, const CString& name, const CommonProps& props,
                     const OvGePoint3d& location, const CString& contents, int attachment, int flowDirection,
                     double definedWidth, double textHeight, double rotation, bool backgroundMask,
                     double lineSpacingFactor, int lineSpacingStyle)
    : GeomEnt(handle, kind, name, props), location(location), contents(contents),
      justifyText(attachmentText(attachment)), directionText(flowDirectionText(flowDirection)),
      definedWidth(definedWidth), textHeight(textHeight), rotation(rotation), backgroundMask(backgroundMask),
      lineSpacingFactor(lineSpacingFactor), lineSpacingStyleText(::lineSpacingStyleText(lineSpacingStyle)) {}

std::vector<PropertyPair> MultiText::fillProperties(const std::vector<PropertyItem>& items) const {
  return namedPairs(items, {formatNumber(location.x), formatNumber(location.y), formatNumber(location.z), contents,
                            CString(), justifyText, directionText, formatNumber(definedWidth),
                            formatNumber(textHeight), formatNumber(rotation), yesNo(backgroundMask),
                            formatNumber(lineSpacingFactor), CString(), lineSpacingStyleText});
}

CString attachmentText(int attachment) {
  if (attachment >= 1 && attachment <= 13)
    return LoadResString(static_cast<UINT>(IDS_JUSTIFY_TOP_LEFT - 1 + attachment));
  if (attachment == 17) return LoadResString(IDS_JUSTIFY_FIT);
  if (attachment == 21) return LoadResString(IDS_JUSTIFY_MIDDLE);
  return CString();
}

CString flowDirectionText(int direction) {
  if (direction == 1 || direction == 2) return LoadResString(IDS_DIRECTION_HORIZONTAL);
  if (direction == 3 || direction == 4) return LoadResString(IDS_DIRECTION_VERTICAL);
  if (direction == 5) return LoadResString(IDS_DIRECTION_BY_STYLE);
  return CString();
}

CString lineSpacingStyleText(int style) {
  if (style == 1) return LoadResString(IDS_SPACING_AT_LEAST);
  if (style == 2) return LoadResString(IDS_SPACING_EXACTLY);
  return CString();
}
