// Copying references and what they need between drawings (wblock, insert), checked in our
// database and through ezdxf on the saved files.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"
#include "db/access.h"

using vxtest::inspect;

namespace {

// A template-like drawing: a frame block with attribute definitions, a nested block, its own
// layer, linetype, text style and application name, two filled references, and content that
// must not come along (an unused block, a stray line, a dimension, a hatch).
bool writeSource(const std::string& path, const std::string& version, bool gbk) {
    std::string py = R"PY(
import ezdxf
doc = ezdxf.new(%VER%, setup=True)
if %GBK%:
    doc.encoding = 'gbk'
doc.layers.add('墙体', color=3, linetype='DASHED')
doc.layers.add('C-TK', color=7)
doc.styles.new('HZ', dxfattribs={'font': 'simsun.ttf'})
doc.appids.new('VXAPP')
logo = doc.blocks.new('LOGO')
logo.add_circle((0, 0), 5, dxfattribs={'layer': '墙体'})
tb = doc.blocks.new('CODE-A1')
tb.add_lwpolyline([(0, 0), (841, 0), (841, 594), (0, 594)], close=True, dxfattribs={'layer': 'C-TK'})
tb.add_line((0, 0), (100, 100), dxfattribs={'layer': '墙体', 'linetype': 'DASHED'})
tb.add_blockref('LOGO', (700, 20))
tb.add_attdef('图号', (720, 10), dxfattribs={'height': 5, 'style': 'HZ'})
tb.add_attdef('图名', (720, 30), dxfattribs={'height': 5, 'style': 'HZ'})
tb.add_text('设计院', dxfattribs={'style': 'HZ', 'height': 8}).set_placement((600, 10))
doc.blocks.new('UNUSED').add_line((0, 0), (1, 1))
msp = doc.modelspace()
other = msp.add_line((5, 5), (6, 6), dxfattribs={'layer': '墙体'})
r1 = msp.add_blockref('CODE-A1', (0, 0), dxfattribs={'layer': 'C-TK'})
r1.add_auto_attribs({'图号': '建施-01', '图名': '首层平面图'})
xd = r1.new_extension_dict()
xd.add_xrecord('VXREC').extend([(1, '记录'), (40, 2.5)])
r2 = msp.add_blockref('CODE-A1', (1000, 0), dxfattribs={'layer': 'C-TK'})
r2.add_auto_attribs({'图号': '建施-02', '图名': '二层平面图'})
r2.set_xdata('VXAPP', [(1000, '框'), (1005, other.dxf.handle)])
dim = msp.add_linear_dim(base=(0, -50), p1=(0, 0), p2=(100, 0), dxfattribs={'layer': '墙体'})
dim.render()
h = msp.add_hatch(color=2)
h.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)])
doc.saveas(%OUT%)
print('ok')
)PY";
    auto rep = [&](const std::string& k, const std::string& v) { py.replace(py.find(k), k.size(), v); };
    rep("%VER%", "'" + version + "'");
    rep("%GBK%", gbk ? "True" : "False");
    rep("%OUT%", "'" + path + "'");
    std::string out;
    return vxtest::runPython(py, out) == 0 && out.find("ok") != std::string::npos;
}

std::unique_ptr<AcDbDatabase> readDxf(const std::string& path) {
    auto db = std::make_unique<AcDbDatabase>(false, true);
    EXPECT_EQ(db->readDwgFile(vxtest::wide(path).c_str()), Acad::eOk) << path;
    return db;
}

AcDbObjectIdArray referencesOf(AcDbDatabase* db, const wchar_t* block) {
    AcDbObjectIdArray ids;
    AcDbObjectPointer<AcDbBlockTable> bt(db->blockTableId());
    AcDbObjectId bid;
    if (bt->getAt(block, bid) != Acad::eOk) return ids;
    AcDbObjectPointer<AcDbBlockTableRecord> b(bid);
    b->getBlockReferenceIds(ids, true, false);
    return ids;
}

std::vector<AcDbEntity*> modelSpace(AcDbDatabase* db) {
    std::vector<AcDbEntity*> out;
    auto* ms = AcDbBlockTableRecord::cast(db->modelSpaceId().object());
    for (AcDbEntity* e : ms->entities())
        if (!e->isErased()) out.push_back(e);
    return out;
}

