// Extents of texts, multi-line texts and block references (rotated, scaled, mirrored, nested,
// with attributes), the boxes frames are plotted and sorted by.
#include <gtest/gtest.h>

#include <cmath>

#include "../render/table_fonts.h"
#include "acdb.h"

namespace {

// Text boxes are checked with fonts of known metrics; what fonts the machine has is the font
// library's concern.
class TextExtents : public vxtest::WithTableFonts {};
class MTextExtents : public vxtest::WithTableFonts {};
class BlockReferenceExtents : public vxtest::WithTableFonts {};

AcDbExtents extentsOf(const AcDbEntity& e) {
    AcDbExtents x;
    EXPECT_EQ(e.getGeomExtents(x), Acad::eOk);
    return x;
}

void expectBox(const AcDbExtents& x, double x0, double y0, double x1, double y1, double tol = 1e-9) {
    EXPECT_NEAR(x.minPoint().x, x0, tol);
    EXPECT_NEAR(x.minPoint().y, y0, tol);
    EXPECT_NEAR(x.maxPoint().x, x1, tol);
    EXPECT_NEAR(x.maxPoint().y, y1, tol);
}

TEST_F(TextExtents, FullWidthCjkRotationAndWidthFactor) {
    AcDbText cjk(AcGePoint3d(10, 20, 0), L"图名", AcDbObjectId::kNull, 3.0);
    // Two full-width characters are two heights wide.
    expectBox(extentsOf(cjk), 10, 20, 16, 23);
    cjk.setWidthFactor(0.5);
    expectBox(extentsOf(cjk), 10, 20, 13, 23);
    cjk.setRotation(M_PI / 2);
    expectBox(extentsOf(cjk), 7, 20, 10, 23, 1e-9);
    // Latin text is narrower than CJK of the same length.
    AcDbText latin(AcGePoint3d(0, 0, 0), L"ab", AcDbObjectId::kNull, 3.0);
    EXPECT_LT(extentsOf(latin).maxPoint().x, 6.0);
    EXPECT_GT(extentsOf(latin).maxPoint().x, 0.0);
}

TEST_F(TextExtents, AlignmentAnchorsTheBox) {
    AcDbText t(AcGePoint3d(0, 0, 0), L"建施", AcDbObjectId::kNull, 2.0);  // 4 wide, 2 high
    struct Case {
        AcDb::TextHorzMode h;
        AcDb::TextVertMode v;
        double x0, y0;  // lower left of the box for the anchor (100, 50)
    } cases[] = {
        {AcDb::kTextCenter, AcDb::kTextBase, 98, 50}, {AcDb::kTextRight, AcDb::kTextBase, 96, 50},
        {AcDb::kTextMid, AcDb::kTextBase, 98, 49},    {AcDb::kTextLeft, AcDb::kTextTop, 100, 48},
        {AcDb::kTextRight, AcDb::kTextVertMid, 96, 49},
    };
    for (const Case& c : cases) {
        t.setHorizontalMode(c.h);
        t.setVerticalMode(c.v);
        t.setAlignmentPoint(AcGePoint3d(100, 50, 0));
        expectBox(extentsOf(t), c.x0, c.y0, c.x0 + 4, c.y0 + 2);
    }
}

TEST_F(TextExtents, FitSpansItsTwoPointsAndThePlaneTurnsTheBox) {
    AcDbText fit(AcGePoint3d(0, 0, 0), L"ABCDEFGH", AcDbObjectId::kNull, 2.0);
    fit.setHorizontalMode(AcDb::kTextFit);
    fit.setAlignmentPoint(AcGePoint3d(0, 10, 0));  // vertical, 10 long
    expectBox(extentsOf(fit), -2, 0, 0, 10);

    // A text in a plane seen from below runs towards world -x.
    AcDbText under(AcGePoint3d(0, 0, 0), L"图", AcDbObjectId::kNull, 2.0);
    under.setNormal(AcGeVector3d(0, 0, -1));
    expectBox(extentsOf(under), -2, 0, 0, 2);
}

TEST_F(MTextExtents, BoxFromWidthLinesAndAttachment) {
    AcDbMText m;
    m.setContents(L"第一行\\P第二行");
    m.setTextHeight(10);
    m.setWidth(200);
    m.setLocation(AcGePoint3d(0, 0, 0));
    m.setAttachment(AcDbMText::kTopLeft);
    AcDbExtents top = extentsOf(m);
    EXPECT_NEAR(top.minPoint().x, 0, 1e-9);
    EXPECT_NEAR(top.maxPoint().x, 200, 1e-9);
    EXPECT_NEAR(top.maxPoint().y, 0, 1e-9);
    double h = top.maxPoint().y - top.minPoint().y;
    EXPECT_GT(h, 20);  // two lines with spacing
    m.setAttachment(AcDbMText::kMiddleCenter);
    expectBox(extentsOf(m), -100, -h / 2, 100, h / 2);
}

// A block with a line (0,0)-(10,0), a circle of radius 1 at (10,0) and an attribute definition
// (which does not count), and a reference of it.
struct BlockScene {
    AcDbDatabase db;
    AcDbObjectId block;

