// Store: ownership of objects, handles, sections.
#include <atomic>

#include "db/access.h"
#include "db/registry.h"

namespace vx::db {

namespace {
std::atomic<uint64_t> g_nextSerial{1};
}

Store::Store(AcDbDatabase* db) : db(db), serial(g_nextSerial++) {}

int versionNumberOf(std::string_view v) {
    v = trim(v);
    if (v.size() < 6 || v.substr(0, 2) != "AC") return 0;
    long long n = 0;
    return parseInt(v.substr(2), n) ? static_cast<int>(n) : 0;
}

void Store::registerHandle(AcDbObject* obj) {
    uint64_t h = Access::handle(obj);
    if (h == 0) return;
    byHandle[h] = obj;
    if (h >= nextHandle) nextHandle = h + 1;
}

void Store::adopt(AcDbObject* obj, AcDbObject* owner) {
    Access::setDatabase(obj, db);
    objects.emplace_back(obj);
    uint64_t h = Access::handle(obj);
    if (h == 0 || byHandle.count(h)) Access::setHandle(obj, newHandle());
    registerHandle(obj);
    Access::setOwner(obj, owner);
    Access::setSeq(obj, nextSeq++);
    ++revision;
    blockChanges.objectChanged(obj);
    if (Access::isEdited(obj)) {
        Access::fitToVersion(obj, *this);
        Kind k = Access::kind(obj);
        Field hf{nullptr, 0, static_cast<int16_t>(k == kDimStyle ? 105 : 5)};
        if (findField(obj, hf) >= 0) setHandle(obj, hf, Access::handle(obj));
        Field of{nullptr, 0, 330};
        if (findField(obj, of) >= 0) setHandle(obj, of, owner ? Access::handle(owner) : 0);
    }
    modified = true;
}

Section* Store::section(SectionKind k) {
    for (Section& s : sections)
        if (s.kind == k) return &s;
    return nullptr;
}

namespace {
const char* sectionName(SectionKind k) {
    switch (k) {
    case SectionKind::Header: return "HEADER";
    case SectionKind::Classes: return "CLASSES";
    case SectionKind::Tables: return "TABLES";
    case SectionKind::Blocks: return "BLOCKS";
    case SectionKind::Entities: return "ENTITIES";
    case SectionKind::Objects: return "OBJECTS";
    default: return "";
    }
}
}  // namespace

Section& Store::ensureSection(SectionKind k) {
    if (Section* s = section(k)) return *s;
    Section s;
    s.kind = k;
    s.begin = newObject(kSectionBegin);
    setRaw(s.begin, Field{nullptr, 0, 2}, sectionName(k), false);
    s.end = newObject(kSectionEnd);
    for (AcDbObject* o : {s.begin, s.end}) {
        Access::setDatabase(o, db);
        objects.emplace_back(o);
    }
    // Keep the canonical order of sections.
    auto pos = sections.begin();
    while (pos != sections.end() && pos->kind != SectionKind::Other && pos->kind < k) ++pos;
    return *sections.insert(pos, std::move(s));
}

void Store::clear() {
    spatialIndex.reset();
    sections.clear();
    header = eof = prologue = nullptr;
    blockTable = layerTable = styleTable = linetypeTable = appidTable = dimstyleTable = nullptr;
    vportTable = viewTable = ucsTable = nullptr;
    modelSpace = paperSpace = nullptr;
    nod = nullptr;
    byHandle.clear();
    objects.clear();
    tags.clear();
    buffer.clear();
    trailer.clear();
    fileSize = 0;
    audit.clear();
    nextHandle = 1;
    nextSeq = 1;
    modified = false;
    serial = g_nextSerial++;
    blockChanges.replaced();
}

}  // namespace vx::db
