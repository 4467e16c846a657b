// Geometry values of the host.
#pragma once
#include <cmath>

struct OvGeVector3d {
  double x = 0, y = 0, z = 0;
  OvGeVector3d() = default;
  OvGeVector3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  double length() const { return std::sqrt(x * x + y * y + z * z); }
  OvGeVector3d operator+(const OvGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  OvGeVector3d operator-(const OvGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  OvGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  OvGeVector3d operator-() const { return {-x, -y, -z}; }
  double dotProduct(const OvGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  OvGeVector3d crossProduct(const OvGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
  }
  OvGeVector3d normal() const {
    double l = length();
    return l > 0 ? OvGeVector3d(x / l, y / l, z / l) : *this;
  }
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
  OvGePoint3d operator-(const OvGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  double distanceTo(const OvGePoint3d& p) const { return (*this - p).length(); }
  bool operator==(const OvGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }
  static const OvGePoint3d kOrigin;
};
inline const OvGePoint3d OvGePoint3d::kOrigin{0, 0, 0};

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
