// Selection over a drawing with paper-space layouts (written by ezdxf): the whole-drawing
// selection reaches every layout in tab order; picks stay in the space the user works in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"
#include "aced.h"
#include "aclayout.h"
#include "dbapserv.h"
#include "editor/documents.h"
#include "editor/selection.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

// Lines whose start x names them: model space 1 and 2 (and 9 on another layer), Layout1 3,
// "Z-Sheet" 4, "A-Sheet" 5. Tab orders: Z-Sheet 1, A-Sheet 2, Layout1 3, so the tab order
// differs from the order of creation and from the order of names.
const char* const kLayoutsScript = R"PY(
import ezdxf
doc = ezdxf.new('R2010')
doc.layers.add('C-TK')
doc.layers.add('WALL')
def line(space, x, layer='C-TK'):
    space.add_line((x, 0), (x, 10), dxfattribs={'layer': layer})
msp = doc.modelspace()
line(msp, 1)
line(msp, 9, 'WALL')
line(msp, 2)
layout1 = doc.layouts.get('Layout1')
line(layout1, 3)
z = doc.layouts.new('Z-Sheet')
line(z, 4)
a = doc.layouts.new('A-Sheet')
line(a, 5)
z.dxf.taborder = 1
a.dxf.taborder = 2
layout1.dxf.taborder = 3
doc.saveas(OUT)
)PY";

class LayoutSelectionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const std::string path = vxtest::tempDir("layouts") + "/layouts.dxf";
        std::string script = std::string("OUT = r'") + path + "'\n" + kLayoutsScript, out;
        ASSERT_EQ(vxtest::runPython(script, out), 0) << out;
        std::wstring why;
        doc = documentManager().open(vxtest::wide(path), why);
        ASSERT_NE(doc, nullptr) << why;
        db = doc->database();
    }
    void TearDown() override {
        documentManager().closeAll();
        EXPECT_EQ(liveSelectionSets(), 0u);
        EditorTest::TearDown();
    }
    // The start x of each member, in set order; frees the set.
    std::vector<int> members(ads_name ss) {
        std::vector<int> out;
        int32_t n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        for (int32_t i = 0; i < n; ++i) {
            ads_name e;
            AcDbObjectId id;
            EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
            EXPECT_EQ(acdbGetObjectId(id, e), Acad::eOk);
            AcDbObjectPointer<AcDbLine> line(id, AcDb::kForRead);
            EXPECT_EQ(line.openStatus(), Acad::eOk);
            if (line.openStatus() == Acad::eOk) out.push_back(static_cast<int>(line->startPoint().x));
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        return out;
    }
    std::vector<int> select(const wchar_t* mode, const wchar_t* layer) {
        resbuf* f = layer ? acutBuildList(8, layer, 0) : nullptr;
        ads_name ss;
        const int rc = acedSSGet(mode, nullptr, nullptr, f, ss);
        acutRelRb(f);
        return rc == RTNORM ? members(ss) : std::vector<int>{};
    }
    std::wstring handleOfLine(int x) {
        for (AcDbObjectId space : {db->modelSpaceId(), db->paperSpaceId()}) {
            const auto* block = AcDbBlockTableRecord::cast(space.object());
            for (const AcDbEntity* e : block->entities())
                if (const auto* l = AcDbLine::cast(e))
                    if (static_cast<int>(l->startPoint().x) == x) return e->objectHandle().toString().str();
        }
        return L"";
    }

    Document* doc = nullptr;
    AcDbDatabase* db = nullptr;
};

TEST_F(LayoutSelectionTest, WholeDrawingIsModelSpaceThenTheLayoutsInTabOrder) {
    EXPECT_EQ(select(L"X", L"c-tk"), (std::vector<int>{1, 2, 4, 5, 3}));
    EXPECT_EQ(select(L"_X", L"C-TK,WALL"), (std::vector<int>{1, 9, 2, 4, 5, 3}));
    // The current layout does not change what the whole drawing is.
    ASSERT_EQ(acedLayoutManager()->setCurrentLayout(L"A-Sheet", db), Acad::eOk);
    EXPECT_EQ(select(L"X", L"C-TK"), (std::vector<int>{1, 2, 4, 5, 3}));
}

TEST_F(LayoutSelectionTest, PicksStayInModelSpaceUnlessAPaperSpaceIsCurrent) {
    answers({L"ALL", L"H " + handleOfLine(3), L""});
    EXPECT_EQ(select(L"_", nullptr), (std::vector<int>{1, 9, 2}));
    EXPECT_NE(transcript.find(L"is not in the current space"), std::wstring::npos);

    ASSERT_EQ(acedLayoutManager()->setCurrentLayout(L"Layout1", db), Acad::eOk);
    answers({L"ALL", L"C 0,0 10,10", L"H " + handleOfLine(1), L""});
    EXPECT_EQ(select(L"_", nullptr), std::vector<int>{3});
    EXPECT_EQ(select(L"L", nullptr), std::vector<int>{3});
    ads_point a = {0, 0, 0}, b = {10, 10, 0};
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"C", a, b, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), std::vector<int>{3});
    ads_name picked;
    ads_point p;
    answers({L"3,5"});
    ASSERT_EQ(acedEntSel(L"\nPick: ", picked, p), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, picked), Acad::eOk);
    EXPECT_EQ(id.handle().toString().str(), handleOfLine(3));
}

}  // namespace
}  // namespace vx::editor::test
