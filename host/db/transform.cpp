// transformBy: one function per entity kind. Curves, texts and references take rotations,
// translations, mirroring and uniform scaling; other kinds refuse what they cannot keep exact.
#include <cmath>

#include "db/access.h"
#include "db/ocs.h"

using namespace vx::db;

namespace {

constexpr double kDeg = M_PI / 180.0;
using TransformFn = Acad::ErrorStatus (*)(AcDbEntity*, const AcGeMatrix3d&);

bool mirrored(const AcGeMatrix3d& m) { return m.det() < 0; }

// Transforms an angle measured in the plane of n; gives the new plane normal through n.
double planeAngle(double a, AcGeVector3d& n, const AcGeMatrix3d& m) {
    AcGeMatrix3d p2w = AcGeMatrix3d::planeToWorld(n);
    AcGeVector3d dir = m * (p2w * AcGeVector3d(std::cos(a), std::sin(a), 0));
    AcGeVector3d n2 = (m * n).normal();
    n = n2;
    AcGeVector3d local = AcGeMatrix3d::worldToPlane(n2) * dir;
    return std::atan2(local.y, local.x);
}

void movePoint(AcDbEntity* e, const Field& f, const AcGeMatrix3d& m, const AcGeVector3d& n0, const AcGeVector3d& n1) {
    if (!hasField(e, f)) return;
    AcGePoint3d w = planeToWorld(getPoint(e, f), n0);
    setPoint(e, f, worldToPlane(m * w, n1));
}

void setNormal(AcDbEntity* e, const Field& f, const AcGeVector3d& n) {
    if (isWorldZ(n) && !hasField(e, f)) return;
    setPoint(e, f, AcGePoint3d(n.x, n.y, n.z));
}

void scaleReal(AcDbEntity* e, const Field& f, double s) {
    if (hasField(e, f)) setReal(e, f, getReal(e, f) * s);
}

Acad::ErrorStatus lineTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    auto* l = static_cast<AcDbLine*>(e);
    AcGePoint3d a = m * l->startPoint(), b = m * l->endPoint();
    l->setStartPoint(a);
    l->setEndPoint(b);
    return Acad::eOk;
}

Acad::ErrorStatus pointTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    auto* p = static_cast<AcDbPoint*>(e);
    return p->setPosition(m * p->position());
}

Acad::ErrorStatus circleTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    Field center{"AcDbCircle", 0, 10}, nf{nullptr, 0, 210};
    AcGeVector3d n0 = getVector(e, nf, AcGeVector3d(0, 0, 1)), n1 = n0;
    double a0 = getReal(e, Field{"AcDbArc", 0, 50}) * kDeg, a1 = getReal(e, Field{"AcDbArc", 0, 51}) * kDeg;
    double b0 = planeAngle(a0, n1, m);
    AcGeVector3d tmp = n0;
    double b1 = planeAngle(a1, tmp, m);
    movePoint(e, center, m, n0, n1);
    setNormal(e, nf, n1);
    scaleReal(e, Field{"AcDbCircle", 0, 40}, m.scale());
    if (Access::kind(e) == kArc) {
        // A mirror reverses the sweep: the old end becomes the start.
        if (mirrored(m)) std::swap(b0, b1);
        setReal(e, Field{"AcDbArc", 0, 50}, b0 / kDeg);
        setReal(e, Field{"AcDbArc", 0, 51}, b1 / kDeg);
    }
    return Acad::eOk;
}

Acad::ErrorStatus ellipseTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    auto* el = static_cast<AcDbEllipse*>(e);
    AcGePoint3d c = m * el->center();
    AcGeVector3d major = m * el->majorAxis(), n = (m * el->normal()).normal();
    double p0 = el->startAngle(), p1 = el->endAngle();
    if (mirrored(m)) {
        // The minor axis turns around with the normal: parameters run the other way.
        double q0 = 2 * M_PI - p1, q1 = 2 * M_PI - p0;
        p0 = q0;
        p1 = q1;
    }
    return el->set(c, n, major, el->radiusRatio(), p0, p1);
}

Acad::ErrorStatus solidTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    Field nf{nullptr, 0, 210};
    AcGeVector3d n0 = getVector(e, nf, AcGeVector3d(0, 0, 1)), n1 = (m * n0).normal();
    for (int16_t c = 10; c <= 13; ++c) movePoint(e, Field{"AcDbTrace", 0, c}, m, n0, n1);
    setNormal(e, nf, n1);
    return Acad::eOk;
}

Acad::ErrorStatus textTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    Field nf{"AcDbText", 1, 210}, rot{"AcDbText", 1, 50};
    AcGeVector3d n0 = getVector(e, nf, AcGeVector3d(0, 0, 1)), n1 = n0;
    double r = planeAngle(getReal(e, rot) * kDeg, n1, m);
    movePoint(e, Field{"AcDbText", 1, 10}, m, n0, n1);
    movePoint(e, Field{"AcDbText", 1, 11}, m, n0, n1);
    setNormal(e, nf, n1);
    if (std::fabs(r) > 1e-14 || hasField(e, rot)) setReal(e, rot, r / kDeg);
    scaleReal(e, Field{"AcDbText", 1, 40}, m.scale());
    return Acad::eOk;
}

