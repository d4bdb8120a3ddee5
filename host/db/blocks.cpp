// Block table records: their entities, references, BLOCK/ENDBLK, and appending entities.
#include <set>

#include "db/access.h"
#include "db/registry.h"
#include "db/symbols.h"

using namespace vx::db;

namespace {
const Field kName{nullptr, 0, 2};
const Field kBlockFlags{"AcDbBlockBegin", 0, 70};
const Field kBlockOrigin{"AcDbBlockBegin", 0, 10};
const Field kLayoutPtr{"AcDbBlockTableRecord", 0, 340};
}  // namespace

namespace vx::db {

AcDbBlockTableRecord* blockNamed(Store& st, std::wstring_view name) {
    return st.blockIndex.find(st.blockTable, name, st.blockChanges.version());
}

AcDbBlockTableRecord* blockOf(const AcDbBlockReference* ref) {
    Store* st = Access::store(ref);
    return st ? blockNamed(*st, getText(ref, kName)) : nullptr;
}

AcDbLayerTableRecord* ensureLayer(Store& st, std::wstring_view name, bool audit) {
    if (!st.layerTable) return nullptr;
    if (auto* r = findRecord(st.layerTable, name)) return static_cast<AcDbLayerTableRecord*>(r);
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(std::wstring(name).c_str());
    st.adopt(rec, st.layerTable);
    Access::records(st.layerTable).push_back(rec);
    if (audit) st.note(L"layer \"" + std::wstring(name) + L"\" was missing and has been created");
    return rec;
}

void attachBlockEnds(Store& st, AcDbBlockTableRecord* block) {
    std::wstring name = block->name().str();
    if (!Access::blockBegin(block)) {
        AcDbObject* b = newObject(kBlockBegin);
        setText(b, kName, name);
        setText(b, Field{nullptr, 0, 3}, name);
        st.adopt(b, block);
        Access::blockBegin(block) = b;
    }
    if (!Access::blockEnd(block)) {
        AcDbObject* e = newObject(kBlockEnd);
        st.adopt(e, block);
        Access::blockEnd(block) = e;
    }
    Section& blocks = st.ensureSection(SectionKind::Blocks);
    for (AcDbObject* o : blocks.items)
        if (o == block) return;
    blocks.items.push_back(block);
}

Acad::ErrorStatus appendEntity(Store& st, AcDbBlockTableRecord* block, AcDbEntity* ent) {
    st.adopt(ent, block);
    // Paper-space entities are flagged as such in every layout; those of the active one are
    // written in ENTITIES.
    const bool paper = block == st.paperSpace || (block != st.modelSpace && block->isLayout());
    if (paper) setInt(ent, Field{"AcDbEntity", 0, 67}, 1);
    AcDbLayerTableRecord* layer = ensureLayer(st, getText(ent, Field{"AcDbEntity", 0, 8}, L"0"));
    Access::setLayerOf(ent, layer);
    std::vector<AcDbEntity*> kids;
    Access::children(ent, kids);
    for (AcDbEntity* k : kids) {
        st.adopt(k, ent);
        Access::setFlag(k, fOwnedByParent, true);
        Access::setLayerOf(k, ensureLayer(st, getText(k, Field{"AcDbEntity", 0, 8}, L"0")));
        if (paper) setInt(k, Field{"AcDbEntity", 0, 67}, 1);
    }
    Access::entities(block).push_back(ent);
    return Acad::eOk;
}

}  // namespace vx::db

