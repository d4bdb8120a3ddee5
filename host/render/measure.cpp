#include "render/measure.h"

#include <algorithm>
#include <memory>

#include "db/access.h"
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

void measureContents(const AcDbBlockTableRecord* b, Tables& t, const AcGeMatrix3d& m, Box3& box, BlockBoxes* boxes) {
    Measuring guard(b);
    for (const AcDbEntity* k : b->entities())
        if (shownInBlock(k)) measureEntity(k, t, m, box, boxes, true);
}

Outcome measureReference(const AcDbEntity* e, Tables& t, const AcGeMatrix3d& toWorld, Box3& box, BlockBoxes* boxes) {
    Box3 inner;
    Reference ref;
    if (readReference(e, t, ref) && !beingMeasured(ref.block)) {
        for (const AcGeMatrix3d& instance : ref.instances) {
            const AcGeMatrix3d m = toWorld * instance;
            if (boxes && keepsAxes(m)) addMappedBox(inner, boxes->localBox(ref.block, t), m);
            else measureContents(ref.block, t, m, inner, boxes);
        }
    }
    for (const AcDbEntity* a : attributesOf(e)) measureEntity(a, t, toWorld, inner, boxes, false);
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

const Box3& BlockBoxes::localBox(const AcDbBlockTableRecord* block, Tables& tables) {
    auto it = m_boxes.find(block);
    if (it != m_boxes.end()) return it->second;
    Box3 box;
    // A block that contains itself (damaged files) measures as far as it does not recurse.
    if (!beingMeasured(block)) measureContents(block, tables, AcGeMatrix3d::kIdentity, box, this);
    return m_boxes.emplace(block, box).first->second;
}

Outcome measureEntity(const AcDbEntity* e, Tables& t, const AcGeMatrix3d& toWorld, Box3& box, BlockBoxes* boxes,
                      bool inBlock) {
    if (isReference(e)) return measureReference(e, t, toWorld, box, boxes);
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

// What measuring without a scene keeps per drawing (and thread): the tables, and the boxes of
// block definitions, forgotten whenever the drawing changes.
struct MeasureCache {
    const vx::db::Store* store = nullptr;
    uint64_t serial = 0, revision = 0;
    std::unique_ptr<Tables> tables;
    BlockBoxes boxes;
};

MeasureCache& cacheFor(const AcDbDatabase* db) {
    thread_local MeasureCache slots[4];
    thread_local unsigned next = 0;
    thread_local MeasureCache none;
    if (!db) {
        if (!none.tables) none.tables = std::make_unique<Tables>(nullptr);
        return none;
    }
    const vx::db::Store* st = &db->store();
    for (MeasureCache& c : slots)
        if (c.store == st && c.serial == st->serial && c.tables) {
            if (c.revision != st->revision) {
                c.tables->refresh();
                c.boxes.clear();
                c.revision = st->revision;
            }
            return c;
        }
    MeasureCache& c = slots[next++ % 4];
    c.store = st;
    c.serial = st->serial;
    c.revision = st->revision;
    c.tables = std::make_unique<Tables>(db);
    c.boxes.clear();
    return c;
}

}  // namespace

Tables& tablesFor(const AcDbDatabase* db) { return *cacheFor(db).tables; }

bool entityExtents(const AcDbEntity* e, AcGePoint3d& min, AcGePoint3d& max) {
    MeasureCache& cache = cacheFor(e->database());
    Box3 box;
    // An entity outside any database has no block to cache.
    measureEntity(e, *cache.tables, AcGeMatrix3d::kIdentity, box, e->database() ? &cache.boxes : nullptr, false);
    if (box.empty()) return false;
    min = AcGePoint3d(box.x0, box.y0, box.z0);
    max = AcGePoint3d(box.x1, box.y1, box.z1);
    return true;
}

}  // namespace vx::render
