// Extents of block definitions, each measured once and kept while no definition of the
// drawing changes (BlockChanges::version). The one cache of them: the renderer measures each
// definition (render::measureDefinition, what references draw of it) and its scene and
// getGeomExtents take them from here. A reference then costs its own transform and
// attributes, however deeply its block nests others. Definitions are measured with an explicit
// stack, so a chain of nested blocks of any length cannot exhaust the call stack, and a block
// that contains itself (damaged files) is measured without the reference that closes the loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "dbents.h"
#include "dbsymtb.h"

namespace vx::db {

class BlockChanges;

class BlockExtents {
public:
    // In the block's own coordinates, before a reference's transform.
    struct Definition {
        AcDbExtents geometry;  // what references draw of it (empty when nothing)
    };

    explicit BlockExtents(const BlockChanges& changes) : m_changes(changes) {}

    // Null while `block` is itself being measured (a reference inside its own definition).
    const Definition* definition(const AcDbBlockTableRecord* block);

    // Forgets every definition (what they were measured with changed: text styles), unless one
    // is being measured right now.
    void forget();

    // Definitions measured since this cache was made (to show that each is measured once).
    size_t measuredCount() const { return m_measured; }

private:
    Definition measure(const AcDbBlockTableRecord* block) const;

    const BlockChanges& m_changes;
    uint64_t m_version = 0;
    std::unordered_map<const AcDbBlockTableRecord*, Definition> m_done;
    std::unordered_set<const AcDbBlockTableRecord*> m_measuring;
    size_t m_measured = 0;
};

// The definition an entity draws when it is measured (a reference's or a dimension's block);
// null for other entities and for references to a layout.
const AcDbBlockTableRecord* nestedDefinition(const AcDbEntity* e);

}  // namespace vx::db
