// Plane (object coordinate system) conversions for entities with a normal (group 210).
#pragma once

#include "acge.h"

namespace vx::db {

inline bool isWorldZ(const AcGeVector3d& n) { return n.x == 0 && n.y == 0 && n.z > 0; }
inline AcGePoint3d planeToWorld(const AcGePoint3d& p, const AcGeVector3d& n) {
    return isWorldZ(n) ? p : AcGeMatrix3d::planeToWorld(n) * p;
}
inline AcGePoint3d worldToPlane(const AcGePoint3d& p, const AcGeVector3d& n) {
    return isWorldZ(n) ? p : AcGeMatrix3d::worldToPlane(n) * p;
}

}  // namespace vx::db
