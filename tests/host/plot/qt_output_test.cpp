// PDF, SVG and PNG through QPainter, each read back by a program of its own: poppler for PDF,
// Python's XML parser for SVG, QImage for PNG.
#include <QColor>
#include <QImage>

#include "plot/gui_application.h"
#include "plot/output_format.h"
#include "render/font_library.h"
#include "plot_test_support.h"
#include "stand_in_fonts.h"

namespace vx::plot {
namespace {

using test::readFile;
using test::runCommand;

class QtOutput : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ensureGuiApplication(error)) << error;
    }

    // Plots the sample page of `w` x `h` mm into `name`; the file's path.
    std::string plotSample(const std::string& name, double w, double h, double dpi = 0) {
        const std::string path = folder.file(name);
        OutputFormat format;
        EXPECT_TRUE(formatFromPath(path, format));
        std::string error;
        auto canvas = makeFileCanvas(format, path, fonts, error);
        EXPECT_TRUE(canvas) << error;
        if (!canvas) return path;
        PageSetup setup = test::samplePage(w, h);
        setup.rasterDpi = dpi;
        EXPECT_TRUE(plotPage(setup, test::sampleSource(w, h), *canvas, error)) << error;
        EXPECT_TRUE(canvas->finish(error)) << error;
        return path;
    }

    test::TempFolder folder;
    test::StandInFonts fonts;
};

TEST_F(QtOutput, PdfHasThePapersSizeSearchableChineseAndAnEmbeddedFont) {
    const std::string pdf = plotSample("a1.pdf", 841, 594);
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, w, h));
    EXPECT_NEAR(w, 841, 0.2);
    EXPECT_NEAR(h, 594, 0.2);
    EXPECT_NE(runCommand("pdftotext '" + pdf + "' -").find(test::kTitleTextUtf8), std::string::npos);
    const std::string fontsList = runCommand("pdffonts '" + pdf + "'");
    EXPECT_NE(fontsList.find("WenQuanYi"), std::string::npos) << fontsList;
    // The "emb" column of the font's row.
    const size_t row = fontsList.find("WenQuanYi");
    ASSERT_NE(row, std::string::npos);
    const std::string line = fontsList.substr(row, fontsList.find('\n', row) - row);
    EXPECT_NE(line.find(" yes "), std::string::npos) << line;
    EXPECT_NE(runCommand("pdfinfo '" + pdf + "'").find("首层平面图"), std::string::npos);  // the title
}

TEST_F(QtOutput, PdfHairlinesAreTrueHairlines) {
    const std::string pdf = plotSample("hair.pdf", 297, 210);
    // Inflate every content stream and look for a zero line width.
    const std::string script = folder.file("streams.py");
    std::ofstream(script) << "import re, sys, zlib\n"
                             "data = open(sys.argv[1], 'rb').read()\n"
                             "for m in re.finditer(rb'stream\\r?\\n(.*?)endstream', data, re.S):\n"
                             "    try: print(zlib.decompress(m.group(1)).decode('latin-1'))\n"
                             "    except Exception: pass\n";
    const std::string content = runCommand("python3 '" + script + "' '" + pdf + "'");
    ASSERT_FALSE(content.empty());
    EXPECT_TRUE(content.find("\n0 w") != std::string::npos || content.find(" 0 w") != std::string::npos);
}

TEST_F(QtOutput, PdfPagesKeepTheirOwnSizes) {
    const std::string pdf = folder.file("two.pdf");
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Pdf, pdf, fonts, error);
    ASSERT_TRUE(canvas);
    for (auto [w, h] : {std::pair{841.0, 594.0}, std::pair{210.0, 297.0}})
        ASSERT_TRUE(plotPage(test::samplePage(w, h), test::sampleSource(w, h), *canvas, error)) << error;
    ASSERT_TRUE(canvas->finish(error)) << error;
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 2, w, h));
    EXPECT_NEAR(w, 210, 0.2);
    EXPECT_NEAR(h, 297, 0.2);
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, w, h));
    EXPECT_NEAR(w, 841, 0.2);
}

