// Symbol tables, their iterators, and the name of every table record.
#include "db/access.h"
#include "db/registry.h"
#include "db/symbols.h"

using namespace vx::db;

namespace {
const Field kName{nullptr, 0, 2};
}

namespace vx::db {

AcDbSymbolTableRecord* findRecord(const AcDbSymbolTable* table, std::wstring_view name) {
    if (!table) return nullptr;
    for (AcDbSymbolTableRecord* r : table->records())
        if (!r->isErased() && sameName(r->name().str(), name)) return r;
    return nullptr;
}

bool validSymbolName(std::wstring_view name) {
    if (name.empty() || name.size() > 255) return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring_view(L"<>/\\\":;?*|=`").find(c) != std::wstring_view::npos) return false;
    return name.front() != L' ' && name.back() != L' ';
}

}  // namespace vx::db

AcDbSymbolTable::AcDbSymbolTable() { Access::initNew(this, kTable); }

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErased) const {
    id = AcDbObjectId::kNull;
    if (!name) return Acad::eInvalidInput;
    for (AcDbSymbolTableRecord* r : m_records) {
        if ((getErased || !r->isErased()) && sameName(r->name().str(), name)) {
            id = AcDbObjectId::fromObject(r);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                         bool openErased) const {
    rec = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErased);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(rec, id, mode, openErased);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    for (AcDbSymbolTableRecord* r : m_records)
        if (r == id.object() && !r->isErased()) return true;
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* rec) {
    AcDbObjectId id;
    return add(id, rec);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* rec) {
    id = AcDbObjectId::kNull;
    if (!rec) return Acad::eNullObjectPointer;
    if (!database()) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (rec->database()) return Acad::eAlreadyInDb;
    if (rec->isA() == AcDbSymbolTableRecord::desc()) return Acad::eWrongObjectType;
    std::wstring name = rec->name().str();
    bool isBlock = AcDbBlockTableRecord::cast(rec) != nullptr;
    bool layoutName = isBlock && !name.empty() && name[0] == L'*';
    if (!layoutName && !validSymbolName(name)) return Acad::eInvalidSymbolTableName;
    if (has(name.c_str())) return Acad::eDuplicateKey;
    Store& st = database()->store();
    if (isBlock && st.versionNumber <= 1009) {
        // R12 has no block records: the BLOCK entry carries the name.
        rec->setName(name.c_str());
        Access::setFlag(rec, fSynthetic, true);
    }
    st.adopt(rec, this);
    m_records.push_back(rec);
    Access::openForWriteNew(rec);
    if (auto* b = AcDbBlockTableRecord::cast(rec)) attachBlockEnds(st, b);
    id = rec->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& it, bool atBeginning, bool skipErased) const {
    it = new AcDbSymbolTableIterator(this, atBeginning, skipErased);
    return Acad::eOk;
}

// ---- iterator ------------------------------------------------------------------------------

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning, bool skipErased)
    : m_table(table) {
    start(atBeginning, skipErased);
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipErased) {
    m_pos = atBeginning ? 0 : static_cast<int>(m_table->records().size()) - 1;
    skip(atBeginning, skipErased);
}

bool AcDbSymbolTableIterator::done() const {
    return m_pos < 0 || m_pos >= static_cast<int>(m_table->records().size());
}

void AcDbSymbolTableIterator::skip(bool forward, bool skipErased) {
    while (!done() && ((skipErased && m_table->records()[static_cast<size_t>(m_pos)]->isErased()) ||
                       (Access::flags(m_table->records()[static_cast<size_t>(m_pos)]) & fOwnedByParent)))
        m_pos += forward ? 1 : -1;
}

