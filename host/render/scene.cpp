// The scene's index: entity boxes per space in an R-tree, kept in step with the database by
// comparing change counters (a new store, table and header changes, the block definitions'
// version of `Store::blockChanges`, changed or added entities).
#include "render/scene_impl.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "db/access.h"
#include "render/font_registry.h"

namespace vx::render {

using vx::db::Access;

namespace {

IndexBox toIndex(const Box3& b) { return IndexBox(IndexPoint(b.x0, b.y0), IndexPoint(b.x1, b.y1)); }

float down(double v) {
    const float f = static_cast<float>(v);
    return static_cast<double>(f) > v ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}
float up(double v) {
    const float f = static_cast<float>(v);
    return static_cast<double>(f) < v ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

}  // namespace

TreeBox EntryBox::operator()(uint32_t i) const { return (*entries)[i].treeBox; }

namespace {

// A scene that cannot split its work draws it all at the first step.
class WholeDraw final : public DrawJob {
public:
    WholeDraw(Scene& scene, AcDbObjectId space, const Box2& window, const DrawOptions& options, PrimitiveSink& sink,
              DrawStats& stats)
        : m_scene(scene), m_space(space), m_window(window), m_options(options), m_sink(sink), m_stats(stats) {}
    bool step(size_t) override {
        if (!m_done) m_scene.draw(m_space, m_window, m_options, m_sink, m_stats);
        m_done = true;
        return false;
    }
    size_t total() const override { return 1; }

private:
    Scene& m_scene;
    AcDbObjectId m_space;
    Box2 m_window;
    DrawOptions m_options;
    PrimitiveSink& m_sink;
    DrawStats& m_stats;
    bool m_done = false;
};

}  // namespace

std::unique_ptr<DrawJob> Scene::startDraw(AcDbObjectId space, const Box2& window, const DrawOptions& options,
                                          PrimitiveSink& sink, DrawStats& stats) {
    return std::make_unique<WholeDraw>(*this, space, window, options, sink, stats);
}

std::unique_ptr<Scene> makeScene(AcDbDatabase& db) { return std::make_unique<SceneImpl>(db); }

std::vector<uint32_t> windowHits(const SpaceIndex& s, const Box2& window) {
    std::vector<uint32_t> hits;
    if (s.tree && !s.tree->empty()) {
        // A window holding the whole space (a view of the extents) meets every entry: walking
        // the entries gives them in order without a query or a sort.
        const TreeBox all = s.tree->bounds();
        if (window.x0 <= all.min_corner().get<0>() && window.y0 <= all.min_corner().get<1>() &&
            window.x1 >= all.max_corner().get<0>() && window.y1 >= all.max_corner().get<1>()) {
            for (uint32_t i = 0; i < s.entries.size(); ++i)
                if (s.entries[i].indexed || (s.entries[i].unbounded && !s.entries[i].erased)) hits.push_back(i);
            return hits;
        }
    }
    if (s.tree) {
        // Rounded outwards like the tree's boxes.
        const auto out = [](double v, float towards) {
            const float f = static_cast<float>(v);
            return static_cast<double>(f) == v ? f : std::nextafter(f, towards);
        };
        const float inf = std::numeric_limits<float>::infinity();
        const TreeBox query(TreePoint(out(window.x0, -inf), out(window.y0, -inf)),
                            TreePoint(out(window.x1, inf), out(window.y1, inf)));
        s.tree->query(bgi::intersects(query), std::back_inserter(hits));
    }
    hits.insert(hits.end(), s.unbounded.begin(), s.unbounded.end());
    std::sort(hits.begin(), hits.end());
    return hits;
}

std::vector<uint32_t> SceneImpl::candidates(AcDbObjectId spaceId, const Box2& window) {
    sync();
    std::vector<uint32_t> out;
    SpaceIndex* s = space(spaceId);
    if (!s || window.empty()) return out;
    const size_t live = s->block->entities().size();
    for (uint32_t i : windowHits(*s, window))
        if (i < live && !s->entries[i].erased) out.push_back(i);
    return out;
}

void SceneImpl::sync() {
    const vx::db::Store& st = m_db.store();
    if (!m_tables || st.serial != m_serial) {
        m_serial = st.serial;
        m_revision = st.revision;
        m_fonts = fontLibraryGeneration();
        m_tables = std::make_unique<Tables>(&m_db);
        m_spaces.clear();
        ++m_generation;
        m_blocks.clear();
        m_blocksVersion = st.blockChanges.version();
        return;
    }
    if (st.revision == m_revision && fontLibraryGeneration() == m_fonts) return;
    m_revision = st.revision;
    m_fonts = fontLibraryGeneration();
    const uint64_t oldTables = m_tables->signature();
    m_tables->refresh();
    const bool tablesChanged = m_tables->signature() != oldTables;
    const bool blocksChanged = st.blockChanges.version() != m_blocksVersion;
    m_blocksVersion = st.blockChanges.version();
    if (tablesChanged) m_db.store().blockExtents.forget();
    if (tablesChanged || blocksChanged) m_blocks.clear();
    for (auto& kv : m_spaces) update(*kv.second, tablesChanged, blocksChanged);
}

SpaceEntry SceneImpl::measure(const AcDbEntity* e) {
    SpaceEntry en;
    en.revision = Access::revision(e);
    en.erased = e->isErased();
    if (en.erased) return en;
    if (isUnbounded(e)) {
        en.unbounded = true;
        return en;
    }
    Box3 box;
    const Outcome o = measureEntity(e, *m_tables, AcGeMatrix3d::kIdentity, box, true);
    en.measured = !box.empty();
    en.plain = o == Outcome::Drawn && !isReference(e) && !isViewport(e) && !isWipeout(e);
    if (o == Outcome::Unknown || o == Outcome::Damaged) {
        // Kinds that draw nothing and damaged entities are still found by a window on their
        // (finite) points, so that drawing the window counts them.
        const Fields f(e, {10, 11, 12, 13});
        for (int code : {10, 11, 12, 13})
            if (f.has(code) && finite(f.point(code))) box.add(f.point(code));
        // With no point to place them by, every window meets them.
        if (box.empty()) en.unbounded = true;
    }
    if (!box.empty()) {
        en.box = toIndex(box);
        en.treeBox = TreeBox(TreePoint(down(box.x0), down(box.y0)), TreePoint(up(box.x1), up(box.y1)));
        en.indexed = true;
    }
    return en;
}

bool SceneImpl::update(SpaceIndex& s, bool all, bool references,
                       const std::function<bool(uint64_t, uint64_t)>* progress) {
    const std::vector<AcDbEntity*>& ents = s.block->entities();
    std::vector<uint32_t> changed;
    for (size_t i = 0; i < ents.size(); ++i) {
        const AcDbEntity* e = ents[i];
        if (i < s.entries.size()) {
            const SpaceEntry& en = s.entries[i];
            const bool same = en.revision == Access::revision(e) && en.erased == e->isErased();
            if (same && !all && !(references && isReference(e))) continue;
        }
        changed.push_back(static_cast<uint32_t>(i));
    }
    if (changed.empty() && s.entries.size() == ents.size()) return true;
    const bool rebuild = changed.size() * 4 > ents.size() || !s.tree;
    s.entries.reserve(ents.size());
    for (size_t k = 0; k < changed.size(); ++k) {
        constexpr size_t kReportEvery = 16384;
        if (progress && k % kReportEvery == 0 && !(*progress)(k, changed.size())) return false;
        const uint32_t i = changed[k];
        if (!rebuild && i < s.entries.size() && s.entries[i].indexed) s.tree->remove(i);
        SpaceEntry en = measure(ents[i]);
        if (i < s.entries.size()) s.entries[i] = en;
        else s.entries.push_back(en);
        if (!rebuild && en.indexed) s.tree->insert(i);
    }
    s.entries.resize(ents.size());
    s.unbounded.clear();
    std::vector<uint32_t> indexed;
    for (uint32_t i = 0; i < s.entries.size(); ++i) {
        if (s.entries[i].unbounded && !s.entries[i].erased) s.unbounded.push_back(i);
        if (rebuild && s.entries[i].indexed) indexed.push_back(i);
    }
    // Packing a whole new tree beats inserting many entries one by one.
    if (rebuild) s.tree = std::make_unique<EntryTree>(indexed, bgi::quadratic<16>(), EntryBox{&s.entries});
    return true;
}

SpaceIndex* SceneImpl::space(AcDbObjectId id, const std::function<bool(uint64_t, uint64_t)>* progress) {
    const auto* block = AcDbBlockTableRecord::cast(id.object());
    if (!block || block->database() != &m_db) return nullptr;
    auto it = m_spaces.find(block);
    if (it != m_spaces.end()) return it->second.get();
    auto s = std::make_unique<SpaceIndex>();
    s->block = block;
    if (!update(*s, true, true, progress)) return nullptr;
    return m_spaces.emplace(block, std::move(s)).first->second.get();
}

bool SceneImpl::prepare(AcDbObjectId id, const std::function<bool(uint64_t, uint64_t)>& progress) {
    sync();
    const auto* block = AcDbBlockTableRecord::cast(id.object());
    // Nothing to build is nothing stopped.
    if (!block || block->database() != &m_db) return true;
    return space(id, &progress) != nullptr;
}

Box2 SceneImpl::extents(AcDbObjectId spaceId) {
    sync();
    Box2 out;
    SpaceIndex* s = space(spaceId);
    if (!s) return out;
    const std::vector<AcDbEntity*>& ents = s->block->entities();
    for (size_t i = 0; i < s->entries.size(); ++i) {
        const SpaceEntry& en = s->entries[i];
        if (!en.measured || en.erased) continue;
        // Frozen layers are left out, as a CAD host's view of the extents does.
        if (m_tables->layer(Access::layerOf(ents[i])).frozen) continue;
        out.add(Vec2{en.box.min_corner().get<0>(), en.box.min_corner().get<1>()});
        out.add(Vec2{en.box.max_corner().get<0>(), en.box.max_corner().get<1>()});
    }
    return out;
}

Box2 SceneImpl::entityExtents(AcDbObjectId id) {
    sync();
    Box2 out;
    const auto* e = AcDbEntity::cast(id.object());
    if (!e || e->database() != &m_db) return out;
    Box3 box;
    measureEntity(e, *m_tables, AcGeMatrix3d::kIdentity, box, true);
    if (!box.empty()) {
        out.add(Vec2{box.x0, box.y0});
        out.add(Vec2{box.x1, box.y1});
    }
    return out;
}

}  // namespace vx::render
