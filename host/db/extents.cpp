// getGeomExtents: one function per entity kind, exact for curves.
#include <cmath>

#include "db/access.h"
#include "db/block_extents.h"
#include "db/extents.h"
#include "db/extents_text.h"
#include "db/ocs.h"
#include "db/text_metrics.h"

using namespace vx::db;

namespace vx::db {

void addArc(AcDbExtents& ext, const AcGePoint3d& c, const AcGeVector3d& u, const AcGeVector3d& v, double t0,
            double t1) {
    // p(t) = c + u cos t + v sin t; each coordinate peaks where its derivative is zero.
    if (t1 < t0) t1 += 2 * M_PI * std::ceil((t0 - t1) / (2 * M_PI));
    auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
    ext.addPoint(at(t0));
    ext.addPoint(at(t1));
    const double ux[3] = {u.x, u.y, u.z}, vx[3] = {v.x, v.y, v.z};
    for (int k = 0; k < 3; ++k) {
        double phi = std::atan2(vx[k], ux[k]);
        for (int s = 0; s < 2; ++s) {
            double t = phi + s * M_PI;
            // Bring t into [t0, t0 + 2pi).
            t = t0 + std::fmod(std::fmod(t - t0, 2 * M_PI) + 2 * M_PI, 2 * M_PI);
            if (t <= t1) ext.addPoint(at(t));
        }
    }
}

void addBulgeSegment(AcDbExtents& ext, const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double z,
                     const AcGeVector3d& n) {
    AcGePoint3d pa = planeToWorld(AcGePoint3d(a.x, a.y, z), n), pb = planeToWorld(AcGePoint3d(b.x, b.y, z), n);
    ext.addPoint(pa);
    ext.addPoint(pb);
    double chord = a.distanceTo(b);
    if (bulge == 0 || chord == 0) return;
    double theta = 4 * std::atan(bulge);  // signed sweep
    double r = chord / (2 * std::sin(std::fabs(theta) / 2));
    AcGeVector2d d = b - a;
    AcGePoint2d mid(a.x + d.x / 2, a.y + d.y / 2);
    double h = r * std::cos(theta / 2);  // distance from chord midpoint to centre
    AcGeVector2d perp(-d.y / chord, d.x / chord);
    double sgn = bulge > 0 ? 1 : -1;
    AcGePoint2d c(mid.x + perp.x * h * sgn, mid.y + perp.y * h * sgn);
    double t0 = std::atan2(a.y - c.y, a.x - c.x);
    double t1 = t0 + theta;
    AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(n);
    AcGeVector3d u = m * AcGeVector3d(r, 0, 0), v = m * AcGeVector3d(0, r, 0);
    AcGePoint3d cw = planeToWorld(AcGePoint3d(c.x, c.y, z), n);
    if (theta > 0) addArc(ext, cw, u, v, t0, t1);
    else addArc(ext, cw, u, v, t1, t0);
}

}  // namespace vx::db

namespace {

using ExtentsFn = Acad::ErrorStatus (*)(const AcDbEntity*, AcDbExtents&);

Acad::ErrorStatus lineExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* l = static_cast<const AcDbLine*>(e);
    x.addPoint(l->startPoint());
    x.addPoint(l->endPoint());
    return Acad::eOk;
}

Acad::ErrorStatus circleExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* c = static_cast<const AcDbCircle*>(e);
    AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(c->normal());
    addArc(x, c->center(), m * AcGeVector3d(c->radius(), 0, 0), m * AcGeVector3d(0, c->radius(), 0), 0, 2 * M_PI);
    return Acad::eOk;
}

Acad::ErrorStatus arcExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* a = static_cast<const AcDbArc*>(e);
    AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(a->normal());
    double t0 = a->startAngle(), t1 = a->endAngle();
    if (t1 <= t0) t1 += 2 * M_PI;
    addArc(x, a->center(), m * AcGeVector3d(a->radius(), 0, 0), m * AcGeVector3d(0, a->radius(), 0), t0, t1);
    return Acad::eOk;
}

Acad::ErrorStatus ellipseExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* el = static_cast<const AcDbEllipse*>(e);
    double t0 = el->startAngle(), t1 = el->endAngle();
    if (t1 <= t0) t1 += 2 * M_PI;
    addArc(x, el->center(), el->majorAxis(), el->minorAxis(), t0, t1);
    return Acad::eOk;
}

Acad::ErrorStatus pointExt(const AcDbEntity* e, AcDbExtents& x) {
    x.addPoint(static_cast<const AcDbPoint*>(e)->position());
    return Acad::eOk;
}

