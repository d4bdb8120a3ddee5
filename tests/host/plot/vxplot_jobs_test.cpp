// vxplot's arguments and jobs, with a scene of the test's own: frames found on their layer in
// reading order, one file per frame on the sheet it fits, clear failures and exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <sstream>

#include "acdb.h"
#include "options.h"
#include "plot_jobs.h"
#include "plot_test_support.h"
#include "stand_in_fonts.h"

namespace vxplot {
namespace {

using vx::render::Box2;

bool parse(std::vector<const char*> args, Options& o, std::string& error) {
    args.insert(args.begin(), "vxplot");
    bool help = false;
    return parseOptions(static_cast<int>(args.size()), args.data(), o, error, help);
}

TEST(VxplotOptions, BothFormsAreReadWithTheirDefaults) {
    Options o;
    std::string error;
    ASSERT_TRUE(parse({"plan.dxf", "--window", "0,0,84100,59400", "--paper", "a1", "--rotate", "90", "--style",
                       "monochrome", "--out", "plan.PNG", "--dpi", "150"}, o, error)) << error;
    EXPECT_EQ(o.mode, Mode::Window);
    EXPECT_EQ(o.window.x1, 84100);
    EXPECT_EQ(o.rotation, vx::plot::PlotRotation::Deg90);
    EXPECT_TRUE(o.monochrome);
    EXPECT_EQ(o.format, vx::plot::OutputFormat::Png);
    EXPECT_EQ(o.dpi, 150);

    o = {};
    ASSERT_TRUE(parse({"--frames", "plan.dxf", "--out-dir", "out", "--format", "plt"}, o, error)) << error;
    EXPECT_EQ(o.mode, Mode::Frames);
    EXPECT_EQ(o.layer, "C-TK");
    EXPECT_EQ(o.format, vx::plot::OutputFormat::Plt);
    // Corners may come in any order.
    o = {};
    ASSERT_TRUE(parse({"p.dxf", "--window", "10,20,-5,3.5", "--out", "x.pdf"}, o, error));
    EXPECT_EQ(o.window.x0, -5);
    EXPECT_EQ(o.window.y1, 20);
}

TEST(VxplotOptions, MistakesAreNamed) {
    const std::vector<std::pair<std::vector<const char*>, const char*>> cases = {
        {{"--window", "0,0,1,1", "--out", "x.pdf"}, "no drawing"},
        {{"p.dxf", "--out", "x.pdf"}, "either --window or --frames"},
        {{"p.dxf", "--window", "0,0,1,1", "--frames", "--out-dir", "d"}, "either --window or --frames"},
        {{"p.dxf", "--window", "0,0,1", "--out", "x.pdf"}, "four numbers"},
        {{"p.dxf", "--window", "0,0,5,0", "--out", "x.pdf"}, "width and height"},
        {{"p.dxf", "--window", "0,0,1,nan", "--out", "x.pdf"}, "four numbers"},
        {{"p.dxf", "--window", "0,0,1,1"}, "needs --out"},
        {{"p.dxf", "--window", "0,0,1,1", "--out", "x.dwg"}, "must end in"},
        {{"p.dxf", "--window", "0,0,1,1", "--out", "x.pdf", "--paper", "B2"}, "unknown paper"},
        {{"p.dxf", "--window", "0,0,1,1", "--out", "x.pdf", "--rotate", "45"}, "--rotate takes"},
        {{"p.dxf", "--window", "0,0,1,1", "--out", "x.pdf", "--style", "grey"}, "--style takes"},
        {{"p.dxf", "--window", "0,0,1,1", "--out", "x.pdf", "--dpi", "0"}, "--dpi takes"},
        {{"p.dxf", "--frames"}, "needs --out-dir"},
        {{"p.dxf", "--frames", "--out-dir", "d", "--format", "doc"}, "--format takes"},
        {{"p.dxf", "--frames", "--out-dir", "d", "--paper", "A1"}, "--paper belongs"},
        {{"p.dxf", "q.dxf", "--frames", "--out-dir", "d"}, "second one"},
        {{"p.dxf", "--frames", "--out-dir"}, "needs a value"},
        {{"p.dxf", "--frames", "--out-dir", "d", "--colour", "x"}, "unknown option"},
    };
    for (const auto& [args, expected] : cases) {
        Options o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error)) << expected;
        EXPECT_NE(error.find(expected), std::string::npos) << "got \"" << error << "\", wanted \"" << expected << "\"";
    }
}

