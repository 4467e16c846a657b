#include "platform/host/ucs.h"

#include <cmath>

#include "platform/host/db_database.h"

const OvGeTol OvGeContext::gTol{};
const OvGeMatrix3d OvGeMatrix3d::kIdentity{};

OvGeVector3d& normalizeVector(OvGeVector3d& vector, const OvGeTol& tol) {
  double length = vector.length();
  if (length > tol.equalVector) vector = vector * (1.0 / length);
  return vector;
}

OvGeMatrix3d& OvGeMatrix3d::setToIdentity() {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
  }
  return *this;
}

OvGeMatrix3d& OvGeMatrix3d::setCoordSystem(const OvGePoint3d& origin, const OvGeVector3d& xAxis,
                                           const OvGeVector3d& yAxis, const OvGeVector3d& zAxis) {
  const double columns[4][3] = {{xAxis.x, xAxis.y, xAxis.z},
                                {yAxis.x, yAxis.y, yAxis.z},
                                {zAxis.x, zAxis.y, zAxis.z},
                                {origin.x, origin.y, origin.z}};
  setToIdentity();
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 3; ++r) entry[r][c] = columns[c][r];
  }
  return *this;
}

void OvGeMatrix3d::getCoordSystem(OvGePoint3d& origin, OvGeVector3d& xAxis, OvGeVector3d& yAxis,
                                  OvGeVector3d& zAxis) const {
  xAxis = {entry[0][0], entry[1][0], entry[2][0]};
  yAxis = {entry[0][1], entry[1][1], entry[2][1]};
  zAxis = {entry[0][2], entry[1][2], entry[2][2]};
  origin = {entry[0][3], entry[1][3], entry[2][3]};
}

OvGePoint3d OvGeMatrix3d::operator*(const OvGePoint3d& p) const {
  return {entry[0][0] * p.x + entry[0][1] * p.y + entry[0][2] * p.z + entry[0][3],
          entry[1][0] * p.x + entry[1][1] * p.y + entry[1][2] * p.z + entry[1][3],
          entry[2][0] * p.x + entry[2][1] * p.y + entry[2][2] * p.z + entry[2][3]};
}

OvGeVector3d OvGeMatrix3d::operator*(const OvGeVector3d& v) const {
  return {entry[0][0] * v.x + entry[0][1] * v.y + entry[0][2] * v.z,
          entry[1][0] * v.x + entry[1][1] * v.y + entry[1][2] * v.z,
          entry[2][0] * v.x + entry[2][1] * v.y + entry[2][2] * v.z};
}

Ovis::ErrorStatus ovedSetCurrentUCS(const OvGeMatrix3d& matrix) {
  OvDbDatabase* database = ovdbHostApplicationServices()->workingDatabase();
  if (!database) return Ovis::eNoDatabase;
  OvGePoint3d origin;
  OvGeVector3d xAxis, yAxis, zAxis;
  matrix.getCoordSystem(origin, xAxis, yAxis, zAxis);
  const OvGeTol& tol = OvGeContext::gTol;
  if (xAxis.length() <= tol.equalVector || yAxis.length() <= tol.equalVector ||
      xAxis.crossProduct(yAxis).length() <= tol.equalVector * xAxis.length() * yAxis.length()) {
    return Ovis::eInvalidInput;
  }
  database->setUcs(origin, normalizeVector(xAxis), normalizeVector(yAxis));
  return Ovis::eOk;
}
