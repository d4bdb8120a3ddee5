#include "render/measure.h"

#include <algorithm>
#include <memory>

#include "db/access.h"
#include "render/font_registry.h"
#include "render/references.h"

namespace vx::render {

using vx::db::Access;

namespace {

constexpr double kMeasureTolerance = 1e-6;

// The blocks being measured, outermost first: a block that contains itself (damaged files)
// must not recurse without end.
thread_local std::vector<const AcDbBlockTableRecord*> t_measuring;

struct Measuring {
    explicit Measuring(const AcDbBlockTableRecord* b) { t_measuring.push_back(b); }
    ~Measuring() { t_measuring.pop_back(); }
    Measuring(const Measuring&) = delete;
    Measuring& operator=(const Measuring&) = delete;
};

bool beingMeasured(const AcDbBlockTableRecord* b) {
    return std::find(t_measuring.begin(), t_measuring.end(), b) != t_measuring.end();
}

bool shownInBlock(const AcDbEntity* e) { return drawnInBlock(e) && !readProps(e).invisible; }

// References nested deeper than this take their block's box through the transform: a chain of
// rotated references of any length then cannot exhaust the stack.
constexpr size_t kExactDepth = 16;

void measureContents(const AcDbBlockTableRecord* b, Tables& t, const AcGeMatrix3d& m, Box3& box, bool cached) {
    Measuring guard(b);
    for (const AcDbEntity* k : b->entities())
        if (shownInBlock(k)) measureEntity(k, t, m, box, cached, true);
}

Outcome measureReference(const AcDbEntity* e, Tables& t, const AcGeMatrix3d& toWorld, Box3& box, bool cached) {
    Box3 inner;
    Reference ref;
    if (readReference(e, t, ref) && !beingMeasured(ref.block)) {
        Box3 local;
        bool looked = false;
        for (const AcGeMatrix3d& instance : ref.instances) {
            const AcGeMatrix3d m = toWorld * instance;
            if (cached && (keepsAxes(m) || t_measuring.size() >= kExactDepth)) {
                if (!looked) {
                    definitionBox(ref.block, local);
                    looked = true;
                }
                addMappedBox(inner, local, m);
            } else {
                measureContents(ref.block, t, m, inner, cached);
            }
        }
    }
    for (const AcDbEntity* a : attributesOf(e)) measureEntity(a, t, toWorld, inner, cached, false);
    if (Access::kind(e) == vx::db::kDimension) {
        // The definition points count too (a dimension without its block still has them).
        const Fields f(e, {10, 11, 13, 14, 15, 16});
        for (int c : {10, 11, 13, 14, 15, 16})
            if (f.has(c)) inner.add(toWorld * f.point(c));
    }
    if (inner.empty()) inner.add(toWorld * Fields(e, {10}).point(10));
    box.add(inner);
    return Outcome::Drawn;
}

Outcome measureViewport(const AcDbEntity* e, const AcGeMatrix3d& toWorld, Box3& box) {
    const Fields f(e, {10, 40, 41});
    const AcGePoint3d c = f.point(10);
    const double w = std::fabs(f.real(40, 0)) / 2, h = std::fabs(f.real(41, 0)) / 2;
    for (double dx : {-w, w})
        for (double dy : {-h, h}) box.add(toWorld * (c + AcGeVector3d(dx, dy, 0)));
    return Outcome::Drawn;
}

}  // namespace

bool keepsAxes(const AcGeMatrix3d& m) {
    for (int r = 0; r < 3; ++r) {
        int rowCount = 0, colCount = 0;
        for (int c = 0; c < 3; ++c) {
            rowCount += m.entry[r][c] != 0;
            colCount += m.entry[c][r] != 0;
        }
        if (rowCount > 1 || colCount > 1) return false;
    }
    return m.entry[3][0] == 0 && m.entry[3][1] == 0 && m.entry[3][2] == 0 && m.entry[3][3] == 1;
}

void addMappedBox(Box3& out, const Box3& in, const AcGeMatrix3d& m) {
    if (in.empty()) return;
    for (double x : {in.x0, in.x1})
        for (double y : {in.y0, in.y1})
            for (double z : {in.z0, in.z1}) out.add(m * AcGePoint3d(x, y, z));
}

bool definitionBox(const AcDbBlockTableRecord* block, Box3& box) {
    vx::db::Store* st = Access::store(block);
    if (!st) {
        // A block outside any database has no cache to keep its box in.
        if (beingMeasured(block)) return false;
        measureContents(block, tablesFor(nullptr), AcGeMatrix3d::kIdentity, box, true);
        return !box.empty();
    }
    const vx::db::BlockExtents::Definition* d = st->blockExtents.definition(block);
    if (!d || d->geometry.isEmpty()) return false;
    box.add(d->geometry.minPoint());
    box.add(d->geometry.maxPoint());
    return true;
}

vx::db::BlockExtents::Definition measureDefinition(const AcDbBlockTableRecord* block) {
    Box3 box;
    // A block that contains itself (damaged files) measures as far as it does not recurse.
    if (!beingMeasured(block)) measureContents(block, tablesFor(block->database()), AcGeMatrix3d::kIdentity, box, true);
    vx::db::BlockExtents::Definition d;
    if (!box.empty()) d.geometry.set(AcGePoint3d(box.x0, box.y0, box.z0), AcGePoint3d(box.x1, box.y1, box.z1));
    return d;
}

Outcome measureEntity(const AcDbEntity* e, Tables& t, const AcGeMatrix3d& toWorld, Box3& box, bool cached,
                      bool inBlock) {
    if (isReference(e)) return measureReference(e, t, toWorld, box, cached);
    if (isViewport(e)) return measureViewport(e, toWorld, box);
    Shapes s(Shapes::Mode::Measure, kMeasureTolerance, &toWorld);
    BuildContext ctx{t};
    ctx.inBlock = inBlock;
    ctx.plotting = false;
    const Outcome o = describeEntity(e, ctx, s);
    if (o == Outcome::Drawn) box.add(s.box());
    return o;
}

namespace {

// What measuring without a scene keeps per drawing (and thread): the tables, refreshed whenever
// the drawing changes.
struct MeasureCache {
    const vx::db::Store* store = nullptr;
    uint64_t serial = 0, revision = 0, fonts = 0;
    std::unique_ptr<Tables> tables;
};

MeasureCache& cacheFor(const AcDbDatabase* db) {
    thread_local MeasureCache slots[4];
    thread_local unsigned next = 0;
    thread_local MeasureCache none;
    const uint64_t fonts = fontLibraryGeneration();
    if (!db) {
        if (!none.tables || none.fonts != fonts) none.tables = std::make_unique<Tables>(nullptr);
        none.fonts = fonts;
        return none;
    }
    vx::db::Store* st = &const_cast<AcDbDatabase*>(db)->store();
    for (MeasureCache& c : slots)
        if (c.store == st && c.serial == st->serial && c.tables) {
            if (c.revision != st->revision || c.fonts != fonts) {
                const uint64_t before = c.tables->signature();
                c.tables->refresh();
                // Text styles (and so the boxes of texts in blocks) may have changed.
                if (c.tables->signature() != before) st->blockExtents.forget();
                c.revision = st->revision;
                c.fonts = fonts;
            }
            return c;
        }
    MeasureCache& c = slots[next++ % 4];
    c.store = st;
    c.serial = st->serial;
    c.revision = st->revision;
    c.fonts = fonts;
    c.tables = std::make_unique<Tables>(db);
    return c;
}

}  // namespace

Tables& tablesFor(const AcDbDatabase* db) { return *cacheFor(db).tables; }

bool entityExtents(const AcDbEntity* e, AcGePoint3d& min, AcGePoint3d& max) {
    MeasureCache& cache = cacheFor(e->database());
    Box3 box;
    // An entity outside any database has no block to cache.
    measureEntity(e, *cache.tables, AcGeMatrix3d::kIdentity, box, e->database() != nullptr, false);
    if (box.empty()) return false;
    min = AcGePoint3d(box.x0, box.y0, box.z0);
    max = AcGePoint3d(box.x1, box.y1, box.z1);
    return true;
}

}  // namespace vx::render
