// Entities: block references and their attributes, texts, polylines, colours and layers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "acdb.h"

namespace {

struct Frame {
    AcDbDatabase db;
    AcDbObjectId block, ref, layer;

    Frame() {
        AcDbObjectPointer<AcDbLayerTable> lt(db.layerTableId(), AcDb::kForWrite);
        auto* l = new AcDbLayerTableRecord();
        l->setName(L"C-TK");
        lt->add(layer, l);
        l->close();
        lt.close();
        AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"CODE-A1");
        bt->add(block, b);
        b->close();
        bt.close();
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        auto* r = new AcDbBlockReference(AcGePoint3d(100, 200, 0), block);
        r->setLayer(layer);
        const wchar_t* tags[] = {L"图号", L"图名", L"图名", L"图号 "};
        const wchar_t* texts[] = {L"S-01", L"首层", L"第二个", L"带空格"};
        for (int i = 0; i < 4; ++i) {
            auto* a = new AcDbAttribute(AcGePoint3d(100 + i, 200, 0), texts[i], tags[i]);
            a->setHeight(250);
            a->setWidthFactor(0.8);
            EXPECT_EQ(r->appendAttribute(a), Acad::eOk);  // before the reference is in the drawing
        }
        EXPECT_EQ(ms->appendAcDbEntity(ref, r), Acad::eOk);
        r->close();
    }

