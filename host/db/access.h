// The host side's way into database objects: their private state, their tags, and typed
// fields found by (subclass, group code).
#pragma once

#include <string>
#include <string_view>

#include "store.h"

// First line of a setter on an object: a setter only works on an object open for write.
#define WRITE_GUARD() \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

namespace vx::db {

struct TagRef {
    int code;
    std::string_view value;
    bool utf8;
};

// A typed field: group code inside a subclass section ("AcDbText", the 2nd "AcDbText" ...).
// Records without subclass markers (R12) search the whole record.
struct Field {
    const char* subclass;
    int8_t occurrence;  // 0: any section of that name
    int16_t code;
};

class Access {
public:
    static Store* store(const AcDbObject* o) { return o->m_db ? &o->m_db->store() : nullptr; }
    static void setDatabase(AcDbObject* o, AcDbDatabase* db) { o->m_db = db; }
    static uint64_t handle(const AcDbObject* o) { return o->m_handle; }
    static void setHandle(AcDbObject* o, uint64_t h) { o->m_handle = h; }
    static AcDbObject* owner(const AcDbObject* o) { return o->m_owner; }
    static void setOwner(AcDbObject* o, AcDbObject* owner) { o->m_owner = owner; }
    static Kind kind(const AcDbObject* o) { return static_cast<Kind>(o->m_kind); }
    static void setKind(AcDbObject* o, Kind k) { o->m_kind = k; }
    static uint8_t flags(const AcDbObject* o) { return o->m_flags; }
    static void setFlag(AcDbObject* o, uint8_t f, bool on) {
        uint8_t now = on ? (o->m_flags | f) : (o->m_flags & ~f);
        if (now == o->m_flags) return;
        o->m_flags = now;
        touch(o);
    }
    // Change counter of the object: every edit of its tags or flags moves it, and the database's
    // revision with it. A sub-entity (vertex, attribute) also moves its parent's counter, so a
    // cache keyed on the parent sees the change.
    static uint32_t revision(const AcDbObject* o) { return o->m_rev; }
    static void touch(AcDbObject* o) {
        ++o->m_rev;
        if (o->m_db) ++o->m_db->store().revision;
        if ((o->m_flags & fOwnedByParent) && o->m_owner) ++o->m_owner->m_rev;
    }
    static uint32_t seq(const AcDbObject* o) { return o->m_seq; }
    static void setSeq(AcDbObject* o, uint32_t s) { o->m_seq = s; }
    static void setLoaded(AcDbObject* o, uint32_t first, uint32_t count, uint32_t srcBegin, uint32_t srcEnd) {
        o->m_flags &= static_cast<uint8_t>(~fNewTemplate);
        o->m_tagFirst = first;
        o->m_tagCount = count;
        o->m_srcBegin = srcBegin;
        o->m_srcEnd = srcEnd;
    }
    static uint32_t srcBegin(const AcDbObject* o) { return o->m_srcBegin; }
    static uint32_t srcEnd(const AcDbObject* o) { return o->m_srcEnd; }
    static bool isEdited(const AcDbObject* o) { return o->m_own != nullptr || (o->m_flags & fNewTemplate); }
    static bool isOpen(const AcDbObject* o) { return o->m_writer || o->m_readers || o->m_notifiers; }
    static void openForWriteNew(AcDbObject* o) { o->m_writer = true; }
    static Acad::ErrorStatus open(AcDbObject* o, AcDb::OpenMode mode, AcDbObject*& out);