// A scene whose entities' extents the test sets; drawing it draws each box that meets the window.
class BoxScene : public vx::render::Scene {
public:
    std::map<AcDbObjectId, Box2> boxes;
    int draws = 0;
    void draw(AcDbObjectId, const Box2& window, const vx::render::DrawOptions&, vx::render::PrimitiveSink& sink,
              vx::render::DrawStats& stats) override {
        ++draws;
        for (const auto& [id, b] : boxes) {
            if (!b.intersects(window)) continue;
            vx::render::Geometry g;
            g.lines.push_back({{{b.x0, b.y0}, {b.x1, b.y0}, {b.x1, b.y1}, {b.x0, b.y1}}, true});
            sink.add({{255, 255, 255, 7}, 50}, g, {});
            ++stats.entities;
        }
        stats.unknown = 2;
    }
    Box2 extents(AcDbObjectId) override { return {}; }
    Box2 entityExtents(AcDbObjectId id) override {
        auto found = boxes.find(id);
        return found == boxes.end() ? Box2{} : found->second;
    }
};

class VxplotJobs : public ::testing::Test {
protected:
    VxplotJobs() {
        AcDbObjectPointer<AcDbLayerTable> lt(db.layerTableId(), AcDb::kForWrite);
        for (const wchar_t* name : {L"C-TK", L"WALLS"}) {
            auto* l = new AcDbLayerTableRecord();
            l->setName(name);
            AcDbObjectId id;
            lt->add(id, l);
            l->close();
            layers[name] = id;
        }
        lt.close();
        AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId(), AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord();
        b->setName(L"CODE-A1");
        bt->add(block, b);
        b->close();
    }

    // A frame reference on `layer` whose extents the scene reports as `box`.
    void addFrame(const Box2& box, const wchar_t* layer = L"C-TK") {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        auto* r = new AcDbBlockReference(AcGePoint3d(box.x0, box.y0, 0), block);
        r->setLayer(layers[layer]);
        AcDbObjectId id;
        ASSERT_EQ(ms->appendAcDbEntity(id, r), Acad::eOk);
        r->close();
        scene.boxes[id] = box;
    }

    int run(std::vector<const char*> args) {
        Options o;
        std::string error;
        EXPECT_TRUE(parse(args, o, error)) << error;
        Context r{db, scene, fonts, out, err};
        return o.mode == Mode::Frames ? plotFrames(o, r) : plotWindow(o, r);
    }

    AcDbDatabase db;
    AcDbObjectId block;
    std::map<std::wstring, AcDbObjectId> layers;
    BoxScene scene;
    vx::plot::test::StandInFonts fonts;
    vx::plot::test::TempFolder folder;
    std::ostringstream out, err;
};

TEST_F(VxplotJobs, FramesAreFoundOnTheirLayerInReadingOrder) {
    addFrame({90000, 0, 174100, 59400});       // lower row, right
    addFrame({0, 70000, 84100, 129400});       // upper row, left
    addFrame({0, 0, 84100, 59400});            // lower row, left
    addFrame({90000, 70500, 174100, 129900});  // upper row, right, a little higher
    addFrame({300000, 0, 301000, 1000}, L"WALLS");
    std::vector<Frame> frames;
    ASSERT_TRUE(framesOnLayer(db, scene, "c-tk", frames));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].extents.x0, 0);
    EXPECT_EQ(frames[0].extents.y0, 70000);
    EXPECT_EQ(frames[1].extents.x0, 90000);
    EXPECT_EQ(frames[1].extents.y0, 70500);
    EXPECT_EQ(frames[2].extents.y0, 0);
    EXPECT_EQ(frames[2].extents.x0, 0);
    EXPECT_EQ(frames[3].extents.x0, 90000);
    EXPECT_FALSE(framesOnLayer(db, scene, "NO-SUCH-LAYER", frames));
}

TEST_F(VxplotJobs, SheetsOfDifferentSizesOnOneBaseLineAreOneRow) {
    addFrame({300000, 0, 329700, 21000});        // A4 landscape
    addFrame({0, 0, 118900, 84100});             // A0
    addFrame({130000, 0, 189400, 42000});        // A2
    addFrame({200000, 0, 221000, 29700});        // A4 portrait
    addFrame({0, -100000, 84100, -40600});       // the next row: A1 below
    std::vector<Frame> frames;
    ASSERT_TRUE(framesOnLayer(db, scene, "C-TK", frames));
    ASSERT_EQ(frames.size(), 5u);
    const double expected[] = {0, 130000, 200000, 300000, 0};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(frames[i].extents.x0, expected[i]) << i;
    EXPECT_EQ(frames[4].extents.y0, -100000);
}

