// Curves: lines, arcs, circles, lightweight polylines (straight and arc segments given by
// bulges) and the heavyweight 2D polyline. Lengths, areas and distances are computed from
// the geometry. Parameters: a line's is the distance from its start; an arc's and a
// circle's the angle in radians; a polyline's vertex i sits at parameter i, and inside a
// segment the parameter runs evenly along the segment.
#pragma once
#include <vector>

#include "platform/host/db_entity.h"
#include "platform/host/geometry.h"

class OvDbCurve : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbCurve)
  virtual bool isClosed() const = 0;
  virtual Ovis::ErrorStatus getStartParam(double& param) const = 0;
  virtual Ovis::ErrorStatus getEndParam(double& param) const = 0;
  Ovis::ErrorStatus getEndPoint(OvGePoint3d& point) const;
  virtual Ovis::ErrorStatus getPointAtParam(double param, OvGePoint3d& point) const = 0;
  // eInvalidInput for a parameter outside the curve's range.
  virtual Ovis::ErrorStatus getDistAtParam(double param, double& dist) const = 0;
  // eInvalidInput for a point that does not lie on the curve.
  virtual Ovis::ErrorStatus getDistAtPoint(const OvGePoint3d& point, double& dist) const = 0;
  // The area enclosed by the curve, closed by a straight segment when it is open.
  virtual Ovis::ErrorStatus getArea(double& area) const = 0;
  double thickness() const;
  Ovis::ErrorStatus setThickness(double thickness);

private:
  double thickness_ = 0;
};

class OvDbLine : public OvDbCurve {
public:
  OVRX_DECLARE_MEMBERS(OvDbLine)
  OvDbLine() = default;
  OvDbLine(const OvGePoint3d& start, const OvGePoint3d& end) : start_(start), end_(end) {}
  OvGePoint3d startPoint() const;
  OvGePoint3d endPoint() const;
  Ovis::ErrorStatus setStartPoint(const OvGePoint3d& point);
  Ovis::ErrorStatus setEndPoint(const OvGePoint3d& point);

  bool isClosed() const override;
  Ovis::ErrorStatus getStartParam(double& param) const override;
  Ovis::ErrorStatus getEndParam(double& param) const override;
  Ovis::ErrorStatus getPointAtParam(double param, OvGePoint3d& point) const override;
  Ovis::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Ovis::ErrorStatus getDistAtPoint(const OvGePoint3d& point, double& dist) const override;
  Ovis::ErrorStatus getArea(double& area) const override;

private:
  OvGePoint3d start_, end_;
};

// A circle in a plane parallel to XY.
class OvDbCircle : public OvDbCurve {
public:
  OVRX_DECLARE_MEMBERS(OvDbCircle)
  OvDbCircle() = default;
  OvDbCircle(const OvGePoint3d& center, double radius) : center_(center), radius_(radius) {}
  OvGePoint3d center() const;
  double radius() const;
  Ovis::ErrorStatus setRadius(double radius);  // eInvalidInput unless positive

  bool isClosed() const override;
  Ovis::ErrorStatus getStartParam(double& param) const override;
  Ovis::ErrorStatus getEndParam(double& param) const override;
  Ovis::ErrorStatus getPointAtParam(double param, OvGePoint3d& point) const override;
  Ovis::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Ovis::ErrorStatus getDistAtPoint(const OvGePoint3d& point, double& dist) const override;
  Ovis::ErrorStatus getArea(double& area) const override;

private:
  OvGePoint3d center_;
  double radius_ = 1;
};

// A counter-clockwise arc in a plane parallel to XY, from the start angle to the end
// angle (radians, measured from the X axis). Its area is the segment between arc and chord.
class OvDbArc : public OvDbCurve {
public:
  OVRX_DECLARE_MEMBERS(OvDbArc)
  OvDbArc() = default;
  OvDbArc(const OvGePoint3d& center, double radius, double startAngle, double endAngle)
      : center_(center), radius_(radius), startAngle_(startAngle), endAngle_(endAngle) {}
  OvGePoint3d center() const;
  double radius() const;
  double startAngle() const;
  double endAngle() const;

  bool isClosed() const override;
  Ovis::ErrorStatus getStartParam(double& param) const override;
  Ovis::ErrorStatus getEndParam(double& param) const override;
  Ovis::ErrorStatus getPointAtParam(double param, OvGePoint3d& point) const override;
  Ovis::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Ovis::ErrorStatus getDistAtPoint(const OvGePoint3d& point, double& dist) const override;
  Ovis::ErrorStatus getArea(double& area) const override;

private:
  double sweep() const;  // the included angle, in (0, 2 pi]
  OvGePoint3d center_;
  double radius_ = 1, startAngle_ = 0, endAngle_ = 0;
};

// The vertices of a polyline in its plane (at an elevation, parallel to XY). The bulge
// of vertex i shapes the segment from vertex i to the next: 0 straight, otherwise the
// tangent of a quarter of the arc's included angle, positive counter-clockwise.
class OvDbPolylineShape {
public:
  struct Vertex {
    OvGePoint2d point;
    double bulge = 0;
  };
  std::vector<Vertex> vertices;
  bool closed = false;
  double elevation = 0;

  int segmentCount() const;
  double endParam() const;
  OvGePoint3d pointAt(double param) const;
  bool distAtParam(double param, double& dist) const;
  bool distAtPoint(const OvGePoint3d& point, double& dist) const;
  double area() const;
};

// What both polyline classes share: the curve operations over their vertices.
class OvDbPolylineCurve : public OvDbCurve {
public:
  OVRX_DECLARE_CLASS(OvDbPolylineCurve)
  bool isClosed() const override;
  Ovis::ErrorStatus getStartParam(double& param) const override;
  Ovis::ErrorStatus getEndParam(double& param) const override;
  Ovis::ErrorStatus getPointAtParam(double param, OvGePoint3d& point) const override;
  Ovis::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Ovis::ErrorStatus getDistAtPoint(const OvGePoint3d& point, double& dist) const override;
  Ovis::ErrorStatus getArea(double& area) const override;

protected:
  OvDbPolylineShape shape_;
};

// The lightweight polyline.
class OvDbPolyline : public OvDbPolylineCurve {
public:
  OVRX_DECLARE_MEMBERS(OvDbPolyline)
  unsigned int numVerts() const;
  // Inserts a vertex before the index (an index at the end appends).
  Ovis::ErrorStatus addVertexAt(unsigned int index, const OvGePoint2d& point, double bulge = 0);
  Ovis::ErrorStatus setClosed(bool closed);
  Ovis::ErrorStatus setElevation(double elevation);
  // eInvalidInput while the widths vary (no constant width set).
  Ovis::ErrorStatus getConstantWidth(double& width) const;
  Ovis::ErrorStatus setConstantWidth(double width);
  bool hasPlinegen() const;
  Ovis::ErrorStatus setPlinegen(bool on);

private:
  double constantWidth_ = 0;
  bool hasConstantWidth_ = false;
  bool plinegen_ = false;
};

// The heavyweight 2D polyline: a curve of its own class, not a lightweight polyline.
class OvDb2dPolyline : public OvDbPolylineCurve {
public:
  OVRX_DECLARE_CLASS(OvDb2dPolyline)
  Ovis::ErrorStatus appendVertex(const OvGePoint3d& point, double bulge = 0);
  Ovis::ErrorStatus makeClosed();
};
