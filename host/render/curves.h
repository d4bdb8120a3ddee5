// Curves in 3D as drawing describes them: elliptical arcs (circles, arcs, bulges, ellipses) and
// NURBS (splines, fit-point curves); how finely to flatten them and their exact boxes.
#pragma once

#include <cmath>
#include <limits>
#include <vector>

#include "acge.h"

namespace vx::render {

struct Box3 {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, z0 = x0;
    double x1 = -std::numeric_limits<double>::infinity(), y1 = x1, z1 = x1;

    bool empty() const { return !(x0 <= x1 && y0 <= y1 && z0 <= z1); }
    void add(const AcGePoint3d& p) {
        x0 = p.x < x0 ? p.x : x0, y0 = p.y < y0 ? p.y : y0, z0 = p.z < z0 ? p.z : z0;
        x1 = p.x > x1 ? p.x : x1, y1 = p.y > y1 ? p.y : y1, z1 = p.z > z1 ? p.z : z1;
    }
    void add(const Box3& b) {
        if (b.empty()) return;
        add(AcGePoint3d(b.x0, b.y0, b.z0));
        add(AcGePoint3d(b.x1, b.y1, b.z1));
    }
};

// c + u cos t + v sin t for t from t0 to t1 (t1 < t0 runs clockwise).
struct EllipseArc {
    AcGePoint3d c;
    AcGeVector3d u, v;
    double t0 = 0, t1 = 0;
    AcGePoint3d at(double t) const;
};

// Segments for a sweep of an arc of that radius so that no chord leaves it by more than `tol`;
// at least 1 and bounded, so huge radii or tiny tolerances cannot run away.
int arcSegments(double radius, double sweep, double tol);
// The exact box of the arc.
void addArcBox(Box3& box, const EllipseArc& arc);
// The arc of a polyline segment from a to b with a bulge (tan of a quarter of the signed sweep),
// in its plane at height z; false for a straight segment.
bool bulgeArc(double ax, double ay, double bx, double by, double bulge, double z, EllipseArc& out);

struct Nurbs {
    int degree = 3;
    std::vector<AcGePoint3d> points;
    std::vector<double> knots;
    std::vector<double> weights;  // empty: all 1
};

// Repairs what can be repaired (a knot vector of the wrong length, decreasing or not finite is
// replaced by a uniform clamped one; a degree too high for the points is lowered; bad weights
// are dropped); false when the curve cannot be drawn at all (fewer than two points).
bool prepareNurbs(Nurbs& n);
AcGePoint3d evalNurbs(const Nurbs& n, double t);
// Appends points along the curve, the start included, with chord error about `tol`.
void flattenNurbs(const Nurbs& n, double tol, std::vector<AcGePoint3d>& out);
// The box of the curve itself (not of its control points).
void addNurbsBox(Box3& box, const Nurbs& n);
// A C2 cubic through the fit points (chord-length parameters), ending along the given tangents
// when there are any, else with no curvature.
Nurbs interpolateFitPoints(const std::vector<AcGePoint3d>& fit, const AcGeVector3d* startTangent,
                           const AcGeVector3d* endTangent);

inline bool finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace vx::render