    static std::vector<AcDbSymbolTableRecord*>& records(AcDbSymbolTable* t) { return t->m_records; }
    static AcDbObject*& tableEnd(AcDbSymbolTable* t) { return t->m_end; }
    static std::vector<AcDbEntity*>& entities(AcDbBlockTableRecord* b) { return b->m_entities; }
    static AcDbObject*& blockBegin(AcDbBlockTableRecord* b) { return b->m_begin; }
    static AcDbObject*& blockEnd(AcDbBlockTableRecord* b) { return b->m_end; }
    static std::vector<AcDbEntity*>& attributes(AcDbBlockReference* r) { return r->m_attributes; }
    static AcDbEntity*& seqend(AcDbBlockReference* r) { return r->m_seqend; }
    static std::vector<AcDbEntity*>& vertices(AcDb2dPolyline* p) { return p->m_vertices; }
    static AcDbEntity*& seqend(AcDb2dPolyline* p) { return p->m_seqend; }
    static AcDbObject* layerOf(const AcDbEntity* e) { return e->m_layer; }
    static void setLayerOf(AcDbEntity* e, AcDbObject* layer) { e->m_layer = layer; }
    // Sub-entities written after the entity (attributes + SEQEND, vertices + SEQEND).
    static void children(const AcDbObject* o, std::vector<AcDbEntity*>& out);

    // Tags, loaded or edited.
    static size_t tagCount(const AcDbObject* o);
    static TagRef tag(const AcDbObject* o, size_t i);
    // The record's tags as its own copy (made on first edit); marks the database modified.
    static OwnTags& edit(AcDbObject* o);
    // A constructed object: its kind, and the template of that kind as its tags (made on first
    // use, so that objects a reader fills never build one).
    static void initNew(AcDbObject* o, Kind k);
    // No template: the object gets loaded or copied tags.
    static void dropTemplate(AcDbObject* o) { o->m_flags &= static_cast<uint8_t>(~fNewTemplate); }
    // Builds the template tags of a constructed object.
    static void fillTemplate(AcDbObject* o);
    // Drops tags that the database's version does not have (R12: subclass markers, owners).
    static void fitToVersion(AcDbObject* o, const Store& st);
    static std::string_view typeName(const AcDbObject* o);
};

// Text of a tag for the API: the file's code page (with \U+ and \M+ escapes) or UTF-8.
std::wstring decodeText(const TagRef& t, const Store* st);
// Bytes of an API text for the file.
std::string encodeText(std::wstring_view text, const Store* st);
// Unescapes \U+XXXX and \M+nXXYY in decoded text.
std::wstring unescapeDxf(std::wstring_view text);

bool parseDouble(std::string_view s, double& out);
bool parseInt(std::string_view s, long long& out);
bool parseHex(std::string_view s, uint64_t& out);
std::string formatDouble(double v);
std::string formatHex(uint64_t v);
std::string_view trim(std::string_view s);

// Typed fields (see Field). find gives the tag index or -1.
int findField(const AcDbObject* o, const Field& f);
double getReal(const AcDbObject* o, const Field& f, double def = 0.0);
long long getInt(const AcDbObject* o, const Field& f, long long def = 0);
std::wstring getText(const AcDbObject* o, const Field& f, const wchar_t* def = L"");
bool hasField(const AcDbObject* o, const Field& f);
// Point from code, code+10, code+20 (z defaults to 0).
AcGePoint3d getPoint(const AcDbObject* o, const Field& f, const AcGePoint3d& def = AcGePoint3d::kOrigin);
AcGeVector3d getVector(const AcDbObject* o, const Field& f, const AcGeVector3d& def);
uint64_t getHandle(const AcDbObject* o, const Field& f);

// Setters replace the tag where it stands, or insert it at the end of the subclass section.
void setRaw(AcDbObject* o, const Field& f, std::string value, bool utf8);
void setReal(AcDbObject* o, const Field& f, double v);
void setInt(AcDbObject* o, const Field& f, long long v);
void setText(AcDbObject* o, const Field& f, std::wstring_view v);
void setPoint(AcDbObject* o, const Field& f, const AcGePoint3d& p, bool withZ = true);
void setHandle(AcDbObject* o, const Field& f, uint64_t h);
void removeField(AcDbObject* o, const Field& f);

// Names compare by the host's one rule (text/strings.h: ASCII, the rest by towupper).
bool sameName(std::wstring_view a, std::wstring_view b);

}  // namespace vx::db
