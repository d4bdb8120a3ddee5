// Curves and simple entities: line, circle, arc, ellipse, point, solid, polylines and vertices.
#include <cmath>

#include "db/access.h"
#include "db/ocs.h"
#include "db/registry.h"

using namespace vx::db;

namespace {
constexpr double kDeg = M_PI / 180.0;
const AcGeVector3d kZ(0, 0, 1);


AcGeVector3d normalOf(const AcDbObject* o) { return getVector(o, Field{nullptr, 0, 210}, kZ); }
void setNormalOf(AcDbObject* o, const AcGeVector3d& n) {
    if (isWorldZ(n) && !hasField(o, Field{nullptr, 0, 210})) return;
    setPoint(o, Field{nullptr, 0, 210}, AcGePoint3d(n.x, n.y, n.z));
}
}  // namespace

AcDbLine::AcDbLine() { Access::initNew(this, kLine); }
AcDbLine::AcDbLine(const AcGePoint3d& s, const AcGePoint3d& e) : AcDbLine() {
    setStartPoint(s);
    setEndPoint(e);
}
AcGePoint3d AcDbLine::startPoint() const { return getPoint(this, Field{"AcDbLine", 0, 10}); }
AcGePoint3d AcDbLine::endPoint() const { return getPoint(this, Field{"AcDbLine", 0, 11}); }
Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbLine", 0, 10}, p);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbLine", 0, 11}, p);
    return Acad::eOk;
}
AcGeVector3d AcDbLine::normal() const { return normalOf(this); }
double AcDbLine::thickness() const { return getReal(this, Field{"AcDbLine", 0, 39}, 0.0); }

// ---- circle and arc: centre in the plane of the normal --------------------------------------

AcDbCircle::AcDbCircle() { Access::initNew(this, kCircle); }
AcDbCircle::AcDbCircle(const AcGePoint3d& c, const AcGeVector3d& n, double r) : AcDbCircle() {
    setNormal(n);
    setCenter(c);
    setRadius(r);
}
AcGePoint3d AcDbCircle::center() const { return planeToWorld(getPoint(this, Field{"AcDbCircle", 0, 10}), normal()); }
Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbCircle", 0, 10}, worldToPlane(p, normal()));
    return Acad::eOk;
}
double AcDbCircle::radius() const { return getReal(this, Field{"AcDbCircle", 0, 40}, 1.0); }
Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    WRITE_GUARD();
    if (!(r > 0)) return Acad::eInvalidInput;
    setReal(this, Field{"AcDbCircle", 0, 40}, r);
    return Acad::eOk;
}
AcGeVector3d AcDbCircle::normal() const { return normalOf(this); }
Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) {
    WRITE_GUARD();
    if (n.isZeroLength()) return Acad::eInvalidInput;
    AcGePoint3d c = center();
    setNormalOf(this, n.normal());
    return setCenter(c);
}

