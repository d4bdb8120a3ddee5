// Window, crossing and pick selection go through the drawing's spatial index: on a generated
// drawing (nested and rotated blocks, MINSERT arrays, XLINE/RAY, texts, entities on a frozen
// layer) every answer must equal the one of measuring every entity of the space, also after the
// drawing is edited (entities added, erased, moved, a block definition changed).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"
#include "aced.h"
#include "db/store.h"
#include "dbapserv.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/selection.h"
#include "editor_fixture.h"
#include "render/space_query.h"

namespace vx::editor::test {
namespace {

const char* const kDrawingScript = R"PY(
import ezdxf, math, random
random.seed(11)
doc = ezdxf.new('R2010')
doc.layers.add('FROZEN').freeze()
doc.layers.add('OFF').off()
leaf = doc.blocks.new('LEAF')
leaf.add_line((0, 0), (4, 0))
leaf.add_circle((2, 2), 1.5)
leaf.add_text('叶 leaf', dxfattribs={'height': 0.8, 'insert': (0, 3)})
mid = doc.blocks.new('MID')
mid.add_blockref('LEAF', (0, 0))
mid.add_blockref('LEAF', (6, 1), dxfattribs={'rotation': 30, 'xscale': 0.5, 'yscale': 0.5})
mid.add_arc((3, -2), 2, 200, 340)
top = doc.blocks.new('TOP')
top.add_blockref('MID', (0, 0))
top.add_blockref('MID', (12, 4), dxfattribs={'rotation': 90})
top.add_lwpolyline([(0, -5, 0, 0, 0.5), (20, -5), (20, 15)], format='xyseb')
msp = doc.modelspace()
def layer():
    return random.choice(['0', '0', '0', 'FROZEN', 'OFF'])
for i in range(260):
    x, y = random.uniform(-400, 400), random.uniform(-400, 400)
    k = i % 9
    a = {'layer': layer()}
    if k == 0:
        msp.add_line((x, y), (x + random.uniform(-30, 30), y + random.uniform(-30, 30)), dxfattribs=a)
    elif k == 1:
        msp.add_circle((x, y), random.uniform(0.5, 20), dxfattribs=a)
    elif k == 2:
        msp.add_arc((x, y), random.uniform(1, 25), random.uniform(0, 360), random.uniform(0, 360), dxfattribs=a)
    elif k == 3:
        a.update({'height': random.uniform(1, 5), 'rotation': random.uniform(0, 360), 'insert': (x, y)})
        msp.add_text('图框 %d' % i, dxfattribs=a)
    elif k == 4:
        msp.add_mtext('第一行\\P second line %d' % i, dxfattribs=dict(a, insert=(x, y), char_height=2, width=30))
    elif k == 5:
        a.update({'rotation': random.uniform(0, 360), 'xscale': random.uniform(0.2, 3), 'yscale': random.uniform(0.2, 3)})
        msp.add_blockref(random.choice(['LEAF', 'MID', 'TOP']), (x, y), dxfattribs=a)
    elif k == 6:
        r = msp.add_blockref('MID', (x, y), dxfattribs=a)
        r.dxf.column_count, r.dxf.row_count = 3, 2
        r.dxf.column_spacing, r.dxf.row_spacing = 25, 18
    elif k == 7:
        msp.add_lwpolyline([(x, y, 0, 0, random.uniform(-1, 1)), (x + 15, y), (x + 15, y + 10)],
                           format='xyseb', dxfattribs=a)
    else:
        msp.add_ellipse((x, y), major_axis=(random.uniform(2, 20), random.uniform(-5, 5)), ratio=0.4,
                        dxfattribs=a)
msp.add_xline((0, 0), (1, 1))
msp.add_ray((50, -50), (1, 0), dxfattribs={'layer': 'FROZEN'})
doc.saveas(OUT)
)PY";

bool inside(const Box& b, const double lo[2], const double hi[2]) {
    return b.lo[0] >= lo[0] && b.lo[1] >= lo[1] && b.hi[0] <= hi[0] && b.hi[1] <= hi[1];
}
bool crosses(const Box& b, const double lo[2], const double hi[2]) {
    return b.lo[0] <= hi[0] && b.hi[0] >= lo[0] && b.lo[1] <= hi[1] && b.hi[1] >= lo[1];
}

class IndexedSelectionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const std::string path = vxtest::tempDir("indexed_selection") + "/generated.dxf";
        std::string script = std::string("OUT = r'") + path + "'\n" + kDrawingScript, out;
        ASSERT_EQ(vxtest::runPython(script, out), 0) << out;
        std::wstring why;
        Document* doc = documentManager().open(vxtest::wide(path), why);
        ASSERT_NE(doc, nullptr) << why;
        db = doc->database();
        space = db->modelSpaceId();
    }
    void TearDown() override {
        documentManager().closeAll();
        EXPECT_EQ(liveSelectionSets(), 0u);
        EditorTest::TearDown();
    }

    // The handles of a set, in set order; frees it.
    static std::vector<uint64_t> handles(ads_name ss) {
        std::vector<uint64_t> out;
        int32_t n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        for (int32_t i = 0; i < n; ++i) {
            ads_name e;
            EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
            out.push_back(entityOf(e).handle);
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        return out;
    }
    std::vector<uint64_t> select(bool window, const double lo[2], const double hi[2]) {
        ads_point a = {lo[0], lo[1], 0}, b = {hi[0], hi[1], 0};
        ads_name ss;
        return acedSSGet(window ? L"W" : L"C", a, b, nullptr, ss) == RTNORM ? handles(ss) : std::vector<uint64_t>{};
    }
    // Every live entity of model space measured, in database order.
    std::vector<uint64_t> measured(bool window, const double lo[2], const double hi[2]) {
        std::vector<uint64_t> out;
        for (const AcDbEntity* e : entitiesOf(space)) {
            Box b;
            if (e->isErased() || !extentsOf(*e, b)) continue;
            if (window ? inside(b, lo, hi) : crosses(b, lo, hi)) out.push_back(handleOf(*e));
        }
        return out;
    }
    // The pick at (x, y), as the selection prompt takes it from a window.
    std::vector<uint64_t> pick(double x, double y, double aperture) {
        InputEvent p = eventAt(EventKind::kPoint, x, y);
        p.aperture = aperture;
        events({p, eventAt(EventKind::kEnter, 0, 0)});
        ads_name ss;
        return acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) == RTNORM ? handles(ss) : std::vector<uint64_t>{};
    }
    std::vector<uint64_t> topmost(double x, double y, double aperture) {
        const double lo[2] = {x - aperture, y - aperture}, hi[2] = {x + aperture, y + aperture};
        const std::vector<uint64_t> all = measured(false, lo, hi);
        return all.empty() ? all : std::vector<uint64_t>{all.back()};
    }
    Box boxOf(uint64_t handle) {
        Box b;
        const auto* e = AcDbEntity::cast(objectIdOf(db, handle).object());
        EXPECT_TRUE(e && extentsOf(*e, b));
        return b;
    }

    // Random windows and crossings over the drawing, windows that are exactly some entity's
    // box (its edges must count as inside), and picks; each compared with measuring everything.
    // Returns how many answers were not empty, so a caller knows the comparison had substance.
    int compareWithMeasuringAll(unsigned seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> coord(-450, 450), size(0.5, 200);
        int nonEmpty = 0;
        for (int i = 0; i < 60; ++i) {
            const double x = coord(rng), y = coord(rng);
            const double lo[2] = {x, y}, hi[2] = {x + size(rng), y + size(rng)};
            for (bool window : {true, false}) {
                const std::vector<uint64_t> expected = measured(window, lo, hi);
                EXPECT_EQ(select(window, lo, hi), expected) << (window ? "W " : "C ") << lo[0] << "," << lo[1];
                nonEmpty += !expected.empty();
            }
        }
        const std::vector<AcDbEntity*>& all = entitiesOf(space);
        for (size_t i = 0; i < all.size(); i += 7) {
            Box b;
            if (all[i]->isErased() || !extentsOf(*all[i], b)) continue;
            const std::vector<uint64_t> expected = measured(true, b.lo, b.hi);
            EXPECT_NE(std::find(expected.begin(), expected.end(), handleOf(*all[i])), expected.end());
            EXPECT_EQ(select(true, b.lo, b.hi), expected) << "window on the box of entity " << i;
            ++nonEmpty;
        }
        for (int i = 0; i < 25; ++i) {
            const double x = coord(rng), y = coord(rng), aperture = i % 5 == 0 ? 0 : size(rng) / 20;
            const std::vector<uint64_t> expected = topmost(x, y, aperture);
            EXPECT_EQ(pick(x, y, aperture), expected) << "pick " << x << "," << y;
            nonEmpty += !expected.empty();
        }
        return nonEmpty;
    }

    AcDbObjectId append(AcDbEntity* e) {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(space, AcDb::kForWrite);
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, e), Acad::eOk);
        e->close();
        return id;
    }
    AcDbObjectId blockId(const wchar_t* name) {
        AcDbBlockTable* table = nullptr;
        AcDbObjectId id;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(table->getAt(name, id), Acad::eOk);
        table->close();
        return id;
    }

    AcDbDatabase* db = nullptr;
    AcDbObjectId space;
};