void AcDbSymbolTableIterator::step(bool forward, bool skipErased) {
    if (done()) return;
    m_pos += forward ? 1 : -1;
    skip(forward, skipErased);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = AcDbObjectId::fromObject(m_table->records()[static_cast<size_t>(m_pos)]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                                     bool openErased) const {
    rec = nullptr;
    AcDbObjectId id;
    if (getRecordId(id) != Acad::eOk) return Acad::eInvalidIndex;
    return acdbOpenObject(rec, id, mode, openErased);
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(AcDbObjectId id) {
    const auto& r = m_table->records();
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i] == id.object()) {
            m_pos = static_cast<int>(i);
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

#define VX_DEFINE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                                   \
    TABLE::TABLE() = default;                                                                            \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* name, RECORD*& rec, AcDb::OpenMode mode, bool openErased) const { \
        rec = nullptr;                                                                                   \
        AcDbObjectId id;                                                                                 \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, id, openErased);                             \
        return es == Acad::eOk ? acdbOpenObject(rec, id, mode, openErased) : es;                         \
    }                                                                                                    \
    Acad::ErrorStatus TABLE::newIterator(ITERATOR*& it, bool atBeginning, bool skipErased) const {       \
        it = new ITERATOR(this, atBeginning, skipErased);                                                \
        return Acad::eOk;                                                                                \
    }                                                                                                    \
    Acad::ErrorStatus ITERATOR::getRecord(RECORD*& rec, AcDb::OpenMode mode, bool openErased) const {    \
        rec = nullptr;                                                                                   \
        AcDbObjectId id;                                                                                 \
        if (getRecordId(id) != Acad::eOk) return Acad::eInvalidIndex;                                    \
        return acdbOpenObject(rec, id, mode, openErased);                                                \
    }

VX_DEFINE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
VX_DEFINE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)

// ---- records -------------------------------------------------------------------------------

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;

AcString AcDbSymbolTableRecord::name() const {
    if (!m_nameCache.isEmpty()) return m_nameCache;
    const AcDbObject* src = this;
    if (auto* b = AcDbBlockTableRecord::cast(this))
        if (Access::tagCount(this) == 0 || (Access::flags(this) & fSynthetic)) {
            auto* bb = Access::blockBegin(const_cast<AcDbBlockTableRecord*>(b));
            if (bb) src = bb;
        }
    std::wstring n = getText(src, kName);
    // R12 names its layout blocks differently.
    if (sameName(n, L"$MODEL_SPACE")) n = L"*Model_Space";
    else if (sameName(n, L"$PAPER_SPACE")) n = L"*Paper_Space";
    m_nameCache = AcString(n);
    return m_nameCache;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(AcString& name) const {
    name = this->name();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    this->name();
    name = m_nameCache.kACharPtr();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (!name || !*name) return Acad::eInvalidInput;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    AcString old = database() ? this->name() : AcString();
    if (auto* t = AcDbSymbolTable::cast(Access::owner(this))) {
        AcDbSymbolTableRecord* other = findRecord(t, name);
        if (other && other != this) return Acad::eDuplicateKey;
    }
    m_nameCache.setEmpty();
    if (!(Access::flags(this) & fSynthetic)) setText(this, kName, name);
    Store* st = Access::store(this);
    if (auto* b = AcDbBlockTableRecord::cast(this)) {
        if (AcDbObject* bb = Access::blockBegin(b)) {
            setText(bb, kName, name);
            if (hasField(bb, Field{nullptr, 0, 3})) setText(bb, Field{nullptr, 0, 3}, name);
        }
        if (st && !old.isEmpty()) {
            // References name their block: keep them pointing at it.
            for (auto& o : st->objects)
                if (Access::kind(o.get()) == kInsert && sameName(getText(o.get(), kName), old.str()))
                    setText(o.get(), kName, name);
        }
    } else if (st && !old.isEmpty() && AcDbLayerTableRecord::cast(this)) {
        for (auto& o : st->objects)
            if (auto* e = AcDbEntity::cast(o.get()))
                if (Access::layerOf(e) == this) setText(e, Field{"AcDbEntity", 0, 8}, name);
    }
    return Acad::eOk;
}

bool AcDbSymbolTableRecord::isDependent() const { return name().find(L'|') >= 0; }