std::map<std::wstring, std::wstring> attributes(AcDbBlockReference* ref) {
    std::map<std::wstring, std::wstring> m;
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    for (; !it->done(); it->step()) {
        auto* a = AcDbAttribute::cast(it->objectId().object());
        m[a->tag().str()] = a->textString().str();
    }
    return m;
}

bool hasRecord(AcDbDatabase*, AcDbObjectId table, const wchar_t* name) {
    AcDbObjectPointer<AcDbSymbolTable> t(table);
    return t->has(name);
}

void expectClean(const std::map<std::string, std::string>& r) {
    ASSERT_EQ(r.count("python_error"), 0u) << r.at("python_error");
    EXPECT_EQ(r.at("audit_errors"), "0") << (r.count("audit_message") ? r.at("audit_message") : "");
    EXPECT_EQ(r.at("dup_handles"), "0");
    EXPECT_EQ(r.at("seed_low"), "0");
    EXPECT_EQ(r.at("dangling"), "0");
}

class DeepCopyTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        dir = vxtest::tempDir("deep-copy-" + GetParam());
        source = dir + "/source.dxf";
        ASSERT_TRUE(writeSource(source, GetParam(), GetParam() == "R2000"));
    }
    // The frame references of the source, written out as the template step does.
    std::unique_ptr<AcDbDatabase> taken() {
        auto src = readDxf(source);
        AcDbObjectIdArray ids = referencesOf(src.get(), L"CODE-A1");
        EXPECT_EQ(ids.length(), 2);
        AcDbDatabase* out = nullptr;
        EXPECT_EQ(src->wblock(out, ids, AcGePoint3d::kOrigin), Acad::eOk);
        EXPECT_FALSE(src->isModified());
        return std::unique_ptr<AcDbDatabase>(out);
    }
    std::string dir, source;
};

