// HPGL/2 output: the commands a plotter needs, in plotter units, and hp2xx reading the file back
// into an image with the lines where they were drawn.
#include <QColor>
#include <QImage>

#include "plot/output_format.h"
#include "plot/page.h"
#include "render/font_library.h"
#include "plot_test_support.h"
#include "stand_in_fonts.h"

namespace vx::plot {
namespace {

using test::readFile;
using test::runCommand;

class HpglOutput : public ::testing::Test {
protected:
    std::string plot(const std::string& name, const PageSetup& setup, const PrimitiveSource& source) {
        const std::string path = folder.file(name);
        std::string error;
        auto canvas = makeFileCanvas(OutputFormat::Plt, path, fonts, error);
        EXPECT_TRUE(canvas) << error;
        EXPECT_TRUE(plotPage(setup, source, *canvas, error)) << error;
        EXPECT_TRUE(canvas->finish(error)) << error;
        return path;
    }
    test::TempFolder folder;
    test::StandInFonts fonts;
};

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(HpglOutput, TheFileCarriesPageSizePensWindowAndPlotterUnits) {
    const std::string plt = readFile(plot("a1.plt", test::samplePage(841, 594), test::sampleSource(841, 594)));
    EXPECT_EQ(plt.rfind("BP;IN;PS33640,23760;", 0), 0u) << plt.substr(0, 40);
    EXPECT_NE(plt.find("WU0;"), std::string::npos);
    // Pens in order of use: the blue fill first, then the black hairline (the dots share it), the
    // red 1 mm line, the text's 0.25 mm black.
    EXPECT_NE(plt.find("PC1,0,0,255;PW0,1;"), std::string::npos);
    EXPECT_NE(plt.find("PC2,0,0,0;PW0,2;"), std::string::npos);
    EXPECT_NE(plt.find("PC3,255,0,0;PW1,3;"), std::string::npos);
    EXPECT_NE(plt.find("PC4,0,0,0;PW0.25,4;"), std::string::npos);
    EXPECT_NE(plt.find("NP8;"), std::string::npos);
    EXPECT_NE(plt.find("IW0,0,33640,23760;"), std::string::npos);
    // The diagonal from corner to corner, in plotter units.
    EXPECT_NE(plt.find("SP2;PU0,0;PD33640,23760;"), std::string::npos);
    // The square with its hole is one polygon of two rings, filled even-odd.
    EXPECT_NE(plt.find(";PM0;"), std::string::npos);
    EXPECT_NE(plt.find("PM1;"), std::string::npos);
    EXPECT_NE(plt.find("PM2;FP0;"), std::string::npos);
    EXPECT_EQ(plt.substr(plt.size() - 7), "SP0;PG;");
}

TEST_F(HpglOutput, TextBecomesGlyphGeometry) {
    const std::string plt = readFile(plot("text.plt", test::samplePage(297, 210), test::sampleSource(297, 210)));
    EXPECT_EQ(fonts.glyphCalls, 1);
    // The fill square plus one polygon per character of "建施-01 首层平面图".
    EXPECT_EQ(count(plt, "PM0;"), 1u + 11u);
    EXPECT_EQ(plt.find("LB"), std::string::npos);  // no device labels: they have no Chinese
}

TEST_F(HpglOutput, Hp2xxDrawsTheLinesWhereTheyWere) {
    PageSetup setup = test::samplePage(400, 300);
    const std::string path = plot("lines.plt", setup, [](render::PrimitiveSink& sink, const render::Box2&, double) {
        render::Geometry g;
        g.lines.push_back({{{40, 225}, {360, 225}}, false});  // three quarters up
        sink.add(test::testPen(255, 0, 0, 1, 50), g, {});
        render::Geometry frame;
        frame.lines.push_back({{{0, 0}, {400, 0}, {400, 300}, {0, 300}}, true});
        sink.add(test::testPen(0, 0, 0, 7, 0), frame, {});
        render::Geometry ring;  // a blue square with a square hole, low on the right
        ring.fills.push_back({{{{250, 30}, {370, 30}, {370, 150}, {250, 150}}, {{280, 60}, {340, 60}, {340, 120}, {280, 120}}}});
        sink.add(test::testPen(0, 0, 255, 5, 0), ring, {});
    });
    const std::string png = folder.file("lines.png");
    int status = 0;
    runCommand("hp2xx -q -m png -f '" + png + "' '" + path + "'", &status);
    ASSERT_EQ(status, 0);
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    // hp2xx maps the plot size onto its image: the red line lies a quarter down from the top.
    int redRows = 0, redAbove = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(image.width() / 2, y);
        if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
            ++redRows;
            if (y < image.height() / 2) ++redAbove;
            EXPECT_NEAR(y, image.height() / 4.0, image.height() / 20.0);
        }
    }
    EXPECT_GT(redRows, 0);
    EXPECT_EQ(redAbove, redRows);
    // The hairline frame shows on the left edge.
    int dark = 0;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                ++dark;
                break;
            }
    EXPECT_GT(dark, image.height() / 3);
    // The fill is blue around its hole and the paper shows through the hole.
    auto at = [&](double xMm, double yMm) {
        return image.pixelColor(static_cast<int>(xMm / 400 * image.width()), static_cast<int>((300 - yMm) / 300 * image.height()));
    };
    EXPECT_EQ(at(260, 90), QColor(Qt::blue));
    EXPECT_EQ(at(310, 140), QColor(Qt::blue));
    EXPECT_EQ(at(310, 90), QColor(Qt::white));
}

