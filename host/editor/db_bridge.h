// What the editor needs from the drawing database, in one place: making, reading, saving and
// deleting databases, and the facts about entities that selection and LIST look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acadstrc.h"

class AcDbDatabase;
class AcDbObjectId;

namespace vx::editor {

// A new drawing with the default tables and layouts.
AcDbDatabase* newDrawing();
// Null with a reason when the file cannot be read.
AcDbDatabase* readDrawing(const std::wstring& path, std::wstring& why);
bool saveDrawing(AcDbDatabase* db, const std::wstring& path, std::wstring& why);
void deleteDrawing(AcDbDatabase* db);
// Changed since it was read, created or last saved.
bool isModified(AcDbDatabase* db);

// One entity of a layout as selection sees it.
struct EntityFacts {
    uint64_t handle = 0;
    std::wstring type;    // DXF record name: "INSERT", "LINE" ...
    std::wstring layer;
    std::wstring blockName;  // INSERT only
    bool hasExtents = false;
    double minPt[3] = {0, 0, 0}, maxPt[3] = {0, 0, 0};
};
// The entities of model space in database order (erased ones left out).
std::vector<EntityFacts> modelSpaceEntities(AcDbDatabase* db);
// Facts of one entity by handle; false when there is no such live entity.
bool entityFacts(AcDbDatabase* db, uint64_t handle, EntityFacts& out);
// The object id of a handle in a database; the null id when there is none.
AcDbObjectId objectIdOf(AcDbDatabase* db, uint64_t handle);

// Lines describing an entity for LIST: type, layer, handle, then block name and attributes.
std::vector<std::wstring> describeEntity(AcDbDatabase* db, uint64_t handle);

}  // namespace vx::editor