TEST_P(DeepCopyTest, WblockCarriesReferencesWithTheirDefinitionsOnly) {
    auto out = taken();
    ASSERT_TRUE(out);
    std::vector<AcDbEntity*> ms = modelSpace(out.get());
    ASSERT_EQ(ms.size(), 2u);
    auto* r1 = AcDbBlockReference::cast(ms[0]);
    auto* r2 = AcDbBlockReference::cast(ms[1]);
    ASSERT_TRUE(r1 && r2);
    EXPECT_TRUE(r1->position().isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(r2->position().isEqualTo(AcGePoint3d(1000, 0, 0)));
    EXPECT_EQ(attributes(r1)[L"图号"], L"建施-01");
    EXPECT_EQ(attributes(r2)[L"图名"], L"二层平面图");
    EXPECT_EQ(r1->layer(), AcString(L"C-TK"));

    EXPECT_TRUE(hasRecord(out.get(), out->blockTableId(), L"CODE-A1"));
    EXPECT_TRUE(hasRecord(out.get(), out->blockTableId(), L"LOGO"));  // nested
    EXPECT_FALSE(hasRecord(out.get(), out->blockTableId(), L"UNUSED"));
    EXPECT_TRUE(hasRecord(out.get(), out->layerTableId(), L"墙体"));
    EXPECT_TRUE(hasRecord(out.get(), out->linetypeTableId(), L"DASHED"));
    EXPECT_TRUE(hasRecord(out.get(), out->textStyleTableId(), L"HZ"));
    EXPECT_TRUE(hasRecord(out.get(), out->regAppTableId(), L"VXAPP"));

    std::string path = dir + "/taken.dxf";
    ASSERT_EQ(out->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = inspect(path, {
        {"blocks", "sorted(b.name for b in doc.blocks if not b.name.startswith('*'))"},
        {"flags", "doc.blocks.get('CODE-A1').block.dxf.flags & 2"},
        {"layer", "(doc.layers.get('墙体').color, doc.layers.get('墙体').dxf.linetype)"},
        {"attribs", "[(a.dxf.tag, a.dxf.text, a.dxf.style) for a in msp.query('INSERT')[0].attribs]"},
        {"line", "[e.dxf.linetype for e in doc.blocks.get('CODE-A1') if e.dxftype() == 'LINE']"},
        {"xdata", "list(msp.query('INSERT')[1].get_xdata('VXAPP'))"},
        {"xrec", "[t.value for t in msp.query('INSERT')[0].get_extension_dict()['VXREC'].tags]"},
        {"kinds", "sorted(e.dxftype() for e in msp)"},
    });
    expectClean(r);
    EXPECT_EQ(r["blocks"], "['CODE-A1', 'LOGO']");
    EXPECT_EQ(r["flags"], "2");
    EXPECT_EQ(r["layer"], "(3, 'DASHED')");
    EXPECT_EQ(r["attribs"], "[('图号', '建施-01', 'HZ'), ('图名', '首层平面图', 'HZ')]");
    EXPECT_EQ(r["line"], "['DASHED']");
    // The pointer to the line left behind is dropped; the text stays.
    EXPECT_EQ(r["xdata"], "[DXFTag(1000, '框')]");
    EXPECT_EQ(r["xrec"], "['记录', 2.5]");
    EXPECT_EQ(r["kinds"], "['INSERT', 'INSERT']");
}

TEST_P(DeepCopyTest, InsertKeepsTheTargetsDefinitionsAndAppendsTheReferencesLast) {
    AcDbDatabase target;
    AcDbObjectId layerId, blockId;
    {
        AcDbObjectPointer<AcDbLayerTable> lt(target.layerTableId(), AcDb::kForWrite);
        auto* l = new AcDbLayerTableRecord();
        l->setName(L"墙体");
        AcCmColor red;
        red.setColorIndex(1);
        l->setColor(red);
        lt->add(layerId, l);
        l->close();
        AcDbObjectPointer<AcDbBlockTable> bt(target.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"CODE-A1");
        bt->add(blockId, b);
        b->appendAcDbEntity(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
        b->close();
    }
    auto* mine = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    {
        AcDbBlockTableRecord* w = nullptr;
        ASSERT_EQ(acdbOpenObject(w, target.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        w->appendAcDbEntity(mine);
        mine->close();
        w->close();
    }
    auto out = taken();
    ASSERT_EQ(target.insert(AcGeMatrix3d::kIdentity, out.get(), true), Acad::eOk);
    // The source of the insert is left as it was.
    EXPECT_EQ(modelSpace(out.get()).size(), 2u);

    std::vector<AcDbEntity*> all = modelSpace(&target);
    ASSERT_EQ(all.size(), 3u);
    auto* last = AcDbBlockReference::cast(all.back());
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->position().isEqualTo(AcGePoint3d(1000, 0, 0)));
    EXPECT_EQ(attributes(last)[L"图号"], L"建施-02");
    EXPECT_EQ(last->blockTableRecord(), blockId);
    // The target's block and layer win the clash.
    auto* block = AcDbBlockTableRecord::cast(blockId.object());
    ASSERT_EQ(block->entities().size(), 1u);
    EXPECT_STREQ(block->entities()[0]->isA()->name(), AcDbCircle::desc()->name());
    EXPECT_EQ(AcDbLayerTableRecord::cast(layerId.object())->color().colorIndex(), 1);

    std::string path = dir + "/target.dxf";
    ASSERT_EQ(target.saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = inspect(path, {
        {"count", "len(msp.query('INSERT'))"},
        {"block", "[e.dxftype() for e in doc.blocks.get('CODE-A1')]"},
        {"logo", "'LOGO' in doc.blocks"},
        {"color", "doc.layers.get('墙体').color"},
    });
    expectClean(r);
    EXPECT_EQ(r["count"], "2");
    EXPECT_EQ(r["block"], "['CIRCLE']");
    EXPECT_EQ(r["logo"], "False");  // the kept definition does not use it
    EXPECT_EQ(r["color"], "1");
}

TEST_P(DeepCopyTest, InsertUnderATransformMovesReferencesWithTheirAttributes) {
    auto out = taken();
    AcDbDatabase target;
    AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(10, 20, 0));
    ASSERT_EQ(target.insert(move, out.get()), Acad::eOk);
    std::vector<AcDbEntity*> all = modelSpace(&target);
    ASSERT_EQ(all.size(), 2u);
    auto* ref = AcDbBlockReference::cast(all[0]);
    EXPECT_TRUE(ref->position().isEqualTo(AcGePoint3d(10, 20, 0)));
    std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
    auto* a = AcDbAttribute::cast(it->objectId().object());
    EXPECT_TRUE(a->position().isEqualTo(AcGePoint3d(730, 30, 0)));
    // The block definition itself is not moved.
    AcDbObjectPointer<AcDbBlockTableRecord> b(ref->blockTableRecord());
    EXPECT_TRUE(b->origin().isEqualTo(AcGePoint3d::kOrigin));
}

TEST_P(DeepCopyTest, RepeatedInsertsGiveNewHandlesAndFreshAnonymousBlocks) {
    // The target is the source drawing itself read again: every handle of the copy collides.
    auto src = readDxf(source);
    auto target = readDxf(source);
    for (int round = 0; round < 2; ++round) ASSERT_EQ(target->insert(AcGeMatrix3d::kIdentity, src.get()), Acad::eOk);
    std::set<std::wstring> dimBlocks;
    size_t dims = 0;
    for (AcDbEntity* e : modelSpace(target.get()))
        if (auto* d = AcDbDimension::cast(e)) {
            ++dims;
            AcDbObjectPointer<AcDbBlockTableRecord> b(d->dimBlockId());
            ASSERT_EQ(b.openStatus(), Acad::eOk);
            dimBlocks.insert(b->name().str());
        }
    EXPECT_EQ(dims, 3u);
    EXPECT_EQ(dimBlocks.size(), 3u);  // each dimension keeps a picture of its own
    std::string path = dir + "/twice.dxf";
    ASSERT_EQ(target->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = inspect(path, {
        {"inserts", "len(msp.query('INSERT'))"},
        {"hatches", "len(msp.query('HATCH'))"},
        {"texts", "sorted(set(r.get_attrib_text('图号') for r in msp.query('INSERT')))"},
    });
    expectClean(r);
    EXPECT_EQ(r["inserts"], "6");
    EXPECT_EQ(r["hatches"], "3");
    EXPECT_EQ(r["texts"], "['建施-01', '建施-02']");
}

INSTANTIATE_TEST_SUITE_P(Versions, DeepCopyTest, ::testing::Values("R2000", "R2018"));

TEST(DeepCopy, TextsCrossCodePagesBothWays) {
    std::string dir = vxtest::tempDir("deep-copy-cp");
    std::string gbk = dir + "/gbk.dxf";
    ASSERT_TRUE(writeSource(gbk, "R2000", true));
    ASSERT_NE(vxtest::readFile(gbk).find("\xBD\xA8\xCA\xA9"), std::string::npos);  // "建施" as GBK bytes
    // GBK R2000 -> new (UTF-8) drawing -> another GBK R2000 drawing.
    auto src = readDxf(gbk);
    AcDbDatabase* out = nullptr;
    ASSERT_EQ(src->wblock(out, referencesOf(src.get(), L"CODE-A1"), AcGePoint3d::kOrigin), Acad::eOk);
    std::unique_ptr<AcDbDatabase> mid(out);
    std::string midPath = dir + "/mid.dxf";
    ASSERT_EQ(mid->saveAs(vxtest::wide(midPath).c_str()), Acad::eOk);
    auto back = readDxf(gbk);
    ASSERT_EQ(back->insert(AcGeMatrix3d::kIdentity, mid.get()), Acad::eOk);
    std::string backPath = dir + "/back.dxf";
    ASSERT_EQ(back->saveAs(vxtest::wide(backPath).c_str()), Acad::eOk);
    const std::map<std::string, std::string> q = {
        {"texts", "[r.get_attrib_text('图名') for r in msp.query('INSERT')]"},
        {"layers", "'墙体' in doc.layers"},
        {"ver", "doc.dxfversion"},
    };
    auto m = inspect(midPath, q);
    expectClean(m);
    EXPECT_EQ(m["texts"], "['首层平面图', '二层平面图']");
    EXPECT_EQ(m["ver"], "AC1024");
    auto b = inspect(backPath, q);
    expectClean(b);
    EXPECT_EQ(b["texts"], "['首层平面图', '二层平面图', '首层平面图', '二层平面图']");
    EXPECT_EQ(b["layers"], "True");
    EXPECT_EQ(b["ver"], "AC1015");
}

TEST(DeepCopy, RefusesWhatItCannotCopy) {
    AcDbDatabase a, b;
    AcDbObjectId lineId;
    {
        AcDbBlockTableRecord* ms = nullptr;
        ASSERT_EQ(acdbOpenObject(ms, b.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
        ms->appendAcDbEntity(lineId, l);
        l->close();
        ms->close();
    }
    AcDbObjectIdArray ids;
    ids.append(lineId);
    AcDbDatabase* out = reinterpret_cast<AcDbDatabase*>(&a);  // must be reset on failure
    EXPECT_EQ(a.wblock(out, ids, AcGePoint3d::kOrigin), Acad::eWrongDatabase);
    EXPECT_EQ(out, nullptr);
    AcDbObjectIdArray notEntity;
    notEntity.append(b.layerTableId());
    EXPECT_EQ(b.wblock(out, notEntity, AcGePoint3d::kOrigin), Acad::eNotAnEntity);
    EXPECT_EQ(a.insert(AcGeMatrix3d::kIdentity, nullptr), Acad::eNullObjectPointer);
    EXPECT_EQ(a.insert(AcGeMatrix3d::kIdentity, &a), Acad::eInvalidInput);
}

}  // namespace

namespace {

TEST(DeepCopy, PaperSpaceEntitiesWrittenOutLandInModelSpace) {
    AcDbDatabase db;
    AcDbObjectId lineId;
    AcDbBlockTableRecord* ps = nullptr;
    ASSERT_EQ(acdbOpenObject(ps, db.paperSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0));
    ASSERT_EQ(ps->appendAcDbEntity(lineId, l), Acad::eOk);
    l->close();
    ps->close();
    AcDbObjectIdArray ids;
    ids.append(lineId);
    AcDbDatabase* raw = nullptr;
    ASSERT_EQ(db.wblock(raw, ids, AcGePoint3d(1, 2, 0)), Acad::eOk);
    std::unique_ptr<AcDbDatabase> out(raw);
    std::string path = vxtest::tempDir("deep-copy-ps") + "/out.dxf";
    ASSERT_EQ(out->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = inspect(path, {{"msp", "len(msp)"},
                            {"psp", "len(doc.layout('Layout1'))"},
                            {"base", "tuple(doc.header['$INSBASE'])"}});
    expectClean(r);
    EXPECT_EQ(r["msp"], "1");
    EXPECT_EQ(r["psp"], "0");
    EXPECT_EQ(r["base"], "(1.0, 2.0, 0.0)");
}

}  // namespace

namespace {

TEST(DeepCopy, R12DrawingsBothWays) {
    std::string dir = vxtest::tempDir("deep-copy-r12");
    std::string r12 = dir + "/r12.dxf", r2018 = dir + "/r2018.dxf";
    ASSERT_TRUE(vxtest::writeFixture("R12", r12, true));  // ANSI_936: Chinese names as GBK bytes
    ASSERT_TRUE(writeSource(r2018, "R2018", false));
    // R12 frames into a new drawing, and the R2018 frames into the R12 drawing.
    auto old = readDxf(r12);
    AcDbDatabase modern;
    ASSERT_EQ(modern.insert(AcGeMatrix3d::kIdentity, old.get()), Acad::eOk);
    auto src = readDxf(r2018);
    AcDbDatabase* raw = nullptr;
    ASSERT_EQ(src->wblock(raw, referencesOf(src.get(), L"CODE-A1"), AcGePoint3d::kOrigin), Acad::eOk);
    std::unique_ptr<AcDbDatabase> frames(raw);
    ASSERT_EQ(old->insert(AcGeMatrix3d::kIdentity, frames.get()), Acad::eOk);
    for (auto* db : {&modern, old.get()}) {
        std::string path = dir + (db == &modern ? "/modern.dxf" : "/old.dxf");
        ASSERT_EQ(db->saveAs(vxtest::wide(path).c_str()), Acad::eOk);
        auto r = inspect(path, {{"ver", "doc.dxfversion"},
                                {"tk", "sorted(i.get_attrib_text('图号') for i in msp.query('INSERT'))"},
                                {"blocks", "sorted(b.name for b in doc.blocks if not b.name.startswith('*'))"}});
        ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
        EXPECT_EQ(r["audit_errors"], "0") << path << ": " << r["audit_message"];
        if (db == &modern) {
            EXPECT_EQ(r["ver"], "AC1024");
            EXPECT_EQ(r["tk"], "['建施-01']");
            EXPECT_EQ(r["blocks"], "['TK-A1']");
        } else {
            EXPECT_EQ(r["ver"], "AC1009");
            EXPECT_EQ(r["tk"], "['建施-01', '建施-01', '建施-02']");
            EXPECT_EQ(r["blocks"], "['CODE-A1', 'LOGO', 'TK-A1']");
        }
    }
}

}  // namespace
