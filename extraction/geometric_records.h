// The records of the eight geometric kinds; each lists its own values as pairs named by
// its kind's catalogue list, and gives each value by its position for row building.
#pragma once
#include "extraction/entity_records.h"
#include "platform/host/geometry.h"

// A record's own pairs: its values by position, named by the items in order.
template <typename Record>
std::vector<PropertyPair> ownPairs(const Record& record, const std::vector<PropertyItem>& items) {
  return namedPairs(items, Record::kPropertyCount, [&record](std::size_t i) { return record.propertyValue(i); });
}

class Line : public GeomEnt {
public:
  Line(CString handle, int kind, CString name, CommonProps props, double angle, double deltaX, double deltaY,
       double deltaZ, const OvGePoint3d& start, const OvGePoint3d& end, double length);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 11;
  CString propertyValue(std::size_t i) const;

  double angle, deltaX, deltaY, deltaZ;
  OvGePoint3d start, end;
  double length;
};

class PolyLine : public GeomEnt {
public:
  PolyLine(CString handle, int kind, CString name, CommonProps props, double area, double globalWidth, double length,
           int closed, int linetypeGeneration);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 5;
  CString propertyValue(std::size_t i) const;

  double area, globalWidth, length;
  int closed;
  int linetypeGeneration;
};

class KtArc : public GeomEnt {
public:
  // The total angle is the arc's included angle in degrees, in (0, 360].
  KtArc(CString handle, int kind, CString name, CommonProps props, double area, double startAngle, double endAngle,
        double totalAngle, const OvGePoint3d& center, double length, double radius);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 9;
  CString propertyValue(std::size_t i) const;

  double area, startAngle, endAngle, totalAngle;
  OvGePoint3d center;
  double length, radius;
};

class Circle : public GeomEnt {
public:
  // The diameter is twice the radius given.
  Circle(CString handle, int kind, CString name, CommonProps props, double area, const OvGePoint3d& center,
         double radius, double circumference);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 7;
  CString propertyValue(std::size_t i) const;

  double area;
  OvGePoint3d center;
  double radius, circumference, diameter;
};

class Solid : public GeomEnt {
public:
  using GeomEnt::GeomEnt;
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>&) const override { return {}; }
  static constexpr std::size_t kPropertyCount = 0;
  CString propertyValue(std::size_t) const { return CString(); }
};

class Solid3D : public GeomEnt {
public:
  using GeomEnt::GeomEnt;
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>&) const override { return {}; }
  static constexpr std::size_t kPropertyCount = 0;
  CString propertyValue(std::size_t) const { return CString(); }
};

class KtPoint : public GeomEnt {
public:
  KtPoint(CString handle, int kind, CString name, CommonProps props, const OvGePoint3d& position);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 3;
  CString propertyValue(std::size_t i) const;

  OvGePoint3d position;
};

class MultiText : public GeomEnt {
public:
  // Takes the host's attachment, flow direction and line spacing style and keeps their texts.
  MultiText(CString handle, int kind, CString name, CommonProps props, const OvGePoint3d& location, CString contents,
            int attachment, int flowDirection, double definedWidth, double textHeight, double rotation,
            bool backgroundMask, double lineSpacingFactor, int lineSpacingStyle);
  std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const override {
    return ownPairs(*this, items);
  }
  // The value of pair i (i below kPropertyCount), as fillProperties gives it.
  static constexpr std::size_t kPropertyCount = 14;
  CString propertyValue(std::size_t i) const;

  OvGePoint3d location;
  CString contents;
  CString justifyText;
  CString directionText;
  double definedWidth, textHeight, rotation;
  bool backgroundMask;
  double lineSpacingFactor;
  CString lineSpacingStyleText;
};

// The texts of the multiline text's enumerations; empty for values without one.
CString attachmentText(int attachment);
CString flowDirectionText(int direction);
CString lineSpacingStyleText(int style);