TEST_F(IndexedSelectionTest, AnswersEqualMeasuringEveryEntity) {
    // Most answers must hold something, or the comparison proves little.
    EXPECT_GT(compareWithMeasuringAll(1), 100);
    // XLINE and RAY meet every window in the index but have no extents to select them by:
    // the exact test over the index's answer must drop them as measuring everything does.
    int unbounded = 0;
    for (const AcDbEntity* e : entitiesOf(space)) {
        const std::wstring type = e->dxfType().str();
        if (type != L"XLINE" && type != L"RAY") continue;
        ++unbounded;
        Box b;
        EXPECT_FALSE(extentsOf(*e, b));
        const double lo[2] = {-1e6, -1e6}, hi[2] = {1e6, 1e6};
        const std::vector<uint64_t> all = select(false, lo, hi);
        EXPECT_EQ(std::find(all.begin(), all.end(), handleOf(*e)), all.end());
        EXPECT_EQ(all, measured(false, lo, hi));
    }
    EXPECT_EQ(unbounded, 2);
}

TEST_F(IndexedSelectionTest, AnswersFollowAddedErasedAndMovedEntities) {
    EXPECT_GT(compareWithMeasuringAll(2), 100);

    // A reference inserted far from everything, as a frame insertion does, is found at once.
    auto* ref = new AcDbBlockReference(AcGePoint3d(2000, 2000, 0), blockId(L"TOP"));
    const uint64_t added = append(ref).handle().value();
    const Box addedBox = boxOf(added);
    EXPECT_EQ(select(true, addedBox.lo, addedBox.hi), std::vector<uint64_t>{added});
    EXPECT_EQ(pick(2000, 2000, 1), std::vector<uint64_t>{added});

    // An erased entity is gone from windows and picks.
    const AcDbEntity* victim = nullptr;
    for (const AcDbEntity* e : entitiesOf(space))
        if (AcDbCircle::cast(e) && !e->isErased()) victim = e;
    ASSERT_NE(victim, nullptr);
    const uint64_t erased = handleOf(*victim);
    const Box victimBox = boxOf(erased);
    {
        AcDbObjectPointer<AcDbEntity> e(objectIdOf(db, erased), AcDb::kForWrite);
        ASSERT_EQ(e->erase(), Acad::eOk);
    }
    const std::vector<uint64_t> after = select(false, victimBox.lo, victimBox.hi);
    EXPECT_EQ(std::find(after.begin(), after.end(), erased), after.end());

    // A line moved far away is found where it now lies and no longer where it was.
    AcDbObjectId lineId;
    for (const AcDbEntity* e : entitiesOf(space))
        if (AcDbLine::cast(e) && !e->isErased()) lineId = AcDbObjectId::fromObject(e);
    ASSERT_FALSE(lineId.isNull());
    const Box before = boxOf(lineId.handle().value());
    {
        AcDbObjectPointer<AcDbLine> line(lineId, AcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Acad::eOk);
        line->setStartPoint(AcGePoint3d(-3000, -3000, 0));
        line->setEndPoint(AcGePoint3d(-2990, -2995, 0));
    }
    const double movedLo[2] = {-3001, -3001}, movedHi[2] = {-2989, -2994};
    EXPECT_EQ(select(true, movedLo, movedHi), std::vector<uint64_t>{lineId.handle().value()});
    const std::vector<uint64_t> old = select(true, before.lo, before.hi);
    EXPECT_EQ(std::find(old.begin(), old.end(), lineId.handle().value()), old.end());

    EXPECT_GT(compareWithMeasuringAll(3), 100);
}

