// Extents of nested block definitions: measured once per definition, however the blocks nest,
// and measured again after anything inside a definition changes; the change hook that tells
// which block changed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"
#include "db/access.h"

namespace {

// A DXF drawing (AC1015) with blocks B0..B(n-1): each holds a unit line (0,0)-(1,1) and
// `copies` references to the next block, side by side from x = 1; the last holds only its
// line. B0 is inserted once at the origin on "C-TK". So B(k) is w(k) = 1 + copies * w(k+1)
// wide and 1 high.
std::string nestedBlocksDxf(int n, int copies) {
    std::string out;
    unsigned handle = 0x100;
    auto tag = [&](int code, const std::string& value) { out += std::to_string(code) + "\n" + value + "\n"; };
    auto hex = [](unsigned h) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X", h);
        return std::string(buf);
    };
    auto entity = [&](const char* type, const std::string& owner, const char* sub) {
        tag(0, type);
        tag(5, hex(handle++));
        tag(330, owner);
        tag(100, "AcDbEntity");
        tag(8, "C-TK");
        tag(100, sub);
    };
    std::vector<double> width(static_cast<size_t>(n), 1.0);
    for (int k = n - 2; k >= 0; --k) width[static_cast<size_t>(k)] = 1 + copies * width[static_cast<size_t>(k) + 1];
    tag(0, "SECTION"), tag(2, "HEADER"), tag(9, "$ACADVER"), tag(1, "AC1015"), tag(0, "ENDSEC");
    tag(0, "SECTION"), tag(2, "TABLES");
    tag(0, "TABLE"), tag(2, "LAYER"), tag(5, "2"), tag(330, "0"), tag(100, "AcDbSymbolTable"), tag(70, "2");
    for (const char* layer : {"0", "C-TK"}) {
        tag(0, "LAYER"), tag(5, hex(handle++)), tag(330, "2"), tag(100, "AcDbSymbolTableRecord");
        tag(100, "AcDbLayerTableRecord"), tag(2, layer), tag(70, "0"), tag(62, "7"), tag(6, "Continuous");
    }
    tag(0, "ENDTAB");
    tag(0, "TABLE"), tag(2, "BLOCK_RECORD"), tag(5, "1"), tag(330, "0"), tag(100, "AcDbSymbolTable");
    tag(70, std::to_string(n + 2));
    const unsigned firstRecord = handle;
    std::vector<std::string> names{"*Model_Space", "*Paper_Space"};
    for (int k = 0; k < n; ++k) names.push_back("B" + std::to_string(k));
    for (const std::string& name : names) {
        tag(0, "BLOCK_RECORD"), tag(5, hex(handle++)), tag(330, "1"), tag(100, "AcDbSymbolTableRecord");
        tag(100, "AcDbBlockTableRecord"), tag(2, name);
    }
    tag(0, "ENDTAB"), tag(0, "ENDSEC");
    tag(0, "SECTION"), tag(2, "BLOCKS");
    for (size_t r = 0; r < names.size(); ++r) {
        const std::string owner = hex(firstRecord + static_cast<unsigned>(r));
        entity("BLOCK", owner, "AcDbBlockBegin");
        tag(2, names[r]), tag(70, "0"), tag(10, "0.0"), tag(20, "0.0"), tag(30, "0.0"), tag(3, names[r]), tag(1, "");
        if (r >= 2) {
            const int k = static_cast<int>(r) - 2;
            entity("LINE", owner, "AcDbLine");
            tag(10, "0.0"), tag(20, "0.0"), tag(30, "0.0"), tag(11, "1.0"), tag(21, "1.0"), tag(31, "0.0");
            for (int c = 0; k + 1 < n && c < copies; ++c) {
                entity("INSERT", owner, "AcDbBlockReference");
                tag(2, names[r + 1]);
                tag(10, std::to_string(1 + c * width[static_cast<size_t>(k) + 1])), tag(20, "0.0"), tag(30, "0.0");
            }
        }
        entity("ENDBLK", owner, "AcDbBlockEnd");
    }
    tag(0, "ENDSEC");
    tag(0, "SECTION"), tag(2, "ENTITIES");
    entity("INSERT", hex(firstRecord), "AcDbBlockReference");
    tag(2, "B0"), tag(10, "0.0"), tag(20, "0.0"), tag(30, "0.0");
    tag(0, "ENDSEC"), tag(0, "EOF");
    return out;
}

