// Taking a block's references out of a template drawing and placing them in another drawing.
#include <gtest/gtest.h>

#include <memory>

#include "../../host/dxf/ezdxf_check.h"
#include "acdb.h"
#include "frames/take_block_refs.h"

namespace {

std::string writeTemplate(const std::string& dir) {
    std::string path = dir + "/TK.dxf";
    std::string py = R"PY(
import ezdxf
doc = ezdxf.new('R2000')
doc.encoding = 'gbk'
doc.layers.add('图框线', color=4)
doc.styles.new('HZ', dxfattribs={'font': 'simsun.ttf'})
for name in ('XY-A1', 'XY-A2', 'XY-A3'):
    b = doc.blocks.new(name)
    b.add_lwpolyline([(0, 0), (841, 0), (841, 594), (0, 594)], close=True, dxfattribs={'layer': '图框线'})
    b.add_attdef('图号', (700, 10), dxfattribs={'height': 5, 'style': 'HZ'})
msp = doc.modelspace()
msp.add_blockref('XY-A1', (100, 200)).add_auto_attribs({'图号': '模板-01'})
msp.add_blockref('XY-A2', (0, 0)).add_auto_attribs({'图号': '甲'})
msp.add_blockref('XY-A2', (2000, 0)).add_auto_attribs({'图号': '乙'})
doc.saveas(%OUT%)
print('ok')
)PY";
    py.replace(py.find("%OUT%"), 5, "'" + path + "'");
    std::string out;
    EXPECT_EQ(vxtest::runPython(py, out), 0) << out;
    return path;
}

std::vector<AcDbBlockReference*> references(AcDbDatabase* db) {
    std::vector<AcDbBlockReference*> out;
    for (AcDbEntity* e : AcDbBlockTableRecord::cast(db->modelSpaceId().object())->entities())
        if (auto* r = AcDbBlockReference::cast(e))
            if (!r->isErased()) out.push_back(r);
    return out;
}

std::wstring attribute(AcDbBlockReference* r, const wchar_t* tag) {
    std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
    for (; !it->done(); it->step()) {
        auto* a = AcDbAttribute::cast(it->objectId().object());
        if (a->tag() == AcString(tag)) return a->textString().str();
    }
    return L"";
}

class TakeBlockRefs : public ::testing::Test {
protected:
    void SetUp() override {
        dir = vxtest::tempDir("take-block-refs");
        tk = vxtest::wide(writeTemplate(dir));
    }
    std::string dir;
    std::wstring tk;
};

TEST_F(TakeBlockRefs, NoneForAnUnreadableDrawingAMissingBlockOrOneNeverInserted) {
    EXPECT_EQ(vorlix::takeBlockReferences((vxtest::wide(dir) + L"/none.dwg").c_str(), L"XY-A1"), nullptr);
    EXPECT_EQ(vorlix::takeBlockReferences(tk.c_str(), L"XY-A0"), nullptr);
    EXPECT_EQ(vorlix::takeBlockReferences(tk.c_str(), L"XY-A3"), nullptr);  // defined, never inserted
    EXPECT_EQ(vorlix::takeBlockReferences(nullptr, L"XY-A1"), nullptr);
}

TEST_F(TakeBlockRefs, BothReferencesOfABlockInsertedTwice) {
    std::unique_ptr<AcDbDatabase> taken(vorlix::takeBlockReferences(tk.c_str(), L"XY-A2"));
    ASSERT_TRUE(taken);
    auto refs = references(taken.get());
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_TRUE(refs[0]->position().isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(refs[1]->position().isEqualTo(AcGePoint3d(2000, 0, 0)));
    EXPECT_EQ(attribute(refs[1], L"图号"), L"乙");
    // The template's other frames stay behind.
    AcDbObjectPointer<AcDbBlockTable> bt(taken->blockTableId());
    EXPECT_TRUE(bt->has(L"XY-A2"));
    EXPECT_FALSE(bt->has(L"XY-A1"));
}

TEST_F(TakeBlockRefs, InsertedIntoADrawingKeepsPositionsTextsAndDefinitions) {
    std::unique_ptr<AcDbDatabase> taken(vorlix::takeBlockReferences(tk.c_str(), L"XY-A1"));
    ASSERT_TRUE(taken);
    AcDbDatabase drawing;
    ASSERT_EQ(drawing.insert(AcGeMatrix3d::kIdentity, taken.get(), true), Acad::eOk);
    taken.reset();  // the drawing must not depend on the side database
    auto refs = references(&drawing);
    ASSERT_EQ(refs.size(), 1u);
    EXPECT_TRUE(refs[0]->position().isEqualTo(AcGePoint3d(100, 200, 0)));
    EXPECT_EQ(attribute(refs[0], L"图号"), L"模板-01");
    AcDbObjectPointer<AcDbBlockTableRecord> block(refs[0]->blockTableRecord());
    ASSERT_EQ(block.openStatus(), Acad::eOk);
    EXPECT_EQ(block->name(), AcString(L"XY-A1"));
    EXPECT_TRUE(block->hasAttributeDefinitions());
    AcDbObjectPointer<AcDbLayerTable> layers(drawing.layerTableId());
    EXPECT_TRUE(layers->has(L"图框线"));
    AcDbObjectPointer<AcDbTextStyleTable> styles(drawing.textStyleTableId());
    EXPECT_TRUE(styles->has(L"HZ"));

    std::string path = dir + "/drawing.dxf";
    ASSERT_EQ(drawing.saveAs(vxtest::wide(path).c_str()), Acad::eOk);
    auto r = vxtest::inspect(path, {{"attr", "msp.query('INSERT')[0].get_attrib_text('图号')"},
                                    {"pos", "tuple(msp.query('INSERT')[0].dxf.insert)"},
                                    {"layer", "doc.layers.get('图框线').color"}});
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0");
    EXPECT_EQ(r["dangling"], "0");
    EXPECT_EQ(r["attr"], "模板-01");
    EXPECT_EQ(r["pos"], "(100.0, 200.0, 0.0)");
    EXPECT_EQ(r["layer"], "4");
}

}  // namespace
