// AcDbLayoutManager over the layouts of a database (db/layouts.h).
#include "aclayout.h"
#include "db/access.h"
#include "db/layouts.h"
#include "dbapserv.h"

using namespace vx::db;

namespace {

Store* storeOf(const AcDbDatabase* db) {
    if (!db) db = acdbHostApplicationServices()->workingDatabase();
    return db ? &db->store() : nullptr;
}

std::wstring nameOf(const AcDbLayout* layout) {
    AcString name;
    layout->getLayoutName(name);
    return name.str();
}

}  // namespace

Acad::ErrorStatus AcDbLayoutManager::createLayout(const ACHAR* name, AcDbObjectId& layoutId,
                                                  AcDbObjectId& blockTableRecId, AcDbDatabase* db) {
    layoutId = blockTableRecId = AcDbObjectId::kNull;
    Store* st = storeOf(db);
    if (!st) return Acad::eNoDatabase;
    if (!name) return Acad::eInvalidInput;
    AcDbLayout* layout = nullptr;
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = vx::db::createLayout(*st, name, layout, block);
    if (es != Acad::eOk) return es;
    layoutId = layout->objectId();
    blockTableRecId = block->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayoutManager::setCurrentLayout(const ACHAR* name, AcDbDatabase* db) {
    Store* st = storeOf(db);
    if (!st) return Acad::eNoDatabase;
    if (!name) return Acad::eInvalidInput;
    AcDbLayout* layout = findLayout(*st, name);
    return layout ? vx::db::setCurrentLayout(*st, layout) : Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbLayoutManager::setCurrentLayoutId(AcDbObjectId layoutId) {
    auto* layout = AcDbLayout::cast(layoutId.object());
    Store* st = layout ? Access::store(layout) : nullptr;
    if (!st) return Acad::eNullObjectId;
    if (layout->isErased()) return Acad::eWasErased;
    return vx::db::setCurrentLayout(*st, layout);
}

Acad::ErrorStatus AcDbLayoutManager::getActiveLayoutName(AcString& name, bool allowModel, const AcDbDatabase* db) {
    Store* st = storeOf(db);
    if (!st) return Acad::eNoDatabase;
    AcDbLayout* layout = currentLayout(*st);
    // A drawing without layout objects (R12) is in model space or its one paper space.
    const bool model = layout ? layout->getBlockTableRecordId().object() == st->modelSpace : st->db->tilemode();
    if (!allowModel && model) return Acad::eKeyNotFound;
    if (!layout && !model) return Acad::eKeyNotFound;
    name = layout ? AcString(nameOf(layout)) : AcString(L"Model");
    return Acad::eOk;
}

AcDbObjectId AcDbLayoutManager::getActiveLayoutBTRId(const AcDbDatabase* db) {
    Store* st = storeOf(db);
    if (!st) return AcDbObjectId::kNull;
    AcDbLayout* layout = currentLayout(*st);
    if (layout) return layout->getBlockTableRecordId();
    return AcDbObjectId::fromObject(st->modelSpace);
}

AcDbObjectId AcDbLayoutManager::findLayoutNamed(const ACHAR* name, const AcDbDatabase* db) {
    Store* st = storeOf(db);
    AcDbLayout* layout = st && name ? findLayout(*st, name) : nullptr;
    return layout ? layout->objectId() : AcDbObjectId::kNull;
}

bool AcDbLayoutManager::layoutExists(const ACHAR* name, const AcDbDatabase* db) {
    return !findLayoutNamed(name, db).isNull();
}

int AcDbLayoutManager::countLayouts(const AcDbDatabase* db) {
    Store* st = storeOf(db);
    return st ? static_cast<int>(layouts(*st).size()) : 0;
}
