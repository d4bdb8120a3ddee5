// Block definitions as geometry in block coordinates, made once per definition (and per
// flattening tolerance class) and handed to the sink for every reference. Pens that depend on
// the reference (ByBlock, layer "0") stay unresolved in the groups until a reference is drawn.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "dbents.h"
#include "render/shapes.h"
#include "render/tables.h"

namespace vx::render {

struct BlockSegment {
    std::vector<Group> groups;
    std::vector<const AcDbEntity*> references;  // nested references, drawn per instance
    std::vector<const AcDbEntity*> dynamic;     // entities whose geometry depends on the view
    bool wipeout = false;                       // covers what was drawn before it
};

struct BlockGeometry {
    std::vector<BlockSegment> segments;  // split at wipeouts, in drawing order
    uint64_t drawn = 0, unknown = 0, skipped = 0;

    // A group's geometry with its pending strokes dashed by the linetype a reference gave it;
    // made once per group and linetype.
    const Geometry& resolved(const Group& g, const Linetype* linetype);

private:
    std::map<std::pair<const Group*, const Linetype*>, Geometry> m_dashed;
};

// Merges an entity's groups into a list of groups (equal pens share one group).
void mergeGroups(std::vector<Group>& into, std::vector<Group>&& from);
// The geometry of a group with its pending strokes dashed (for one-off geometry).
Geometry resolvedGeometry(const Group& g, const Linetype* linetype);

class BlockCache {
public:
    // `tolerance` is in block units; it is rounded down to a power of two so that references
    // at similar scales share one geometry.
    BlockGeometry& get(const AcDbBlockTableRecord* block, double tolerance, bool plotting, double ltFactor,
                       Tables& tables);
    void clear() { m_blocks.clear(); }
    // How many block geometries were made in this process (for tests and benchmarks).
    static uint64_t builds();

private:
    struct Key {
        const AcDbBlockTableRecord* block;
        int tolerance;
        bool plotting;
        double ltFactor;
        bool operator<(const Key& o) const {
            if (block != o.block) return block < o.block;
            if (tolerance != o.tolerance) return tolerance < o.tolerance;
            if (plotting != o.plotting) return plotting < o.plotting;
            return ltFactor < o.ltFactor;
        }
    };
    std::map<Key, std::unique_ptr<BlockGeometry>> m_blocks;
};

}  // namespace vx::render
