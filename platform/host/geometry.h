// Geometry values of the host.
#pragma once
#include <cmath>

struct OvGePlane;

struct OvGeVector3d {
  double x = 0, y = 0, z = 0;
  OvGeVector3d() = default;
  OvGeVector3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  double length() const { return std::sqrt(x * x + y * y + z * z); }
  OvGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  double dotProduct(const OvGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  OvGeVector3d crossProduct(const OvGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
  }
  // The angle of the vector's projection onto the plane, from the plane's first axis
  // counter-clockwise about its normal, in [0, 2 pi).
  double angleOnPlane(const OvGePlane& plane) const;
  static const OvGeVector3d kXAxis, kYAxis, kZAxis;
};
inline const OvGeVector3d OvGeVector3d::kXAxis{1, 0, 0};
inline const OvGeVector3d OvGeVector3d::kYAxis{0, 1, 0};
inline const OvGeVector3d OvGeVector3d::kZAxis{0, 0, 1};

struct OvGePoint3d {
  double x = 0, y = 0, z = 0;
  OvGePoint3d() = default;
  OvGePoint3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  OvGeVector3d operator-(const OvGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  OvGePoint3d operator+(const OvGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  double distanceTo(const OvGePoint3d& p) const { return (*this - p).length(); }
  bool operator==(const OvGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }
  static const OvGePoint3d kOrigin;
};
inline const OvGePoint3d OvGePoint3d::kOrigin{0, 0, 0};

// A plane through an origin, spanned by two perpendicular unit axes.
struct OvGePlane {
  OvGePoint3d origin;
  OvGeVector3d uAxis{1, 0, 0}, vAxis{0, 1, 0};
  OvGePlane() = default;
  OvGePlane(const OvGePoint3d& o, const OvGeVector3d& u, const OvGeVector3d& v) : origin(o), uAxis(u), vAxis(v) {}
  static const OvGePlane kXYPlane, kYZPlane, kZXPlane;
};
inline const OvGePlane OvGePlane::kXYPlane{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
inline const OvGePlane OvGePlane::kYZPlane{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}};
inline const OvGePlane OvGePlane::kZXPlane{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}};

inline double OvGeVector3d::angleOnPlane(const OvGePlane& plane) const {
  const double twoPi = 2 * 3.14159265358979323846;
  double a = std::atan2(dotProduct(plane.vAxis), dotProduct(plane.uAxis));
  if (a < 0) a += twoPi;
  return a < twoPi ? a : 0.0;
}

struct OvGePoint2d {
  double x = 0, y = 0;
  OvGePoint2d() = default;
  OvGePoint2d(double x_, double y_) : x(x_), y(y_) {}
  double distanceTo(const OvGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
};

struct OvGeScale3d {
  double sx = 1, sy = 1, sz = 1;
  OvGeScale3d() = default;
  OvGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
};
