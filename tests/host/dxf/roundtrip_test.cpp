// Drawings written by ezdxf: unedited round trips keep the file; edited ones stay valid for
// ezdxf and carry the edits.
#include <gtest/gtest.h>

#include "acdb.h"
#include "ezdxf_check.h"

using namespace vxtest;

namespace {

struct Version {
    const char* name;
    bool gbk;
};

class RoundTrip : public ::testing::TestWithParam<Version> {};

AcDbObjectId findInsert(AcDbDatabase& db) {
    AcDbBlockTableRecord* ms = nullptr;
    AcDbObjectId found;
    if (acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk) return found;
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        if (AcDbBlockReference::cast(id.object())) found = id;
    }
    delete it;
    ms->close();
    return found;
}

bool setAttribute(AcDbObjectId ref, const wchar_t* tag, const wchar_t* text) {
    AcDbObjectPointer<AcDbBlockReference> r(ref, AcDb::kForRead);
    if (r.openStatus() != Acad::eOk) return false;
    std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
    for (; !it->done(); it->step()) {
        AcDbAttribute* a = nullptr;
        if (r->openAttribute(a, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        bool match = a->tag() == AcString(tag);
        if (match) a->setTextString(text);
        a->close();
        if (match) return true;
    }
    return false;
}

TEST_P(RoundTrip, UneditedSaveGivesTheSameFile) {
    std::string dir = tempDir(std::string("rt-") + GetParam().name);
    std::string in = dir + "/in.dxf", out = dir + "/out.dxf";
    ASSERT_TRUE(writeFixture(GetParam().name, in, GetParam().gbk));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(in).c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_TRUE(db.readAudit().empty());
    ASSERT_EQ(db.saveAs(wide(out).c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_EQ(readFile(in), readFile(out));
}

TEST_P(RoundTrip, EditsAreValidAndReadBack) {
    std::string dir = tempDir(std::string("edit-") + GetParam().name);
    std::string in = dir + "/in.dxf", out = dir + "/out.dxf";
    ASSERT_TRUE(writeFixture(GetParam().name, in, GetParam().gbk));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(in).c_str()), Acad::eOk) << db.lastReadMessage();

    AcDbObjectId ref = findInsert(db);
    ASSERT_FALSE(ref.isNull());
    EXPECT_TRUE(setAttribute(ref, L"图名", L"二层平面图（修改）"));

    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(50, 60, 0));
    line->setLayer(L"C-TK");
    ASSERT_EQ(ms->appendAcDbEntity(line), Acad::eOk);
    line->close();
    auto* text = new AcDbText(AcGePoint3d(5, 5, 0), L"新增文字 ÿ", AcDbObjectId::kNull, 3.0);
    ASSERT_EQ(ms->appendAcDbEntity(text), Acad::eOk);
    text->close();
    // Erase the circle.
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForWrite) != Acad::eOk) continue;
        if (AcDbCircle::cast(e)) e->erase();
        e->close();
    }
    delete it;
    ms->close();

    ASSERT_EQ(db.saveAs(wide(out).c_str()), Acad::eOk) << db.lastReadMessage();
    auto r = inspect(out, {
        {"attrib", "[dec(a.dxf.text) for a in msp.query('INSERT')[0].attribs if a.dxf.tag == '图名'][0]"},
        {"circles", "len(msp.query('CIRCLE'))"},
        {"new_line", "len(msp.query('LINE[layer==\"C-TK\"]'))"},
        {"new_text", "[dec(t.dxf.text) for t in msp.query('TEXT') if dec(t.dxf.text).startswith('新增')][0]"},
    });
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["dup_handles"], "0");
    EXPECT_EQ(r["seed_low"], "0");
    EXPECT_EQ(r["dangling"], "0");
    EXPECT_EQ(r["attrib"], "二层平面图（修改）");
    EXPECT_EQ(r["circles"], "0");
    EXPECT_EQ(r["new_line"], "2");
    EXPECT_EQ(r["new_text"], "新增文字 ÿ");

    // Our own reader sees the same.
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(wide(out).c_str()), Acad::eOk) << back.lastReadMessage();
    EXPECT_TRUE(back.readAudit().empty());
    AcDbObjectPointer<AcDbBlockReference> r2(findInsert(back), AcDb::kForRead);
    ASSERT_EQ(r2.openStatus(), Acad::eOk);
    std::unique_ptr<AcDbObjectIterator> ai(r2->attributeIterator());
    std::wstring texts;
    for (; !ai->done(); ai->step()) {
        AcDbObjectPointer<AcDbAttribute> a(ai->objectId(), AcDb::kForRead);
        texts += a->tag().str() + L"=" + a->textString().str() + L";";
    }
    EXPECT_EQ(texts, L"图号=建施-01;图名=二层平面图（修改）;");
}

