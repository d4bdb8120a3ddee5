// Any bytes as a DXF file: reading never faults; whatever reads is walked through the object
// model (names, attributes, extents), written, read back, and deep-copied into a new drawing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "acdb.h"
#include "db/access.h"
#include "dxf/dxf.h"

namespace {

void walk(AcDbDatabase& db) {
    AcDbBlockTable* bt = nullptr;
    if (db.getBlockTable(bt, AcDb::kForRead) != Acad::eOk) return;
    std::unique_ptr<AcDbBlockTableIterator> it;
    {
        AcDbBlockTableIterator* raw = nullptr;
        bt->newIterator(raw);
        it.reset(raw);
    }
    bt->close();
    for (; !it->done(); it->step()) {
        AcDbBlockTableRecord* b = nullptr;
        if (it->getRecord(b, AcDb::kForRead) != Acad::eOk) continue;
        (void)b->name();
        AcDbObjectIdArray refs;
        b->getBlockReferenceIds(refs, true, false);
        for (AcDbEntity* e : b->entities()) {
            AcDbExtents ext;
            e->getGeomExtents(ext);
            (void)e->layer();
            if (auto* r = AcDbBlockReference::cast(e)) {
                std::unique_ptr<AcDbObjectIterator> ai(r->attributeIterator());
                for (; !ai->done(); ai->step())
                    if (auto* a = AcDbAttribute::cast(ai->objectId().object())) (void)a->textString();
            }
            if (auto* t = AcDbText::cast(e)) (void)t->textString();
            if (auto* m = AcDbMText::cast(e)) (void)m->contents();
        }
        b->close();
    }
}

[[noreturn]] void fail(const char* what, const std::wstring& message) {
    std::fprintf(stderr, "fuzz_dxf: %s: %ls\n", what, message.c_str());
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    AcDbDatabase db(false, true);
    std::wstring message;
    if (vx::dxf::read(db.store(), std::string(reinterpret_cast<const char*>(data), size), message) != Acad::eOk)
        return 0;
    walk(db);
    std::string out;
    if (vx::dxf::write(db.store(), out) != Acad::eOk) abort();
    // What we write we must be able to read again.
    AcDbDatabase again(false, true);
    if (vx::dxf::read(again.store(), out, message) != Acad::eOk) fail("our own output does not read back", message);
    walk(again);
    AcDbDatabase target(true);
    if (target.insert(AcGeMatrix3d::translation(AcGeVector3d(1, 2, 0)), &db) != Acad::eOk) abort();
    walk(target);
    std::string copied;
    if (vx::dxf::write(target.store(), copied) != Acad::eOk) abort();
    AcDbDatabase copyBack(false, true);
    if (vx::dxf::read(copyBack.store(), copied, message) != Acad::eOk) fail("a copy does not read back", message);
    return 0;
}
