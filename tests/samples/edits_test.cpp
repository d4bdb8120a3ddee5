// Edits a user makes to the sample drawings, saved by us and read back by ezdxf: changed
// attribute texts, new entities and layers, frames copied in from the template, erasures.
#include <gtest/gtest.h>

#include <memory>

#include "../host/dxf/ezdxf_check.h"
#include "acdb.h"

namespace {

const std::string kSamples = std::string(VX_SOURCE_DIR) + "/samples";

std::unique_ptr<AcDbDatabase> readFrom(const std::string& path) {
    auto db = std::make_unique<AcDbDatabase>(false, true);
    EXPECT_EQ(db->readDwgFile(vxtest::wide(path).c_str()), Acad::eOk) << path;
    return db;
}

std::vector<AcDbEntity*> modelSpace(AcDbDatabase* db) {
    std::vector<AcDbEntity*> out;
    for (AcDbEntity* e : AcDbBlockTableRecord::cast(db->modelSpaceId().object())->entities())
        if (!e->isErased()) out.push_back(e);
    return out;
}

bool setAttribute(AcDbBlockReference* ref, const wchar_t* tag, const wchar_t* text) {
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (; !it->done(); it->step()) {
        AcDbAttribute* a = nullptr;
        if (ref->openAttribute(a, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        bool hit = a->tag() == AcString(tag);
        if (hit) a->setTextString(text);
        a->close();
        if (hit) return true;
    }
    return false;
}

AcDbObjectId append(AcDbDatabase* db, AcDbEntity* e) {
    AcDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(ms->appendAcDbEntity(id, e), Acad::eOk);
    e->close();
    ms->close();
    return id;
}

void addLayer(AcDbDatabase* db, const wchar_t* name) {
    AcDbObjectPointer<AcDbLayerTable> lt(db->layerTableId(), AcDb::kForWrite);
    auto* l = new AcDbLayerTableRecord();
    l->setName(name);
    ASSERT_EQ(lt->add(l), Acad::eOk);
    l->close();
}

void erase(AcDbEntity* e) {
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenObject(o, e->objectId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(o->erase(), Acad::eOk);
    o->close();
}

void expectClean(std::map<std::string, std::string>& r) {
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["dup_handles"], "0");
    EXPECT_EQ(r["seed_low"], "0");
    EXPECT_EQ(r["dangling"], "0");
}

TEST(SampleEdits, ProjectAfterRenamingAddingCopyingInAndErasing) {
    std::string dir = vxtest::tempDir("sample-edits");
    auto project = readFrom(kSamples + "/drawings/project.dxf");
    std::vector<AcDbEntity*> all = modelSpace(project.get());
    // The first sheet after the catalogue: the first A1 frame.
    AcDbBlockReference* first = nullptr;
    for (AcDbEntity* e : all)
        if (auto* r = AcDbBlockReference::cast(e); r && !first) {
            AcDbObjectPointer<AcDbBlockTableRecord> b(r->blockTableRecord());
            if (b->name() == AcString(L"CODE-A1")) first = r;
        }
    ASSERT_TRUE(first);
    {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenObject(o, first->objectId(), AcDb::kForWrite), Acad::eOk);
        EXPECT_TRUE(setAttribute(first, L"图名", L"建筑设计总说明（修改）"));
        EXPECT_TRUE(setAttribute(first, L"图号", L"建施-00"));
        o->close();
    }
    addLayer(project.get(), L"新图层");
    auto* note = new AcDbText(AcGePoint3d(100, 100, 0), L"新增说明文字", AcDbObjectId::kNull, 500);
    note->setLayer(L"新图层");
    append(project.get(), note);
    append(project.get(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5000, 5000, 0)));
    // The last frame goes with its attributes; one circle too.
    AcDbBlockReference* last = nullptr;
    AcDbEntity* column = nullptr;
    for (AcDbEntity* e : all) {
        if (auto* r = AcDbBlockReference::cast(e); r && r->layer() == AcString(L"C-TK")) last = r;
        if (!column && AcDbCircle::cast(e)) column = e;
    }
    erase(last);
    erase(column);
    // Every frame of the template, copied in beside the project's sheets.
    auto templ = readFrom(kSamples + "/templates/gbk/TK.dxf");
    ASSERT_EQ(project->insert(AcGeMatrix3d::translation(AcGeVector3d(0, 300000, 0)), templ.get()), Acad::eOk);

    std::string path = dir + "/project.dxf";
    ASSERT_EQ(project->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = vxtest::inspect(path, {
        {"inserts", "len(msp.query('INSERT[layer==\"C-TK\"]'))"},
        {"first", "[(i.get_attrib_text('图号'), i.get_attrib_text('图名')) for i in msp.query('INSERT[name==\"CODE-A1\"]')][0]"},
        {"numbers", "[i.get_attrib_text('图号') for i in msp.query('INSERT[name==\"CODE-A1\"]')][-3:]"},
        {"note", "[(t.dxf.text, t.dxf.layer) for t in msp.query('TEXT') if t.dxf.layer == '新图层']"},
        {"blocks", "sorted(b.name for b in doc.blocks if b.name.startswith('CODE'))"},
        {"circles", "len(msp.query('CIRCLE'))"},
        {"moved", "sorted(set(i.dxf.insert.y for i in msp.query('INSERT') if i.dxf.insert.y > 200000))"},
    });
    expectClean(r);
    EXPECT_EQ(r["inserts"], "19");  // 9 frames - 1 erased + 11 copied in
    EXPECT_EQ(r["first"], "('建施-00', '建筑设计总说明（修改）')");
    EXPECT_EQ(r["numbers"], "['建施-04', '建施-05', '']");  // the copied-in A1 has empty texts
    EXPECT_EQ(r["note"], "[('新增说明文字', '新图层')]");
    EXPECT_EQ(r["blocks"],
              "['CODE-A0', 'CODE-A0+1-4', 'CODE-A1', 'CODE-A1+1-2', 'CODE-A1+1-4', 'CODE-A2', "
              "'CODE-A2+1-2', 'CODE-A2+1-4', 'CODE-A3', 'CODE-A4', 'CODE-目录单']");
    EXPECT_EQ(r["circles"], "164");  // axis bubbles, pipes and marks of the sheets - 1
    EXPECT_EQ(r["moved"], "[300000.0]");
}

TEST(SampleEdits, GbkTemplateKeepsItsCodePageThroughEdits) {
    std::string dir = vxtest::tempDir("sample-edits-gbk");
    auto templ = readFrom(kSamples + "/templates/gbk/TK.dxf");
    AcDbBlockReference* a1 = nullptr;
    for (AcDbEntity* e : modelSpace(templ.get()))
        if (auto* r = AcDbBlockReference::cast(e)) {
            AcDbObjectPointer<AcDbBlockTableRecord> b(r->blockTableRecord());
            if (b->name() == AcString(L"CODE-A1")) a1 = r;
        }
    ASSERT_TRUE(a1);
    {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenObject(o, a1->objectId(), AcDb::kForWrite), Acad::eOk);
        // "한" has no GBK code: it must survive as an escape, the rest as GBK bytes.
        EXPECT_TRUE(setAttribute(a1, L"工程名称", L"样板工程한"));
        o->close();
    }
    // The project's frames (UTF-8 drawing) copied into the GBK template.
    auto project = readFrom(kSamples + "/drawings/project.dxf");
    ASSERT_EQ(templ->insert(AcGeMatrix3d::kIdentity, project.get()), Acad::eOk);
    std::string path = dir + "/TK.dxf";
    ASSERT_EQ(templ->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    std::string bytes = vxtest::readFile(path);
    EXPECT_NE(bytes.find("\xD1\xF9\xB0\xE5\xB9\xA4\xB3\xCC\\U+D55C"), std::string::npos);  // 样板工程 in GBK
    auto r = vxtest::inspect(path, {
        {"enc", "(doc.dxfversion, doc.encoding)"},
        {"name", "dec([i for i in msp.query('INSERT') if i.dxf.name == 'CODE-A1'][0].get_attrib_text('工程名称'))"},
        {"rooms", "sorted(set(t.dxf.text for t in msp.query('TEXT') if t.dxf.layer == '文字' and t.dxf.height == 400))"},
        {"numbers", "len([i for i in msp.query('INSERT') if i.get_attrib_text('图号').startswith('建施-')])"},
    });
    expectClean(r);
    EXPECT_EQ(r["enc"], "('AC1015', 'gbk')");
    EXPECT_EQ(r["name"], "样板工程한");
    EXPECT_EQ(r["rooms"], "['主卧', '书房', '卫生间', '厨房', '客厅', '次卧', '阳台', '餐厅']");
    EXPECT_EQ(r["numbers"], "8");
}

}  // namespace