TEST_F(IndexedSelectionTest, AChangedBlockDefinitionMovesEveryReferenceThatShowsIt) {
    // A line added to LEAF far from its other contents: every reference that shows LEAF, however
    // deeply nested, now reaches further. The index is built before the change.
    EXPECT_GT(compareWithMeasuringAll(5), 100);
    {
        AcDbObjectPointer<AcDbBlockTableRecord> leaf(blockId(L"LEAF"), AcDb::kForWrite);
        ASSERT_EQ(leaf.openStatus(), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 150, 0));
        AcDbObjectId id;
        ASSERT_EQ(leaf->appendAcDbEntity(id, line), Acad::eOk);
        line->close();
    }
    EXPECT_GT(compareWithMeasuringAll(4), 100);
}

TEST_F(IndexedSelectionTest, AViewsSharedSceneIsTheIndexSelectionAsks) {
    ASSERT_FALSE(db->store().spatialIndex) << "nothing has asked for the index yet";
    const std::unique_ptr<render::Scene> view = render::makeSharedScene(*db);
    const render::Box2 shown = view->extents(space);
    ASSERT_FALSE(shown.empty());
    // Drawing the view built the drawing's one scene; selecting uses it rather than a second one.
    const db::Attachment* built = db->store().spatialIndex.get();
    ASSERT_NE(built, nullptr);
    EXPECT_GT(compareWithMeasuringAll(6), 100);
    EXPECT_EQ(db->store().spatialIndex.get(), built);
    // A view kept across the store dropping its index (the drawing cleared) builds it again.
    db->store().spatialIndex.reset();
    const render::Box2 again = view->extents(space);
    EXPECT_NE(db->store().spatialIndex.get(), nullptr);
    EXPECT_EQ(again.x0, shown.x0);
    EXPECT_EQ(again.y0, shown.y0);
    EXPECT_EQ(again.x1, shown.x1);
    EXPECT_EQ(again.y1, shown.y1);
    EXPECT_GT(compareWithMeasuringAll(7), 100);
}

