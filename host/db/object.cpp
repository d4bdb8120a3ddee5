// AcDbObject and the open/close protocol; ids, handles and object iterators.
#include <algorithm>
#include <cwchar>

#include "db/access.h"
#include "text/encoding.h"

using vx::db::Access;

const AcDbObjectId AcDbObjectId::kNull;

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const {
    return m_db ? AcDbObjectId::fromObject(this) : AcDbObjectId::kNull;
}

AcDbObjectId AcDbObject::ownerId() const { return AcDbObjectId::fromObject(m_owner); }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    m_owner = owner.object();
    if (m_db && m_db->store().versionNumber > 1009) {
        vx::db::Field f{nullptr, 0, 330};
        vx::db::setHandle(this, f, m_owner ? m_owner->m_handle : 0);
    }
    return Acad::eOk;
}

AcString AcDbObject::dxfType() const {
    std::string_view t = Access::typeName(this);
    return AcString(std::wstring(t.begin(), t.end()));
}

AcDbObjectId AcDbObject::extensionDictionary() const {
    size_t n = Access::tagCount(this);
    for (size_t i = 1; i + 1 < n; ++i) {
        vx::db::TagRef t = Access::tag(this, i);
        if (t.code == 102 && t.value == "{ACAD_XDICTIONARY") {
            vx::db::TagRef h = Access::tag(this, i + 1);
            uint64_t v = 0;
            if (h.code == 360 && vx::db::parseHex(h.value, v) && m_db)
                return AcDbObjectId::fromObject(m_db->store().byHandleOrNull(v));
        }
        if (t.code == 100) break;
    }
    return AcDbObjectId::kNull;
}

bool AcDbObject::isErased() const { return (m_flags & vx::db::fErased) != 0; }
bool AcDbObject::isModified() const { return vx::db::Access::isEdited(this); }

Acad::ErrorStatus AcDbObject::close() {
    if (!m_db) return Acad::eOk;
    if (m_writer) {
        m_writer = false;
        return Acad::eOk;
    }
    if (m_readers > 0) {
        --m_readers;
        return Acad::eOk;
    }
    if (m_notifiers > 0) {
        --m_notifiers;
        return Acad::eOk;
    }
    return Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (!m_db || m_writer) return Acad::eOk;
    if (m_readers == 0) return Acad::eNotOpenForRead;
    if (m_readers > 1) return Acad::eWasOpenForRead;
    m_readers = 0;
    m_writer = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (!m_db) return Acad::eOk;
    if (!m_writer) return Acad::eNotOpenForWrite;
    m_writer = false;
    m_readers = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (!m_db) return Acad::eNotInDatabase;
    if (!m_writer) return Acad::eNotOpenForWrite;
    if (isErased() == erasing) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Access::setFlag(this, vx::db::fErased, erasing);
    m_db->store().modified = true;
    m_db->store().blockChanges.objectChanged(this);
    return Acad::eOk;
}

// ---- open protocol -------------------------------------------------------------------------

namespace {

bool onLockedLayer(const AcDbObject* o) {
    const auto* e = AcDbEntity::cast(o);
    if (!e) return false;
    const AcDbObject* layer = Access::layerOf(e);
    const auto* rec = AcDbLayerTableRecord::cast(layer);
    return rec && rec->isLocked();
}

}  // namespace

Acad::ErrorStatus acdbOpenObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    obj = nullptr;
    AcDbObject* o = id.object();
    if (!o) return Acad::eNullObjectId;
    if (o->isErased() && !openErased) return Acad::eWasErased;
    return vx::db::Access::open(o, mode, obj);
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    return acdbOpenObject(obj, id, mode, openErased);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    ent = nullptr;
    AcDbObject* o = id.object();
    if (o && !AcDbEntity::cast(o)) return Acad::eNotAnEntity;
    AcDbObject* opened = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(opened, id, mode, openErased);
    if (es == Acad::eOk) ent = static_cast<AcDbEntity*>(opened);
    return es;
}

Acad::ErrorStatus vx::db::Access::open(AcDbObject* o, AcDb::OpenMode mode, AcDbObject*& out) {
    switch (mode) {
    case AcDb::kForRead:
        if (o->m_writer) return Acad::eWasOpenForWrite;
        if (o->m_readers == 0xFFFF) return Acad::eAtMaxReaders;
        ++o->m_readers;
        break;
    case AcDb::kForWrite:
        if (o->m_writer) return Acad::eWasOpenForWrite;
        if (o->m_readers > 0) return Acad::eWasOpenForRead;
        if (onLockedLayer(o)) return Acad::eOnLockedLayer;
        o->m_writer = true;
        break;
    case AcDb::kForNotify:
        ++o->m_notifiers;
        break;
    }
    out = o;
    return Acad::eOk;
}

