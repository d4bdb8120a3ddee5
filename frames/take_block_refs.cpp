#include "frames/take_block_refs.h"

#include <memory>

namespace vorlix {

namespace {

// The ids of the block's direct references, empty when the block is missing.
AcDbObjectIdArray directReferences(AcDbDatabase* db, const ACHAR* blockName) {
    AcDbObjectIdArray ids;
    AcDbBlockTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbObjectId blockId;
    if (!table->has(blockName) || table->getAt(blockName, blockId) != Acad::eOk) {
        table->close();
        return ids;
    }
    table->close();
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return ids;
    block->getBlockReferenceIds(ids, true, false);
    block->close();
    return ids;
}

}  // namespace

AcDbDatabase* takeBlockReferences(const ACHAR* drawingPath, const ACHAR* blockName) {
    if (!drawingPath || !blockName) return nullptr;
    // The side database is gone when this returns, whichever way it returns.
    auto side = std::make_unique<AcDbDatabase>(false, true);
    if (side->readDwgFile(drawingPath, _SH_DENYWR, false, nullptr) != Acad::eOk) return nullptr;
    AcDbObjectIdArray refs = directReferences(side.get(), blockName);
    if (refs.isEmpty()) return nullptr;
    AcDbDatabase* out = nullptr;
    if (side->wblock(out, refs, AcGePoint3d::kOrigin) != Acad::eOk) {
        delete out;
        return nullptr;
    }
    return out;
}

}  // namespace vorlix
