// Resolving a change to the block that owns it, and telling whoever derived data from it.
#include "db/block_changes.h"

#include <algorithm>
#include <atomic>

#include "db/access.h"

namespace vx::db {

uint64_t BlockChanges::nextVersion() {
    // Drawings are read on worker threads while the GUI thread edits others.
    static std::atomic<uint64_t> next{1};
    return next++;
}

void BlockChanges::bump() { m_version = nextVersion(); }

void BlockChanges::tell(const AcDbBlockTableRecord* block) {
    // A listener may stop listening while it is told: call a copy.
    if (m_listeners.empty()) return;
    const auto listeners = m_listeners;
    for (const auto& l : listeners) l.second(block);
}

void BlockChanges::objectChanged(const AcDbObject* o) {
    // Sub-entities sit one level below their entity, entities one level below their block.
    const AcDbObject* at = o;
    for (int hops = 0; at && hops < 3 && Access::kind(at) != kBlockRecord; ++hops) at = Access::owner(at);
    if (!at || Access::kind(at) != kBlockRecord) return;
    const auto* block = static_cast<const AcDbBlockTableRecord*>(at);
    const Store* st = Access::store(block);
    // A record itself (new, renamed, erased) always counts: references find blocks by name.
    const bool layoutContent =
        at != o && ((st && (block == st->modelSpace || block == st->paperSpace)) || block->isLayout());
    if (!layoutContent) bump();
    tell(block);
}

void BlockChanges::replaced() {
    bump();
    tell(nullptr);
}

size_t BlockChanges::listen(Listener listener) {
    m_listeners.emplace_back(m_nextToken, std::move(listener));
    return m_nextToken++;
}

void BlockChanges::unlisten(size_t token) {
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [token](const auto& l) { return l.first == token; }),
                      m_listeners.end());
}

void BlockChanges::takeListeners(BlockChanges& from) {
    for (auto& l : from.m_listeners) m_listeners.push_back(std::move(l));
    from.m_listeners.clear();
    m_nextToken = std::max(m_nextToken, from.m_nextToken);
}

}  // namespace vx::db