INSTANTIATE_TEST_SUITE_P(Versions, RoundTrip,
                         ::testing::Values(Version{"R12", true}, Version{"R2000", true}, Version{"R2004", true},
                                           Version{"R2007", false}, Version{"R2010", false},
                                           Version{"R2013", false}, Version{"R2018", false}),
                         [](const ::testing::TestParamInfo<Version>& i) { return std::string(i.param.name); });

TEST(NewDrawing, IsAValidR2010FileWithLayoutsAndTables) {
    std::string dir = tempDir("new");
    AcDbDatabase db;
    EXPECT_EQ(db.versionString(), AcString(L"AC1024"));
    ASSERT_EQ(db.saveAs(wide(dir + "/new.dxf").c_str()), Acad::eOk);
    auto r = inspect(dir + "/new.dxf", {{"layouts", "sorted(doc.layouts.names())"},
                                        {"layers", "sorted(l.dxf.name for l in doc.layers)"},
                                        {"version", "doc.dxfversion"}});
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["layouts"], "['Layout1', 'Model']");
    EXPECT_EQ(r["layers"], "['0', 'Defpoints']");
    EXPECT_EQ(r["version"], "AC1024");
    EXPECT_EQ(r["dangling"], "0");
}

TEST(NewDrawing, BlocksWithAttributesBuiltThroughTheApi) {
    std::string dir = tempDir("api-block");
    AcDbDatabase db;
    AcDbObjectId blockId, defId;
    {
        AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"CODE-A3");
        ASSERT_EQ(bt->add(blockId, b), Acad::eOk);
        auto* d = new AcDbAttributeDefinition(AcGePoint3d(10, 10, 0), L"默认", L"图号", L"图号?");
        d->setHorizontalMode(AcDb::kTextMid);
        d->setAlignmentPoint(AcGePoint3d(50, 10, 0));
        ASSERT_EQ(b->appendAcDbEntity(defId, d), Acad::eOk);
        d->close();
        b->close();
    }
    {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        auto* r = new AcDbBlockReference(AcGePoint3d(1000, 0, 0), blockId);
        r->setLayer(L"新图层");
        ASSERT_EQ(ms->appendAcDbEntity(r), Acad::eOk);
        AcDbObjectPointer<AcDbAttributeDefinition> def(defId, AcDb::kForRead);
        auto* a = new AcDbAttribute();
        a->setAttributeFromBlock(def.object(), r->blockTransform());
        a->setTextString(L"建施-99");
        ASSERT_EQ(r->appendAttribute(a), Acad::eOk);
        a->close();
        r->close();
    }
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    auto r = inspect(dir + "/b.dxf", {
        {"flags", "doc.blocks.get('CODE-A3').block.dxf.flags"},
        {"attrib", "[(a.dxf.tag, a.dxf.text, tuple(a.dxf.align_point)) for a in msp.query('INSERT')[0].attribs]"},
        {"layer", "msp.query('INSERT')[0].dxf.layer"},
    });
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["dangling"], "0");
    EXPECT_EQ(r["flags"], "2");  // the attribute flag of the block
    EXPECT_EQ(r["attrib"], "[('图号', '建施-99', (1050.0, 10.0, 0.0))]");
    EXPECT_EQ(r["layer"], "新图层");
}

TEST(BinaryDxf, ReadsLikeTheAsciiFileAndSavesAsText) {
    std::string dir = tempDir("bin");
    std::string py = "import ezdxf\ndoc = ezdxf.new('R2010')\nmsp = doc.modelspace()\n"
                     "msp.add_line((1, 2), (3, 4))\nmsp.add_text('二进制', dxfattribs={'height': 7})\n"
                     "b = doc.blocks.new('B')\nb.add_attdef('T', (0, 0))\n"
                     "msp.add_blockref('B', (5, 5)).add_auto_attribs({'T': '值'})\n"
                     "doc.saveas('" + dir + "/b.dxf', fmt='bin')\nprint('ok')\n";
    std::string out;
    ASSERT_EQ(runPython(py, out), 0) << out;
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/b.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    std::wstring seen;
    for (AcDbEntity* e : ms->entities()) {
        if (auto* l = AcDbLine::cast(e)) seen += L"line " + std::to_wstring(int(l->endPoint().y)) + L";";
        if (auto* t = AcDbText::cast(e)) seen += L"text " + t->textString().str() + L" " + std::to_wstring(int(t->height())) + L";";
        if (auto* b = AcDbBlockReference::cast(e)) {
            std::unique_ptr<AcDbObjectIterator> it(b->attributeIterator());
            AcDbObjectPointer<AcDbAttribute> a(it->objectId(), AcDb::kForRead);
            seen += L"attrib " + a->textString().str() + L";";
        }
    }
    ms->close();
    EXPECT_EQ(seen, L"line 4;text 二进制 7;attrib 值;");
    ASSERT_EQ(db.saveAs(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(readFile(dir + "/a.dxf").compare(0, 3, "  0"), 0);
    auto r = inspect(dir + "/a.dxf", {{"n", "len(msp)"}});
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"] << r["python_error"];
    EXPECT_EQ(r["n"], "3");
}

}  // namespace
