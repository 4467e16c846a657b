#include "platform/host/db_curves.h"

#include <algorithm>
#include <cmath>

OVRX_DEFINE_MEMBERS(OvDbCurve, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDbLine, OvDbCurve)
OVRX_DEFINE_MEMBERS(OvDbCircle, OvDbCurve)
OVRX_DEFINE_MEMBERS(OvDbArc, OvDbCurve)
OVRX_DEFINE_MEMBERS(OvDbPolylineCurve, OvDbCurve)
OVRX_DEFINE_MEMBERS(OvDbPolyline, OvDbPolylineCurve)
OVRX_DEFINE_MEMBERS(OvDb2dPolyline, OvDbPolylineCurve)

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

// The tolerance of "lies on the curve" for geometry of the given size.
double tolerance(double size) { return 1e-9 * (1.0 + std::fabs(size)); }

// An angle brought into [0, 2 pi).
double normalizeAngle(double a) {
  a = std::fmod(a, kTwoPi);
  return a < 0 ? a + kTwoPi : a;
}

// One straight or circular piece of a curve, run through from start (fraction 0) to end
// (fraction 1); an arc turns by a signed sweep, positive counter-clockwise.
struct Segment {
  bool isArc = false;
  OvGePoint3d start, end, center;
  double radius = 0, startAngle = 0, sweep = 0;

  static Segment straight(const OvGePoint3d& a, const OvGePoint3d& b) {
    Segment s;
    s.start = a;
    s.end = b;
    return s;
  }
  static Segment arc(const OvGePoint3d& center, double radius, double startAngle, double sweep) {
    Segment s;
    s.isArc = true;
    s.center = center;
    s.radius = radius;
    s.startAngle = startAngle;
    s.sweep = sweep;
    s.start = s.pointAt(0);
    s.end = s.pointAt(1);
    return s;
  }
  // From a polyline's vertex to the next, shaped by the vertex's bulge.
  static Segment fromBulge(const OvGePoint2d& a, const OvGePoint2d& b, double bulge, double z) {
    OvGePoint3d p(a.x, a.y, z), q(b.x, b.y, z);
    double chord = a.distanceTo(b);
    if (bulge == 0 || chord == 0) return straight(p, q);
    double theta = 4 * std::atan(bulge);
    double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;  // left normal of the chord
    double offset = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
    OvGePoint3d c((a.x + b.x) / 2 + nx * offset, (a.y + b.y) / 2 + ny * offset, z);
    double r = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    Segment s = arc(c, r, std::atan2(a.y - c.y, a.x - c.x), theta);
    s.start = p;  // keep the vertices exact
    s.end = q;
    return s;
  }

  double length() const { return isArc ? radius * std::fabs(sweep) : start.distanceTo(end); }

  OvGePoint3d pointAt(double f) const {
    if (!isArc) return start + (end - start) * f;
    double a = startAngle + sweep * f;
    return {center.x + radius * std::cos(a), center.y + radius * std::sin(a), center.z};
  }

  // The fraction at which the point lies on the segment, or false when it does not.
  bool locate(const OvGePoint3d& p, double& f) const {
    double len = length();
    double tol = tolerance(len + std::fabs(start.x) + std::fabs(start.y) + std::fabs(start.z));
    // Near an end: the nearer one, as both ends of a short segment far from the origin, or
    // of an arc of almost a whole turn, lie within the tolerance of the point.
    double toStart = p.distanceTo(start), toEnd = p.distanceTo(end);
    if (toStart <= tol || toEnd <= tol) {
      f = toEnd < toStart ? 1 : 0;
      return true;
    }
    if (len == 0) return false;
    if (!isArc) {
      OvGeVector3d d = end - start;
      double t = (p - start).dotProduct(d) / d.dotProduct(d);
      if (t < 0 || t > 1 || (start + d * t).distanceTo(p) > tol) return false;
      f = t;
      return true;
    }
    if (std::fabs(p.z - center.z) > tol || std::fabs(std::hypot(p.x - center.x, p.y - center.y) - radius) > tol)
      return false;
    double turned = normalizeAngle(sweep > 0 ? std::atan2(p.y - center.y, p.x - center.x) - startAngle
                                             : startAngle - std::atan2(p.y - center.y, p.x - center.x));
    if (turned > std::fabs(sweep)) return false;
    f = turned / std::fabs(sweep);
    return true;
  }