    explicit BlockScene(const AcGePoint3d& base = AcGePoint3d::kOrigin) {
        AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"B");
        bt->add(block, b);
        b->setOrigin(base);
        b->appendAcDbEntity(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
        b->appendAcDbEntity(new AcDbCircle(AcGePoint3d(10, 0, 0), AcGeVector3d::kZAxis, 1));
        b->appendAcDbEntity(new AcDbAttributeDefinition(AcGePoint3d(500, 500, 0), L"", L"图号", L"图号"));
        for (AcDbEntity* e : b->entities()) e->close();
        b->close();
    }
    // A reference in model space (closed; the database owns it).
    AcDbBlockReference* reference(const AcGePoint3d& p, double scale, double rotation,
                                  const AcGeVector3d& normal = AcGeVector3d::kZAxis, AcDbAttribute* attr = nullptr) {
        auto* r = new AcDbBlockReference(p, block);
        r->setScaleFactors(AcGeScale3d(scale, scale, scale));
        r->setRotation(rotation);
        r->setNormal(normal);
        if (attr) {
            EXPECT_EQ(r->appendAttribute(attr), Acad::eOk);
        }
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(ms->appendAcDbEntity(r), Acad::eOk);
        r->close();
        ms->close();
        return r;
    }
};

TEST_F(BlockReferenceExtents, BlockUnderScaleRotationBasePointAndNormal) {
    BlockScene s;
    AcDbBlockReference* r = s.reference(AcGePoint3d(100, 100, 0), 2, M_PI / 2);
    // Line to (100, 120), circle of radius 2 there; the attribute definition is left out.
    expectBox(extentsOf(*r), 98, 100, 102, 122, 1e-9);

    BlockScene based(AcGePoint3d(10, 0, 0));
    AcDbBlockReference* b = based.reference(AcGePoint3d(0, 0, 0), 1, 0);
    expectBox(extentsOf(*b), -10, -1, 1, 1, 1e-9);

    // Seen from below (normal -Z) the block's x axis points to world -x.
    AcDbBlockReference* n = s.reference(AcGePoint3d(0, 0, 0), 1, 0, AcGeVector3d(0, 0, -1));
    expectBox(extentsOf(*n), -11, -1, 0, 1, 1e-9);
}

TEST_F(BlockReferenceExtents, AttributesCountWhereverTheyStand) {
    BlockScene s;
    auto* a = new AcDbAttribute(AcGePoint3d(50, 40, 0), L"建施-01", L"图号");
    a->setHeight(2);
    AcDbBlockReference* r = s.reference(AcGePoint3d(0, 0, 0), 1, 0, AcGeVector3d::kZAxis, a);
    AcDbExtents x = extentsOf(*r);
    EXPECT_NEAR(x.minPoint().y, -1, 1e-9);
    EXPECT_NEAR(x.maxPoint().y, 42, 1e-9);
    EXPECT_GT(x.maxPoint().x, 55);  // the attribute's text runs right of its point
    // Rotating the reference turns the attribute with it.
    AcDbObject* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, r->objectId(), AcDb::kForWrite), Acad::eOk);
    r->transformBy(AcGeMatrix3d::rotation(M_PI, AcGeVector3d::kZAxis));
    AcDbExtents turned = extentsOf(*r);
    EXPECT_NEAR(turned.minPoint().y, -42, 1e-9);
    EXPECT_NEAR(turned.maxPoint().y, 1, 1e-9);
    r->close();
}

TEST_F(BlockReferenceExtents, NestedBlocksAndABlockThatContainsItself) {
    BlockScene s;
    AcDbObjectId outer;
    {
        AcDbObjectPointer<AcDbBlockTable> bt(s.db.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"OUTER");
        bt->add(outer, b);
        auto* inner = new AcDbBlockReference(AcGePoint3d(0, 100, 0), s.block);
        inner->setScaleFactors(AcGeScale3d(3, 3, 3));
        b->appendAcDbEntity(inner);
        inner->close();
        // Damage as found in the wild: the block inserts itself.
        auto* self = new AcDbBlockReference(AcGePoint3d(1000, 1000, 0), outer);
        b->appendAcDbEntity(self);
        self->close();
        b->close();
    }
    auto* r = new AcDbBlockReference(AcGePoint3d(0, 0, 0), outer);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, s.db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(ms->appendAcDbEntity(r), Acad::eOk);
    r->close();
    ms->close();
    AcDbExtents x = extentsOf(*r);
    // The inner block three times larger at (0, 100); the reference to itself counts only by
    // its insertion point.
    expectBox(x, 0, 97, 1000, 1000, 1e-9);
}

}  // namespace