AcDbBlockTableRecord::AcDbBlockTableRecord() { Access::initNew(this, kBlockRecord); }
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* ent) {
    AcDbObjectId id;
    return appendAcDbEntity(id, ent);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* ent) {
    id = AcDbObjectId::kNull;
    if (!ent) return Acad::eNullEntityPointer;
    if (!database()) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (ent->database()) return Acad::eAlreadyInDb;
    Store& st = database()->store();
    Kind k = Access::kind(ent);
    if (st.versionNumber <= 1009 && (k == kLwPolyline || k == kEllipse || k == kMText || k == kHatch))
        return Acad::eInvalidDwgVersion;
    if (k == kBlockBegin || k == kBlockEnd || k == kSeqEnd || k == kAttrib || k == kVertex)
        return Acad::eIllegalEntityType;
    appendEntity(st, this, ent);
    Access::openForWriteNew(ent);
    id = ent->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning,
                                                    bool skipErased) const {
    it = new AcDbBlockTableRecordIterator(this, atBeginning, skipErased);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::getBlockReferenceIds(AcDbObjectIdArray& ids, bool directOnly,
                                                             bool /*forceValidity*/) const {
    ids.setLogicalLength(0);
    Store* st = Access::store(this);
    if (!st || !st->blockTable) return Acad::eNoDatabase;
    std::set<const AcDbBlockTableRecord*> targets{this};
    std::set<const AcDbBlockTableRecord*> done;
    while (!targets.empty()) {
        const AcDbBlockTableRecord* target = *targets.begin();
        targets.erase(targets.begin());
        done.insert(target);
        for (AcDbSymbolTableRecord* r : st->blockTable->records()) {
            auto* b = static_cast<AcDbBlockTableRecord*>(r);
            if (b->isErased()) continue;
            for (AcDbEntity* e : b->m_entities) {
                if (e->isErased() || Access::kind(e) != kInsert) continue;
                if (blockOf(static_cast<AcDbBlockReference*>(e)) != target) continue;
                ids.append(e->objectId());
                if (!directOnly && !b->isLayout() && !done.count(b)) targets.insert(b);
            }
        }
    }
    return Acad::eOk;
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
    for (AcDbEntity* e : m_entities)
        if (!e->isErased() && Access::kind(e) == kAttDef) return true;
    return false;
}

bool AcDbBlockTableRecord::isLayout() const {
    std::wstring n = name().str();
    auto starts = [&](const wchar_t* p) {
        size_t l = std::wcslen(p);
        return n.size() >= l && sameName(std::wstring_view(n).substr(0, l), p);
    };
    return starts(L"*Model_Space") || starts(L"*Paper_Space");
}

bool AcDbBlockTableRecord::isAnonymous() const {
    if (m_begin && (getInt(m_begin, kBlockFlags, 0) & 1)) return true;
    std::wstring n = name().str();
    return !n.empty() && n[0] == L'*' && !isLayout();
}

bool AcDbBlockTableRecord::isFromExternalReference() const {
    return m_begin && (getInt(m_begin, kBlockFlags, 0) & 4) != 0;
}

AcGePoint3d AcDbBlockTableRecord::origin() const {
    return m_begin ? getPoint(m_begin, kBlockOrigin) : AcGePoint3d::kOrigin;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& p) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!m_begin) return Acad::eNotInDatabase;
    setPoint(m_begin, kBlockOrigin, p);
    return Acad::eOk;
}

AcDbObjectId AcDbBlockTableRecord::getLayoutId() const {
    Store* st = Access::store(this);
    uint64_t h = getHandle(this, kLayoutPtr);
    return st && h ? AcDbObjectId::fromObject(st->byHandleOrNull(h)) : AcDbObjectId::kNull;
}

Acad::ErrorStatus AcDbBlockTableRecord::setLayoutId(AcDbObjectId layout) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    setHandle(this, kLayoutPtr, layout.handle().value());
    return Acad::eOk;
}

// ---- iterator ------------------------------------------------------------------------------

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* block, bool atBeginning,
                                                           bool skipErased)
    : m_block(block) {
    start(atBeginning, skipErased);
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipErased) {
    m_pos = atBeginning ? 0 : m_block->entities().size() - 1;
    skip(atBeginning, skipErased);
}

bool AcDbBlockTableRecordIterator::done() const { return m_pos >= m_block->entities().size(); }

void AcDbBlockTableRecordIterator::skip(bool forward, bool skipErased) {
    while (!done() && skipErased && m_block->entities()[m_pos]->isErased()) {
        if (forward) ++m_pos;
        else if (m_pos == 0) m_pos = m_block->entities().size();
        else --m_pos;
    }
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipErased) {
    if (done()) return;
    if (forward) ++m_pos;
    else if (m_pos == 0) m_pos = m_block->entities().size();
    else --m_pos;
    skip(forward, skipErased);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = m_block->entities()[m_pos]->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& ent, AcDb::OpenMode mode,
                                                          bool openErased) const {
    ent = nullptr;
    AcDbObjectId id;
    if (getEntityId(id) != Acad::eOk) return Acad::eInvalidIndex;
    return acdbOpenAcDbEntity(ent, id, mode, openErased);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id) {
    const auto& v = m_block->entities();
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] == id.object()) {
            m_pos = i;
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}
