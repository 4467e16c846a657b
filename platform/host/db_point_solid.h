// Points, filled solids (a quadrilateral) and 3D solids.
#pragma once
#include "platform/host/db_entity.h"
#include "platform/host/geometry.h"

class OvDbPoint : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbPoint)
  OvDbPoint() = default;
  explicit OvDbPoint(const OvGePoint3d& position) : position_(position) {}
  OvGePoint3d position() const;
  double thickness() const;
  Ovis::ErrorStatus setThickness(double thickness);

private:
  OvGePoint3d position_;
  double thickness_ = 0;
};

// A filled triangle or quadrilateral; the corners in the host's order (0, 1, 3, 2 around).
class OvDbSolid : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbSolid)
  OvDbSolid() = default;
  OvDbSolid(const OvGePoint3d& p0, const OvGePoint3d& p1, const OvGePoint3d& p2, const OvGePoint3d& p3)
      : corners_{p0, p1, p2, p3} {}
  double thickness() const;
  Ovis::ErrorStatus setThickness(double thickness);

private:
  OvGePoint3d corners_[4];
  double thickness_ = 0;
};

// A body; the stand-in knows boxes only.
class OvDb3dSolid : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDb3dSolid)
  // A box centred on the origin; sizes must be positive.
  Ovis::ErrorStatus createBox(double xLength, double yLength, double zLength);

private:
  double sizes_[3] = {0, 0, 0};
};
