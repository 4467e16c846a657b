#include "platform/host/db_point_solid.h"

OVRX_DEFINE_MEMBERS(OvDbPoint, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDbSolid, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDb3dSolid, OvDbEntity)

OVDB_DEFINE_VALUE(OvDbPoint, OvGePoint3d, position, setPosition, position_)

OVDB_DEFINE_VALUE(OvDbPoint, double, thickness, setThickness, thickness_)

Ovis::ErrorStatus OvDbSolid::getPointAt(int index, OvGePoint3d& point) const {
  assertReadEnabled();
  if (index < 0 || index > 3) return Ovis::eInvalidIndex;
  point = corners_[index];
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbSolid::setPointAt(int index, const OvGePoint3d& point) {
  assertWriteEnabled();
  if (index < 0 || index > 3) return Ovis::eInvalidIndex;
  corners_[index] = point;
  return Ovis::eOk;
}

OVDB_DEFINE_VALUE(OvDbSolid, double, thickness, setThickness, thickness_)

Ovis::ErrorStatus OvDb3dSolid::createBox(double xLength, double yLength, double zLength) {
  assertWriteEnabled();
  if (!(xLength > 0 && yLength > 0 && zLength > 0)) return Ovis::eInvalidInput;
  sizes_[0] = xLength;
  sizes_[1] = yLength;
  sizes_[2] = zLength;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDb3dSolid::getVolume(double& volume) const {
  assertReadEnabled();
  volume = sizes_[0] * sizes_[1] * sizes_[2];
  return Ovis::eOk;
}