TEST_F(HpglOutput, TheFontLibrarysOutlinesAreFilledWhereTheTextStands) {
    render::FontLibraryConfig config;
    config.tableFile = folder.file("no-office-table.ini");
    auto library = render::makeFontLibrary(config);
    render::FontRequest request;
    request.fontFile = L"simsun.ttc";
    const render::FontId font = library->resolve(request);
    const double advance = library->advance(font, L"首层平面图");
    const std::string path = folder.file("text.plt");
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Plt, path, *library, error);
    ASSERT_TRUE(canvas);
    // 20 mm high characters from (20, 100) on a 200 x 200 mm sheet.
    ASSERT_TRUE(plotPage(test::samplePage(200, 200), [&](render::PrimitiveSink& sink, const render::Box2&, double) {
        render::Geometry g;
        g.texts.push_back({L"首层平面图", font, render::Affine::scaling(20, 20).then(render::Affine::translation(20, 100)),
                           advance, false, false});
        sink.add(test::testPen(0, 0, 0, 7, 0), g, {});
    }, *canvas, error)) << error;
    ASSERT_TRUE(canvas->finish(error)) << error;
    const std::string png = folder.file("text.png");
    int status = 0;
    runCommand("hp2xx -q -m png -f '" + png + "' '" + path + "'", &status);
    ASSERT_EQ(status, 0);
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    // Ink only in the band of the text (Chinese characters reach above the capitals' height).
    int inBand = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128) continue;
            const double yMm = 200.0 * (image.height() - y) / image.height();
            const double xMm = 200.0 * x / image.width();
            (yMm > 90 && yMm < 135 && xMm > 18 && xMm < 22 + 20 * advance ? inBand : outside)++;
        }
    EXPECT_GT(inBand, image.width() * image.height() / 100);
    EXPECT_EQ(outside, 0);
}

TEST_F(HpglOutput, BeyondTheLargestPenTablePensShareTheNearest) {
    const std::string plt = readFile(plot("pens.plt", test::samplePage(300, 300), [](render::PrimitiveSink& sink,
                                                                                       const render::Box2&, double) {
        for (int i = 0; i < 300; ++i) {
            render::Geometry g;
            g.lines.push_back({{{1.0 * i, 0}, {1.0 * i, 10}}, false});
            sink.add(test::testPen(static_cast<uint8_t>(i % 256), static_cast<uint8_t>(i / 256), 0, 0, 0), g, {});
        }
    }));
    EXPECT_NE(plt.find("NP256;"), std::string::npos);
    EXPECT_NE(plt.find("PC255,"), std::string::npos);
    EXPECT_EQ(plt.find("PC256,"), std::string::npos);
    EXPECT_EQ(plt.find("SP256;"), std::string::npos);
    EXPECT_EQ(count(plt, "PD"), 300u);  // every line is still drawn
}

TEST_F(HpglOutput, PagesFollowEachOtherWithTheirOwnSizes) {
    const std::string path = folder.file("two.plt");
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Plt, path, fonts, error);
    ASSERT_TRUE(plotPage(test::samplePage(841, 594), test::sampleSource(841, 594), *canvas, error));
    ASSERT_TRUE(plotPage(test::samplePage(210, 297), test::sampleSource(210, 297), *canvas, error));
    ASSERT_TRUE(canvas->finish(error)) << error;
    const std::string plt = readFile(path);
    EXPECT_EQ(count(plt, "PG;"), 2u);
    EXPECT_LT(plt.find("PS33640,23760;"), plt.find("PS8400,11880;"));
}

}  // namespace
}  // namespace vx::plot