  // This segment's share of the signed area that a closed run of segments encloses.
  double areaTerm() const {
    double term = (start.x * end.y - end.x * start.y) / 2;
    if (isArc) {
      double t = std::fabs(sweep);
      term += (sweep > 0 ? 1 : -1) * radius * radius * (t - std::sin(t)) / 2;
    }
    return term;
  }
};

Ovis::ErrorStatus fromBool(bool ok) { return ok ? Ovis::eOk : Ovis::eInvalidInput; }

}  // namespace

// Curve base

Ovis::ErrorStatus OvDbCurve::getEndPoint(OvGePoint3d& point) const {
  double param;
  getEndParam(param);
  return getPointAtParam(param, point);
}

OVDB_DEFINE_VALUE(OvDbCurve, double, thickness, setThickness, thickness_)

// Line

OVDB_DEFINE_VALUE(OvDbLine, OvGePoint3d, startPoint, setStartPoint, start_)

OVDB_DEFINE_VALUE(OvDbLine, OvGePoint3d, endPoint, setEndPoint, end_)

bool OvDbLine::isClosed() const {
  assertReadEnabled();
  return false;
}

Ovis::ErrorStatus OvDbLine::getStartParam(double& param) const {
  assertReadEnabled();
  param = 0;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbLine::getEndParam(double& param) const {
  assertReadEnabled();
  param = start_.distanceTo(end_);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbLine::getPointAtParam(double param, OvGePoint3d& point) const {
  assertReadEnabled();
  double len = start_.distanceTo(end_);
  if (param < -tolerance(len) || param > len + tolerance(len)) return Ovis::eInvalidInput;
  point = len == 0 ? start_ : Segment::straight(start_, end_).pointAt(param / len);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbLine::getDistAtParam(double param, double& dist) const {
  assertReadEnabled();
  double len = start_.distanceTo(end_);
  if (param < -tolerance(len) || param > len + tolerance(len)) return Ovis::eInvalidInput;
  dist = std::clamp(param, 0.0, len);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbLine::getDistAtPoint(const OvGePoint3d& point, double& dist) const {
  assertReadEnabled();
  Segment s = Segment::straight(start_, end_);
  double f;
  if (!s.locate(point, f)) return Ovis::eInvalidInput;
  dist = f * s.length();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbLine::getArea(double& area) const {
  assertReadEnabled();
  area = 0;
  return Ovis::eOk;
}

// Circle

OVDB_DEFINE_GETTER(OvDbCircle, OvGePoint3d, center, center_)

double OvDbCircle::radius() const {
  assertReadEnabled();
  return radius_;
}

Ovis::ErrorStatus OvDbCircle::setRadius(double radius) {
  assertWriteEnabled();
  if (!(radius > 0)) return Ovis::eInvalidInput;
  radius_ = radius;
  return Ovis::eOk;
}

bool OvDbCircle::isClosed() const {
  assertReadEnabled();
  return true;
}

Ovis::ErrorStatus OvDbCircle::getStartParam(double& param) const {
  assertReadEnabled();
  param = 0;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbCircle::getEndParam(double& param) const {
  assertReadEnabled();
  param = kTwoPi;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbCircle::getPointAtParam(double param, OvGePoint3d& point) const {
  assertReadEnabled();
  if (param < -tolerance(kTwoPi) || param > kTwoPi + tolerance(kTwoPi)) return Ovis::eInvalidInput;
  point = Segment::arc(center_, radius_, 0, kTwoPi).pointAt(param / kTwoPi);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbCircle::getDistAtParam(double param, double& dist) const {
  assertReadEnabled();
  if (param < -tolerance(kTwoPi) || param > kTwoPi + tolerance(kTwoPi)) return Ovis::eInvalidInput;
  dist = radius_ * std::clamp(param, 0.0, kTwoPi);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbCircle::getDistAtPoint(const OvGePoint3d& point, double& dist) const {
  assertReadEnabled();
  double f;
  if (!Segment::arc(center_, radius_, 0, kTwoPi).locate(point, f)) return Ovis::eInvalidInput;
  // The start point is both ends of a circle; it is at distance 0.
  dist = f >= 1 ? 0 : f * kTwoPi * radius_;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbCircle::getArea(double& area) const {
  assertReadEnabled();
  area = kPi * radius_ * radius_;
  return Ovis::eOk;
}

// Arc

OVDB_DEFINE_GETTER(OvDbArc, OvGePoint3d, center, center_)

double OvDbArc::radius() const {
  assertReadEnabled();
  return radius_;
}

OVDB_DEFINE_GETTER(OvDbArc, double, startAngle, startAngle_)

OVDB_DEFINE_GETTER(OvDbArc, double, endAngle, endAngle_)

double OvDbArc::sweep() const {
  double d = std::fmod(endAngle_ - startAngle_, kTwoPi);
  return d <= 0 ? d + kTwoPi : d;
}

bool OvDbArc::isClosed() const {
  assertReadEnabled();
  return false;
}

Ovis::ErrorStatus OvDbArc::getStartParam(double& param) const {
  assertReadEnabled();
  param = startAngle_;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbArc::getEndParam(double& param) const {
  assertReadEnabled();
  param = startAngle_ + sweep();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbArc::getPointAtParam(double param, OvGePoint3d& point) const {
  assertReadEnabled();
  double t = param - startAngle_, s = sweep();
  if (t < -tolerance(s) || t > s + tolerance(s)) return Ovis::eInvalidInput;
  point = Segment::arc(center_, radius_, startAngle_, s).pointAt(std::clamp(t / s, 0.0, 1.0));
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbArc::getDistAtParam(double param, double& dist) const {
  assertReadEnabled();
  double t = param - startAngle_, s = sweep();
  if (t < -tolerance(s) || t > s + tolerance(s)) return Ovis::eInvalidInput;
  dist = radius_ * std::clamp(t, 0.0, s);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbArc::getDistAtPoint(const OvGePoint3d& point, double& dist) const {
  assertReadEnabled();
  Segment s = Segment::arc(center_, radius_, startAngle_, sweep());
  double f;
  if (!s.locate(point, f)) return Ovis::eInvalidInput;
  dist = f * s.length();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbArc::getArea(double& area) const {
  assertReadEnabled();
  double s = sweep();
  area = radius_ * radius_ * (s - std::sin(s)) / 2;
  return Ovis::eOk;
}

// Polyline shape

namespace {
Segment shapeSegment(const OvDbPolylineShape& shape, int i) {
  const auto& v = shape.vertices;
  std::size_t a = static_cast<std::size_t>(i), b = (a + 1) % v.size();
  return Segment::fromBulge(v[a].point, v[b].point, v[a].bulge, shape.elevation);
}
}  // namespace

int OvDbPolylineShape::segmentCount() const {
  int n = static_cast<int>(vertices.size());
  if (n < 2) return 0;
  return closed ? n : n - 1;
}

double OvDbPolylineShape::endParam() const { return segmentCount(); }

OvGePoint3d OvDbPolylineShape::pointAt(double param) const {
  if (vertices.empty()) return {};
  int count = segmentCount();
  if (count == 0) return {vertices[0].point.x, vertices[0].point.y, elevation};
  int k = std::clamp(static_cast<int>(std::floor(param)), 0, count - 1);
  return shapeSegment(*this, k).pointAt(std::clamp(param - k, 0.0, 1.0));
}

bool OvDbPolylineShape::distAtParam(double param, double& dist) const {
  int count = segmentCount();
  if (vertices.empty() || param < -1e-9 || param > count + 1e-9) return false;
  dist = 0;
  for (int k = 0; k < count; ++k) {
    Segment s = shapeSegment(*this, k);
    if (param < k + 1) {
      dist += std::max(0.0, param - k) * s.length();
      return true;
    }
    dist += s.length();
  }
  return true;
}

bool OvDbPolylineShape::distAtPoint(const OvGePoint3d& point, double& dist) const {
  if (vertices.empty()) return false;
  double before = 0, f;
  int count = segmentCount();
  if (count == 0) {
    dist = 0;
    return Segment::straight(pointAt(0), pointAt(0)).locate(point, f);
  }
  for (int k = 0; k < count; ++k) {
    Segment s = shapeSegment(*this, k);
    if (s.locate(point, f)) {
      dist = before + f * s.length();
      return true;
    }
    before += s.length();
  }
  return false;
}

double OvDbPolylineShape::area() const {
  int n = static_cast<int>(vertices.size());
  if (n < 2) return 0;
  double sum = 0;
  int count = segmentCount();
  for (int k = 0; k < count; ++k) sum += shapeSegment(*this, k).areaTerm();
  if (!closed) {
    const auto& last = vertices.back().point;
    const auto& first = vertices.front().point;
    sum += Segment::straight({last.x, last.y, 0}, {first.x, first.y, 0}).areaTerm();
  }
  return std::fabs(sum);
}

// Polylines

bool OvDbPolylineCurve::isClosed() const {
  assertReadEnabled();
  return shape_.closed;
}

Ovis::ErrorStatus OvDbPolylineCurve::getStartParam(double& param) const {
  assertReadEnabled();
  param = 0;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbPolylineCurve::getEndParam(double& param) const {
  assertReadEnabled();
  param = shape_.endParam();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbPolylineCurve::getPointAtParam(double param, OvGePoint3d& point) const {
  assertReadEnabled();
  if (shape_.vertices.empty() || param < -1e-9 || param > shape_.endParam() + 1e-9) return Ovis::eInvalidInput;
  point = shape_.pointAt(param);
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbPolylineCurve::getDistAtParam(double param, double& dist) const {
  assertReadEnabled();
  return fromBool(shape_.distAtParam(param, dist));
}

Ovis::ErrorStatus OvDbPolylineCurve::getDistAtPoint(const OvGePoint3d& point, double& dist) const {
  assertReadEnabled();
  return fromBool(shape_.distAtPoint(point, dist));
}

Ovis::ErrorStatus OvDbPolylineCurve::getArea(double& area) const {
  assertReadEnabled();
  area = shape_.area();
  return Ovis::eOk;
}

unsigned int OvDbPolyline::numVerts() const {
  assertReadEnabled();
  return static_cast<unsigned int>(shape_.vertices.size());
}

Ovis::ErrorStatus OvDbPolyline::addVertexAt(unsigned int index, const OvGePoint2d& point, double bulge) {
  assertWriteEnabled();
  if (index > shape_.vertices.size() || !std::isfinite(bulge)) return Ovis::eInvalidIndex;
  shape_.vertices.insert(shape_.vertices.begin() + index, {point, bulge});
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbPolyline::setClosed(bool closed) {
  assertWriteEnabled();
  shape_.closed = closed;
  return Ovis::eOk;
}

OVDB_DEFINE_SETTER(OvDbPolyline, double, setElevation, shape_.elevation)

Ovis::ErrorStatus OvDbPolyline::getConstantWidth(double& width) const {
  assertReadEnabled();
  if (!hasConstantWidth_) return Ovis::eInvalidInput;
  width = constantWidth_;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbPolyline::setConstantWidth(double width) {
  assertWriteEnabled();
  if (!(width >= 0)) return Ovis::eInvalidInput;
  constantWidth_ = width;
  hasConstantWidth_ = true;
  return Ovis::eOk;
}

OVDB_DEFINE_VALUE(OvDbPolyline, bool, hasPlinegen, setPlinegen, plinegen_)

Ovis::ErrorStatus OvDb2dPolyline::appendVertex(const OvGePoint3d& point, double bulge) {
  assertWriteEnabled();
  if (!std::isfinite(bulge)) return Ovis::eInvalidInput;
  if (shape_.vertices.empty()) shape_.elevation = point.z;
  shape_.vertices.push_back({OvGePoint2d(point.x, point.y), bulge});
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDb2dPolyline::makeClosed() {
  assertWriteEnabled();
  shape_.closed = true;
  return Ovis::eOk;
}
