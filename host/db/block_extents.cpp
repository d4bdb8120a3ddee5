#include "db/block_extents.h"

#include <vector>

#include "db/access.h"
#include "db/block_changes.h"
#include "db/symbols.h"
#include "render/measure.h"

namespace vx::db {

const AcDbBlockTableRecord* nestedDefinition(const AcDbEntity* e) {
    const AcDbBlockTableRecord* b = nullptr;
    switch (Access::kind(e)) {
    case kInsert: b = blockOf(static_cast<const AcDbBlockReference*>(e)); break;
    case kDimension: b = AcDbBlockTableRecord::cast(static_cast<const AcDbDimension*>(e)->dimBlockId().object()); break;
    default: return nullptr;
    }
    // No CAD program inserts a layout; a damaged file that does must not drag a whole model
    // space into one reference.
    return b && !b->isLayout() ? b : nullptr;
}

const BlockExtents::Definition* BlockExtents::definition(const AcDbBlockTableRecord* root) {
    if (m_measuring.count(root)) return nullptr;
    if (m_measuring.empty() && m_version != m_changes.version()) {
        m_done.clear();
        m_version = m_changes.version();
    }
    if (auto hit = m_done.find(root); hit != m_done.end()) return &hit->second;

    // Depth first over the definitions `root` nests: a block is measured once every block it
    // nests is, so measuring it finds each nested definition ready.
    struct Step {
        const AcDbBlockTableRecord* block;
        size_t next;
    };
    std::vector<Step> path{{root, 0}};
    m_measuring.insert(root);
    while (!path.empty()) {
        Step& step = path.back();
        const std::vector<AcDbEntity*>& entities = step.block->entities();
        const AcDbBlockTableRecord* deeper = nullptr;
        while (!deeper && step.next < entities.size()) {
            const AcDbEntity* e = entities[step.next++];
            const AcDbBlockTableRecord* d = e->isErased() ? nullptr : nestedDefinition(e);
            if (d && !m_measuring.count(d) && !m_done.count(d)) deeper = d;
        }
        if (deeper) {
            m_measuring.insert(deeper);
            path.push_back({deeper, 0});
            continue;
        }
        const AcDbBlockTableRecord* block = step.block;
        m_done.emplace(block, measure(block));
        ++m_measured;
        m_measuring.erase(block);
        path.pop_back();
    }
    return &m_done.at(root);
}

void BlockExtents::forget() {
    if (m_measuring.empty()) m_done.clear();
}

BlockExtents::Definition BlockExtents::measure(const AcDbBlockTableRecord* block) const {
    return vx::render::measureDefinition(block);
}

}  // namespace vx::db
