// The host's .pc3/.pmp keys: written and read back, media it cannot use named, every shipped
// file readable, and the vxpia tool's text round trip.
#include <string>
#include <vector>

#include "plot/device_config.h"
#include "plot/host_plot_files.h"
#include "plot/pia_file.h"
#include "plot/plot_style_file.h"
#include "plot_test_support.h"
#include "text/encoding.h"

namespace vx::plot {
namespace {

TEST(DeviceFiles, ConfigurationAndMediaRoundTrip) {
    DeviceConfig config;
    config.description = L"图纸 PDF";
    config.driver = DriverKind::Plt;
    config.extension = L".plt";
    config.plotToFile = 2;
    config.resolution = 1016;
    config.mediaFile = L"DWG TO PLT.pmp";
    config.media.push_back(makeMedium(L"ISO_A3_(420.00_x_297.00_MM)", L"A3", 420, 297, 5, 6, 7, 8));
    std::string bytes, error;
    ASSERT_TRUE(writeDeviceConfig(config, bytes, error)) << error;
    DeviceConfig back;
    std::vector<std::string> warnings;
    ASSERT_TRUE(readDeviceConfig(bytes, back, warnings, error)) << error;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(back.description, config.description);
    EXPECT_EQ(back.driver, DriverKind::Plt);
    EXPECT_EQ(back.extension, L".plt");
    EXPECT_EQ(back.resolution, 1016u);
    EXPECT_EQ(back.mediaFile, L"DWG TO PLT.pmp");
    ASSERT_EQ(back.media.size(), 1u);
    EXPECT_EQ(back.media[0].display, L"A3");
    EXPECT_DOUBLE_EQ(back.media[0].printableMm.x0, 5);
    EXPECT_DOUBLE_EQ(back.media[0].printableMm.y1, 297 - 8);

    MediaFile media;
    media.media = isoMedia();
    ASSERT_TRUE(writeMediaFile(media, bytes, error));
    MediaFile mediaBack;
    ASSERT_TRUE(readMediaFile(bytes, mediaBack, warnings, error)) << error;
    ASSERT_EQ(mediaBack.media.size(), 10u);
    EXPECT_EQ(mediaBack.media[2].canonical, L"ISO_full_bleed_A1_(841.00_x_594.00_MM)");
    EXPECT_DOUBLE_EQ(mediaBack.media[3].widthMm, 594);
    EXPECT_DOUBLE_EQ(mediaBack.media[3].heightMm, 841);
}

TEST(DeviceFiles, UnusableMediaAndDevicesAreNamed) {
    const std::string pmp = writePia(PiaKind::Pmp,
                                     "media{\n"
                                     " 0{\n  name=\"good\n  localized_name=\"A4\n  width=210\n  height=297\n }\n"
                                     " 1{\n  localized_name=\"no name\n  width=210\n  height=297\n }\n"
                                     " 2{\n  name=\"no size\n  width=0\n  height=297\n }\n"
                                     " 3{\n  name=\"outside\n  width=210\n  height=297\n  printable_bounds_urx=300\n }\n"
                                     "}\n");
    MediaFile file;
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(readMediaFile(pmp, file, warnings, error));
    ASSERT_EQ(file.media.size(), 1u);
    EXPECT_EQ(file.media[0].display, L"A4");
    EXPECT_EQ(warnings.size(), 3u);

    DeviceConfig config;
    EXPECT_FALSE(readDeviceConfig(writePia(PiaKind::Pc3, "device{\n driver=fax\n}\n"), config, warnings, error));
    EXPECT_NE(error.find("fax"), std::string::npos);
    EXPECT_FALSE(readDeviceConfig(writePia(PiaKind::Pc3, "device{\n driver=printer\n}\n"), config, warnings, error));
    EXPECT_FALSE(readDeviceConfig(writePia(PiaKind::Pc3, "meta{\n}\n"), config, warnings, error));
    EXPECT_FALSE(readDeviceConfig(pmp, config, warnings, error));  // a .pmp where a .pc3 belongs
    // A file writer always writes files, whatever its file says.
    warnings.clear();
    ASSERT_TRUE(readDeviceConfig(writePia(PiaKind::Pc3, "device{\n driver=pdf\n plot_to_file=0\n}\n"), config, warnings, error));
    EXPECT_EQ(config.plotToFile, 2);
    EXPECT_EQ(config.extension, L".pdf");
    EXPECT_EQ(warnings.size(), 1u);
}

TEST(DeviceFiles, EveryShippedFileReadsBack) {
    int devices = 0, media = 0, tables = 0;
    for (const PlotFile& f : hostPlotFiles()) {
        PiaKind kind;
        ASSERT_TRUE(piaKindFromPath(text::toUtf8(f.name), kind)) << text::toUtf8(f.name);
        std::vector<std::string> warnings;
        std::string error;
        if (kind == PiaKind::Pc3) {
            DeviceConfig c;
            EXPECT_TRUE(readDeviceConfig(f.bytes, c, warnings, error)) << error;
            EXPECT_EQ(c.mediaFile + L"", f.name.substr(0, f.name.size() - 4) + L".pmp");
            ++devices;
        } else if (kind == PiaKind::Pmp) {
            MediaFile m;
            EXPECT_TRUE(readMediaFile(f.bytes, m, warnings, error)) << error;
            EXPECT_EQ(m.media.size(), 10u);
            ++media;
        } else {
            PlotStyleFile s;
            EXPECT_TRUE(readPlotStyleFile(f.bytes, s, error)) << error;
            ++tables;
        }
        EXPECT_TRUE(warnings.empty()) << text::toUtf8(f.name);
    }
    EXPECT_EQ(devices, 5);
    EXPECT_EQ(media, 5);
    EXPECT_EQ(tables, 3);
}

TEST(DeviceFiles, ShippedStyleTablesDoWhatTheirNamesSay) {
    for (const PlotFile& f : hostPlotFiles()) {
        PlotStyleFile s;
        std::string error;
        if (f.name == L"monochrome.ctb") {
            ASSERT_TRUE(readPlotStyleFile(f.bytes, s, error));
            const PlotStyleTable t = tableOf(s);
            const render::OutputPen red = resolvePen(t, {{255, 0, 0, 1}, 50}, 1);
            const render::OutputPen trueColor = resolvePen(t, {{10, 200, 30, 0}, 50}, 1);
            EXPECT_EQ(red.r + red.g + red.b + trueColor.r + trueColor.g + trueColor.b, 0);
            EXPECT_DOUBLE_EQ(red.widthMm, 0.5);
        } else if (f.name == L"grayscale.ctb") {
            ASSERT_TRUE(readPlotStyleFile(f.bytes, s, error));
            const render::OutputPen pen = resolvePen(tableOf(s), {{255, 0, 0, 1}, 25}, 1);
            EXPECT_EQ(pen.r, pen.g);
            EXPECT_EQ(pen.g, pen.b);
            EXPECT_GT(pen.r, 0);
        } else if (f.name == L"Vorlix Colour.ctb") {
            ASSERT_TRUE(readPlotStyleFile(f.bytes, s, error));
            const render::OutputPen pen = resolvePen(tableOf(s), {{255, 0, 0, 1}, 25}, 1);
            EXPECT_EQ(pen.r, 255);
            EXPECT_EQ(pen.g, 0);
        }
    }
}

TEST(DeviceFiles, VxpiaDumpsAndBuildsTheSameFile) {
    test::TempFolder folder;
    const std::string vxpia = std::string(VX_BINARY_DIR) + "/bin/vxpia";
    const std::string text = folder.file("in.txt");
    {
        std::ofstream out(text, std::ios::binary);
        out << "description=\"DWG TO PDF 图纸\ndevice{\n driver=pdf\n default_extension=\".pdf\n plot_to_file=2\n"
               " media_file=\"DWG TO PDF.pmp\n}\n";
    }
    int status = -1;
    test::runCommand("'" + vxpia + "' build '" + text + "' '" + folder.file("a.pc3") + "'", &status);
    ASSERT_EQ(status, 0);
    const std::string dumped = test::runCommand("'" + vxpia + "' dump '" + folder.file("a.pc3") + "'", &status);
    ASSERT_EQ(status, 0);
    EXPECT_NE(dumped.find("DWG TO PDF 图纸"), std::string::npos) << dumped;
    { std::ofstream(folder.file("b.txt"), std::ios::binary) << dumped; }
    test::runCommand("'" + vxpia + "' build '" + folder.file("b.txt") + "' '" + folder.file("b.pc3") + "'", &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(test::readFile(folder.file("a.pc3")), test::readFile(folder.file("b.pc3")));
    const std::string listed = test::runCommand("'" + vxpia + "' media '" + folder.file("a.pc3") + "'", &status);
    EXPECT_NE(listed.find("driver pdf, extension .pdf, plot to file 2"), std::string::npos) << listed;

    // A description the host could not use is refused and nothing is written.
    { std::ofstream(folder.file("bad.txt"), std::ios::binary) << "media{\n 0{\n  name=\"A9\n }\n}\n"; }
    test::runCommand("'" + vxpia + "' build '" + folder.file("bad.txt") + "' '" + folder.file("bad.pmp") + "'", &status);
    EXPECT_NE(status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("bad.pmp")));
}

}  // namespace
}  // namespace vx::plot
