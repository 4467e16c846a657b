#include "platform/host/db_point_solid.h"

OVRX_DEFINE_MEMBERS(OvDbPoint, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDbSolid, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDb3dSolid, OvDbEntity)

OVDB_DEFINE_GETTER(OvDbPoint, OvGePoint3d, position, position_)

OVDB_DEFINE_VALUE(OvDbPoint, double, thickness, setThickness, thickness_)

OVDB_DEFINE_VALUE(OvDbSolid, double, thickness, setThickness, thickness_)

Ovis::ErrorStatus OvDb3dSolid::createBox(double xLength, double yLength, double zLength) {
  assertWriteEnabled();
  if (!(xLength > 0 && yLength > 0 && zLength > 0)) return Ovis::eInvalidInput;
  sizes_[0] = xLength;
  sizes_[1] = yLength;
  sizes_[2] = zLength;
  return Ovis::eOk;
}
