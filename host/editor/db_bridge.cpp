#include "editor/db_bridge.h"

#include <cwchar>
#include <memory>

#include "acdb.h"
#include "aced.h"
#include "editor/documents.h"

namespace vx::editor {
namespace {

void factsOf(const AcDbEntity* ent, EntityFacts& f) {
    f.handle = ent->objectHandle().value();
    f.type = ent->dxfType().str();
    f.layer = ent->layer().str();
    f.blockName.clear();
    if (const AcDbBlockReference* ref = AcDbBlockReference::cast(ent)) {
        AcDbObjectPointer<AcDbBlockTableRecord> rec(ref->blockTableRecord(), AcDb::kForRead);
        AcString name;
        if (rec.openStatus() == Acad::eOk && rec->getName(name) == Acad::eOk) f.blockName = name.str();
    }
    AcDbExtents ext;
    f.hasExtents = ent->getGeomExtents(ext) == Acad::eOk && !ext.isEmpty();
    if (f.hasExtents) {
        const AcGePoint3d lo = ext.minPoint(), hi = ext.maxPoint();
        f.minPt[0] = lo.x, f.minPt[1] = lo.y, f.minPt[2] = lo.z;
        f.maxPt[0] = hi.x, f.maxPt[1] = hi.y, f.maxPt[2] = hi.z;
    }
}

std::wstring fmt(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.4f", v);
    return buf;
}

std::wstring fmt(const AcGePoint3d& p) { return L"X=" + fmt(p.x) + L"  Y=" + fmt(p.y) + L"  Z=" + fmt(p.z); }

}  // namespace

AcDbDatabase* newDrawing() { return new AcDbDatabase(true, false); }

AcDbDatabase* readDrawing(const std::wstring& path, std::wstring& why) {
    auto* db = new AcDbDatabase(false, false);
    Acad::ErrorStatus es = db->readDwgFile(path.c_str());
    if (es != Acad::eOk) {
        why = db->lastReadMessage() && *db->lastReadMessage() ? db->lastReadMessage() : acadErrorStatusText(es);
        delete db;
        return nullptr;
    }
    for (const std::wstring& repair : db->readAudit()) acutPrintf(L"\nRepaired: %s", repair.c_str());
    return db;
}

bool saveDrawing(AcDbDatabase* db, const std::wstring& path, std::wstring& why) {
    Acad::ErrorStatus es = db->saveAs(path.c_str());
    if (es == Acad::eOk) return true;
    why = db->lastReadMessage() && *db->lastReadMessage() ? db->lastReadMessage() : acadErrorStatusText(es);
    return false;
}

void deleteDrawing(AcDbDatabase* db) { delete db; }

bool isModified(AcDbDatabase* db) { return db && db->isModified(); }

std::vector<EntityFacts> modelSpaceEntities(AcDbDatabase* db) {
    std::vector<EntityFacts> out;
    if (!db) return out;
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
    if (ms.openStatus() != Acad::eOk) return out;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (ms->newIterator(it, true, true) != Acad::eOk || !it) return out;
    std::unique_ptr<AcDbBlockTableRecordIterator> owner(it);
    for (; !it->done(); it->step()) {
        AcDbEntity* ent = nullptr;
        if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk) continue;
        EntityFacts f;
        factsOf(ent, f);
        ent->close();
        out.push_back(std::move(f));
    }
    return out;
}

AcDbObjectId objectIdOf(AcDbDatabase* db, uint64_t handle) {
    AcDbObjectId id;
    if (!db || db->getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk) return AcDbObjectId();
    return id;
}

bool entityFacts(AcDbDatabase* db, uint64_t handle, EntityFacts& out) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, objectIdOf(db, handle), AcDb::kForRead) != Acad::eOk) return false;
    factsOf(ent, out);
    ent->close();
    return true;
}

std::vector<std::wstring> describeEntity(AcDbDatabase* db, uint64_t handle) {
    std::vector<std::wstring> lines;
    AcDbObjectPointer<AcDbEntity> ent(objectIdOf(db, handle), AcDb::kForRead);
    if (ent.openStatus() != Acad::eOk) return lines;
    lines.push_back(ent->dxfType().str() + L"  Layer: \"" + ent->layer().str() + L"\"  Handle = " +
                    ent->objectHandle().toString().str());
    if (const AcDbBlockReference* ref = AcDbBlockReference::cast(ent.object())) {
        EntityFacts f;
        factsOf(ref, f);
        lines.push_back(L"    Block name: \"" + f.blockName + L"\"  at point " + fmt(ref->position()));
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* att = nullptr;
            if (ref->openAttribute(att, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
            lines.push_back(L"    Attribute  Tag: \"" + att->tag().str() + L"\"  Value: \"" +
                            att->textString().str() + L"\"");
            att->close();
        }
    } else if (const AcDbText* text = AcDbText::cast(ent.object())) {
        lines.push_back(L"    Text: \"" + text->textString().str() + L"\"  at point " + fmt(text->position()));
    } else if (const AcDbLine* line = AcDbLine::cast(ent.object())) {
        lines.push_back(L"    from point " + fmt(line->startPoint()));
        lines.push_back(L"    to point   " + fmt(line->endPoint()));
    }
    return lines;
}

}  // namespace vx::editor
