// Drawing a space: the entities of the window in drawing order, top-level geometry batched by
// pen, block definitions instanced with their pens resolved per reference, wipeouts between
// barriers, paper-space viewports showing model space cut to their boxes.
#include <algorithm>
#include <cmath>
#include <limits>

#include "db/access.h"
#include "render/clip_sink.h"
#include "render/references.h"
#include "render/scene_impl.h"

namespace vx::render {

using vx::db::Access;

namespace {

constexpr int kMaxDepth = 64;
constexpr size_t kBatchLimit = 1u << 18;

Affine affineOf(const AcGeMatrix3d& m) {
    return Affine{m.entry[0][0], m.entry[1][0], m.entry[0][1], m.entry[1][1], m.entry[0][3], m.entry[1][3]};
}

size_t sizeOf(const Geometry& g) { return g.fills.size() + g.lines.size() + g.texts.size() + g.dots.size(); }

Box2 mappedView(const Box2& view, const AcGeMatrix3d& toWorld) {
    Box2 out;
    if (view.empty() || std::fabs(toWorld.det()) < 1e-300) return out;
    const AcGeMatrix3d back = toWorld.inverse();
    for (double x : {view.x0, view.x1})
        for (double y : {view.y0, view.y1}) {
            const AcGePoint3d p = back * AcGePoint3d(x, y, 0);
            out.add(Vec2{p.x, p.y});
        }
    return out;
}

}  // namespace

// Top-level geometry of one pen goes to the sink once, not once per entity.
class PenBatch {
public:
    explicit PenBatch(PrimitiveSink& sink) : m_sink(sink) {}
    void add(const Pen& pen, Geometry&& g) {
        Geometry* target = &groupOf(pen);
        m_size += sizeOf(g);
        auto move = [](auto& into, auto& from) {
            into.insert(into.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
        };
        move(target->fills, g.fills);
        move(target->lines, g.lines);
        move(target->texts, g.texts);
        move(target->dots, g.dots);
        if (m_size > kBatchLimit) flush();
    }
    // A dot of a tiny entity: no geometry of its own is made for it.
    void addDot(const Pen& pen, Vec2 at) {
        groupOf(pen).dots.push_back(at);
        if (++m_size > kBatchLimit) flush();
    }
    void flush() {
        for (auto& kv : m_groups)
            if (!kv.second.empty()) m_sink.add(kv.first, kv.second, Affine());
        m_groups.clear();
        m_size = 0;
    }
    void barrier() {
        flush();
        m_sink.barrier();
    }

private:
    Geometry& groupOf(const Pen& pen) {
        for (auto& kv : m_groups)
            if (kv.first == pen) return kv.second;
        m_groups.emplace_back(pen, Geometry());
        return m_groups.back().second;
    }

    PrimitiveSink& m_sink;
    std::vector<std::pair<Pen, Geometry>> m_groups;
    size_t m_size = 0;
};

RefContext SceneImpl::rootContext() {
    RefContext c;
    c.weight = m_tables->header().lwdefault;
    return c;
}

// The window's entities are found once; each step draws the next of them with a pen batch of its
// own, so what a step drew is in the sink when it returns.
class SpaceDrawJob final : public DrawJob {
public:
    // Without a space (none of this drawing's, or an empty window) there is nothing to draw.
    SpaceDrawJob(SceneImpl& scene, SpaceIndex* s, const Box2& window, const DrawOptions& options, PrimitiveSink& sink,
                 DrawStats& stats)
        : m_scene(scene), m_space(s), m_options(options), m_target(m_options, sink, stats, window),
          m_generation(scene.generation()) {
        if (!s) return;
        m_hits = windowHits(*s, window);
        m_target.paperSpace = s->block->isLayout() && s->block != scene.database().store().modelSpace;
    }
    bool step(size_t entities) override {
        m_scene.sync();
        // The space this job went through went with the drawing it belonged to.
        if (m_scene.generation() != m_generation) m_next = m_hits.size();
        if (m_next == m_hits.size()) return false;
        const size_t to = m_hits.size() - m_next > entities ? m_next + entities : m_hits.size();
        m_scene.drawHits(*m_space, m_hits, m_next, to, m_target, m_inked);
        m_next = to;
        return m_next < m_hits.size();
    }
    size_t total() const override { return m_hits.size(); }

private:
    SceneImpl& m_scene;
    SpaceIndex* m_space;
    DrawOptions m_options;
    DrawTarget m_target;
    uint64_t m_generation;
    std::vector<uint32_t> m_hits;
    size_t m_next = 0;
    std::unordered_set<uint64_t> m_inked;
};

std::unique_ptr<DrawJob> SceneImpl::startDraw(AcDbObjectId spaceId, const Box2& window, const DrawOptions& options,
                                              PrimitiveSink& sink, DrawStats& stats) {
    sync();
    SpaceIndex* s = space(spaceId);
    return std::make_unique<SpaceDrawJob>(*this, window.empty() ? nullptr : s, window, options, sink, stats);
}

void SceneImpl::draw(AcDbObjectId spaceId, const Box2& window, const DrawOptions& options, PrimitiveSink& sink,
                     DrawStats& stats) {
    startDraw(spaceId, window, options, sink, stats)->step(std::numeric_limits<size_t>::max());
}

void SceneImpl::drawSpace(SpaceIndex& s, DrawTarget& t) {
    const std::vector<uint32_t> hits = windowHits(s, t.window);
    std::unordered_set<uint64_t> inked;
    drawHits(s, hits, 0, hits.size(), t, inked);
}

void SceneImpl::drawHits(SpaceIndex& s, const std::vector<uint32_t>& hits, size_t from, size_t to, DrawTarget& t,
                         std::unordered_set<uint64_t>& inked) {
    PenBatch batch(t.sink);
    const std::vector<AcDbEntity*>& ents = s.block->entities();
    for (size_t k = from; k < to; ++k) {
        const uint32_t i = hits[k];
        if (i < ents.size() && !s.entries[i].erased && !drawAsDot(ents[i], s.entries[i], t, batch, inked))
            drawEntity(ents[i], t, batch);
    }
    batch.flush();
}

// An entity whose whole box lies under a pixel on both axes shows as one dot in its pen: its
// geometry (curves flattened, texts laid out) would land on that pixel anyway, and a view of a
// whole large drawing holds hundreds of thousands of them. A pixel a dot already inked costs
// nothing more: its entity's record is not even read.
bool SceneImpl::drawAsDot(const AcDbEntity* e, const SpaceEntry& en, DrawTarget& t, PenBatch& batch,
                          std::unordered_set<uint64_t>& inked) {
    const double pixel = t.options.pixel;
    if (!(pixel > 0) || !en.plain || !en.measured || en.unbounded || e == t.options.leaveOut) return false;
    const double x0 = en.box.min_corner().get<0>(), y0 = en.box.min_corner().get<1>();
    const double x1 = en.box.max_corner().get<0>(), y1 = en.box.max_corner().get<1>();
    if (!(x1 - x0 < pixel && y1 - y0 < pixel)) return false;
    const Vec2 at{(x0 + x1) / 2, (y0 + y1) / 2};
    const double cx = std::floor(at.x / pixel), cy = std::floor(at.y / pixel);
    // Cells beyond 32 bits of either axis are not worth remembering.
    const bool cellable = std::fabs(cx) < 2e9 && std::fabs(cy) < 2e9;
    const uint64_t cell = cellable ? (uint64_t(uint32_t(int64_t(cx))) << 32) | uint32_t(int64_t(cy)) : 0;
    if (cellable && inked.count(cell)) {
        ++t.stats.entities;
        ++t.stats.dotted;
        return true;
    }
    BuildContext bc{*m_tables};
    bc.plotting = t.options.plotting;
    bc.frozenLayers = t.frozenLayers;
    bool hidden = false;
    const PenKey key = penKeyOf(readProps(e), bc, hidden);
    if (hidden) return true;
    const ResolvedPen rp = resolvePen(key, rootContext());
    ++t.stats.entities;
    ++t.stats.dotted;
    if (!rp.shown) return true;
    batch.addDot(rp.pen, at);
    if (cellable) inked.insert(cell);
    return true;
}

void SceneImpl::drawEntities(const std::vector<const AcDbEntity*>& entities, const DrawOptions& options, PrimitiveSink& sink,
                             DrawStats& stats) {
    sync();
    Box2 window = options.view;
    if (window.empty()) window = Box2{-1e300, -1e300, 1e300, 1e300};
    DrawTarget t{options, sink, stats, window};
    PenBatch batch(sink);
    for (const AcDbEntity* e : entities) {
        // Another drawing's entities would meet tables this scene does not hold.
        if (!e || e->isErased() || e->database() != &m_db) continue;
        // A viewport stands for its model space, which is not what was chosen: left out.
        if (!isViewport(e)) drawEntity(e, t, batch);
    }
    batch.flush();
}

void SceneImpl::drawEntity(const AcDbEntity* e, DrawTarget& t, PenBatch& batch) {
    if (e == t.options.leaveOut) return;
    if (isViewport(e)) {
        if (t.paperSpace) drawViewport(e, t);
        return;
    }
    if (isReference(e)) {
        drawReference(e, rootContext(), AcGeMatrix3d::kIdentity, 0, t, batch);
        return;
    }
    drawLoose(e, rootContext(), AcGeMatrix3d::kIdentity, false, t.options.view.empty() ? t.window : t.options.view, t, batch);
}

void SceneImpl::drawLoose(const AcDbEntity* e, const RefContext& ctx, const AcGeMatrix3d& toWorld, bool inBlock,
                          const Box2& view, DrawTarget& t, PenBatch& batch) {
    const bool identity = toWorld.isEqualTo(AcGeMatrix3d::kIdentity);
    const double scale = identity ? 1.0 : toWorld.scale();
    Shapes s(Shapes::Mode::Flatten, t.options.tolerance / (scale > 0 ? scale : 1));
    BuildContext bc{*m_tables};
    bc.inBlock = inBlock;
    bc.plotting = t.options.plotting;
    bc.view = view;
    bc.ltFactor = t.ltFactor;
    bc.frozenLayers = t.frozenLayers;
    switch (describeEntity(e, bc, s)) {
    case Outcome::Unknown: ++t.stats.unknown; return;
    case Outcome::Damaged: ++t.stats.skipped; return;
    case Outcome::Hidden: return;
    case Outcome::Drawn: ++t.stats.entities; break;
    }
    const bool wipeout = isWipeout(e);
    if (wipeout) batch.barrier();
    for (Group& g : s.groups()) {
        const ResolvedPen rp = resolvePen(g.key, ctx);
        if (!rp.shown) continue;
        Geometry geo = g.pending.empty() ? std::move(g.geometry) : resolvedGeometry(g, rp.linetype);
        if (geo.empty()) continue;
        if (identity) batch.add(rp.pen, std::move(geo));
        else t.sink.add(rp.pen, geo, affineOf(toWorld));
    }
    if (wipeout) batch.barrier();
}

void SceneImpl::drawReference(const AcDbEntity* e, const RefContext& ctx, const AcGeMatrix3d& toWorld, int depth,
                              DrawTarget& t, PenBatch& batch) {
    const EntityProps props = readProps(e);
    const LayerInfo& layer = m_tables->layer(props.layer);
    const bool layer0 = depth > 0 && layer.zero;
    const LayerInfo* effective = layer0 && ctx.layer ? ctx.layer : &layer;
    if (props.invisible || effective->frozen) return;
    if (depth == 0 && t.frozenLayers && t.frozenLayers->count(props.layer)) return;
    // What the block's contents take from this reference.
    RefContext inner;
    inner.layer = effective;
    inner.layerShown = layer0 ? ctx.layerShown : layer.shown(t.options.plotting);
    BuildContext bc{*m_tables};
    bc.inBlock = depth > 0;
    bc.plotting = t.options.plotting;
    bool hidden = false;
    const PenKey key = penKeyOf(props, bc, hidden);
    const ResolvedPen own = resolvePen(key, ctx);
    inner.color = own.pen.color;
    inner.weight = own.pen.lineweight;
    inner.linetype = own.linetype;

    Reference ref;
    if (!readReference(e, *m_tables, ref)) {
        ++t.stats.skipped;
        return;
    }
    if (depth >= kMaxDepth || std::find(m_drawing.begin(), m_drawing.end(), ref.block) != m_drawing.end()) {
        ++t.stats.skipped;  // a block that contains itself
        return;
    }
    ++t.stats.entities;
    if (ref.truncated) ++t.stats.skipped;
    m_drawing.push_back(ref.block);
    const Box2 view = t.options.view.empty() ? t.window : t.options.view;
    Box3 local;
    definitionBox(ref.block, local);
    for (const AcGeMatrix3d& instance : ref.instances) {
        const AcGeMatrix3d m = toWorld * instance;
        Box3 box;
        addMappedBox(box, local, m);
        if (box.empty() || !t.window.intersects(Box2{box.x0, box.y0, box.x1, box.y1})) continue;
        if (box.x1 - box.x0 < t.options.pixel && box.y1 - box.y0 < t.options.pixel) {
            // Contents under a pixel cannot be told apart, and recursing into them costs what
            // the nesting multiplies (2^24 leaves for 24 levels inserting the next twice).
            if (own.shown) {
                Geometry dot;
                dot.dots.push_back(Vec2{(box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2});
                batch.add(own.pen, std::move(dot));
            }
            ++t.stats.dotted;
            continue;
        }
        const double scale = m.scale();
        BlockGeometry& g = m_blocks.get(ref.block, t.options.tolerance / (scale > 0 ? scale : 1), t.options.plotting,
                                        t.ltFactor, *m_tables);
        t.stats.entities += g.drawn;
        t.stats.unknown += g.unknown;
        t.stats.skipped += g.skipped;
        const Affine a = affineOf(m);
        for (const BlockSegment& seg : g.segments) {
            if (seg.wipeout) batch.barrier();
            for (const Group& group : seg.groups) {
                const ResolvedPen rp = resolvePen(group.key, inner);
                if (!rp.shown) continue;
                const Geometry& geo = g.resolved(group, rp.linetype);
                if (!geo.empty()) t.sink.add(rp.pen, geo, a);
            }
            for (const AcDbEntity* nested : seg.references) drawReference(nested, inner, m, depth + 1, t, batch);
            for (const AcDbEntity* d : seg.dynamic) drawLoose(d, inner, m, true, mappedView(view, m), t, batch);
            if (seg.wipeout) batch.barrier();
        }
    }
    m_drawing.pop_back();
    for (const AcDbEntity* a : attributesOf(e)) drawLoose(a, inner, toWorld, true, view, t, batch);
}

void SceneImpl::drawViewport(const AcDbEntity* e, DrawTarget& t) {
    const Fields f(e, {10, 12, 17, 40, 41, 45, 51, 68, 69});
    // The layout's own viewport (id 1) is the sheet itself; status 0 is a viewport turned off.
    if (f.integer(69, 0) == 1 || f.integer(68, 1) == 0) return;
    const double w = f.real(40, 0), h = f.real(41, 0), viewHeight = f.real(45, 0);
    if (!(w > 0) || !(h > 0) || !(viewHeight > 0) || !std::isfinite(w * h * viewHeight)) return;
    const AcGePoint3d c = f.point(10), centre = f.point(12), target = f.point(17);
    const double s = h / viewHeight, twist = f.real(51, 0) * M_PI / 180;
    Box2 clip{c.x - w / 2, c.y - h / 2, c.x + w / 2, c.y + h / 2};
    clip = Box2{std::max(clip.x0, t.window.x0), std::max(clip.y0, t.window.y0), std::min(clip.x1, t.window.x1),
                std::min(clip.y1, t.window.y1)};
    if (clip.empty()) return;
    // Paper = centre of the viewport + s * (model turned by the twist about the target - view centre).
    const double cs = std::cos(twist) * s, sn = std::sin(twist) * s;
    Affine toPaper{cs, sn, -sn, cs, 0, 0};
    const Vec2 shift = toPaper.map(Vec2{target.x, target.y});
    toPaper.dx = c.x - s * centre.x - shift.x;
    toPaper.dy = c.y - s * centre.y - shift.y;
    // The model window: the clip box mapped back.
    const double det = toPaper.determinant();
    const Affine back{toPaper.m22 / det, -toPaper.m12 / det, -toPaper.m21 / det, toPaper.m11 / det, 0, 0};
    Box2 modelWindow;
    for (double x : {clip.x0, clip.x1})
        for (double y : {clip.y0, clip.y1}) modelWindow.add(back.mapVector(Vec2{x - toPaper.dx, y - toPaper.dy}));
    // Layers frozen in this viewport.
    std::unordered_set<const AcDbObject*> frozen;
    const size_t n = Access::tagCount(e);
    for (size_t i = 1; i < n; ++i) {
        const vx::db::TagRef tag = Access::tag(e, i);
        if (tag.code == 1001) break;
        uint64_t handle = 0;
        if (tag.code == 331 && vx::db::parseHex(tag.value, handle))
            if (const AcDbObject* l = m_db.store().byHandleOrNull(handle)) frozen.insert(l);
    }
    SpaceIndex* model = space(AcDbObjectId::fromObject(m_db.store().modelSpace));
    if (!model) return;
    DrawOptions options = t.options;
    options.tolerance = t.options.tolerance / s;
    options.view = modelWindow;
    ClipSink clipped(t.sink, toPaper, clip);
    DrawTarget inner{options, clipped, t.stats, modelWindow};
    inner.ltFactor = m_tables->header().psltscale ? 1 / s : 1;
    inner.frozenLayers = frozen.empty() ? nullptr : &frozen;
    drawSpace(*model, inner);
}

}  // namespace vx::render
