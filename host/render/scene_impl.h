// The scene's insides: one spatial index per space over its entities' boxes, the block caches,
// and drawing (top-level entities batched by pen, blocks instanced, viewports through a clip).
#pragma once

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "render/block_geometry.h"
#include "render/kinds.h"
#include "render/measure.h"
#include "render/pen_key.h"
#include "render/scene.h"
#include "render/tables.h"

namespace vx::render {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using IndexPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using IndexBox = bg::model::box<IndexPoint>;
// The tree keeps single-precision boxes, rounded outwards (a window query may find an entity a
// rounding error away, never miss one): its nodes are then half the size.
using TreePoint = bg::model::point<float, 2, bg::cs::cartesian>;
using TreeBox = bg::model::box<TreePoint>;

// One entity of a space, at the same position as in the block's entity list (entities are only
// ever appended to it).
struct SpaceEntry {
    IndexBox box;
    TreeBox treeBox;  // `box` rounded outwards, as the tree keeps it (packing reads it many times)
    uint32_t revision = 0;
    bool erased = false;
    bool indexed = false;    // in the tree (has a box)
    bool measured = false;   // the box is the entity's geometry (not just where it stands)
    bool unbounded = false;  // met by any window (XLINE, RAY, entities that cannot be placed)
    bool plain = false;      // drawn by itself (not a reference, viewport or wipeout) and sound
};

// The tree holds entry numbers; their boxes stay in the entries.
struct EntryBox {
    using result_type = TreeBox;
    const std::vector<SpaceEntry>* entries;
    TreeBox operator()(uint32_t i) const;
};
// Quadratic splits: inserting edits one by one is cheap, and a tree built at once is packed.
using EntryTree = bgi::rtree<uint32_t, bgi::quadratic<16>, EntryBox>;

struct SpaceIndex {
    const AcDbBlockTableRecord* block = nullptr;
    std::vector<SpaceEntry> entries;  // in the block's entity order
    std::unique_ptr<EntryTree> tree;
    std::vector<uint32_t> unbounded;
};

// The entries whose tree boxes meet `window` and those every window meets, ascending.
std::vector<uint32_t> windowHits(const SpaceIndex& s, const Box2& window);

class PenBatch;

// Where drawing goes and what it has left out.
struct DrawTarget {
    DrawTarget(const DrawOptions& o, PrimitiveSink& s, DrawStats& st, const Box2& w) : options(o), sink(s), stats(st), window(w) {}
    const DrawOptions& options;
    PrimitiveSink& sink;
    DrawStats& stats;
    Box2 window;
    double ltFactor = 1;
    const std::unordered_set<const AcDbObject*>* frozenLayers = nullptr;
    bool paperSpace = false;
};

class SceneImpl final : public Scene {
public:
    explicit SceneImpl(AcDbDatabase& db) : m_db(db) {}
    void draw(AcDbObjectId space, const Box2& window, const DrawOptions& options, PrimitiveSink& sink,
              DrawStats& stats) override;
    std::unique_ptr<DrawJob> startDraw(AcDbObjectId space, const Box2& window, const DrawOptions& options,
                                       PrimitiveSink& sink, DrawStats& stats) override;
    Box2 extents(AcDbObjectId space) override;
    Box2 entityExtents(AcDbObjectId entity) override;
    // The live entries `windowHits` gives for a space (see spaceCandidates).
    std::vector<uint32_t> candidates(AcDbObjectId space, const Box2& window);
    void drawEntities(const std::vector<const AcDbEntity*>& entities, const DrawOptions& options, PrimitiveSink& sink,
                      DrawStats& stats) override;

    // Draws the entries hits[from, to) of a space (positions from `windowHits`).
    void drawHits(SpaceIndex& s, const std::vector<uint32_t>& hits, size_t from, size_t to, DrawTarget& t,
                  std::unordered_set<uint64_t>& inked);
    // Counts the times the spaces were dropped (a new drawing in the store): entries and spaces
    // a draw job holds belong to one generation.
    uint64_t generation() const { return m_generation; }
    AcDbDatabase& database() const { return m_db; }
    void sync();
    // The index of a space, built the first time it is asked for; null for no space of this
    // drawing, and when `progress` stopped the build (nothing is kept then).
    SpaceIndex* space(AcDbObjectId id, const std::function<bool(uint64_t, uint64_t)>* progress = nullptr);
    // Builds the index of a space ahead of drawing (a host loading a drawing does it on its
    // worker thread, before the drawing is handed over). `progress` hears (done, total) entities
    // and stops the build by answering false; the space is then left unbuilt.
    bool prepare(AcDbObjectId id, const std::function<bool(uint64_t, uint64_t)>& progress);

private:
    // False when `progress` stopped it (the entries are then incomplete).
    bool update(SpaceIndex& s, bool all, bool references,
                const std::function<bool(uint64_t, uint64_t)>* progress = nullptr);
    SpaceEntry measure(const AcDbEntity* e);

    void drawSpace(SpaceIndex& s, DrawTarget& t);
    void drawEntity(const AcDbEntity* e, DrawTarget& t, PenBatch& batch);
    // `inked`: the pixels a dot of this drawing already covers.
    bool drawAsDot(const AcDbEntity* e, const SpaceEntry& en, DrawTarget& t, PenBatch& batch,
                   std::unordered_set<uint64_t>& inked);
    void drawReference(const AcDbEntity* e, const RefContext& ctx, const AcGeMatrix3d& toWorld, int depth,
                       DrawTarget& t, PenBatch& batch);
    void drawLoose(const AcDbEntity* e, const RefContext& ctx, const AcGeMatrix3d& toWorld, bool inBlock,
                   const Box2& view, DrawTarget& t, PenBatch& batch);
    void drawViewport(const AcDbEntity* e, DrawTarget& t);
    RefContext rootContext();

    AcDbDatabase& m_db;
    uint64_t m_serial = 0, m_revision = 0, m_fonts = 0;
    uint64_t m_blocksVersion = 0;
    uint64_t m_generation = 0;
    std::unique_ptr<Tables> m_tables;
    std::unordered_map<const AcDbObject*, std::unique_ptr<SpaceIndex>> m_spaces;
    BlockCache m_blocks;
    std::vector<const AcDbBlockTableRecord*> m_drawing;  // blocks being drawn (recursion)
};

}  // namespace vx::render