Acad::ErrorStatus solidExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* s = static_cast<const AcDbSolid*>(e);
    for (uint16_t i = 0; i < 4; ++i) {
        AcGePoint3d p;
        s->getPointAt(i, p);
        x.addPoint(planeToWorld(p, s->normal()));
    }
    return Acad::eOk;
}

Acad::ErrorStatus lwpolyExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* p = static_cast<const AcDbPolyline*>(e);
    const std::vector<PlaneVertex> v = lwpolylineVertices(p);
    if (v.empty()) return Acad::eInvalidExtents;
    const double z = p->elevation();
    const AcGeVector3d n = p->normal();
    const bool closed = p->isClosed();
    for (size_t i = 0; i < v.size(); ++i) {
        if (i + 1 == v.size() && !closed) {
            x.addPoint(planeToWorld(AcGePoint3d(v[i].x, v[i].y, z), n));
            break;
        }
        const PlaneVertex& a = v[i];
        const PlaneVertex& b = v[(i + 1) % v.size()];
        addBulgeSegment(x, AcGePoint2d(a.x, a.y), AcGePoint2d(b.x, b.y), a.bulge, z, n);
    }
    return Acad::eOk;
}

Acad::ErrorStatus polyExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* p = static_cast<const AcDb2dPolyline*>(e);
    std::vector<AcDbEntity*> kids;
    Access::children(p, kids);
    std::vector<const AcDb2dVertex*> v;
    for (AcDbEntity* k : kids)
        if (auto* vv = AcDb2dVertex::cast(k))
            if (!vv->isErased()) v.push_back(vv);
    if (v.empty()) return Acad::eInvalidExtents;
    double z = p->elevation();
    for (size_t i = 0; i < v.size(); ++i) {
        AcGePoint3d a = v[i]->position();
        if (i + 1 == v.size() && !p->isClosed()) {
            x.addPoint(planeToWorld(AcGePoint3d(a.x, a.y, z), p->normal()));
            break;
        }
        AcGePoint3d b = v[(i + 1) % v.size()]->position();
        addBulgeSegment(x, AcGePoint2d(a.x, a.y), AcGePoint2d(b.x, b.y), v[i]->bulge(), z, p->normal());
    }
    return Acad::eOk;
}

// Text: a box from the approximate advance, height, width factor, alignment and rotation.
Acad::ErrorStatus textExt(const AcDbEntity* e, AcDbExtents& x) { return textBoxExtents(e, x); }

Acad::ErrorStatus mtextExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* m = static_cast<const AcDbMText*>(e);
    std::wstring plain = m->text().str();
    size_t lines = 1;
    double longest = 0;
    size_t start = 0;
    for (size_t i = 0; i <= plain.size(); ++i)
        if (i == plain.size() || plain[i] == L'\n') {
            longest = std::max(longest, textAdvance(std::wstring_view(plain).substr(start, i - start), m->textHeight(), 1.0));
            if (i < plain.size()) ++lines;
            start = i + 1;
        }
    double w = m->width() > 0 ? m->width() : longest;
    double h = m->textHeight() * (1 + 1.6667 * (static_cast<double>(lines) - 1));
    int a = m->attachment() - 1;
    double ox = -(a % 3) * w / 2, oy = (a / 3) * h / 2;  // from the attachment point to the top left
    AcGeVector3d d = m->direction(), up = m->normal().crossProduct(d).normal();
    AcGePoint3d tl = m->location() + d * ox + up * oy;
    x.addPoint(tl);
    x.addPoint(tl + d * w);
    x.addPoint(tl - up * h);
    x.addPoint(tl + d * w - up * h);
    return Acad::eOk;
}

// A reference: its block's extents (measured once per definition) under the insert transform,
// plus its attributes; the insertion point when that leaves nothing.
Acad::ErrorStatus insertExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* r = static_cast<const AcDbBlockReference*>(e);
    Store* st = Access::store(r);
    if (const AcDbBlockTableRecord* b = st ? nestedDefinition(r) : nullptr)
        if (const BlockExtents::Definition* d = st->blockExtents.definition(b)) {
            AcDbExtents inner = d->geometry;
            inner.transformBy(r->blockTransform());
            x.addExt(inner);
        }
    std::vector<AcDbEntity*> kids;
    Access::children(r, kids);
    for (AcDbEntity* k : kids) {
        AcDbExtents ke;
        if (!k->isErased() && Access::kind(k) == kAttrib && k->getGeomExtents(ke) == Acad::eOk) x.addExt(ke);
    }
    if (x.isEmpty()) x.addPoint(r->position());
    return Acad::eOk;
}

