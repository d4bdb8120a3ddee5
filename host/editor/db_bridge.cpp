#include "editor/db_bridge.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "acdb.h"
#include "aced.h"
#include "aclayout.h"
#include "editor/documents.h"
#include "render/space_query.h"

namespace vx::editor {
namespace {

DrawingReader g_reader;

std::wstring blockNameOf(const AcDbBlockReference& ref) {
    AcDbObjectPointer<AcDbBlockTableRecord> rec(ref.blockTableRecord(), AcDb::kForRead);
    AcString name;
    return rec.openStatus() == Acad::eOk && rec->getName(name) == Acad::eOk ? name.str() : L"";
}

std::wstring fmt(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.4f", v);
    return buf;
}

std::wstring fmt(const AcGePoint3d& p) { return L"X=" + fmt(p.x) + L"  Y=" + fmt(p.y) + L"  Z=" + fmt(p.z); }

}  // namespace

AcDbDatabase* newDrawing() { return new AcDbDatabase(true, false); }

AcDbDatabase* readDrawingFile(const std::wstring& path, std::wstring& why) {
    auto db = std::make_unique<AcDbDatabase>(false, false);
    Acad::ErrorStatus es = db->readDwgFile(path.c_str());
    if (es != Acad::eOk) {
        why = db->lastReadMessage() && *db->lastReadMessage() ? db->lastReadMessage() : acadErrorStatusText(es);
        return nullptr;
    }
    return db.release();
}

void setDrawingReader(DrawingReader reader) { g_reader = std::move(reader); }

AcDbDatabase* readDrawing(const std::wstring& path, std::wstring& why) {
    AcDbDatabase* db = g_reader ? g_reader(path, why) : readDrawingFile(path, why);
    if (!db) return nullptr;
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

bool extentsOf(const AcDbEntity& e, Box& box) {
    AcDbExtents ext;
    if (e.getGeomExtents(ext) != Acad::eOk || ext.isEmpty()) return false;
    const AcGePoint3d lo = ext.minPoint(), hi = ext.maxPoint();
    box.lo[0] = lo.x, box.lo[1] = lo.y, box.lo[2] = lo.z;
    box.hi[0] = hi.x, box.hi[1] = hi.y, box.hi[2] = hi.z;
    return true;
}

std::vector<AcDbObjectId> drawingSpaces(AcDbDatabase* db) {
    std::vector<AcDbObjectId> spaces;
    if (!db) return spaces;
    spaces.push_back(db->modelSpaceId());
    auto known = [&](const AcDbObjectId& id) { return std::find(spaces.begin(), spaces.end(), id) != spaces.end(); };
    struct Tab {
        int order;
        AcDbObjectId block;
    };
    std::vector<Tab> tabs;
    AcDbDictionary* dict = nullptr;
    if (db->getLayoutDictionary(dict, AcDb::kForRead) == Acad::eOk) {
        std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
        for (; it && !it->done(); it->next()) {
            AcDbObjectPointer<AcDbLayout> layout(it->objectId(), AcDb::kForRead);
            if (layout.openStatus() != Acad::eOk) continue;
            const AcDbObjectId block = layout->getBlockTableRecordId();
            const auto* rec = AcDbBlockTableRecord::cast(block.object());
            if (!rec || rec->isErased() || known(block)) continue;
            tabs.push_back({layout->getTabOrder(), block});
        }
        dict->close();
    }
    std::stable_sort(tabs.begin(), tabs.end(), [](const Tab& a, const Tab& b) { return a.order < b.order; });
    for (const Tab& t : tabs)
        if (!known(t.block)) spaces.push_back(t.block);
    const AcDbObjectId paper = db->paperSpaceId();
    if (!paper.isNull() && !known(paper)) spaces.push_back(paper);
    return spaces;
}

AcDbObjectId currentSpace(AcDbDatabase* db) {
    if (!db) return AcDbObjectId::kNull;
    const AcDbObjectId active = acedLayoutManager()->getActiveLayoutBTRId(db);
    return active.isNull() ? db->modelSpaceId() : active;
}

const std::vector<AcDbEntity*>& entitiesOf(AcDbObjectId space) {
    static const std::vector<AcDbEntity*> kNone;
    const auto* block = AcDbBlockTableRecord::cast(space.object());
    return block ? block->entities() : kNone;
}

std::vector<const AcDbEntity*> entitiesNear(AcDbObjectId space, const double lo[2], const double hi[2]) {
    std::vector<const AcDbEntity*> out;
    const std::vector<AcDbEntity*>& all = entitiesOf(space);
    for (uint32_t i : vx::render::spaceCandidates(space, vx::render::Box2{lo[0], lo[1], hi[0], hi[1]}))
        if (i < all.size() && !all[i]->isErased()) out.push_back(all[i]);
    return out;
}

const AcDbEntity* lastEntityOf(AcDbObjectId space) {
    const std::vector<AcDbEntity*>& all = entitiesOf(space);
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (!(*it)->isErased()) return *it;
    return nullptr;
}

const AcDbEntity* entityIn(AcDbDatabase* db, AcDbObjectId space, uint64_t handle) {
    const auto* e = AcDbEntity::cast(objectIdOf(db, handle).object());
    return e && !e->isErased() && e->ownerId() == space ? e : nullptr;
}

uint64_t handleOf(const AcDbEntity& e) { return e.objectHandle().value(); }

AcDbObjectId objectIdOf(AcDbDatabase* db, uint64_t handle) {
    AcDbObjectId id;
    if (!db || db->getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk) return AcDbObjectId();
    return id;
}

std::vector<std::wstring> describeEntity(AcDbDatabase* db, uint64_t handle) {
    std::vector<std::wstring> lines;
    AcDbObjectPointer<AcDbEntity> ent(objectIdOf(db, handle), AcDb::kForRead);
    if (ent.openStatus() != Acad::eOk) return lines;
    lines.push_back(ent->dxfType().str() + L"  Layer: \"" + ent->layer().str() + L"\"  Handle = " +
                    ent->objectHandle().toString().str());
    if (const AcDbBlockReference* ref = AcDbBlockReference::cast(ent.object())) {
        lines.push_back(L"    Block name: \"" + blockNameOf(*ref) + L"\"  at point " + fmt(ref->position()));
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
