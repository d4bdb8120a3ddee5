// Extents helpers shared by the per-kind extents functions.
#pragma once

#include <vector>

#include "dbents.h"

namespace vx::db {

// An LWPOLYLINE's vertices in its plane, with the bulge of the segment that starts at each,
// read in one pass (lwpolyline.cpp owns the format; getPointAt reads them all per call).
struct PlaneVertex {
    double x, y, bulge;
};
std::vector<PlaneVertex> lwpolylineVertices(const AcDbObject* o);

// Adds the arc c + u cos t + v sin t for t in [t0, t1] (exact box).
void addArc(AcDbExtents& ext, const AcGePoint3d& c, const AcGeVector3d& u, const AcGeVector3d& v, double t0, double t1);
// Adds a polyline segment from a to b with a bulge, in the plane of n at elevation z.
void addBulgeSegment(AcDbExtents& ext, const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double z,
                     const AcGeVector3d& n);

}  // namespace vx::db