TEST_F(QtOutput, SvgIsMillimetreSizedWithRealText) {
    const std::string svg = plotSample("a3.svg", 420, 297);
    const std::string script = folder.file("svg.py");
    std::ofstream(script) << "import sys, xml.etree.ElementTree as ET\n"
                             "root = ET.parse(sys.argv[1]).getroot()\n"
                             "ns = '{http://www.w3.org/2000/svg}'\n"
                             "print(root.get('width'), root.get('height'))\n"
                             "for t in root.iter(ns + 'text'):\n"
                             "    print('TEXT', ''.join(t.itertext()).strip())\n"
                             "for c in root.iter(ns + 'clipPath'):\n"
                             "    r = c.find(ns + 'rect')\n"
                             "    print('CLIP', r.get('x'), r.get('y'), r.get('width'), r.get('height'))\n"
                             "g = [e for e in root if e.get('clip-path') == 'url(#plotWindow)']\n"
                             "print('CLIPPED', len(g), len(list(g[0].iter(ns + 'text'))) if g else 0)\n";
    const std::string out = runCommand("python3 '" + script + "' '" + svg + "'");
    EXPECT_EQ(out.substr(0, out.find('\n')), "420mm 297mm");
    EXPECT_NE(out.find(std::string("TEXT ") + test::kTitleTextUtf8), std::string::npos) << out;
    // The window (the whole sheet here, in hundredths of a millimetre) clips everything drawn.
    EXPECT_NE(out.find("CLIP 0 0 42000 29700"), std::string::npos) << out;
    EXPECT_NE(out.find("CLIPPED 1 1"), std::string::npos) << out;
}

TEST_F(QtOutput, PngIsWhitePaperWithHairlinesOfOneFullPixel) {
    const std::string png = plotSample("a4.png", 297, 210, 100);
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1170);  // 297 mm at 100 dpi, rounded up
    EXPECT_EQ(image.height(), 827);
    EXPECT_NEAR(image.dotsPerMeterX(), 3937, 1);
    EXPECT_EQ(image.pixelColor(image.width() - 3, 3), QColor(Qt::white));
    // Along the width-0 diagonal every column has a dark pixel where the line runs.
    int dark = 0, columns = 0;
    for (int x = 50; x < image.width() * 45 / 100; x += 7, ++columns) {
        const int y = static_cast<int>(std::lround(image.height() - 1 - x * (image.height() - 1.0) / (image.width() - 1.0)));
        for (int dy = -1; dy <= 1; ++dy)
            if (y + dy >= 0 && y + dy < image.height() && qGray(image.pixel(x, y + dy)) < 80) {
                ++dark;
                break;
            }
    }
    EXPECT_EQ(dark, columns);
    // The 1 mm red line at three quarters of the height is red and about 4 pixels thick.
    const int redRow = static_cast<int>(image.height() * 0.25);
    const QColor red = image.pixelColor(image.width() / 2, redRow);
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.green(), 60);
    EXPECT_EQ(image.pixelColor(image.width() / 2, redRow - 6), QColor(Qt::white));
}

TEST_F(QtOutput, SinglePageFormatsRefuseASecondPageWithAReason) {
    for (const char* name : {"one.png", "one.svg"}) {
        const std::string path = folder.file(name);
        OutputFormat format;
        ASSERT_TRUE(formatFromPath(path, format));
        std::string error;
        auto canvas = makeFileCanvas(format, path, fonts, error);
        ASSERT_TRUE(canvas);
        ASSERT_TRUE(plotPage(test::samplePage(100, 100), test::sampleSource(100, 100), *canvas, error));
        EXPECT_FALSE(plotPage(test::samplePage(100, 100), test::sampleSource(100, 100), *canvas, error));
        EXPECT_NE(error.find("one page"), std::string::npos) << error;
        // The first page is still written.
        EXPECT_TRUE(canvas->finish(error)) << error;
        EXPECT_FALSE(readFile(path).empty());
    }
}

