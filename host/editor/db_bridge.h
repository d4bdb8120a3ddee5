// What the editor needs from the drawing database, in one place: making, reading, saving and
// deleting databases, and the facts about entities that selection and LIST look at.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "acadstrc.h"
#include "dbid.h"

class AcDbDatabase;
class AcDbEntity;

namespace vx::editor {

// A new drawing with the default tables and layouts.
AcDbDatabase* newDrawing();
// Null with a reason when the file cannot be read. Reads through the host's drawing reader,
// then lists the reader's repairs on the command line.
AcDbDatabase* readDrawing(const std::wstring& path, std::wstring& why);
// The read itself: touches nothing but the new database, so any thread may call it.
AcDbDatabase* readDrawingFile(const std::wstring& path, std::wstring& why);
// How the host reads drawings (the desktop host: on a worker thread with a progress bar);
// nullptr: readDrawingFile on the calling thread.
using DrawingReader = std::function<AcDbDatabase*(const std::wstring& path, std::wstring& why)>;
void setDrawingReader(DrawingReader reader);
bool saveDrawing(AcDbDatabase* db, const std::wstring& path, std::wstring& why);
void deleteDrawing(AcDbDatabase* db);
// Changed since it was read, created or last saved.
bool isModified(AcDbDatabase* db);

// One entity as a filter sees it by name (DrawingFilter does the same on records).
struct EntityFacts {
    uint64_t handle = 0;
    std::wstring type;    // DXF record name: "INSERT", "LINE" ...
    std::wstring layer;
    std::wstring blockName;  // INSERT only
};

// An entity's box in world coordinates; false when it has none.
struct Box {
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
};
bool extentsOf(const AcDbEntity& e, Box& box);

// The whole drawing as "all frames" sees it: model space first, then the paper-space layouts
// in tab order (a paper space without a layout object, as R12 files have, last).
std::vector<AcDbObjectId> drawingSpaces(AcDbDatabase* db);
// Where the user picks: model space, or the current layout's paper space.
AcDbObjectId currentSpace(AcDbDatabase* db);
// The entities of one space in database order, erased ones included (callers skip them): the
// space's own list, read without copying; valid until the drawing changes.
const std::vector<AcDbEntity*>& entitiesOf(AcDbObjectId space);
// The live entities of a space whose boxes may meet the box lo-hi (edges included), in database
// order, from the drawing's spatial index: a superset of those whose extents meet it, so an
// exact test over them answers as one over the whole space would.
std::vector<const AcDbEntity*> entitiesNear(AcDbObjectId space, const double lo[2], const double hi[2]);
// The last live entity of a space, or null.
const AcDbEntity* lastEntityOf(AcDbObjectId space);
// The live entity with that handle when it lies in `space` (a top-level entity there), else null.
const AcDbEntity* entityIn(AcDbDatabase* db, AcDbObjectId space, uint64_t handle);
uint64_t handleOf(const AcDbEntity& e);
// The object id of a handle in a database; the null id when there is none.
AcDbObjectId objectIdOf(AcDbDatabase* db, uint64_t handle);

// Lines describing an entity for LIST: type, layer, handle, then block name and attributes.
std::vector<std::wstring> describeEntity(AcDbDatabase* db, uint64_t handle);

}  // namespace vx::editor
