// Object identities: AcDbHandle (a drawing's 64-bit handle) and AcDbObjectId (database + object).
#pragma once

#include <cstdint>
#include <functional>

#include "acarray.h"
#include "acadstrc.h"
#include "actext.h"

class AcDbDatabase;
class AcDbObject;

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(uint64_t value) : m_value(value) {}
    // Hexadecimal digits as written in drawing files; anything else gives the null handle.
    explicit AcDbHandle(const ACHAR* hex);

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }
    uint64_t value() const { return m_value; }
    uint32_t low() const { return static_cast<uint32_t>(m_value); }
    uint32_t high() const { return static_cast<uint32_t>(m_value >> 32); }
    // Upper-case hexadecimal without leading zeros ("1F"); the buffer holds at least 17 characters.
    void getIntoAsciiBuffer(ACHAR* buffer, size_t size = 17) const;
    AcString toString() const;

    AcDbHandle& operator++() { ++m_value; return *this; }
    AcDbHandle operator+(const AcDbHandle& o) const { return AcDbHandle(m_value + o.m_value); }
    bool operator==(const AcDbHandle& o) const { return m_value == o.m_value; }
    bool operator!=(const AcDbHandle& o) const { return m_value != o.m_value; }
    bool operator<(const AcDbHandle& o) const { return m_value < o.m_value; }
    bool operator>(const AcDbHandle& o) const { return m_value > o.m_value; }

private:
    uint64_t m_value = 0;
};

// The identity of an object in a database. The null id stands for "no object". An id stays
// valid for the lifetime of its database, also after the object was erased.
class AcDbObjectId {
public:
    AcDbObjectId() = default;
    static const AcDbObjectId kNull;

    bool isNull() const { return m_obj == nullptr; }
    void setNull() { m_obj = nullptr; }
    bool isValid() const { return m_obj != nullptr; }
    bool isErased() const;
    bool isResident() const { return m_obj != nullptr; }
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    AcDbDatabase* originalDatabase() const { return database(); }
    // The DXF record type of the object ("INSERT"), empty for the null id.
    const ACHAR* objectClassName() const;

    bool operator==(const AcDbObjectId& o) const { return m_obj == o.m_obj; }
    bool operator!=(const AcDbObjectId& o) const { return m_obj != o.m_obj; }
    bool operator<(const AcDbObjectId& o) const { return std::less<const AcDbObject*>()(m_obj, o.m_obj); }
    bool operator>(const AcDbObjectId& o) const { return o < *this; }
    bool operator<=(const AcDbObjectId& o) const { return !(o < *this); }
    bool operator>=(const AcDbObjectId& o) const { return !(*this < o); }
    explicit operator bool() const { return m_obj != nullptr; }

    // For the host: the object behind the id (a database owns it for the database's lifetime).
    static AcDbObjectId fromObject(const AcDbObject* obj) {
        AcDbObjectId id;
        id.m_obj = const_cast<AcDbObject*>(obj);
        return id;
    }
    AcDbObject* object() const { return m_obj; }

private:
    AcDbObject* m_obj = nullptr;
};

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

namespace std {
template <>
struct hash<AcDbObjectId> {
    size_t operator()(const AcDbObjectId& id) const { return std::hash<const void*>()(id.object()); }
};
}  // namespace std