TEST_F(QtOutput, AnUnwritableFolderIsReportedAndAHugeRasterRefused) {
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Pdf, folder.file("missing/x.pdf"), fonts, error);
    ASSERT_TRUE(canvas);
    ASSERT_TRUE(plotPage(test::samplePage(100, 100), test::sampleSource(100, 100), *canvas, error));
    EXPECT_FALSE(canvas->finish(error));
    EXPECT_NE(error.find(folder.file("missing/x.pdf") + ": "), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;

    auto png = makeFileCanvas(OutputFormat::Png, folder.file("huge.png"), fonts, error);
    PageSetup setup = test::samplePage(1189, 841);
    setup.rasterDpi = 1200;
    EXPECT_FALSE(plotPage(setup, test::sampleSource(1189, 841), *png, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(png->finish(error));
    EXPECT_FALSE(std::filesystem::exists(folder.file("huge.png")));
}

// With the renderer's font library: the text a style asks for by its Windows name is drawn in
// the face the library chose, as long as the library measured it, and stays searchable.
TEST_F(QtOutput, TextsOfTheFontLibraryAreDrawnAsLongAsTheyWereMeasured) {
    render::FontLibraryConfig config;
    config.tableFile = folder.file("no-office-table.ini");
    auto library = render::makeFontLibrary(config);
    render::FontRequest request;
    request.family = L"黑体";
    const render::FontId font = library->resolve(request);
    const double height = 10, advance = library->advance(font, test::kTitleText);
    ASSERT_GT(advance, 5);
    const auto source = [&](render::PrimitiveSink& sink, const render::Box2&, double) {
        render::Geometry g;
        g.texts.push_back({test::kTitleText, font, render::Affine::scaling(height, height).then(render::Affine::translation(20, 50)),
                           advance, false, false});
        sink.add(test::testPen(0, 0, 0, 7, 0), g, {});
    };
    PageSetup setup = test::samplePage(297, 210);
    setup.rasterDpi = 200;
    std::string error;
    for (const char* name : {"lib.png", "lib.pdf"}) {
        OutputFormat format;
        ASSERT_TRUE(formatFromPath(name, format));
        auto canvas = makeFileCanvas(format, folder.file(name), *library, error);
        ASSERT_TRUE(canvas && plotPage(setup, source, *canvas, error) && canvas->finish(error)) << error;
    }
    EXPECT_NE(runCommand("pdftotext '" + folder.file("lib.pdf") + "' -").find(test::kTitleTextUtf8), std::string::npos);
    // The inked width on the raster is the measured advance (less the side bearings).
    QImage image(QString::fromStdString(folder.file("lib.png")));
    ASSERT_FALSE(image.isNull());
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) left = std::min(left, x), right = std::max(right, x);
    const double inkedMm = (right - left + 1) * 25.4 / 200;
    EXPECT_NEAR(inkedMm, advance * height, advance * height * 0.04) << "advance " << advance * height << " mm";
    EXPECT_NEAR(left * 25.4 / 200, 20, 1.0);
}

TEST(OutputFormat, FormatsFollowTheExtensionWithoutCase) {
    OutputFormat f;
    ASSERT_TRUE(formatFromPath("/a/b/Plan.PDF", f));
    EXPECT_EQ(f, OutputFormat::Pdf);
    ASSERT_TRUE(formatFromPath("x.dwfx", f));
    EXPECT_EQ(f, OutputFormat::Dwfx);
    ASSERT_TRUE(formatFromPath("x.hpgl", f));
    EXPECT_EQ(f, OutputFormat::Plt);
    EXPECT_FALSE(formatFromPath("x.dwg", f));
    EXPECT_FALSE(formatFromPath("folder.pdf/plan", f));
    EXPECT_STREQ(formatExtension(OutputFormat::Png), ".png");
}

}  // namespace
}  // namespace vx::plot