AcDbArc::AcDbArc() { Access::initNew(this, kArc); }
AcDbArc::AcDbArc(const AcGePoint3d& c, double r, double a0, double a1) : AcDbArc() {
    setCenter(c);
    setRadius(r);
    setStartAngle(a0);
    setEndAngle(a1);
}
AcGePoint3d AcDbArc::center() const { return planeToWorld(getPoint(this, Field{"AcDbCircle", 0, 10}), normal()); }
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbCircle", 0, 10}, worldToPlane(p, normal()));
    return Acad::eOk;
}
double AcDbArc::radius() const { return getReal(this, Field{"AcDbCircle", 0, 40}, 1.0); }
Acad::ErrorStatus AcDbArc::setRadius(double r) {
    WRITE_GUARD();
    if (!(r > 0)) return Acad::eInvalidInput;
    setReal(this, Field{"AcDbCircle", 0, 40}, r);
    return Acad::eOk;
}
double AcDbArc::startAngle() const { return getReal(this, Field{"AcDbArc", 0, 50}, 0.0) * kDeg; }
double AcDbArc::endAngle() const { return getReal(this, Field{"AcDbArc", 0, 51}, 0.0) * kDeg; }
Acad::ErrorStatus AcDbArc::setStartAngle(double a) {
    WRITE_GUARD();
    setReal(this, Field{"AcDbArc", 0, 50}, a / kDeg);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::setEndAngle(double a) {
    WRITE_GUARD();
    setReal(this, Field{"AcDbArc", 0, 51}, a / kDeg);
    return Acad::eOk;
}
AcGeVector3d AcDbArc::normal() const { return normalOf(this); }

// ---- ellipse: world centre and major axis, parameters in radians ----------------------------

AcDbEllipse::AcDbEllipse() { Access::initNew(this, kEllipse); }
AcDbEllipse::AcDbEllipse(const AcGePoint3d& c, const AcGeVector3d& n, const AcGeVector3d& major, double ratio,
                         double p0, double p1)
    : AcDbEllipse() {
    set(c, n, major, ratio, p0, p1);
}
AcGePoint3d AcDbEllipse::center() const { return getPoint(this, Field{"AcDbEllipse", 0, 10}); }
AcGeVector3d AcDbEllipse::majorAxis() const {
    return getVector(this, Field{"AcDbEllipse", 0, 11}, AcGeVector3d(1, 0, 0));
}
AcGeVector3d AcDbEllipse::normal() const { return normalOf(this); }
double AcDbEllipse::radiusRatio() const { return getReal(this, Field{"AcDbEllipse", 0, 40}, 1.0); }
AcGeVector3d AcDbEllipse::minorAxis() const {
    return normal().normal().crossProduct(majorAxis()) * radiusRatio();
}
double AcDbEllipse::startAngle() const { return getReal(this, Field{"AcDbEllipse", 0, 41}, 0.0); }
double AcDbEllipse::endAngle() const { return getReal(this, Field{"AcDbEllipse", 0, 42}, 2 * M_PI); }
Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& c, const AcGeVector3d& n, const AcGeVector3d& major,
                                   double ratio, double p0, double p1) {
    WRITE_GUARD();
    if (major.isZeroLength() || n.isZeroLength() || !(ratio > 0 && ratio <= 1)) return Acad::eInvalidInput;
    setPoint(this, Field{"AcDbEllipse", 0, 10}, c);
    setPoint(this, Field{"AcDbEllipse", 0, 11}, AcGePoint3d(major.x, major.y, major.z));
    setNormalOf(this, n.normal());
    setReal(this, Field{"AcDbEllipse", 0, 40}, ratio);
    setReal(this, Field{"AcDbEllipse", 0, 41}, p0);
    setReal(this, Field{"AcDbEllipse", 0, 42}, p1);
    return Acad::eOk;
}

// ---- point and solid -----------------------------------------------------------------------

AcDbPoint::AcDbPoint() { Access::initNew(this, kPoint); }
AcDbPoint::AcDbPoint(const AcGePoint3d& p) : AcDbPoint() { setPosition(p); }
AcGePoint3d AcDbPoint::position() const { return getPoint(this, Field{"AcDbPoint", 0, 10}); }
Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbPoint", 0, 10}, p);
    return Acad::eOk;
}

AcDbSolid::AcDbSolid() { Access::initNew(this, kSolid); }
AcDbSolid::AcDbSolid(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3)
    : AcDbSolid() {
    const AcGePoint3d* p[4] = {&p0, &p1, &p2, &p3};
    for (uint16_t i = 0; i < 4; ++i) setPointAt(i, *p[i]);
}
Acad::ErrorStatus AcDbSolid::getPointAt(uint16_t i, AcGePoint3d& p) const {
    if (i > 3) return Acad::eInvalidIndex;
    p = getPoint(this, Field{"AcDbTrace", 0, static_cast<int16_t>(10 + i)});
    return Acad::eOk;
}
Acad::ErrorStatus AcDbSolid::setPointAt(uint16_t i, const AcGePoint3d& p) {
    WRITE_GUARD();
    if (i > 3) return Acad::eInvalidIndex;
    setPoint(this, Field{"AcDbTrace", 0, static_cast<int16_t>(10 + i)}, p);
    return Acad::eOk;
}
AcGeVector3d AcDbSolid::normal() const { return normalOf(this); }

AcDbSequenceEnd::AcDbSequenceEnd() { Access::initNew(this, kSeqEnd); }

// ---- 2D polyline with vertices ---------------------------------------------------------------

