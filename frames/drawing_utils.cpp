#include "frames/drawing_utils.h"

#include "dbapserv.h"

namespace vorlix {

AcDbObjectId appendToModelSpace(AcDbEntity* entity, AcDbDatabase* db) {
    if (!entity) return AcDbObjectId();
    if (!db) db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return AcDbObjectId();
    AcDbBlockTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    AcDbBlockTableRecord* space = nullptr;
    if (table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite) != Acad::eOk) {
        table->close();
        return AcDbObjectId();
    }
    AcDbObjectId id;
    const Acad::ErrorStatus es = space->appendAcDbEntity(id, entity);
    table->close();
    space->close();
    if (es != Acad::eOk) return AcDbObjectId();
    entity->close();
    return id;
}

AcDbObjectId ensureLayer(const ACHAR* name, int colorIndex) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name) return AcDbObjectId();
    AcDbLayerTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId id;
    if (table->getAt(name, id) != Acad::eOk) {
        auto* layer = new AcDbLayerTableRecord;
        layer->setName(name);
        AcCmColor color;
        color.setColorIndex(static_cast<int16_t>(colorIndex));
        layer->setColor(color);
        if (table->add(id, layer) == Acad::eOk) {
            layer->close();
        } else {
            delete layer;
            id = AcDbObjectId();
        }
    }
    table->close();
    return id;
}

AcDbObjectId textStyleByName(const ACHAR* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name) return AcDbObjectId();
    AcDbTextStyleTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId id;
    if (table->getAt(name, id) != Acad::eOk) id = AcDbObjectId();
    table->close();
    return id;
}

std::vector<std::wstring> blockNames(AcDbDatabase* db, std::vector<std::wstring>* unlisted) {
    std::vector<std::wstring> names;
    if (!db) return names;
    AcDbBlockTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) return names;
    AcDbBlockTableIterator* it = nullptr;
    if (table->newIterator(it, true, true) == Acad::eOk && it) {
        for (; !it->done(); it->step(true, true)) {
            AcDbBlockTableRecord* rec = nullptr;
            if (it->getRecord(rec, AcDb::kForRead) != Acad::eOk) continue;
            AcString name;
            rec->getName(name);
            rec->close();
            if (name.find(L'*') < 0 && name.length() >= 2) names.push_back(name.str());
            else if (unlisted && name.find(L'*') > 0) unlisted->push_back(name.str());
        }
        delete it;
    }
    table->close();
    return names;
}

}  // namespace vorlix