Acad::ErrorStatus mtextTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    auto* t = static_cast<AcDbMText*>(e);
    AcGeVector3d d = (m * t->direction()).normal();
    AcGeVector3d n = (m * t->normal()).normal();
    t->setLocation(m * t->location());
    setPoint(e, Field{"AcDbMText", 0, 11}, AcGePoint3d(d.x, d.y, d.z));
    removeField(e, Field{"AcDbMText", 0, 50});
    setNormal(e, Field{"AcDbMText", 0, 210}, n);
    scaleReal(e, Field{"AcDbMText", 0, 40}, m.scale());
    scaleReal(e, Field{"AcDbMText", 0, 41}, m.scale());
    return Acad::eOk;
}

Acad::ErrorStatus lwpolyTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    auto* p = static_cast<AcDbPolyline*>(e);
    AcGeVector3d n0 = p->normal(), n1 = (m * n0).normal();
    double z = p->elevation();
    bool flip = mirrored(m);
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    unsigned n = p->numVerts();
    double z1 = z;
    for (unsigned i = 0; i < n; ++i) {
        AcGePoint2d q;
        p->getPointAt(i, q);
        AcGePoint3d w = m * planeToWorld(AcGePoint3d(q.x, q.y, z), n0);
        AcGePoint3d l = worldToPlane(w, n1);
        z1 = l.z;
        p->setPointAt(i, AcGePoint2d(l.x, l.y));
        double b = 0;
        p->getBulgeAt(i, b);
        if (b != 0 && flip) p->setBulgeAt(i, -b);
    }
    if (z1 != z || hasField(e, Field{"AcDbPolyline", 0, 38})) p->setElevation(z1);
    setNormal(e, Field{nullptr, 0, 210}, n1);
    scaleReal(e, Field{"AcDbPolyline", 0, 43}, m.scale());
    return Acad::eOk;
}

Acad::ErrorStatus polyTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    Field nf{nullptr, 0, 210};
    AcGeVector3d n0 = getVector(e, nf, AcGeVector3d(0, 0, 1)), n1 = (m * n0).normal();
    std::vector<AcDbEntity*> kids;
    Access::children(e, kids);
    for (AcDbEntity* k : kids) {
        if (Access::kind(k) != kVertex) continue;
        movePoint(k, Field{"AcDbVertex", 0, 10}, m, n0, n1);
        if (mirrored(m) && hasField(k, Field{"AcDb2dVertex", 0, 42}))
            setReal(k, Field{"AcDb2dVertex", 0, 42}, -getReal(k, Field{"AcDb2dVertex", 0, 42}));
    }
    movePoint(e, Field{"AcDb2dPolyline", 0, 10}, m, n0, n1);
    setNormal(e, nf, n1);
    return Acad::eOk;
}

Acad::ErrorStatus insertTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eNotApplicable;
    auto* r = static_cast<AcDbBlockReference*>(e);
    Field nf{"AcDbBlockReference", 0, 210};
    AcGeVector3d n0 = r->normal(), n1 = n0;
    double a = planeAngle(r->rotation(), n1, m);
    AcGePoint3d p = m * r->position();
    setNormal(e, nf, n1);
    r->setPosition(p);
    r->setRotation(a);
    AcGeScale3d s = r->scaleFactors();
    double k = m.scale();
    r->setScaleFactors(AcGeScale3d(s.sx * k * (mirrored(m) ? -1 : 1), s.sy * k, s.sz * k));
    std::vector<AcDbEntity*> kids;
    Access::children(e, kids);
    for (AcDbEntity* kid : kids)
        if (Access::kind(kid) == kAttrib) textTf(kid, m);
    return Acad::eOk;
}

Acad::ErrorStatus viewportTf(AcDbEntity* e, const AcGeMatrix3d& m) {
    auto* v = static_cast<AcDbViewport*>(e);
    return v->setCenterPoint(m * v->centerPoint());
}

struct TransformEntry {
    Kind kind;
    TransformFn fn;
};
const TransformEntry kTransforms[] = {
    {kLine, lineTf},       {kPoint, pointTf},      {kCircle, circleTf},   {kArc, circleTf},
    {kEllipse, ellipseTf}, {kSolid, solidTf},      {kText, textTf},       {kAttDef, textTf},
    {kAttrib, textTf},     {kMText, mtextTf},      {kLwPolyline, lwpolyTf}, {kPolyline, polyTf},
    {kInsert, insertTf},   {kViewport, viewportTf},
};

}  // namespace

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& m) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    for (const TransformEntry& t : kTransforms)
        if (t.kind == Access::kind(this)) return t.fn(this, m);
    return Acad::eNotApplicable;
}
