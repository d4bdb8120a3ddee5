// Exact extents from the same descriptions drawing uses: curves by their exact boxes, texts by
// the font library's advances, block references through their blocks.
#pragma once

#include "db/block_extents.h"
#include "dbents.h"
#include "render/curves.h"
#include "render/kinds.h"
#include "render/tables.h"

namespace vx::render {

// The box of a block definition in its own coordinates: what references draw of it (constant
// attribute definitions, visible entities). Kept in the drawing's one block extents cache
// (`Store::blockExtents`, forgotten when a definition changes); false while the block is itself
// being measured (a reference inside its own definition) or when it draws nothing.
bool definitionBox(const AcDbBlockTableRecord* block, Box3& box);

// How the block extents cache measures a definition (its attribute definitions that are not
// constant apart: references leave them out).
vx::db::BlockExtents::Definition measureDefinition(const AcDbBlockTableRecord* block);

// Adds the entity's box under `toWorld`. Block contents (`inBlock`) that are not drawn through
// references (invisible entities, attribute definitions that are not constant) add nothing.
// References whose transform keeps the axes take their block's box from `definitionBox`
// (`cached`), others measure the contents through the transform.
Outcome measureEntity(const AcDbEntity* e, Tables& tables, const AcGeMatrix3d& toWorld, Box3& box, bool cached,
                      bool inBlock = false);

// Whether the transform maps each axis onto one axis (then boxes map to boxes exactly).
bool keepsAxes(const AcGeMatrix3d& m);
// Adds the box of the mapped corners of `in`.
void addMappedBox(Box3& out, const Box3& in, const AcGeMatrix3d& m);

// AcDbEntity::getGeomExtents: false when the entity has no geometry.
bool entityExtents(const AcDbEntity* e, AcGePoint3d& min, AcGePoint3d& max);

// The Tables of a database for callers without a scene, kept per thread while the drawing's
// tables stay the same (when they change, the block extents measured with them are forgotten).
Tables& tablesFor(const AcDbDatabase* db);

}  // namespace vx::render
