// INSERT: block reference placement, its attributes (ATTRIB ... SEQEND) and the block transform.
#include <cmath>

#include "db/access.h"
#include "db/ocs.h"
#include "db/symbols.h"

using namespace vx::db;

namespace {
constexpr double kDeg = M_PI / 180.0;
const char* const kSub = "AcDbBlockReference";
const Field kName{kSub, 0, 2};
const Field kPos{kSub, 0, 10};
const Field kSx{kSub, 0, 41};
const Field kSy{kSub, 0, 42};
const Field kSz{kSub, 0, 43};
const Field kRot{kSub, 0, 50};
const Field kNormal{kSub, 0, 210};
const Field kFollow{kSub, 0, 66};


void setOptionalReal(AcDbObject* o, const Field& f, double v, double def) {
    if (v == def && !hasField(o, f)) return;
    setReal(o, f, v);
}
}  // namespace

AcDbBlockReference::AcDbBlockReference() { Access::initNew(this, kInsert); }
AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& p, AcDbObjectId block) : AcDbBlockReference() {
    setPosition(p);
    setBlockTableRecord(block);
}

AcDbBlockReference::~AcDbBlockReference() {
    if (!database()) {
        for (AcDbEntity* a : m_attributes) delete a;
        delete m_seqend;
    }
}

AcDbObjectId AcDbBlockReference::blockTableRecord() const { return AcDbObjectId::fromObject(blockOf(this)); }

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId id) {
    WRITE_GUARD();
    auto* b = AcDbBlockTableRecord::cast(id.object());
    if (!b) return Acad::eInvalidInput;
    if (database() && b->database() != database()) return Acad::eWrongDatabase;
    setText(this, kName, b->name().str());
    return Acad::eOk;
}

AcGePoint3d AcDbBlockReference::position() const { return planeToWorld(getPoint(this, kPos), normal()); }
Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD();
    setPoint(this, kPos, worldToPlane(p, normal()));
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const {
    return AcGeScale3d(getReal(this, kSx, 1.0), getReal(this, kSy, 1.0), getReal(this, kSz, 1.0));
}
Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& s) {
    WRITE_GUARD();
    if (s.sx == 0 || s.sy == 0 || s.sz == 0) return Acad::eInvalidInput;
    setOptionalReal(this, kSx, s.sx, 1.0);
    setOptionalReal(this, kSy, s.sy, 1.0);
    setOptionalReal(this, kSz, s.sz, 1.0);
    return Acad::eOk;
}

double AcDbBlockReference::rotation() const { return getReal(this, kRot, 0.0) * kDeg; }
Acad::ErrorStatus AcDbBlockReference::setRotation(double a) {
    WRITE_GUARD();
    setOptionalReal(this, kRot, a / kDeg, 0.0);
    return Acad::eOk;
}

AcGeVector3d AcDbBlockReference::normal() const { return getVector(this, kNormal, AcGeVector3d(0, 0, 1)); }
Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& n) {
    WRITE_GUARD();
    if (n.isZeroLength()) return Acad::eInvalidInput;
    AcGePoint3d p = position();
    AcGeVector3d u = n.normal();
    if (!(isWorldZ(u) && !hasField(this, kNormal))) setPoint(this, kNormal, AcGePoint3d(u.x, u.y, u.z));
    return setPosition(p);
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    AcGeScale3d s = scaleFactors();
    AcGeMatrix3d scale;
    scale.entry[0][0] = s.sx;
    scale.entry[1][1] = s.sy;
    scale.entry[2][2] = s.sz;
    AcGePoint3d base = AcGePoint3d::kOrigin;
    if (AcDbBlockTableRecord* b = blockOf(this)) base = b->origin();
    AcGePoint3d p = getPoint(this, kPos);
    return AcGeMatrix3d::planeToWorld(normal()) * AcGeMatrix3d::translation(p.asVector()) *
           AcGeMatrix3d::rotation(rotation(), AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-base.asVector());
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    AcDbObjectIdArray ids;
    for (AcDbEntity* a : m_attributes) ids.append(AcDbObjectId::fromObject(a));
    return new AcDbObjectIterator(ids);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attr) {
    AcDbObjectId id;
    return appendAttribute(id, attr);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& id, AcDbAttribute* attr) {
    id = AcDbObjectId::kNull;
    if (!attr) return Acad::eNullObjectPointer;
    WRITE_GUARD();
    if (attr->database()) return Acad::eAlreadyInDb;
    Store* st = Access::store(this);
    m_attributes.push_back(attr);
    setInt(this, kFollow, 1);
    if (!m_seqend) {
        m_seqend = new AcDbSequenceEnd();
        setText(m_seqend, Field{"AcDbEntity", 0, 8}, layer().str());
        if (st) {
            st->adopt(m_seqend, this);
            Access::setFlag(m_seqend, fOwnedByParent, true);
            Access::setLayerOf(m_seqend, Access::layerOf(this));
        }
    }
    if (st) {
        st->adopt(attr, this);
        Access::setFlag(attr, fOwnedByParent, true);
        if (getInt(this, Field{"AcDbEntity", 0, 67}, 0) == 1) setInt(attr, Field{"AcDbEntity", 0, 67}, 1);
        Access::setLayerOf(attr, ensureLayer(*st, getText(attr, Field{"AcDbEntity", 0, 8}, L"0")));
        Access::openForWriteNew(attr);
        id = attr->objectId();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::openAttribute(AcDbAttribute*& attr, AcDbObjectId id, AcDb::OpenMode mode,
                                                    bool openErased) const {
    attr = nullptr;
    bool mine = false;
    for (AcDbEntity* a : m_attributes) mine = mine || a == id.object();
    if (!mine) return id.isNull() ? Acad::eNullObjectId : Acad::eInvalidInput;
    return acdbOpenObject(attr, id, mode, openErased);
}

Acad::ErrorStatus AcDbBlockReference::openSequenceEnd(AcDbSequenceEnd*& seqend, AcDb::OpenMode mode) const {
    seqend = nullptr;
    if (!m_seqend) return Acad::eNotApplicable;
    return acdbOpenObject(seqend, AcDbObjectId::fromObject(m_seqend), mode);
}

Acad::ErrorStatus AcDbBlockReference::erase(bool erasing) {
    Acad::ErrorStatus es = AcDbEntity::erase(erasing);
    if (es != Acad::eOk) return es;
    for (AcDbEntity* a : m_attributes) Access::setFlag(a, fErased, erasing);
    if (m_seqend) Access::setFlag(m_seqend, fErased, erasing);
    return Acad::eOk;
}
