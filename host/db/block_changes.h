// The "block definition changed" hook of one drawing. Whatever is derived from block
// definitions (their extents in db/block_extents, display primitives in host/render) stays
// valid while version() stays the same, or hears which block changed through a listener.
//
// The database reports every change here as it begins: an object added (Store::adopt), edited
// (Access::edit, so every setter) or erased/unerased (AcDbObject::erase). Listeners therefore
// mark what they derived as stale and recompute it when next asked, never inside the call. The report is
// resolved to the block record that owns the object (an attribute or vertex through its
// parent), so a block counts as changed when an entity in it, an entity's sub-entity, its
// BLOCK begin (base point) or its record (added, renamed, erased) changes. Changes inside
// layout blocks (*Model_Space, *Paper_Space...) reach listeners but do not move version():
// only definitions that references can insert do. Objects outside blocks (tables, dictionaries) are not
// reported. A drawing read again into the same database keeps its listeners, which then hear
// nullptr: every definition may have changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class AcDbObject;
class AcDbBlockTableRecord;

namespace vx::db {

class BlockChanges {
public:
    using Listener = std::function<void(const AcDbBlockTableRecord* block)>;

    // Increases with every change of a block definition; never repeats in this process, so a
    // value taken from one store is never mistaken for one of a store read later.
    uint64_t version() const { return m_version; }

    // Called by the database for an object that was added, edited, erased or unerased.
    void objectChanged(const AcDbObject* o);
    // Everything derived from definitions is stale (a new drawing replaced the old one).
    void replaced();

    // Listeners are called after the version has moved; a token removes one again.
    size_t listen(Listener listener);
    void unlisten(size_t token);
    // Takes the listeners of the store this one replaces.
    void takeListeners(BlockChanges& from);

private:
    void bump();
    void tell(const AcDbBlockTableRecord* block);

    uint64_t m_version = nextVersion();
    size_t m_nextToken = 1;
    std::vector<std::pair<size_t, Listener>> m_listeners;

    static uint64_t nextVersion();
};

}  // namespace vx::db
