// The vxplot program on the shipped sample project: its frames plotted with the real scene and
// fonts, every format read back by a program of its own (poppler, Python's XML parser, hp2xx,
// xpstopdf), and the mistakes a user makes answered with a message and a status.
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "plot_test_support.h"

namespace vx::plot::test {
namespace {

const std::string kProject = std::string(VX_SOURCE_DIR) + "/samples/drawings/project.dxf";
// The ground-floor plan, first frame of the second row: the one with the rooms' names (A1 in
// mm x 100).
const char* const kRoomsWindow = "0,-128800,84100,-69400";

struct Outcome {
    int status = -1;
    std::string output;  // standard output and error together
};

Outcome vxplot(const std::string& arguments) {
    Outcome run;
    run.output = runCommand("(" + std::string(VX_VXPLOT) + " " + arguments + " 2>&1)", &run.status);
    return run;
}

// Pixels darker than mid grey.
int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

int colouredPixels(const QImage& image) {
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            coloured += std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 40;
        }
    return coloured;
}

size_t countOf(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

TEST(VxplotProgram, EveryFrameOfTheSampleProjectBecomesASearchablePdfOnItsSheet) {
    TempFolder folder;
    const Outcome run = vxplot("'" + kProject + "' --frames --out-dir '" + folder.file("out") + "' --format pdf");
    ASSERT_EQ(run.status, 0) << run.output;
    // Progress: one numbered line per file, then the summary.
    EXPECT_EQ(countOf(run.output, "/9] project-"), 9u) << run.output;
    EXPECT_NE(run.output.find("9 of 9 frames plotted"), std::string::npos) << run.output;
    // The set's sheets in reading order: A1 notes, A3 schedule, three A1 plans, the A0 elevations,
    // the lengthened A1 on A0, the A2 stair details and the upright A4 catalogue.
    const double sheets[9][2] = {{841, 594}, {420, 297}, {841, 594}, {841, 594}, {841, 594},
                                 {1189, 841}, {1189, 841}, {594, 420}, {210, 297}};
    for (int i = 1; i <= 9; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "out/project-%02d.pdf", i);
        double w = 0, h = 0;
        ASSERT_TRUE(pdfPageSizeMm(folder.file(name), 1, w, h)) << name;
        EXPECT_NEAR(w, sheets[i - 1][0], 0.5) << name;
        EXPECT_NEAR(h, sheets[i - 1][1], 0.5) << name;
    }
    // Reading order: the first frame carries the first drawing number, the third the rooms.
    const std::string first = runCommand("pdftotext '" + folder.file("out/project-01.pdf") + "' -");
    EXPECT_NE(first.find("建施-01"), std::string::npos) << first;
    const std::string third = runCommand("pdftotext '" + folder.file("out/project-03.pdf") + "' -");
    EXPECT_NE(third.find("客厅"), std::string::npos) << third;
    EXPECT_EQ(third.find("建施-01"), std::string::npos) << "another frame's title block on the third page";
    const std::string fonts = runCommand("pdffonts '" + folder.file("out/project-03.pdf") + "'");
    EXPECT_NE(fonts.find(" yes "), std::string::npos) << fonts;
    // Walls, columns and the frame lines are ink on the page.
    runCommand("pdftoppm -r 30 -png -singlefile '" + folder.file("out/project-03.pdf") + "' '" +
               folder.file("third") + "'");
    const QImage page(QString::fromStdString(folder.file("third.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(darkPixels(page), page.width() * 4);
}

TEST(VxplotProgram, AWindowGoesToEveryFormatAndEachOpensElsewhere) {
    TempFolder folder;
    const std::string window = "'" + kProject + "' --window " + kRoomsWindow + " --paper A1 --out ";

    Outcome run = vxplot(window + "'" + folder.file("rooms.svg") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    int status = -1;
    const std::string texts = runCommand(
        "/usr/bin/python3 -c \"import sys,xml.etree.ElementTree as E; "
        "print(' '.join(''.join(t.itertext()) for t in E.parse(sys.argv[1]).iter('{http://www.w3.org/2000/svg}text')))\" '" +
            folder.file("rooms.svg") + "'",
        &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(texts.find("客厅"), std::string::npos) << texts;

    run = vxplot(window + "'" + folder.file("rooms.png") + "' --dpi 40");
    ASSERT_EQ(run.status, 0) << run.output;
    const QImage png(QString::fromStdString(folder.file("rooms.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_NEAR(png.width(), 841 / 25.4 * 40, 2);
    EXPECT_NEAR(png.height(), 594 / 25.4 * 40, 2);
    EXPECT_GT(darkPixels(png), png.width() * 4);

    run = vxplot(window + "'" + folder.file("rooms.plt") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    runCommand("hp2xx -q -m png -f '" + folder.file("plt.png") + "' '" + folder.file("rooms.plt") + "'", &status);
    ASSERT_EQ(status, 0);
    const QImage plotted(QString::fromStdString(folder.file("plt.png")));
    ASSERT_FALSE(plotted.isNull());
    EXPECT_GT(darkPixels(plotted), plotted.width() * 2);

    run = vxplot(window + "'" + folder.file("rooms.dwfx") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    runCommand("xpstopdf '" + folder.file("rooms.dwfx") + "' '" + folder.file("dwfx.pdf") + "'", &status);
    ASSERT_EQ(status, 0);
    double w = 0, h = 0;
    ASSERT_TRUE(pdfPageSizeMm(folder.file("dwfx.pdf"), 1, w, h));
    EXPECT_NEAR(w, 841, 0.5);
    EXPECT_NEAR(h, 594, 0.5);
}

TEST(VxplotProgram, MonochromeLeavesNoColourThatAsDrawnHas) {
    TempFolder folder;
    const std::string window = "'" + kProject + "' --window " + kRoomsWindow + " --dpi 30 --out ";
    ASSERT_EQ(vxplot(window + "'" + folder.file("colour.png") + "'").status, 0);
    ASSERT_EQ(vxplot(window + "'" + folder.file("mono.png") + "' --style monochrome").status, 0);
    const QImage colour(QString::fromStdString(folder.file("colour.png")));
    const QImage mono(QString::fromStdString(folder.file("mono.png")));
    ASSERT_FALSE(colour.isNull());
    ASSERT_FALSE(mono.isNull());
    EXPECT_GT(colouredPixels(colour), 100);
    EXPECT_EQ(colouredPixels(mono), 0);
    EXPECT_GE(darkPixels(mono), darkPixels(colour));
}

TEST(VxplotProgram, MistakesAreSaidWithAStatusAndNothingIsWritten) {
    TempFolder folder;
    struct Case {
        std::string arguments;
        int status;
        const char* says;
    };
    std::ofstream(folder.file("notes.dxf")) << "these are notes, not a drawing\n";
    std::ofstream(folder.file("blocker")) << "a file where the folder should go\n";
    const std::string project = "'" + kProject + "'";
    const Case cases[] = {
        {"", 2, "no drawing named"},
        {project + " --window 0,0,1 --out x.pdf", 2, "four numbers"},
        {project + " --frames --out-dir d --paper A9", 2, "unknown paper"},
        {project + " --window 0,0,10,10 --out x.doc", 2, "must end in"},
        {"'" + folder.file("missing.dxf") + "' --frames --out-dir '" + folder.file("o") + "'", 1, "no such file"},
        {"'" + folder.path() + "' --frames --out-dir '" + folder.file("o") + "'", 1, "is a folder"},
        {"'" + folder.file("notes.dxf") + "' --frames --out-dir '" + folder.file("o") + "'", 1, "cannot read"},
        {project + " --frames --out-dir '" + folder.file("blocker/out") + "'", 1, "cannot make the folder"},
        {project + " --frames --layer NO-SUCH --out-dir '" + folder.file("o") + "'", 1, "no layer \"NO-SUCH\""},
        {project + " --window " + kRoomsWindow + " --out '" + folder.file("nowhere/x.pdf") + "'", 1, "nowhere/x.pdf"},
    };
    for (const Case& c : cases) {
        const Outcome run = vxplot(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("vxplot: "), std::string::npos) << run.output;
    }
    // Usage goes with argument mistakes and is asked for with --help.
    EXPECT_NE(vxplot("--window").output.find("usage: vxplot"), std::string::npos);
    const Outcome help = vxplot("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: vxplot"), std::string::npos);
    // None of the refused runs left a file behind.
    EXPECT_FALSE(std::filesystem::exists(folder.file("o")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("nowhere")));
}

}  // namespace
}  // namespace vx::plot::test