Acad::ErrorStatus hatchExt(const AcDbEntity* e, AcDbExtents& x) {
    // Boundary paths: polyline vertices (10/20), line ends (10/20, 11/21), and for arc and
    // ellipse edges the box of the whole circle or ellipse around their centre.
    size_t n = Access::tagCount(e);
    AcGeVector3d nrm = getVector(e, Field{nullptr, 0, 210}, AcGeVector3d(0, 0, 1));
    double z = getPoint(e, Field{"AcDbHatch", 0, 10}).z;
    bool inHatch = false, seenElevation = false, poly = false;
    long long edge = 0;
    auto add = [&](double px, double py) { x.addPoint(planeToWorld(AcGePoint3d(px, py, z), nrm)); };
    for (size_t i = 1; i + 1 < n; ++i) {
        TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        if (t.code == 100) { inHatch = t.value == "AcDbHatch"; continue; }
        if (!inHatch) continue;
        if (t.code == 98) break;  // seed points follow the boundary
        long long v = 0;
        if (t.code == 92 && parseInt(t.value, v)) { poly = (v & 2) != 0; edge = 0; continue; }
        if (t.code == 72 && !poly && parseInt(t.value, v)) { edge = v; continue; }
        if ((t.code != 10 && t.code != 11) || Access::tag(e, i + 1).code != t.code + 10) continue;
        double px = 0, py = 0;
        parseDouble(t.value, px);
        parseDouble(Access::tag(e, i + 1).value, py);
        if (t.code == 10 && !seenElevation) { seenElevation = true; continue; }  // the elevation point
        if (!poly && (edge == 2 || edge == 3) && t.code == 10) {
            // Centre: its reach is the radius (arc, code 40) or the major axis (ellipse, 11/21).
            double reach = 0;
            if (edge == 2 && i + 2 < n && Access::tag(e, i + 2).code == 40) parseDouble(Access::tag(e, i + 2).value, reach);
            if (edge == 3 && i + 3 < n && Access::tag(e, i + 2).code == 11) {
                double mx = 0, my = 0;
                parseDouble(Access::tag(e, i + 2).value, mx);
                parseDouble(Access::tag(e, i + 3).value, my);
                reach = std::hypot(mx, my);
            }
            add(px - reach, py - reach);
            add(px + reach, py + reach);
            continue;
        }
        if (!poly && edge == 3 && t.code == 11) continue;  // the ellipse's axis, not a point
        add(px, py);
    }
    return x.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus dimensionExt(const AcDbEntity* e, AcDbExtents& x) {
    Store* st = Access::store(e);
    if (const AcDbBlockTableRecord* b = st ? nestedDefinition(e) : nullptr)
        if (const BlockExtents::Definition* d = st->blockExtents.definition(b)) {
            x.addExt(d->geometry);
            x.addExt(d->attDefs);
        }
    for (int16_t c : {10, 11, 13, 14, 15, 16})
        if (hasField(e, Field{nullptr, 0, c})) x.addPoint(getPoint(e, Field{nullptr, 0, c}));
    return x.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus viewportExt(const AcDbEntity* e, AcDbExtents& x) {
    auto* v = static_cast<const AcDbViewport*>(e);
    AcGePoint3d c = v->centerPoint();
    x.addPoint(c - AcGeVector3d(v->width() / 2, v->height() / 2, 0));
    x.addPoint(c + AcGeVector3d(v->width() / 2, v->height() / 2, 0));
    return Acad::eOk;
}

struct ExtentsEntry {
    Kind kind;
    ExtentsFn fn;
};
const ExtentsEntry kExtents[] = {
    {kLine, lineExt},       {kCircle, circleExt},   {kArc, arcExt},         {kEllipse, ellipseExt},
    {kPoint, pointExt},     {kSolid, solidExt},     {kLwPolyline, lwpolyExt}, {kPolyline, polyExt},
    {kText, textExt},       {kAttDef, textExt},     {kAttrib, textExt},     {kMText, mtextExt},
    {kInsert, insertExt},   {kHatch, hatchExt},     {kDimension, dimensionExt}, {kViewport, viewportExt},
};

const ExtentsFn* extentsSlot(Kind k) {
    for (const ExtentsEntry& x : kExtents)
        if (x.kind == k) return &x.fn;
    return nullptr;
}

}  // namespace

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& ext) const {
    const ExtentsFn* fn = extentsSlot(Access::kind(this));
    if (!fn) return Acad::eInvalidExtents;
    AcDbExtents e;
    Acad::ErrorStatus es = (*fn)(this, e);
    if (es != Acad::eOk || e.isEmpty()) return es == Acad::eOk ? Acad::eInvalidExtents : es;
    ext = e;
    return Acad::eOk;
}
