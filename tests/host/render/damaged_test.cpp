// Damaged and extreme input: nothing crashes or hangs, the rest is drawn, what was left out is
// counted. Drawings are written as DXF text by hand, since no writer produces such files.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "../dxf/ezdxf_check.h"
#include "dxf/dxf.h"
#include "recording_sink.h"

namespace {

using namespace vxtest;

// An empty drawing written by ezdxf, with the given records spliced into its ENTITIES (and
// BLOCKS) section; records without handles get theirs from the reader's repairs.
std::unique_ptr<AcDbDatabase> drawing(const std::string& entities, const std::string& blocks = "") {
    static std::string base;
    if (base.empty()) {
        const std::string path = tempDir("render-damaged") + "/base.dxf";
        std::string out;
        EXPECT_EQ(runPython("import ezdxf\nezdxf.new('R2000').saveas(r'" + path + "')\n", out), 0) << out;
        base = readFile(path);
    }
    std::string dxf = base;
    auto splice = [&dxf](const char* section, const std::string& records) {
        const size_t at = dxf.find("  0\nENDSEC", dxf.find(section));
        if (at != std::string::npos) dxf.insert(at, records);
    };
    splice("ENTITIES", entities);
    if (!blocks.empty()) splice("  2\nBLOCKS", blocks);
    auto db = std::make_unique<AcDbDatabase>(false, true);
    std::wstring message;
    EXPECT_EQ(vx::dxf::read(db->store(), dxf, message), Acad::eOk) << std::string(message.begin(), message.end());
    return db;
}

std::string line(const std::string& x0, const std::string& y0, const std::string& x1, const std::string& y1,
                 const std::string& colour = "7") {
    return "0\nLINE\n8\n0\n62\n" + colour + "\n10\n" + x0 + "\n20\n" + y0 + "\n11\n" + x1 + "\n21\n" + y1 + "\n";
}

vx::render::DrawStats drawAll(AcDbDatabase& db, RecordingSink& sink) {
    auto scene = vx::render::makeScene(db);
    vx::render::DrawOptions o;
    o.view = Box2{-1e9, -1e9, 1e9, 1e9};
    vx::render::DrawStats stats;
    scene->draw(db.modelSpaceId(), o.view, o, sink, stats);
    return stats;
}

TEST(Damaged, NonFiniteCoordinatesAreCountedTheRestDrawn) {
    auto db = drawing(line("nan", "0", "5", "5", "1") + line("0", "0", "inf", "5", "2") + line("0", "0", "1e308", "-1e308", "3") +
                      line("0", "0", "10", "0", "4") + "0\nCIRCLE\n8\n0\n62\n5\n10\n1\n20\n1\n40\nnan\n");
    RecordingSink sink;
    const auto stats = drawAll(*db, sink);
    EXPECT_EQ(stats.skipped, 3u);  // the NaN line, the infinite line, the NaN circle
    EXPECT_EQ(stats.entities, 2u);  // the huge but finite line is drawn, as is the plain one
    EXPECT_EQ(sink.linesWithAci(3).size(), 1u);
    EXPECT_EQ(sink.linesWithAci(4).size(), 1u);
    for (const Polyline& l : sink.lines())
        for (Vec2 p : l.points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    // Extents leave the damaged entities out as well.
    auto scene = vx::render::makeScene(*db);
    const Box2 e = scene->extents(db->modelSpaceId());
    EXPECT_TRUE(std::isfinite(e.x0) && std::isfinite(e.x1));
}

TEST(Damaged, DegenerateGeometryDrawsWhatItCan) {
    auto db = drawing(line("3", "3", "3", "3") + "0\nCIRCLE\n8\n0\n10\n7\n20\n7\n40\n0\n" +
                      "0\nARC\n8\n0\n10\n0\n20\n0\n40\n-2\n50\n0\n51\n90\n" +
                      "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n0\n1\n\n" + "0\nFOOBAR\n8\n0\n10\n0\n20\n0\n");
    RecordingSink sink;
    const auto stats = drawAll(*db, sink);
    EXPECT_EQ(stats.unknown, 1u);
    EXPECT_EQ(stats.skipped, 0u);
    // A zero-length line and a zero-radius circle are dots; a negative radius its size.
    const auto dots = sink.dots();
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_NEAR(dots[0].x, 3, 1e-12);
    EXPECT_NEAR(dots[1].x, 7, 1e-12);
    ASSERT_EQ(sink.lines().size(), 1u);
    EXPECT_NEAR(sink.lines()[0].points.back().y, 2, 1e-9);
    EXPECT_TRUE(sink.texts().empty());
}

TEST(Damaged, SplinesHatchesAndArraysOutOfBounds) {
    std::string spline = "0\nSPLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbSpline\n70\n8\n71\n99\n72\n3\n73\n4\n40\n9\n40\n1\n40\nnan\n";
    for (int i = 0; i < 4; ++i) spline += "10\n" + std::to_string(i * 10) + "\n20\n" + std::to_string(i % 2) + "\n30\n0\n";
    // A pattern line family 1e-9 apart over a 1000 x 1000 square: too dense to draw.
    std::string hatch = "0\nHATCH\n100\nAcDbEntity\n8\n0\n100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n2\nX\n70\n0\n71\n0\n91\n1\n"
                        "92\n3\n72\n0\n73\n1\n93\n4\n10\n0\n20\n0\n10\n1000\n20\n0\n10\n1000\n20\n1000\n10\n0\n20\n1000\n"
                        "97\n0\n75\n0\n76\n1\n52\n0\n41\n1\n77\n0\n78\n1\n53\n0\n43\n0\n44\n0\n45\n0\n46\n1e-9\n79\n0\n98\n0\n";
    std::string minsert = "0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n70\n1000000000\n71\n1000000000\n44\n1\n45\n1\n";
    std::string missing = "0\nINSERT\n8\n0\n2\nNOSUCH\n10\n0\n20\n0\n";
    std::string block = "0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n" + line("0", "0", "0.5", "0") + "0\nENDBLK\n8\n0\n";
    auto db = drawing(spline + hatch + minsert + missing, block);
    RecordingSink sink;
    const auto start = std::chrono::steady_clock::now();
    const auto stats = drawAll(*db, sink);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    // The spline is drawn from its control points with a repaired knot vector; the hatch and the
    // missing block are refused; the array is cut to what can be drawn and says so.
    EXPECT_EQ(stats.skipped, 3u);
    bool spline10 = false;
    for (const Polyline& l : sink.lines()) spline10 = spline10 || (l.points.size() > 4 && std::fabs(l.points.back().x - 30) < 1e-9);
    EXPECT_TRUE(spline10);
}

TEST(Damaged, BlocksThatContainThemselvesEnd) {
    std::string a = "0\nBLOCK\n8\n0\n2\nA\n70\n0\n10\n0\n20\n0\n" + line("0", "0", "1", "0") +
                    "0\nINSERT\n8\n0\n2\nB\n10\n5\n20\n0\n0\nENDBLK\n8\n0\n";
    std::string b = "0\nBLOCK\n8\n0\n2\nB\n70\n0\n10\n0\n20\n0\n" + line("0", "0", "0", "1") +
                    "0\nINSERT\n8\n0\n2\nA\n10\n0\n20\n5\n0\nENDBLK\n8\n0\n";
    auto db = drawing("0\nINSERT\n8\n0\n2\nA\n10\n100\n20\n100\n", a + b);
    RecordingSink sink;
    const auto stats = drawAll(*db, sink);
    EXPECT_GE(stats.skipped, 1u);
    // A's line, B's line inside A; the second A inside B is cut.
    EXPECT_EQ(sink.lines().size(), 2u);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbExtents ext;
    EXPECT_EQ(ms->entities()[0]->getGeomExtents(ext), Acad::eOk);
    ms->close();
}

TEST(Damaged, HugePolylinesAndTextsStayLinear) {
    std::string poly = "0\nLWPOLYLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbPolyline\n90\n1000000\n70\n0\n";
    poly.reserve(30000000);
    for (int i = 0; i < 1000000; ++i) {
        poly += "10\n" + std::to_string(i % 1000) + "\n20\n" + std::to_string(i / 1000) + "\n";
        if (i % 7 == 0) poly += "42\n0.3\n";
    }
    std::string mtext = "0\nMTEXT\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n10\n0\n20\n-100\n40\n1\n41\n50\n";
    std::wstring words;
    for (int i = 0; i < 5000 / 5; ++i) words += L"abcd ";
    mtext += "1\n" + std::string(words.begin(), words.end()) + "\n";
    auto db = drawing(poly + mtext);
    RecordingSink sink;
    const auto start = std::chrono::steady_clock::now();
    const auto stats = drawAll(*db, sink);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120));
    EXPECT_EQ(stats.entities, 2u);
    EXPECT_GT(sink.segmentCount(), 1000000u);
    // 1000 words of 4 letters in lines 50 wide: many lines, none wider than the width.
    double lowest = 0;
    for (const TextRun& t : sink.texts()) lowest = std::min(lowest, t.toLocal.dy);
    EXPECT_LT(lowest, -100 - 50);
}

}  // namespace
