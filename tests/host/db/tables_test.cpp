// Symbol tables, block records and dictionaries of a drawing.
#include <gtest/gtest.h>

#include <memory>

#include "acdb.h"

namespace {

AcDbObjectId addBlock(AcDbDatabase& db, const wchar_t* name) {
    AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForWrite);
    auto* b = new AcDbBlockTableRecord();
    b->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(bt->add(id, b), Acad::eOk) << name;
    b->close();
    return id;
}

AcDbObjectId insert(AcDbObjectId space, AcDbObjectId block, const AcGePoint3d& at) {
    AcDbObjectPointer<AcDbBlockTableRecord> s(space, AcDb::kForWrite);
    auto* r = new AcDbBlockReference(at, block);
    AcDbObjectId id;
    EXPECT_EQ(s->appendAcDbEntity(id, r), Acad::eOk);
    r->close();
    return id;
}

std::wstring blockNames(AcDbDatabase& db) {
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableIterator* it = nullptr;
    bt->newIterator(it);
    std::wstring out;
    for (; !it->done(); it->step()) {
        AcDbBlockTableRecord* r = nullptr;
        if (it->getRecord(r, AcDb::kForRead) != Acad::eOk) continue;
        const ACHAR* n = nullptr;
        r->getName(n);
        out += std::wstring(n) + L";";
        r->close();
    }
    delete it;
    bt->close();
    return out;
}