AcDb2dVertex::AcDb2dVertex() { Access::initNew(this, kVertex); }
AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& p, double b) : AcDb2dVertex() {
    setPosition(p);
    setBulge(b);
}
AcGePoint3d AcDb2dVertex::position() const { return getPoint(this, Field{"AcDbVertex", 0, 10}); }
Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, Field{"AcDbVertex", 0, 10}, p);
    return Acad::eOk;
}
double AcDb2dVertex::bulge() const { return getReal(this, Field{"AcDb2dVertex", 0, 42}, 0.0); }
Acad::ErrorStatus AcDb2dVertex::setBulge(double b) {
    WRITE_GUARD();
    if (b == 0 && !hasField(this, Field{"AcDb2dVertex", 0, 42})) return Acad::eOk;
    setReal(this, Field{"AcDb2dVertex", 0, 42}, b);
    return Acad::eOk;
}

AcDb2dPolyline::AcDb2dPolyline() { Access::initNew(this, kPolyline); }
AcDb2dPolyline::~AcDb2dPolyline() {
    // Vertices that never reached a database stay with the polyline.
    if (!database()) {
        for (AcDbEntity* v : m_vertices) delete v;
        delete m_seqend;
    }
}

AcDbObjectIterator* AcDb2dPolyline::vertexIterator() const {
    AcDbObjectIdArray ids;
    for (AcDbEntity* v : m_vertices) ids.append(AcDbObjectId::fromObject(v));
    return new AcDbObjectIterator(ids);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* v) {
    AcDbObjectId id;
    return appendVertex(id, v);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& id, AcDb2dVertex* v) {
    id = AcDbObjectId::kNull;
    if (!v) return Acad::eNullObjectPointer;
    WRITE_GUARD();
    if (v->database()) return Acad::eAlreadyInDb;
    m_vertices.push_back(v);
    if (!m_seqend) {
        m_seqend = new AcDbSequenceEnd();
        if (Store* st = Access::store(this)) {
            st->adopt(m_seqend, this);
            Access::setFlag(m_seqend, fOwnedByParent, true);
        }
    }
    if (Store* st = Access::store(this)) {
        st->adopt(v, this);
        Access::setFlag(v, fOwnedByParent, true);
        Access::setLayerOf(v, Access::layerOf(this));
        setText(v, Field{"AcDbEntity", 0, 8}, layer().str());
        Access::openForWriteNew(v);
        id = v->objectId();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::openVertex(AcDb2dVertex*& v, AcDbObjectId id, AcDb::OpenMode mode,
                                             bool openErased) const {
    v = nullptr;
    bool mine = false;
    for (AcDbEntity* e : m_vertices) mine = mine || e == id.object();
    if (!mine) return Acad::eInvalidInput;
    return acdbOpenObject(v, id, mode, openErased);
}

bool AcDb2dPolyline::isClosed() const { return (getInt(this, Field{nullptr, 0, 70}, 0) & 1) != 0; }
Acad::ErrorStatus AcDb2dPolyline::makeClosed() {
    WRITE_GUARD();
    setInt(this, Field{nullptr, 0, 70}, getInt(this, Field{nullptr, 0, 70}, 0) | 1);
    return Acad::eOk;
}
Acad::ErrorStatus AcDb2dPolyline::makeOpen() {
    WRITE_GUARD();
    setInt(this, Field{nullptr, 0, 70}, getInt(this, Field{nullptr, 0, 70}, 0) & ~1LL);
    return Acad::eOk;
}
double AcDb2dPolyline::elevation() const { return getPoint(this, Field{"AcDb2dPolyline", 0, 10}).z; }
AcGeVector3d AcDb2dPolyline::normal() const { return normalOf(this); }
AcDb::Poly2dType AcDb2dPolyline::polyType() const {
    long long f = getInt(this, Field{nullptr, 0, 70}, 0);
    long long s = getInt(this, Field{nullptr, 0, 75}, 0);
    if (f & 2) return AcDb::k2dFitCurvePoly;
    if (f & 4) return s == 5 ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly;
    return AcDb::k2dSimplePoly;
}

Acad::ErrorStatus AcDb2dPolyline::erase(bool erasing) {
    Acad::ErrorStatus es = AcDbEntity::erase(erasing);
    if (es != Acad::eOk) return es;
    for (AcDbEntity* v : m_vertices) Access::setFlag(v, fErased, erasing);
    if (m_seqend) Access::setFlag(m_seqend, fErased, erasing);
    return Acad::eOk;
}