TEST_F(VxplotJobs, EveryFrameGoesToAFileOfItsOwnOnTheSheetItFits) {
    addFrame({0, 0, 84100, 59400});
    addFrame({100000, 0, 121000, 29700});  // A4 portrait
    const std::string dir = folder.file("plots/new");
    EXPECT_EQ(run({"/data/project.dxf", "--frames", "--out-dir", dir.c_str()}), 0) << err.str();
    const std::string transcript = out.str();
    EXPECT_NE(transcript.find("[1/2] project-01.pdf  A1 landscape  1 primitive, 2 entities of unknown kinds"),
              std::string::npos) << transcript;
    EXPECT_NE(transcript.find("[2/2] project-02.pdf  A4 portrait"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("2 of 2 frames plotted to " + dir), std::string::npos) << transcript;
    double w = 0, h = 0;
    ASSERT_TRUE(vx::plot::test::pdfPageSizeMm(dir + "/project-02.pdf", 1, w, h));
    EXPECT_NEAR(w, 210, 0.2);
    EXPECT_NEAR(h, 297, 0.2);
    ASSERT_TRUE(vx::plot::test::pdfPageSizeMm(dir + "/project-01.pdf", 1, w, h));
    EXPECT_NEAR(w, 841, 0.2);
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(VxplotJobs, AWindowGoesToTheNamedSheetTurnedToFit) {
    addFrame({0, 0, 59400, 84100});  // a portrait frame on landscape A1: turned by auto
    const std::string file = folder.file("w.plt");
    EXPECT_EQ(run({"p.dxf", "--window", "0,0,59400,84100", "--paper", "A1", "--out", file.c_str()}), 0) << err.str();
    EXPECT_NE(out.str().find("A1 landscape"), std::string::npos) << out.str();
    const std::string plt = vx::plot::test::readFile(file);
    EXPECT_NE(plt.find("PS33640,23760;"), std::string::npos);
    // The frame's corner (0,0) lands at the lower right of the sheet after a quarter turn.
    EXPECT_NE(plt.find("PU33640,"), std::string::npos) << plt.substr(0, 300);
}

TEST_F(VxplotJobs, FailuresAreSaidAndGiveANonZeroStatus) {
    addFrame({0, 0, 84100, 59400});
    const std::string blocker = folder.file("file");
    std::ofstream(blocker) << "x";
    EXPECT_EQ(run({"p.dxf", "--frames", "--out-dir", blocker.c_str()}), 1);
    EXPECT_NE(err.str().find("cannot make the folder"), std::string::npos) << err.str();

    err.str("");
    EXPECT_EQ(run({"p.dxf", "--frames", "--layer", "FRAMES", "--out-dir", folder.file("plots").c_str()}), 1);
    EXPECT_NE(err.str().find("no layer \"FRAMES\""), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(folder.file("plots"))) << "a refused run made its folder";

    err.str("");
    const std::string missing = folder.file("missing/w.pdf");
    EXPECT_EQ(run({"p.dxf", "--window", "0,0,100,100", "--out", missing.c_str()}), 1);
    EXPECT_EQ(err.str().rfind("vxplot: " + missing + ": ", 0), 0u) << err.str();  // the file named once
    EXPECT_EQ(err.str().find(missing, 10 + missing.size()), std::string::npos) << err.str();

    // A frame whose file cannot be written fails alone; the others are plotted.
    addFrame({100000, 0, 184100, 59400});
    const std::string dir = folder.file("some");
    std::filesystem::create_directories(dir + "/p-01.pdf");  // a folder where the first file goes
    out.str("");
    err.str("");
    EXPECT_EQ(run({"p.dxf", "--frames", "--out-dir", dir.c_str()}), 1);
    EXPECT_NE(err.str().find("p-01.pdf"), std::string::npos) << err.str();
    EXPECT_NE(out.str().find("[2/2] p-02.pdf"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 of 2 frames plotted"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 failed"), std::string::npos) << out.str();
}

TEST_F(VxplotJobs, NoFramesOnTheLayerIsSaidAndIsNoError) {
    EXPECT_EQ(run({"p.dxf", "--frames", "--out-dir", folder.path().c_str()}), 0);
    EXPECT_NE(out.str().find("nothing plotted"), std::string::npos);
}

}  // namespace
}  // namespace vxplot
