#include "render/block_geometry.h"

#include <atomic>
#include <cmath>

#include "render/kinds.h"
#include "render/references.h"

namespace vx::render {

namespace {

std::atomic<uint64_t> g_builds{0};

template <class T>
void append(std::vector<T>& into, std::vector<T>& from) {
    if (into.empty()) into.swap(from);
    else into.insert(into.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

std::unique_ptr<BlockGeometry> build(const AcDbBlockTableRecord* block, double tolerance, bool plotting,
                                     double ltFactor, Tables& tables) {
    ++g_builds;
    auto g = std::make_unique<BlockGeometry>();
    g->segments.emplace_back();
    for (const AcDbEntity* k : block->entities()) {
        if (!drawnInBlock(k) || isViewport(k)) continue;
        BlockSegment* seg = &g->segments.back();
        if (isReference(k)) {
            seg->references.push_back(k);
            continue;
        }
        if (isUnbounded(k)) {
            seg->dynamic.push_back(k);
            continue;
        }
        Shapes s(Shapes::Mode::Flatten, tolerance);
        BuildContext ctx{tables};
        ctx.inBlock = true;
        ctx.plotting = plotting;
        ctx.ltFactor = ltFactor;
        const Outcome o = describeEntity(k, ctx, s);
        if (ctx.viewDependent) {
            seg->dynamic.push_back(k);
            continue;
        }
        switch (o) {
        case Outcome::Unknown: ++g->unknown; continue;
        case Outcome::Damaged: ++g->skipped; continue;
        case Outcome::Hidden: continue;
        case Outcome::Drawn: ++g->drawn; break;
        }
        if (isWipeout(k)) {
            g->segments.emplace_back();
            g->segments.back().wipeout = true;
            mergeGroups(g->segments.back().groups, std::move(s.groups()));
            g->segments.emplace_back();
            continue;
        }
        mergeGroups(seg->groups, std::move(s.groups()));
    }
    return g;
}

}  // namespace

void mergeGroups(std::vector<Group>& into, std::vector<Group>&& from) {
    for (Group& g : from) {
        Group* target = nullptr;
        for (Group& t : into)
            if (t.key == g.key) target = &t;
        if (!target) {
            into.push_back(std::move(g));
            continue;
        }
        append(target->geometry.fills, g.geometry.fills);
        append(target->geometry.lines, g.geometry.lines);
        append(target->geometry.texts, g.geometry.texts);
        append(target->geometry.dots, g.geometry.dots);
        append(target->pending, g.pending);
    }
}

Geometry resolvedGeometry(const Group& g, const Linetype* linetype) {
    Geometry out = g.geometry;
    for (const PatternedPath& p : g.pending) applyLinetype(p, linetype, g.key.ltscale, out);
    return out;
}

const Geometry& BlockGeometry::resolved(const Group& g, const Linetype* linetype) {
    if (g.pending.empty()) return g.geometry;
    auto key = std::make_pair(&g, linetype);
    auto it = m_dashed.find(key);
    if (it == m_dashed.end()) it = m_dashed.emplace(key, resolvedGeometry(g, linetype)).first;
    return it->second;
}

BlockGeometry& BlockCache::get(const AcDbBlockTableRecord* block, double tolerance, bool plotting, double ltFactor,
                               Tables& tables) {
    int exponent = -60;
    if (tolerance > 0 && std::isfinite(tolerance)) exponent = std::max(-60, std::min(60, static_cast<int>(std::floor(std::log2(tolerance)))));
    const Key key{block, exponent, plotting, ltFactor};
    auto it = m_blocks.find(key);
    if (it != m_blocks.end()) return *it->second;
    auto g = build(block, std::ldexp(1.0, exponent), plotting, ltFactor, tables);
    return *m_blocks.emplace(key, std::move(g)).first->second;
}

uint64_t BlockCache::builds() { return g_builds.load(); }

}  // namespace vx::render