TEST(DefaultDrawing, HasTheTablesAndLayoutsOfAnEmptyDrawing) {
    AcDbDatabase db;
    EXPECT_EQ(blockNames(db), L"*Model_Space;*Paper_Space;");
    AcDbObjectPointer<AcDbLayerTable> lt(db.layerTableId(), AcDb::kForRead);
    EXPECT_TRUE(lt->has(L"0"));
    EXPECT_TRUE(lt->has(L"DEFPOINTS"));
    AcDbObjectPointer<AcDbTextStyleTable> st(db.textStyleTableId(), AcDb::kForRead);
    AcDbTextStyleTableRecord* standard = nullptr;
    ASSERT_EQ(st->getAt(L"Standard", standard, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(standard->xScale(), 1.0);
    standard->close();
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    EXPECT_TRUE(ms->isLayout());
    EXPECT_FALSE(ms->isAnonymous());
    EXPECT_EQ(db.clayer(), AcDbObjectId(db.clayer()));
    AcDbObjectPointer<AcDbLayerTableRecord> cl(db.clayer(), AcDb::kForRead);
    EXPECT_EQ(cl->name(), AcString(L"0"));
    EXPECT_FALSE(db.isModified());

    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(db.getLayoutDictionary(layouts, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(layouts->numEntries(), 2u);
    AcDbObjectId model;
    ASSERT_EQ(layouts->getAt(L"model", model), Acad::eOk);
    layouts->close();
    AcDbObjectPointer<AcDbLayout> lo(model, AcDb::kForRead);
    ASSERT_EQ(lo.openStatus(), Acad::eOk);
    EXPECT_EQ(lo->getBlockTableRecordId(), db.modelSpaceId());
    EXPECT_EQ(ms->getLayoutId(), model);
    EXPECT_TRUE(lo->modelType());
}

TEST(LayerTable, AddLookUpAndRefuse) {
    AcDbDatabase db;
    AcDbLayerTable* lt = nullptr;
    ASSERT_EQ(db.getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(L"C-TK");
    AcCmColor c;
    c.setColorIndex(1);
    rec->setColor(c);
    AcDbObjectId id;
    ASSERT_EQ(lt->add(id, rec), Acad::eOk);
    rec->close();
    EXPECT_TRUE(lt->has(L"c-tk"));
    AcDbObjectId found;
    EXPECT_EQ(lt->getAt(L"C-tk", found), Acad::eOk);
    EXPECT_EQ(found, id);

    auto* dup = new AcDbLayerTableRecord();
    dup->setName(L"c-TK");
    EXPECT_EQ(lt->add(dup), Acad::eDuplicateKey);
    dup->setName(L"bad:name");
    EXPECT_EQ(lt->add(dup), Acad::eInvalidSymbolTableName);
    delete dup;
    lt->close();
    auto* late = new AcDbLayerTableRecord();
    late->setName(L"LATE");
    EXPECT_EQ(lt->add(late), Acad::eNotOpenForWrite);  // the table was closed
    EXPECT_TRUE(late->isNewObject());
    delete late;

    AcDbObjectPointer<AcDbLayerTableRecord> l(id, AcDb::kForWrite);
    EXPECT_EQ(l->color().colorIndex(), 1);
    l->setIsOff(true);
    c.setColorIndex(3);
    l->setColor(c);
    EXPECT_TRUE(l->isOff());  // the colour change keeps the layer off
    EXPECT_EQ(l->color().colorIndex(), 3);
    l->setIsFrozen(true);
    EXPECT_TRUE(l->isFrozen());
    EXPECT_FALSE(l->isLocked());
    EXPECT_TRUE(db.isModified());
}

TEST(BlockTable, IterationKeepsTableOrderAndSkipsErased) {
    AcDbDatabase db;
    addBlock(db, L"A");
    addBlock(db, L"A1");
    AcDbObjectId anon = addBlock(db, L"*U1");
    AcDbObjectId gone = addBlock(db, L"XY-A1");
    addBlock(db, L"Z");
    {
        AcDbObjectPointer<AcDbBlockTableRecord> g(gone, AcDb::kForWrite);
        g->erase();
    }
    EXPECT_EQ(blockNames(db), L"*Model_Space;*Paper_Space;A;A1;*U1;Z;");
    AcDbObjectPointer<AcDbBlockTableRecord> a(anon, AcDb::kForRead);
    EXPECT_TRUE(a->isAnonymous());
    EXPECT_FALSE(a->isLayout());
    AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForRead);
    EXPECT_FALSE(bt->has(L"XY-A1"));
    AcDbObjectId erased;
    EXPECT_EQ(bt->getAt(L"XY-A1", erased, true), Acad::eOk);
    EXPECT_EQ(erased, gone);
}

TEST(BlockTable, ReferencesDirectAndNested) {
    AcDbDatabase db;
    AcDbObjectId frame = addBlock(db, L"FRAME");
    AcDbObjectId sheet = addBlock(db, L"SHEET");
    AcDbObjectId r1 = insert(db.modelSpaceId(), frame, AcGePoint3d(0, 0, 0));
    AcDbObjectId r2 = insert(db.modelSpaceId(), frame, AcGePoint3d(10, 0, 0));
    AcDbObjectId nested = insert(sheet, frame, AcGePoint3d(0, 0, 0));
    AcDbObjectId outer = insert(db.modelSpaceId(), sheet, AcGePoint3d(50, 0, 0));
    {
        AcDbObjectPointer<AcDbEntity> e(r2, AcDb::kForWrite);
        e->erase();
    }
    AcDbObjectPointer<AcDbBlockTableRecord> f(frame, AcDb::kForRead);
    AcDbObjectIdArray ids;
    ASSERT_EQ(f->getBlockReferenceIds(ids, true), Acad::eOk);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_EQ(ids[0], r1);
    EXPECT_EQ(ids[1], nested);
    ASSERT_EQ(f->getBlockReferenceIds(ids, false), Acad::eOk);
    EXPECT_EQ(ids.length(), 3);
    EXPECT_TRUE(ids.contains(outer));
    AcDbObjectPointer<AcDbBlockReference> ref(r1, AcDb::kForRead);
    EXPECT_EQ(ref->blockTableRecord(), frame);
}

TEST(BlockTable, RenamingABlockKeepsItsReferences) {
    AcDbDatabase db;
    AcDbObjectId frame = addBlock(db, L"OLD");
    AcDbObjectId r = insert(db.modelSpaceId(), frame, AcGePoint3d(0, 0, 0));
    {
        AcDbObjectPointer<AcDbBlockTableRecord> b(frame, AcDb::kForWrite);
        ASSERT_EQ(b->setName(L"NEW"), Acad::eOk);
        EXPECT_EQ(b->setName(L"*Model_Space"), Acad::eDuplicateKey);
    }
    AcDbObjectPointer<AcDbBlockReference> ref(r, AcDb::kForRead);
    EXPECT_EQ(ref->blockTableRecord(), frame);
}

TEST(BlockTable, AttributeDefinitionsAndAppendRules) {
    AcDbDatabase db;
    AcDbObjectId b = addBlock(db, L"TB");
    AcDbObjectPointer<AcDbBlockTableRecord> rec(b, AcDb::kForWrite);
    EXPECT_FALSE(rec->hasAttributeDefinitions());
    auto* def = new AcDbAttributeDefinition(AcGePoint3d(0, 0, 0), L"", L"图号", L"图号?");
    ASSERT_EQ(rec->appendAcDbEntity(def), Acad::eOk);
    def->close();
    EXPECT_TRUE(rec->hasAttributeDefinitions());
    EXPECT_EQ(rec->appendAcDbEntity(def), Acad::eAlreadyInDb);
    auto* att = new AcDbAttribute();
    EXPECT_EQ(rec->appendAcDbEntity(att), Acad::eIllegalEntityType);
    delete att;
    rec->close();
    AcDbObjectPointer<AcDbBlockTableRecord> reader(b, AcDb::kForRead);
    auto* l = new AcDbLine();
    EXPECT_EQ(reader->appendAcDbEntity(l), Acad::eNotOpenForWrite);
    EXPECT_TRUE(l->isNewObject());  // still the caller's
    delete l;
    EXPECT_EQ(reader->appendAcDbEntity(nullptr), Acad::eNullEntityPointer);
}

TEST(Dictionary, SetGetIterateRemove) {
    AcDbDatabase db;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(nod->has(L"ACAD_LAYOUT"));
    auto* x = new AcDbXrecord();
    AcDbObjectId id;
    ASSERT_EQ(nod->setAt(L"VX_SETTINGS", x, id), Acad::eOk);
    x->close();
    EXPECT_EQ(id.database(), &db);
    AcDbObjectId back;
    EXPECT_EQ(nod->getAt(L"vx_settings", back), Acad::eOk);
    EXPECT_EQ(back, id);
    AcString key;
    EXPECT_EQ(nod->nameAt(id, key), Acad::eOk);
    EXPECT_EQ(key, AcString(L"VX_SETTINGS"));
    std::unique_ptr<AcDbDictionaryIterator> it(nod->newIterator());
    std::wstring names;
    for (; !it->done(); it->next()) names += std::wstring(it->name()) + L";";
    EXPECT_EQ(names, L"ACAD_GROUP;ACAD_LAYOUT;ACAD_PLOTSETTINGS;ACAD_PLOTSTYLENAME;VX_SETTINGS;");
    EXPECT_EQ(nod->remove(L"VX_SETTINGS"), Acad::eOk);
    EXPECT_FALSE(nod->has(L"VX_SETTINGS"));
    EXPECT_EQ(nod->remove(L"VX_SETTINGS"), Acad::eKeyNotFound);
    nod->close();
}

}  // namespace