// ---- ids and handles ------------------------------------------------------------------------

bool AcDbObjectId::isErased() const { return m_obj && m_obj->isErased(); }
AcDbHandle AcDbObjectId::handle() const { return m_obj ? m_obj->objectHandle() : AcDbHandle(); }
AcDbDatabase* AcDbObjectId::database() const { return m_obj ? m_obj->database() : nullptr; }

const ACHAR* AcDbObjectId::objectClassName() const {
    return m_obj ? m_obj->isA()->dxfName() : L"";
}

AcDbHandle::AcDbHandle(const ACHAR* hex) {
    std::string s;
    for (const ACHAR* p = hex; p && *p; ++p) s += static_cast<char>(*p < 128 ? *p : '?');
    uint64_t v = 0;
    if (vx::db::parseHex(s, v)) m_value = v;
}

void AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t size) const {
    if (!buffer || size == 0) return;
    std::string s = vx::db::formatHex(m_value);
    size_t n = std::min(s.size(), size - 1);
    for (size_t i = 0; i < n; ++i) buffer[i] = static_cast<ACHAR>(s[i]);
    buffer[n] = 0;
}

AcString AcDbHandle::toString() const {
    std::string s = vx::db::formatHex(m_value);
    return AcString(std::wstring(s.begin(), s.end()));
}

// ---- object iterator -----------------------------------------------------------------------

AcDbObjectIterator::AcDbObjectIterator(const AcDbObjectIdArray& ids) : m_ids(ids) { start(); }

void AcDbObjectIterator::start(bool atEnd) {
    m_pos = atEnd ? m_ids.length() - 1 : 0;
    skip(atEnd);
}

bool AcDbObjectIterator::done() const { return m_pos < 0 || m_pos >= m_ids.length(); }

void AcDbObjectIterator::skip(bool backwards) {
    while (!done() && m_ids[m_pos].isErased()) m_pos += backwards ? -1 : 1;
}

void AcDbObjectIterator::step(bool backwards, bool skipErased) {
    if (done()) return;
    m_pos += backwards ? -1 : 1;
    if (skipErased) skip(backwards);
}

AcDbObjectId AcDbObjectIterator::objectId() const { return done() ? AcDbObjectId::kNull : m_ids[m_pos]; }

AcDbEntity* AcDbObjectIterator::entity() {
    AcDbEntity* e = nullptr;
    if (done() || acdbOpenAcDbEntity(e, m_ids[m_pos], AcDb::kForRead) != Acad::eOk) return nullptr;
    return e;
}

void AcDbObjectIterator::setPosition(AcDbObjectId id) {
    int i = m_ids.find(id);
    if (i >= 0) m_pos = i;
}

// ---- extents -------------------------------------------------------------------------------

AcDbExtents::AcDbExtents() : m_min(1e20, 1e20, 1e20), m_max(-1e20, -1e20, -1e20) {}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max) {
    if (min.x > max.x || min.y > max.y || min.z > max.z) return Acad::eInvalidExtents;
    m_min = min;
    m_max = max;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    m_min.x = std::min(m_min.x, p.x);
    m_min.y = std::min(m_min.y, p.y);
    m_min.z = std::min(m_min.z, p.z);
    m_max.x = std::max(m_max.x, p.x);
    m_max.y = std::max(m_max.y, p.y);
    m_max.z = std::max(m_max.z, p.z);
}

void AcDbExtents::addExt(const AcDbExtents& e) {
    if (e.isEmpty()) return;
    addPoint(e.m_min);
    addPoint(e.m_max);
}

void AcDbExtents::expandBy(const AcGeVector3d& v) {
    if (isEmpty()) return;
    addPoint(m_min + v);
    addPoint(m_max + v);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& m) {
    if (isEmpty()) return;
    AcDbExtents r;
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d p((i & 1) ? m_max.x : m_min.x, (i & 2) ? m_max.y : m_min.y, (i & 4) ? m_max.z : m_min.z);
        r.addPoint(m * p);
    }
    *this = r;
}
