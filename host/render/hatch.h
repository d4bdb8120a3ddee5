// HATCH internals: the boundary loops and pattern lines as stored in the entity, and the
// pattern lines cut to the boundary.
#pragma once

#include <vector>

#include "dbents.h"
#include "render/curves.h"
#include "render/primitives.h"

namespace vx::render {

// One boundary edge in the hatch's plane (z is the elevation).
struct HatchEdge {
    enum Type { Line, Arc, Spline } type = Line;
    AcGePoint3d a, b;  // a line's ends
    EllipseArc arc;    // circular and elliptical arcs
    Nurbs spline;
    AcGePoint3d start() const;
    AcGePoint3d end() const;
    void reverse();
};

struct HatchLoop {
    long long flags = 0;  // 1 external, 2 polyline, 4 derived, 8 text box, 16 outermost
    std::vector<HatchEdge> edges;
};

struct PatternLine {
    double angle = 0;  // radians
    Vec2 base, offset;
    std::vector<double> dashes;
};

struct HatchData {
    bool solid = false;
    long long style = 0;  // 0 odd parity, 1 outermost, 2 ignore islands
    std::vector<HatchLoop> loops;
    std::vector<PatternLine> pattern;
    double elevation = 0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    bool gradient = false;
    long long gradientAci = -1;   // the first gradient colour
    long long gradientRgb = -1;
};

// False when the record cannot be read as a hatch.
bool readHatch(const AcDbEntity* e, HatchData& out);

// The pattern lines inside the rings (even-odd), in plane coordinates. False when a line family
// is so dense that drawing it would not end in reasonable time (the rest is still drawn).
bool clipPattern(const std::vector<PatternLine>& pattern, const std::vector<std::vector<Vec2>>& rings,
                 std::vector<Polyline>& lines, std::vector<Vec2>& dots);

}  // namespace vx::render
