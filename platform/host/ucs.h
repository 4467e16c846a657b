// Coordinate-system matrices and the current user coordinate system of the drawing.
#pragma once
#include "platform/host/geometry.h"
#include "platform/host/host_status.h"

// Tolerances of geometric comparisons; gTol is the host's global one.
struct OvGeTol {
  double equalPoint = 1e-10;
  double equalVector = 1e-12;
};
struct OvGeContext {
  static const OvGeTol gTol;
};

// Makes the vector unit length; a vector shorter than the tolerance stays as it is.
OvGeVector3d& normalizeVector(OvGeVector3d& vector, const OvGeTol& tol = OvGeContext::gTol);

// A 4 by 4 affine transformation; points transform with the translation, vectors without.
class OvGeMatrix3d {
public:
  OvGeMatrix3d() { setToIdentity(); }
  static const OvGeMatrix3d kIdentity;

  OvGeMatrix3d& setToIdentity();
  // The matrix that takes coordinates of the system (origin, x, y, z) to world coordinates.
  OvGeMatrix3d& setCoordSystem(const OvGePoint3d& origin, const OvGeVector3d& xAxis, const OvGeVector3d& yAxis,
                               const OvGeVector3d& zAxis);
  void getCoordSystem(OvGePoint3d& origin, OvGeVector3d& xAxis, OvGeVector3d& yAxis, OvGeVector3d& zAxis) const;
  OvGePoint3d operator*(const OvGePoint3d& point) const;
  OvGeVector3d operator*(const OvGeVector3d& vector) const;

  double entry[4][4];
};

// Makes the coordinate system of the matrix the working drawing's current UCS. The axes
// must be of non-zero length and not parallel: eInvalidInput otherwise; eNoDatabase without
// a working drawing.
Ovis::ErrorStatus ovedSetCurrentUCS(const OvGeMatrix3d& matrix);