struct NestedDrawing {
    NestedDrawing(int n, int copies) {
        const std::string path = vxtest::tempDir("nested") + "/nested.dxf";
        vxtest::writeFile(path, nestedBlocksDxf(n, copies));
        EXPECT_EQ(db.readDwgFile(vxtest::wide(path).c_str()), Acad::eOk) << vxtest::wide(path).c_str();
    }
    const AcDbEntity* top() const {
        const auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().object());
        return ms && !ms->entities().empty() ? ms->entities().front() : nullptr;
    }
    AcDbExtents extents() const {
        AcDbExtents x;
        EXPECT_EQ(top()->getGeomExtents(x), Acad::eOk);
        return x;
    }
    AcDbBlockTableRecord* block(const wchar_t* name) {
        AcDbBlockTableRecord* b = nullptr;
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(db.getBlockTable(bt, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(bt->getAt(name, b, AcDb::kForWrite), Acad::eOk);
        bt->close();
        return b;
    }
    size_t measured() const { return db.store().blockExtents.measuredCount(); }

    AcDbDatabase db{false};
};

void expectBox(const AcDbExtents& x, double x0, double y0, double x1, double y1) {
    EXPECT_DOUBLE_EQ(x.minPoint().x, x0);
    EXPECT_DOUBLE_EQ(x.minPoint().y, y0);
    EXPECT_DOUBLE_EQ(x.maxPoint().x, x1);
    EXPECT_DOUBLE_EQ(x.maxPoint().y, y1);
}

TEST(NestedBlockExtents, BlocksEachInsertingTheNextTwiceAreMeasuredOncePerDefinition) {
    // 2^39 references to the innermost block: walking them would never end.
    NestedDrawing d(40, 2);
    ASSERT_NE(d.top(), nullptr);
    expectBox(d.extents(), 0, 0, std::pow(2.0, 40) - 1, 1);
    EXPECT_EQ(d.measured(), 40u);
    expectBox(d.extents(), 0, 0, std::pow(2.0, 40) - 1, 1);
    EXPECT_EQ(d.measured(), 40u);  // the second time costs no definition
}

TEST(NestedBlockExtents, AChainOfTwentyThousandBlocksDoesNotExhaustTheStack) {
    NestedDrawing d(20000, 1);
    ASSERT_NE(d.top(), nullptr);
    expectBox(d.extents(), 0, 0, 20000, 1);
    // Every reference in the chain is as cheap afterwards.
    AcDbBlockTableRecord* b = d.block(L"B19990");
    ASSERT_NE(b, nullptr);
    AcDbExtents x;
    ASSERT_EQ(b->entities().back()->getGeomExtents(x), Acad::eOk);  // its reference to B19991
    expectBox(x, 1, 0, 10, 1);
    b->close();
    EXPECT_EQ(d.measured(), 20000u);
}

TEST(NestedBlockExtents, AChangeInsideANestedDefinitionReachesTheReferencesAbove) {
    NestedDrawing d(3, 2);  // B2 1 wide, B1 3, B0 7
    expectBox(d.extents(), 0, 0, 7, 1);

    // An edited entity in the innermost block: each of its four copies grows.
    AcDbBlockTableRecord* b2 = d.block(L"B2");
    auto* line = static_cast<AcDbLine*>(b2->entities().front());
    AcDbObject* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, line->objectId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(line->setEndPoint(AcGePoint3d(1, 5, 0)), Acad::eOk);
    line->close();
    expectBox(d.extents(), 0, 0, 7, 5);

    // A new entity in it.
    auto* below = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, -7, 0));
    ASSERT_EQ(b2->appendAcDbEntity(below), Acad::eOk);
    below->close();
    expectBox(d.extents(), 0, -7, 7, 5);

    // Its base point: every reference to it moves its content.
    ASSERT_EQ(b2->setOrigin(AcGePoint3d(0, 10, 0)), Acad::eOk);
    expectBox(d.extents(), 0, -17, 7, 1);
    b2->close();

    // An erased reference in the middle block: half of B1 is gone, the rest stays.
    AcDbBlockTableRecord* b1 = d.block(L"B1");
    AcDbEntity* second = b1->entities().back();
    ASSERT_EQ(acdbOpenObject(open, second->objectId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(second->erase(), Acad::eOk);
    second->close();
    b1->close();
    expectBox(d.extents(), 0, -17, 6, 1);  // B1 is 2 wide now: B0's copies span x 1..3 and 4..6
}

TEST(BlockChangeHook, TellsWhichBlockChangedAndMovesTheVersionOnlyForDefinitions) {
    NestedDrawing d(2, 1);
    vx::db::BlockChanges& changes = d.db.store().blockChanges;
    std::vector<const AcDbBlockTableRecord*> heard;
    const size_t token = changes.listen([&](const AcDbBlockTableRecord* b) { heard.push_back(b); });

    AcDbBlockTableRecord* b1 = d.block(L"B1");
    const uint64_t before = changes.version();
    auto* added = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    ASSERT_EQ(b1->appendAcDbEntity(added), Acad::eOk);
    added->close();
    b1->close();
    EXPECT_NE(changes.version(), before);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), b1);

    // Model space is no definition: listeners hear it, the definitions stay valid.
    heard.clear();
    const uint64_t defs = changes.version();
    const size_t measuredBefore = d.measured();
    d.extents();
    AcDbObject* top = nullptr;
    ASSERT_EQ(acdbOpenObject(top, d.top()->objectId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(static_cast<AcDbBlockReference*>(top)->setPosition(AcGePoint3d(100, 0, 0)), Acad::eOk);
    top->close();
    EXPECT_EQ(changes.version(), defs);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back()->objectId(), d.db.modelSpaceId());
    expectBox(d.extents(), 100, -1, 102, 1);  // the circle of B1 reaches to -1
    EXPECT_EQ(d.measured(), measuredBefore + 2);  // B1 and B0 once: the move measured nothing again

    // The drawing read again: every definition may have changed.
    heard.clear();
    const std::string path = vxtest::tempDir("nested-again") + "/again.dxf";
    vxtest::writeFile(path, nestedBlocksDxf(2, 1));
    ASSERT_EQ(d.db.readDwgFile(vxtest::wide(path).c_str()), Acad::eOk);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard.front(), nullptr);
    d.db.store().blockChanges.unlisten(token);
    AcDbBlockTableRecord* again = d.block(L"B1");
    again->setOrigin(AcGePoint3d(1, 1, 0));
    again->close();
    EXPECT_EQ(heard.size(), 1u);
}

}  // namespace
