// The open/close protocol: several readers or one writer, erased objects, RAII pointers.
#include <gtest/gtest.h>

#include "acdb.h"

namespace {

AcDbObjectId addLine(AcDbDatabase& db, const wchar_t* layer = L"0") {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
    auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    l->setLayer(layer);
    AcDbObjectId id;
    EXPECT_EQ(ms->appendAcDbEntity(id, l), Acad::eOk);
    l->close();
    return id;
}

TEST(OpenClose, ReadersShareAndWritersExclude) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObject *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r1, r2);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eWasOpenForRead);  // another reader still holds it
    r2->close();
    EXPECT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_TRUE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    EXPECT_EQ(r1->downgradeOpen(), Acad::eOk);
    EXPECT_FALSE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eOk);
    r2->close();
    r1->close();
    ASSERT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eOk);
    w->close();
    // A close too many is reported, not ignored.
    EXPECT_NE(w->close(), Acad::eOk);
}

TEST(OpenClose, SettersNeedWriteAccess) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObjectPointer<AcDbLine> l(id, AcDb::kForRead);
    ASSERT_EQ(l.openStatus(), Acad::eOk);
    EXPECT_EQ(l->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eNotOpenForWrite);
    EXPECT_EQ(l->setLayer(L"0"), Acad::eNotOpenForWrite);
    EXPECT_EQ(l->erase(), Acad::eNotOpenForWrite);
    EXPECT_EQ(l->startPoint(), AcGePoint3d(0, 0, 0));
}

TEST(OpenClose, ErasedObjectsOpenOnlyWhenAskedFor) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
        ASSERT_EQ(e->erase(), Acad::eOk);
        EXPECT_EQ(e->erase(), Acad::eWasErased);
    }
    EXPECT_TRUE(id.isErased());
    AcDbObject* o = nullptr;
    EXPECT_EQ(acdbOpenObject(o, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(o->erase(false), Acad::eOk);
    o->close();
    EXPECT_FALSE(id.isErased());
}

TEST(OpenClose, TypedOpensCheckTheClass) {
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    AcDbObjectPointer<AcDbCircle> c(line, AcDb::kForRead);
    EXPECT_EQ(c.openStatus(), Acad::eNotThatKindOfClass);
    EXPECT_EQ(c.object(), nullptr);
    // The failed typed open left the object closed: a writer gets it.
    AcDbObjectPointer<AcDbCurve> w(line, AcDb::kForWrite);
    EXPECT_EQ(w.openStatus(), Acad::eOk);
    w.close();
    AcDbEntity* e = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(e, db.layerTableId(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(acdbOpenAcDbEntity(e, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
    AcDbObjectPointer<AcDbLine> none(AcDbObjectId::kNull);
    EXPECT_EQ(none.openStatus(), Acad::eNullObjectId);
}

TEST(OpenClose, PointerClosesOnScopeExitAndOwnsNewObjects) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    { AcDbObjectPointer<AcDbLine> p(id, AcDb::kForWrite); }
    AcDbObjectPointer<AcDbLine> again(id, AcDb::kForWrite);
    EXPECT_EQ(again.openStatus(), Acad::eOk);
    AcDbObjectPointer<AcDbCircle> fresh;
    ASSERT_EQ(fresh.create(), Acad::eOk);
    EXPECT_TRUE(fresh->isNewObject());
    EXPECT_TRUE(fresh->isWriteEnabled());  // a new object is its creator's to change
    EXPECT_TRUE(fresh->objectId().isNull());
}

TEST(OpenClose, EntitiesOnLockedLayersRefuseWriters) {
    AcDbDatabase db;
    AcDbObjectId layerId;
    {
        AcDbLayerTable* lt = nullptr;
        ASSERT_EQ(db.getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbLayerTableRecord();
        rec->setName(L"Locked");
        rec->setIsLocked(true);
        ASSERT_EQ(lt->add(layerId, rec), Acad::eOk);
        rec->close();
        lt->close();
    }
    AcDbObjectId id = addLine(db, L"Locked");
    AcDbEntity* e = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
    e->close();
}

TEST(Ids, CompareHandlesAndDatabases) {
    AcDbDatabase a, b;
    AcDbObjectId la = addLine(a), lb = addLine(b);
    EXPECT_NE(la, lb);
    EXPECT_EQ(la.database(), &a);
    EXPECT_EQ(la.handle(), lb.handle());  // both databases started from the same seed
    AcDbObjectId found;
    ASSERT_EQ(a.getAcDbObjectId(found, false, la.handle()), Acad::eOk);
    EXPECT_EQ(found, la);
    EXPECT_EQ(a.getAcDbObjectId(found, false, AcDbHandle(0xFFFFFF)), Acad::eUnknownHandle);
    EXPECT_EQ(AcDbHandle(L"1F").value(), 0x1Fu);
    EXPECT_EQ(AcDbHandle(L"zz").value(), 0u);
    EXPECT_EQ(AcDbHandle(0xABCu).toString(), AcString(L"ABC"));
    EXPECT_TRUE(AcDbObjectId::kNull.isNull());
    EXPECT_EQ(std::wstring(la.objectClassName()), L"LINE");
}

TEST(Classes, RuntimeClassTests) {
    AcDbAttribute att;
    EXPECT_TRUE(att.isKindOf(AcDbText::desc()));
    EXPECT_TRUE(att.isKindOf(AcDbEntity::desc()));
    EXPECT_FALSE(att.isKindOf(AcDbMText::desc()));
    EXPECT_EQ(att.isA(), AcDbAttribute::desc());
    EXPECT_EQ(AcDbText::cast(&att), &att);
    EXPECT_EQ(AcDbBlockReference::cast(&att), nullptr);
    EXPECT_EQ(AcDbText::cast(nullptr), nullptr);
    EXPECT_EQ(std::wstring(AcDbBlockReference::desc()->name()), L"AcDbBlockReference");
    EXPECT_EQ(AcDbText::desc()->myParent(), AcDbEntity::desc());
}

}  // namespace