    std::wstring attributes() {
        AcDbObjectPointer<AcDbBlockReference> r(ref, AcDb::kForRead);
        std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
        std::wstring out;
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* a = nullptr;
            if (r->openAttribute(a, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
            out += a->tag().str() + L"=" + a->textString().str() + L";";
            a->close();
        }
        return out;
    }
};

TEST(BlockReference, AttributesKeepOrderOwnerAndLayer) {
    Frame f;
    EXPECT_EQ(f.attributes(), L"图号=S-01;图名=首层;图名=第二个;图号 =带空格;");
    AcDbObjectPointer<AcDbBlockReference> r(f.ref, AcDb::kForRead);
    EXPECT_EQ(r->position(), AcGePoint3d(100, 200, 0));
    EXPECT_EQ(r->layerId(), f.layer);
    EXPECT_EQ(r->layer(), AcString(L"C-TK"));
    std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
    AcDbObjectPointer<AcDbAttribute> a(it->objectId(), AcDb::kForRead);
    EXPECT_EQ(a->ownerId(), f.ref);
    EXPECT_EQ(a->layer(), AcString(L"0"));  // attributes keep their own layer when appended
    a.close();
    r.close();
    {
        AcDbObjectPointer<AcDbBlockReference> w(f.ref, AcDb::kForWrite);
        ASSERT_EQ(w->setLayer(f.layer, true), Acad::eOk);  // sub-entities included
    }
    AcDbObjectPointer<AcDbAttribute> moved(it->objectId(), AcDb::kForRead);
    EXPECT_EQ(moved->layerId(), f.layer);
    EXPECT_EQ(moved->height(), 250);
    EXPECT_DOUBLE_EQ(moved->widthFactor(), 0.8);
    r.open(f.ref, AcDb::kForRead);
    // openAttribute only opens this reference's attributes.
    AcDbAttribute* other = nullptr;
    EXPECT_EQ(r->openAttribute(other, f.ref, AcDb::kForRead), Acad::eInvalidInput);
}

TEST(BlockReference, ChangingOneAttributeLeavesItsLook) {
    Frame f;
    {
        AcDbObjectPointer<AcDbBlockReference> r(f.ref, AcDb::kForRead);
        std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
        it->step();
        AcDbAttribute* a = nullptr;
        ASSERT_EQ(r->openAttribute(a, it->objectId(), AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(a->setTextString(L"二层平面图"), Acad::eOk);
        EXPECT_EQ(a->height(), 250);
        EXPECT_EQ(a->position(), AcGePoint3d(101, 200, 0));
        a->close();
    }
    EXPECT_EQ(f.attributes(), L"图号=S-01;图名=二层平面图;图名=第二个;图号 =带空格;");
}

TEST(BlockReference, ErasingTakesTheAttributesAlong) {
    Frame f;
    AcDbObjectIdArray atts;
    {
        AcDbObjectPointer<AcDbBlockReference> r(f.ref, AcDb::kForWrite);
        std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
        for (; !it->done(); it->step()) atts.append(it->objectId());
        ASSERT_EQ(r->erase(), Acad::eOk);
    }
    ASSERT_EQ(atts.length(), 4);
    for (const AcDbObjectId& id : atts) EXPECT_TRUE(id.isErased());
    AcDbObjectPointer<AcDbBlockTableRecord> ms(f.db.modelSpaceId(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    EXPECT_TRUE(it->done());
    delete it;
}

TEST(BlockReference, TransformMovesReferenceAndAttributes) {
    Frame f;
    AcDbObjectPointer<AcDbBlockReference> r(f.ref, AcDb::kForWrite);
    ASSERT_EQ(r->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1000, -50, 0))), Acad::eOk);
    EXPECT_EQ(r->position(), AcGePoint3d(1100, 150, 0));
    r->setRotation(M_PI / 2);
    r->setScaleFactors(AcGeScale3d(2));
    AcGeMatrix3d m = r->blockTransform();
    EXPECT_TRUE((m * AcGePoint3d(10, 0, 0)).isEqualTo(AcGePoint3d(1100, 170, 0), AcGeTol()));
    std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
    AcDbObjectPointer<AcDbAttribute> a(it->objectId(), AcDb::kForRead);
    EXPECT_EQ(a->position(), AcGePoint3d(1100, 150, 0));
    EXPECT_EQ(r->rotation(), M_PI / 2);
}

TEST(Text, AnglesAreRadiansAndAlignmentMovesThePosition) {
    AcDbText t(AcGePoint3d(10, 10, 0), L"ABC", AcDbObjectId::kNull, 5.0, M_PI / 6);
    EXPECT_NEAR(t.rotation(), M_PI / 6, 1e-12);
    EXPECT_TRUE(t.isDefaultAlignment());
    EXPECT_EQ(t.alignmentPoint(), t.position());
    t.setRotation(0);
    t.setHorizontalMode(AcDb::kTextMid);
    t.setAlignmentPoint(AcGePoint3d(100, 100, 0));
    EXPECT_EQ(t.alignmentPoint(), AcGePoint3d(100, 100, 0));
    // Middle: the position is left of and below the middle point.
    EXPECT_LT(t.position().x, 100);
    EXPECT_NEAR(t.position().y, 97.5, 1e-9);
    EXPECT_EQ(t.setHeight(-1), Acad::eInvalidInput);
    AcDbAttributeDefinition d(AcGePoint3d(0, 0, 0), L"默认", L"TAG", L"Prompt?");
    EXPECT_EQ(d.tag(), AcString(L"TAG"));
    EXPECT_EQ(d.prompt(), AcString(L"Prompt?"));
    EXPECT_FALSE(d.isConstant());
    d.setConstant(true);
    EXPECT_TRUE(d.isConstant());
    d.setVerticalMode(AcDb::kTextTop);
    EXPECT_EQ(d.verticalMode(), AcDb::kTextTop);
    EXPECT_EQ(t.verticalMode(), AcDb::kTextBase);
}

TEST(Attribute, FromDefinitionUnderTheBlockTransform) {
    AcDbAttributeDefinition d(AcGePoint3d(10, 0, 0), L"默认值", L"图名", L"?");
    d.setHeight(2);
    d.setLockPositionInBlock(true);
    AcDbAttribute a;
    AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(100, 100, 0)) * AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis) *
                     AcGeMatrix3d::scaling(3);
    ASSERT_EQ(a.setAttributeFromBlock(&d, m), Acad::eOk);
    EXPECT_EQ(a.tag(), AcString(L"图名"));
    EXPECT_EQ(a.textString(), AcString(L"默认值"));
    EXPECT_TRUE(a.position().isEqualTo(AcGePoint3d(100, 130, 0), AcGeTol()));
    EXPECT_NEAR(a.height(), 6, 1e-12);
    EXPECT_NEAR(a.rotation(), M_PI / 2, 1e-12);
    EXPECT_TRUE(a.lockPositionInBlock());
}

