#include "extraction/geometric_records.h"

#include "extraction/res_strings.h"
#include "res/resource_ids.h"

namespace {
CString yesNo(bool yes) { return LoadResString(yes ? IDS_YES : IDS_NO); }
}  // namespace

Line::Line(CString handle, int kind, CString name, CommonProps props, double angle, double deltaX, double deltaY,
           double deltaZ, const OvGePoint3d& start, const OvGePoint3d& end, double length)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), angle(angle), deltaX(deltaX), deltaY(deltaY),
      deltaZ(deltaZ), start(start), end(end), length(length) {}

CString Line::propertyValue(std::size_t i) const {
  const double values[kPropertyCount] = {angle,   deltaX, deltaY, deltaZ, start.x, start.y,
                                         start.z, end.x,  end.y,  end.z,  length};
  return i < kPropertyCount ? formatNumber(values[i]) : CString();
}

PolyLine::PolyLine(CString handle, int kind, CString name, CommonProps props, double area, double globalWidth,
                   double length, int closed, int linetypeGeneration)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), area(area), globalWidth(globalWidth),
      length(length), closed(closed), linetypeGeneration(linetypeGeneration) {}

CString PolyLine::propertyValue(std::size_t i) const {
  switch (i) {
    case 0: return formatNumber(area);
    case 1: return formatNumber(globalWidth);
    case 2: return formatNumber(length);
    case 3: return yesNo(closed == 1);
    case 4: return LoadResString(linetypeGeneration == 1 ? IDS_ENABLED : IDS_DISABLED);
    default: return CString();
  }
}

KtArc::KtArc(CString handle, int kind, CString name, CommonProps props, double area, double startAngle, double endAngle,
             double totalAngle, const OvGePoint3d& center, double length, double radius)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), area(area), startAngle(startAngle),
      endAngle(endAngle), totalAngle(totalAngle), center(center), length(length), radius(radius) {}

CString KtArc::propertyValue(std::size_t i) const {
  const double values[kPropertyCount] = {area,     startAngle, endAngle, totalAngle, center.x,
                                         center.y, center.z,   length,   radius};
  return i < kPropertyCount ? formatNumber(values[i]) : CString();
}

Circle::Circle(CString handle, int kind, CString name, CommonProps props, double area, const OvGePoint3d& center,
               double radius, double circumference)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), area(area), center(center), radius(radius),
      circumference(circumference), diameter(2 * radius) {}

CString Circle::propertyValue(std::size_t i) const {
  const double values[kPropertyCount] = {area, center.x, center.y, center.z, radius, circumference, diameter};
  return i < kPropertyCount ? formatNumber(values[i]) : CString();
}

KtPoint::KtPoint(CString handle, int kind, CString name, CommonProps props, const OvGePoint3d& position)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), position(position) {}

CString KtPoint::propertyValue(std::size_t i) const {
  const double values[kPropertyCount] = {position.x, position.y, position.z};
  return i < kPropertyCount ? formatNumber(values[i]) : CString();
}

MultiText::MultiText(CString handle, int kind, CString name, CommonProps props, const OvGePoint3d& location,
                     CString contents, int attachment, int flowDirection, double definedWidth, double textHeight,
                     double rotation, bool backgroundMask, double lineSpacingFactor, int lineSpacingStyle)
    : GeomEnt(std::move(handle), kind, std::move(name), std::move(props)), location(location),
      contents(std::move(contents)), justifyText(attachmentText(attachment)),
      directionText(flowDirectionText(flowDirection)), definedWidth(definedWidth), textHeight(textHeight),
      rotation(rotation), backgroundMask(backgroundMask), lineSpacingFactor(lineSpacingFactor),
      lineSpacingStyleText(::lineSpacingStyleText(lineSpacingStyle)) {}

CString MultiText::propertyValue(std::size_t i) const {
  switch (i) {
    case 0: return formatNumber(location.x);
    case 1: return formatNumber(location.y);
    case 2: return formatNumber(location.z);
    case 3: return contents;
    case 5: return justifyText;
    case 6: return directionText;
    case 7: return formatNumber(definedWidth);
    case 8: return formatNumber(textHeight);
    case 9: return formatNumber(rotation);
    case 10: return yesNo(backgroundMask);
    case 11: return formatNumber(lineSpacingFactor);
    case 13: return lineSpacingStyleText;
    default: return CString();  // 4 "Style" and 12 "Line spacing distance" are always empty
  }
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
