// Database objects and entities with the open/close protocol, extents, and the RAII pointer.
#pragma once

#include <cstdint>
#include <memory>

#include "accmcolor.h"
#include "acge.h"
#include "dbid.h"
#include "rxobject.h"

namespace vx::db {
class Access;
struct OwnTags;
}  // namespace vx::db

// An axis-aligned box; empty until a point is added (min above max).
class AcDbExtents {
public:
    AcDbExtents();
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}
    const AcGePoint3d& minPoint() const { return m_min; }
    const AcGePoint3d& maxPoint() const { return m_max; }
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& e);
    void expandBy(const AcGeVector3d& v);
    // Transforms the eight corners and keeps their box.
    void transformBy(const AcGeMatrix3d& m);
    bool isEmpty() const { return m_min.x > m_max.x; }

private:
    AcGePoint3d m_min, m_max;
};

class AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
    AcDbHandle objectHandle() const { return AcDbHandle(m_handle); }
    void getAcDbHandle(AcDbHandle& h) const { h = AcDbHandle(m_handle); }
    AcDbDatabase* database() const { return m_db; }
    // The record type as it stands in drawing files ("LINE", "ACAD_PROXY_ENTITY" ...).
    AcString dxfType() const;
    AcDbObjectId extensionDictionary() const;

    // Ends one open of the object (a new object outside any database is left to its creator).
    Acad::ErrorStatus close();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    bool isReadEnabled() const { return m_writer || m_readers > 0 || !m_db; }
    bool isWriteEnabled() const { return m_writer || !m_db; }
    bool isNotifyEnabled() const { return m_notifiers > 0; }
    bool isNewObject() const { return m_db == nullptr; }
    bool isErased() const;
    bool isModified() const;
    Acad::ErrorStatus assertReadEnabled() const { return isReadEnabled() ? Acad::eOk : Acad::eNotOpenForRead; }
    Acad::ErrorStatus assertWriteEnabled() const { return isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite; }

    // Marks the object (and what it owns: attributes, vertices) erased; erase(false) restores it.
    virtual Acad::ErrorStatus erase(bool erasing = true);

protected:
    AcDbObject();

private:
    friend class vx::db::Access;
    AcDbDatabase* m_db = nullptr;
    AcDbObject* m_owner = nullptr;
    std::unique_ptr<vx::db::OwnTags> m_own;  // the tags once edited (or for a new object)
    uint64_t m_handle = 0;
    uint32_t m_tagFirst = 0, m_tagCount = 0;  // loaded tags, in the database's tag store
    uint32_t m_srcBegin = 0, m_srcEnd = 0;    // bytes of the record in the file as read
    uint32_t m_seq = 0;                       // order in the file section
    uint16_t m_readers = 0;
    uint16_t m_notifiers = 0;
    uint16_t m_kind = 0;
    bool m_writer = false;
    uint8_t m_flags = 0;
    uint32_t m_rev = 0;  // counts the object's changes, for caches of what it looks like
};

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    AcDbObjectId blockId() const { return ownerId(); }

    AcString layer() const;
    AcDbObjectId layerId() const;
    // The layer must exist in the database (a new entity accepts any name until appended).
    Acad::ErrorStatus setLayer(const ACHAR* name, bool doSubents = true);
    Acad::ErrorStatus setLayer(AcDbObjectId layer, bool doSubents = true);

    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& c, bool doSubents = true);
    // 256 = by layer (also when no colour is stored), 0 = by block.
    uint16_t colorIndex() const;
    Acad::ErrorStatus setColorIndex(uint16_t index, bool doSubents = true);

    AcString linetype() const;  // "ByLayer" when none is stored
    AcDbObjectId linetypeId() const;
    Acad::ErrorStatus setLinetype(const ACHAR* name, bool doSubents = true);
    Acad::ErrorStatus setLinetype(AcDbObjectId linetype, bool doSubents = true);

    // Line weight in hundredths of a millimetre; -1 by layer, -2 by block, -3 default.
    int lineWeight() const;
    Acad::ErrorStatus setLineWeight(int weight, bool doSubents = true);
    bool isVisible() const;
    Acad::ErrorStatus setVisibility(bool visible, bool doSubents = true);
    // Layer, colour, linetype, line weight and visibility of another entity.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);

    // Applies the transform to the entity's geometry (and its attributes or vertices).
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    // The entity's box in world coordinates; eInvalidExtents when it has no geometry.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

protected:
    AcDbEntity();

private:
    friend class vx::db::Access;
    AcDbObject* m_layer = nullptr;  // the layer record, resolved at load for fast lookups
};

// Iterates a list of objects (a block reference's attributes, a polyline's vertices).
class AcDbObjectIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObjectIterator);
    explicit AcDbObjectIterator(const AcDbObjectIdArray& ids);
    void start(bool atEnd = false);
    bool done() const;
    void step(bool backwards = false, bool skipErased = true);
    AcDbObjectId objectId() const;
    // Opens the current object for read; the caller closes it. Null when it does not open.
    AcDbEntity* entity();
    void setPosition(AcDbObjectId id);

private:
    void skip(bool backwards);
    AcDbObjectIdArray m_ids;
    int m_pos = 0;
};

// The open protocol: several readers or one writer. Statuses: eNullObjectId, eWasErased
// (unless openErased), eWasOpenForWrite (already open for write), eWasOpenForRead (write wanted
// while readers hold it), eOnLockedLayer (write of an entity on a locked layer).
Acad::ErrorStatus acdbOpenObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false);
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
// eNotAnEntity when the object is not an entity (it is then left closed).
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Typed open: eNotThatKindOfClass (object left closed) when the object is not a T.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    obj = nullptr;
    AcDbObject* o = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(o, id, mode, openErased);
    if (es != Acad::eOk) return es;
    T* t = T::cast(o);
    if (!t) {
        o->close();
        return Acad::eNotThatKindOfClass;
    }
    obj = t;
    return Acad::eOk;
}

// An open object that closes itself. Check openStatus() before using it.
template <class T>
class AcDbObjectPointer {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
        open(id, mode, openErased);
    }
    ~AcDbObjectPointer() { close(); }
    AcDbObjectPointer(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
        close();
        T* p = nullptr;
        m_status = acdbOpenObject(p, id, mode, openErased);
        m_ptr = m_status == Acad::eOk ? p : nullptr;
        return m_status;
    }
    Acad::ErrorStatus openStatus() const { return m_status; }
    // A new object owned by the pointer until it is added to a database (or released).
    Acad::ErrorStatus create() {
        close();
        m_ptr = new T();
        m_status = Acad::eOk;
        return m_status;
    }
    // Gives up the object without closing it.
    Acad::ErrorStatus release(T*& out) {
        out = m_ptr;
        m_ptr = nullptr;
        m_status = Acad::eNullObjectPointer;
        return Acad::eOk;
    }
    // Takes over an object that the caller opened or created.
    Acad::ErrorStatus acquire(T*& in) {
        close();
        m_ptr = in;
        in = nullptr;
        m_status = m_ptr ? Acad::eOk : Acad::eNullObjectPointer;
        return m_status;
    }
    Acad::ErrorStatus close() {
        if (!m_ptr) return Acad::eNullObjectPointer;
        T* p = m_ptr;
        m_ptr = nullptr;
        m_status = Acad::eNullObjectPointer;
        if (p->isNewObject()) {
            delete p;
            return Acad::eOk;
        }
        return p->close();
    }

    T* object() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    operator T*() const { return m_ptr; }

private:
    T* m_ptr = nullptr;
    Acad::ErrorStatus m_status = Acad::eNullObjectPointer;
};