TEST(Polyline, VerticesAndBulgesEditInPlace) {
    AcDbPolyline p;
    p.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    p.addVertexAt(1, AcGePoint2d(10, 0));
    p.addVertexAt(1, AcGePoint2d(5, 5));
    EXPECT_EQ(p.numVerts(), 3u);
    AcGePoint2d q;
    p.getPointAt(1, q);
    EXPECT_EQ(q, AcGePoint2d(5, 5));
    double b = 0;
    p.getBulgeAt(0, b);
    EXPECT_EQ(b, 1.0);
    p.getBulgeAt(1, b);
    EXPECT_EQ(b, 0.0);
    p.removeVertexAt(1);
    p.getPointAt(1, q);
    EXPECT_EQ(q, AcGePoint2d(10, 0));
    EXPECT_EQ(p.getPointAt(2, q), Acad::eInvalidIndex);
    p.setClosed(true);
    EXPECT_TRUE(p.isClosed());
}

TEST(Entity, ColourLinetypeAndLayerRules) {
    Frame f;
    AcDbObjectPointer<AcDbBlockTableRecord> ms(f.db.modelSpaceId(), AcDb::kForWrite);
    auto* c = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5);
    EXPECT_EQ(c->colorIndex(), 256);
    c->setColorIndex(1);
    EXPECT_EQ(c->colorIndex(), 1);
    c->setLayer(L"NEWLAYER");  // a new entity may name any layer: it is made on append
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, c), Acad::eOk);
    EXPECT_EQ(c->layer(), AcString(L"NEWLAYER"));
    EXPECT_FALSE(c->layerId().isNull());
    EXPECT_EQ(c->setLayer(L"NO-SUCH"), Acad::eKeyNotFound);
    EXPECT_EQ(c->setLinetype(L"NO-SUCH"), Acad::eKeyNotFound);
    EXPECT_EQ(c->linetype(), AcString(L"ByLayer"));
    EXPECT_EQ(c->setLinetype(L"Continuous"), Acad::eOk);
    EXPECT_EQ(c->linetypeId(), f.db.continuousLinetype());
    EXPECT_EQ(c->ownerId(), f.db.modelSpaceId());
    EXPECT_EQ(c->blockId(), f.db.modelSpaceId());
    c->close();
}

}  // namespace

namespace {

TEST(Entity, PropertiesFromAnotherEntity) {
    Frame f;
    AcDbObjectPointer<AcDbBlockReference> r(f.ref, AcDb::kForWrite);
    r->setColorIndex(3);
    r->setLineWeight(50);
    EXPECT_EQ(r->setLineWeight(1000), Acad::eInvalidInput);
    AcDbAttribute a;
    ASSERT_EQ(a.setPropertiesFrom(r.object()), Acad::eOk);
    EXPECT_EQ(a.layer(), AcString(L"C-TK"));
    EXPECT_EQ(a.colorIndex(), 3);
    EXPECT_EQ(a.lineWeight(), 50);
    EXPECT_TRUE(a.isVisible());
    r->setVisibility(false, false);
    EXPECT_FALSE(r->isVisible());
    AcDbCircle c;
    ASSERT_EQ(c.setPropertiesFrom(r.object()), Acad::eOk);
    EXPECT_FALSE(c.isVisible());
}

}  // namespace
