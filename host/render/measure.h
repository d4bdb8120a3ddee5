// Exact extents from the same descriptions drawing uses: curves by their exact boxes, texts by
// the font library's advances, block references through their blocks.
#pragma once

#include <unordered_map>
#include <vector>

#include "dbents.h"
#include "render/curves.h"
#include "render/kinds.h"
#include "render/tables.h"

namespace vx::render {

// Boxes of block definitions in their own coordinates, kept until `clear` (the owner clears
// them when the drawing changes). A reference whose transform keeps the axes (any translation,
// scales, mirrors and quarter turns) takes its box from here exactly; other transforms measure
// the contents through them.
class BlockBoxes {
public:
    const Box3& localBox(const AcDbBlockTableRecord* block, Tables& tables);
    void clear() { m_boxes.clear(); }

private:
    std::unordered_map<const AcDbBlockTableRecord*, Box3> m_boxes;
};

// Adds the entity's box under `toWorld`. Block contents (`inBlock`) that are not drawn through
// references (invisible entities, attribute definitions that are not constant) add nothing.
Outcome measureEntity(const AcDbEntity* e, Tables& tables, const AcGeMatrix3d& toWorld, Box3& box,
                      BlockBoxes* boxes, bool inBlock = false);

// Whether the transform maps each axis onto one axis (then boxes map to boxes exactly).
bool keepsAxes(const AcGeMatrix3d& m);
// Adds the box of the mapped corners of `in`.
void addMappedBox(Box3& out, const Box3& in, const AcGeMatrix3d& m);

// AcDbEntity::getGeomExtents: false when the entity has no geometry.
bool entityExtents(const AcDbEntity* e, AcGePoint3d& min, AcGePoint3d& max);

// The Tables of a database for callers without a scene, kept per thread while the drawing's
// tables stay the same.
Tables& tablesFor(const AcDbDatabase* db);

}  // namespace vx::render
