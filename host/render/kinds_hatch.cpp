// HATCH: solid fills (with islands, even-odd), pattern lines from the entity's own pattern
// definition cut to the boundary, gradients as their first colour.
#include <cmath>

#include "render/hatch.h"
#include "render/kinds.h"
#include "render/palette.h"

namespace vx::render {

namespace {

// The loops the style fills: all of them by parity (the normal style, and the outer style,
// which differs only for islands inside islands), or with islands ignored the outer loops only.
std::vector<const HatchLoop*> filledLoops(const HatchData& h) {
    std::vector<const HatchLoop*> all, outer;
    for (const HatchLoop& l : h.loops) {
        if (l.edges.empty()) continue;
        all.push_back(&l);
        if (l.flags & (1 | 16)) outer.push_back(&l);
    }
    return h.style == 2 && !outer.empty() ? outer : all;
}

// Edges joined head to tail: an edge stored the other way round is turned.
std::vector<HatchEdge> chained(const HatchLoop& loop) {
    std::vector<HatchEdge> edges = loop.edges;
    for (size_t i = 1; i < edges.size(); ++i) {
        const AcGePoint3d end = edges[i - 1].end();
        if (edges[i].start().distanceTo(end) > edges[i].end().distanceTo(end)) edges[i].reverse();
    }
    return edges;
}

// The loop as a ring in plane coordinates, flattened to the tolerance.
std::vector<Vec2> flattenLoop(const HatchLoop& loop, double tol) {
    std::vector<Vec2> ring;
    auto add = [&](const AcGePoint3d& p) {
        if (ring.empty() || ring.back().x != p.x || ring.back().y != p.y) ring.push_back({p.x, p.y});
    };
    for (const HatchEdge& e : chained(loop)) {
        switch (e.type) {
        case HatchEdge::Line:
            add(e.a);
            add(e.b);
            break;
        case HatchEdge::Arc: {
            const int n = arcSegments(std::max(e.arc.u.length(), e.arc.v.length()), e.arc.t1 - e.arc.t0, tol);
            for (int k = 0; k <= n; ++k) add(e.arc.at(e.arc.t0 + (e.arc.t1 - e.arc.t0) * k / n));
            break;
        }
        case HatchEdge::Spline: {
            std::vector<AcGePoint3d> pts;
            flattenNurbs(e.spline, tol, pts);
            for (const AcGePoint3d& p : pts) add(p);
            break;
        }
        }
    }
    if (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y) ring.pop_back();
    return ring;
}

// The exact boundary, for measuring.
void measureLoop(const HatchLoop& loop, const AcGeMatrix3d& toWorld, Shapes& s) {
    for (const HatchEdge& e : loop.edges) {
        switch (e.type) {
        case HatchEdge::Line:
            s.moveTo(toWorld * e.a);
            s.lineTo(toWorld * e.b);
            break;
        case HatchEdge::Arc:
            s.arcTo(EllipseArc{toWorld * e.arc.c, toWorld * e.arc.u, toWorld * e.arc.v, e.arc.t0, e.arc.t1});
            break;
        case HatchEdge::Spline: {
            Nurbs c = e.spline;
            for (AcGePoint3d& p : c.points) p = toWorld * p;
            s.curveTo(c);
            break;
        }
        }
        s.stroke(false);
    }
}

}  // namespace

bool describeHatch(const AcDbEntity* e, BuildContext&, Shapes& s) {
    HatchData h;
    if (!readHatch(e, h)) return false;
    const AcGeMatrix3d toWorld =
        h.normal.isEqualTo(AcGeVector3d::kZAxis) ? AcGeMatrix3d::kIdentity : AcGeMatrix3d::planeToWorld(h.normal);
    const std::vector<const HatchLoop*> loops = filledLoops(h);
    if (s.measuring()) {
        for (const HatchLoop* l : loops) measureLoop(*l, toWorld, s);
        return true;
    }
    std::vector<std::vector<Vec2>> rings;
    for (const HatchLoop* l : loops) {
        std::vector<Vec2> r = flattenLoop(*l, s.tolerance());
        if (r.size() >= 3) rings.push_back(std::move(r));
    }
    if (rings.empty()) return true;
    auto place = [&](Vec2 p) { return toWorld * AcGePoint3d(p.x, p.y, h.elevation); };
    if (h.solid || h.gradient) {
        if (h.gradient && (h.gradientRgb >= 0 || h.gradientAci >= 0)) {
            PenKey key = s.pen();
            key.color = h.gradientRgb >= 0 ? trueColor(static_cast<uint32_t>(h.gradientRgb & 0xFFFFFF))
                                           : aciColor(static_cast<int>(h.gradientAci));
            key.colorFrom = Source::Own;
            s.setPen(key);
        }
        for (const std::vector<Vec2>& r : rings) {
            s.moveTo(place(r[0]));
            for (size_t i = 1; i < r.size(); ++i) s.lineTo(place(r[i]));
            s.ring();
        }
        s.fill();
        return true;
    }
    std::vector<Polyline> lines;
    std::vector<Vec2> dots;
    const bool complete = clipPattern(h.pattern, rings, lines, dots);
    for (const Polyline& l : lines) {
        s.moveTo(place(l.points[0]));
        s.lineTo(place(l.points[1]));
        s.stroke(false, false);
    }
    for (Vec2 d : dots) s.dot(place(d));
    return complete;
}

}  // namespace vx::render
