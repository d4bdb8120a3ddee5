// A frame copied into an R12 drawing: what R12 lacks is converted (LWPOLYLINE, ELLIPSE, MTEXT,
// solid HATCH) or left out and reported, never dropped without a word.
#include <gtest/gtest.h>

#include <memory>

#include "../dxf/ezdxf_check.h"
#include "acdb.h"

namespace {

bool writeFrame(const std::string& path) {
    std::string py = R"PY(
import ezdxf
doc = ezdxf.new('R2018')
doc.layers.add('C-TK', color=7)
b = doc.blocks.new('FRAME')
b.add_lwpolyline([(0, 0, 1.0, 2.0, 0.5), (100, 0, 0, 0, 0), (100, 50, 0, 0, 0), (0, 50, 0, 0, 0)],
                 format='xyseb', dxfattribs={'layer': 'C-TK', 'const_width': 0})
b.add_ellipse((50, 25), (20, 0, 0), 0.5, 0, 3.141592653589793)
b.add_mtext('{\\fArial|b1;第一段}\\P第二段', dxfattribs={'insert': (50, 25), 'char_height': 3,
                                                       'attachment_point': 5, 'style': 'Standard'})
h = b.add_hatch(color=2)
h.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)])
round_ = b.add_hatch(color=3)
round_.paths.add_edge_path().add_arc((50, 25), 5, 0, 360)
pattern = b.add_hatch(color=4)
pattern.set_pattern_fill('ANSI31')
pattern.paths.add_polyline_path([(20, 0), (30, 0), (30, 10)])
doc.modelspace().add_blockref('FRAME', (0, 0), dxfattribs={'layer': 'C-TK'})
doc.saveas(%OUT%)
print('ok')
)PY";
    py.replace(py.find("%OUT%"), 5, "'" + path + "'");
    std::string out;
    return vxtest::runPython(py, out) == 0 && out.find("ok") != std::string::npos;
}

TEST(R12Conversion, FrameEntitiesArriveAsR12EntitiesAndTheRestIsReported) {
    std::string dir = vxtest::tempDir("r12-convert");
    std::string frame = dir + "/frame.dxf", r12 = dir + "/r12.dxf", out = dir + "/out.dxf";
    ASSERT_TRUE(writeFrame(frame));
    ASSERT_TRUE(vxtest::writeFixture("R12", r12, true));
    AcDbDatabase src(false, true), target(false, true);
    ASSERT_EQ(src.readDwgFile(vxtest::wide(frame).c_str()), Acad::eOk);
    ASSERT_EQ(target.readDwgFile(vxtest::wide(r12).c_str()), Acad::eOk);
    ASSERT_EQ(target.insert(AcGeMatrix3d::kIdentity, &src), Acad::eOk);
    std::wstring report = vx::db::lastCopyReport();
    for (const wchar_t* part : {L"1 LWPOLYLINE to POLYLINE", L"1 ELLIPSE to POLYLINE", L"1 MTEXT to TEXT",
                                L"1 HATCH to SOLID", L"1 HATCH (a pattern hatch", L"1 HATCH (its boundary"})
        EXPECT_NE(report.find(part), std::wstring::npos) << part << " not in: " << std::string(report.begin(), report.end());
    ASSERT_EQ(target.saveAs(vxtest::wide(out).c_str()), Acad::eOk);

    auto r = vxtest::inspect(out, {
        {"ver", "doc.dxfversion"},
        {"types", "sorted(e.dxftype() for e in doc.blocks['FRAME'])"},
        {"border", "[(round(v.dxf.location.x, 6), round(v.dxf.location.y, 6), v.dxf.start_width, v.dxf.end_width, "
                   "v.dxf.bulge) for v in doc.blocks['FRAME'].query('POLYLINE')[0].vertices]"},
        {"closed", "[p.is_closed for p in doc.blocks['FRAME'].query('POLYLINE')]"},
        {"arc_ends", "[(round(v.dxf.location.x, 6), round(v.dxf.location.y, 6)) for v in "
                     "list(doc.blocks['FRAME'].query('POLYLINE')[1].vertices)[::len(doc.blocks['FRAME'].query('POLYLINE')[1].vertices) - 1]]"},
        {"on_ellipse", "all(abs(((v.dxf.location.x - 50) / 20) ** 2 + ((v.dxf.location.y - 25) / 10) ** 2 - 1) < 1e-9 "
                       "for v in doc.blocks['FRAME'].query('POLYLINE')[1].vertices)"},
        {"texts", "[(t.dxf.text, t.dxf.halign, t.dxf.valign, round(t.dxf.align_point.y, 6)) for t in doc.blocks['FRAME'].query('TEXT')]"},
        {"solid", "[tuple((round(p.x, 6), round(p.y, 6)) for p in (s.dxf.vtx0, s.dxf.vtx1, s.dxf.vtx2, s.dxf.vtx3)) "
                  "for s in doc.blocks['FRAME'].query('SOLID')]"},
        {"markers", "[l.strip() for l in open(path, 'rb').read().splitlines()[0::2]].count(b'100')"},
    });
    ASSERT_EQ(r.count("python_error"), 0u) << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0") << r["audit_message"];
    EXPECT_EQ(r["ver"], "AC1009");
    EXPECT_EQ(r["markers"], "0");
    EXPECT_EQ(r["types"], "['POLYLINE', 'POLYLINE', 'SOLID', 'TEXT', 'TEXT']");
    EXPECT_EQ(r["border"], "[(0.0, 0.0, 1.0, 2.0, 0.5), (100.0, 0.0, 0, 0, 0), (100.0, 50.0, 0, 0, 0), "
                           "(0.0, 50.0, 0, 0, 0)]");
    EXPECT_EQ(r["closed"], "[False, False]");
    EXPECT_EQ(r["arc_ends"], "[(70.0, 25.0), (30.0, 25.0)]");
    EXPECT_EQ(r["on_ellipse"], "True");
    // Two lines centred on the insertion point, one line pitch (5/3 of the height) apart.
    EXPECT_EQ(r["texts"], "[('第一段', 1, 2, 27.5), ('第二段', 1, 2, 22.5)]");
    EXPECT_EQ(r["solid"], "[((0.0, 0.0), (10.0, 0.0), (0.0, 10.0), (10.0, 10.0))]");
}

TEST(R12Conversion, NewerDrawingsGetTheEntitiesAsTheyAre) {
    std::string dir = vxtest::tempDir("r12-convert-none");
    std::string frame = dir + "/frame.dxf";
    ASSERT_TRUE(writeFrame(frame));
    AcDbDatabase src(false, true), target;
    ASSERT_EQ(src.readDwgFile(vxtest::wide(frame).c_str()), Acad::eOk);
    ASSERT_EQ(target.insert(AcGeMatrix3d::kIdentity, &src), Acad::eOk);
    EXPECT_STREQ(vx::db::lastCopyReport(), L"");
    std::string out = dir + "/out.dxf";
    ASSERT_EQ(target.saveAs(vxtest::wide(out).c_str()), Acad::eOk);
    auto r = vxtest::inspect(out, {{"types", "sorted(e.dxftype() for e in doc.blocks['FRAME'])"}});
    EXPECT_EQ(r["types"], "['ELLIPSE', 'HATCH', 'HATCH', 'HATCH', 'LWPOLYLINE', 'MTEXT']");
}

}  // namespace