// The desktop host builds the index on its loading thread before it hands the drawing over; a
// build stopped there (the load cancelled) keeps nothing half made.
TEST_F(IndexedSelectionTest, AnIndexBuiltAheadOnAnotherThreadIsTheOneSelectionAsks) {
    std::vector<std::pair<uint64_t, uint64_t>> heard;
    bool stopped = true;
    std::thread([&] {
        stopped = !render::prepareSpaceIndex(space, [&](uint64_t done, uint64_t total) {
            heard.emplace_back(done, total);
            return false;
        });
    }).join();
    EXPECT_TRUE(stopped);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front().first, 0u);
    EXPECT_EQ(heard.front().second, entitiesOf(space).size());
    EXPECT_GT(compareWithMeasuringAll(8), 100);  // built on demand, whole

    db->store().spatialIndex.reset();
    bool built = false;
    std::thread([&] { built = render::prepareSpaceIndex(space, [](uint64_t, uint64_t) { return true; }); }).join();
    EXPECT_TRUE(built);
    const db::Attachment* ahead = db->store().spatialIndex.get();
    ASSERT_NE(ahead, nullptr);
    EXPECT_GT(compareWithMeasuringAll(9), 100);
    EXPECT_EQ(db->store().spatialIndex.get(), ahead);
}

}  // namespace
}  // namespace vx::editor::test
