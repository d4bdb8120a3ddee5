// The XPS ("DWF") package: a valid ZIP with the parts XPS viewers need, opened by libgxps.
#include <QColor>
#include <QImage>

#include "plot/output_format.h"
#include "plot/zip_writer.h"
#include "plot_test_support.h"
#include "stand_in_fonts.h"

namespace vx::plot {
namespace {

using test::readFile;
using test::runCommand;

class XpsOutput : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::StandInFonts fonts;
};

TEST_F(XpsOutput, XpstopdfOpensEveryPageAtItsPaperSize) {
    const std::string path = folder.file("set.dwfx");
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Dwfx, path, fonts, error);
    ASSERT_TRUE(canvas) << error;
    ASSERT_TRUE(plotPage(test::samplePage(841, 594), test::sampleSource(841, 594), *canvas, error)) << error;
    ASSERT_TRUE(plotPage(test::samplePage(297, 420), test::sampleSource(297, 420), *canvas, error)) << error;
    ASSERT_TRUE(canvas->finish(error)) << error;

    const std::string pdf = folder.file("set.pdf");
    int status = 0;
    runCommand("xpstopdf '" + path + "' '" + pdf + "'", &status);
    ASSERT_EQ(status, 0);
    double w = 0, h = 0;
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 1, w, h));
    EXPECT_NEAR(w, 841, 0.5);
    EXPECT_NEAR(h, 594, 0.5);
    ASSERT_TRUE(test::pdfPageSizeMm(pdf, 2, w, h));
    EXPECT_NEAR(w, 297, 0.5);
    EXPECT_NEAR(h, 420, 0.5);
}

TEST_F(XpsOutput, ThePackageHoldsItsPartsAndTheDrawingShowsWhereItWasDrawn) {
    const std::string path = folder.file("a4.dwfx");
    std::string error;
    auto canvas = makeFileCanvas(OutputFormat::Dwfx, path, fonts, error);
    ASSERT_TRUE(plotPage(test::samplePage(297, 210), test::sampleSource(297, 210), *canvas, error)) << error;
    ASSERT_TRUE(canvas->finish(error)) << error;

    const std::string script = folder.file("zip.py");
    std::ofstream(script) << "import sys, zipfile\n"
                             "z = zipfile.ZipFile(sys.argv[1])\n"
                             "print('bad' if z.testzip() else 'ok')\n"
                             "for n in z.namelist(): print(n)\n"
                             "print(z.read('docProps/core.xml').decode())\n";
    const std::string listing = runCommand("python3 '" + script + "' '" + path + "'");
    EXPECT_EQ(listing.rfind("ok\n", 0), 0u) << listing;
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "FixedDocumentSequence.fdseq", "FixedDocument.fdoc",
                             "Pages/1.fpage"})
        EXPECT_NE(listing.find(part), std::string::npos) << part;
    EXPECT_NE(listing.find("<dc:title>首层平面图</dc:title>"), std::string::npos);

    // Rendered at 96 ppi (one pixel per XPS unit): the red line three quarters up, the hairline
    // diagonal dark.
    const std::string prefix = folder.file("page");
    int status = 0;
    runCommand("xpstopng -r 96 '" + path + "' '" + prefix + "'", &status);
    ASSERT_EQ(status, 0);
    QImage image(QString::fromStdString(prefix + "-1.png"));
    ASSERT_FALSE(image.isNull());
    const QColor red = image.pixelColor(image.width() / 2, static_cast<int>(image.height() * 0.25));
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.green(), 80);
    const int x = image.width() / 4;
    const int y = image.height() - 1 - x * image.height() / image.width();
    int darkest = 255;
    for (int dy = -2; dy <= 2; ++dy) darkest = std::min(darkest, qGray(image.pixel(x, y + dy)));
    EXPECT_LT(darkest, 160);
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
}

TEST(ZipWriter, PythonReadsBackStoredAndDeflatedEntries) {
    test::TempFolder folder;
    ZipWriter zip;
    std::string error;
    const std::string repeated(10000, 'a');
    ASSERT_TRUE(zip.add("deflated.txt", repeated, error));
    ASSERT_TRUE(zip.add("stored.bin", std::string("\x01\x02", 2), error));
    ASSERT_TRUE(zip.add("empty", "", error));
    const std::string bytes = zip.finish();
    EXPECT_LT(bytes.size(), 1000u);
    const std::string path = folder.file("t.zip");
    std::ofstream(path, std::ios::binary) << bytes;
    const std::string script = folder.file("zip.py");
    std::ofstream(script) << "import sys, zipfile\n"
                             "z = zipfile.ZipFile(sys.argv[1])\n"
                             "print(z.testzip(), len(z.read('deflated.txt')), z.read('stored.bin').hex(), "
                             "len(z.read('empty')), [i.compress_type for i in z.infolist()])\n";
    EXPECT_EQ(runCommand("python3 '" + script + "' '" + path + "'"), "None 10000 0102 0 [8, 0, 0]\n");
}

}  // namespace
}  // namespace vx::plot
