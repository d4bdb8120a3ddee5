// The PIA container and plot style tables: files built byte by byte from the published layout
// are read, what we write is read back by ourselves and by ezdxf, damage is refused cleanly.
#include <zlib.h>

#include <cstdint>
#include <string>

#include "plot/pia_file.h"
#include "plot/pia_tree.h"
#include "plot/plot_style_file.h"
#include "plot_test_support.h"

namespace vx::plot {
namespace {

void appendU32(std::string& out, uint32_t v, size_t width = 4) {
    for (size_t i = 0; i < width; ++i) out.push_back(static_cast<char>(i < 4 ? (v >> (8 * i)) & 0xFF : 0));
}

// A file as the layout describes it: 48 bytes of header text, three little-endian numbers
// (`width` bytes each: 4, or 8 as 64-bit longs write them) and the zlib stream of the body + NUL.
std::string handMade(const std::string& tag, const std::string& body, size_t width = 4) {
    std::string text = body;
    text.push_back('\0');
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string stream(size, '\0');
    compress(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    stream.resize(size);
    std::string file = "PIAFILEVERSION_2.0," + tag + ",compress\r\npmzlibcodec";
    appendU32(file, 0x12345678, width);  // a checksum nobody agrees on: readers must not care
    appendU32(file, static_cast<uint32_t>(text.size()), width);
    appendU32(file, static_cast<uint32_t>(stream.size()), width);
    return file + stream;
}

// An office's table: ACI 1 red plots blue at half screening and 0.50 mm, ACI 2 keeps its colour
// and turns grey, ACI 5 takes 0.70 mm from a custom lineweight table entry, the rest as drawn.
const char* const kOfficeCtb =
    "description=\"Office standard\n"
    "aci_table_available=TRUE\n"
    "scale_factor=1.0\n"
    "apply_factor=FALSE\n"
    "custom_lineweight_display_units=0\n"
    "aci_table{\n 0=\"Color_1\n 1=\"Color_2\n}\n"
    "plot_style{\n"
    " 0{\n  name=\"Color_1\n  localized_name=\"Color_1\n  description=\"\n  color=-1023410176\n"
    "  mode_color=-1040187137\n  color_policy=1\n  physical_pen_number=0\n  virtual_pen_number=0\n  screen=50\n"
    "  linepattern_size=0.5\n  linetype=2\n  adaptive_linetype=TRUE\n  lineweight=13\n  fill_style=73\n"
    "  end_style=4\n  join_style=5\n }\n"
    " 1{\n  name=\"Color_2\n  color=-1\n  color_policy=3\n  screen=100\n  lineweight=0\n }\n"
    " 4{\n  name=\"Color_5\n  color=-1\n  color_policy=1\n  lineweight=27\n }\n"
    "}\n"
    "custom_lineweight_table{\n 0=0.00\n 13=0.50\n 27=0.70\n}\n";

TEST(PiaFile, AFileBuiltFromThePublishedLayoutIsRead) {
    for (size_t width : {4, 8}) {
        const std::string bytes = handMade("CTBVER1", kOfficeCtb, width);
        PlotStyleFile file;
        std::string error;
        ASSERT_TRUE(readPlotStyleFile(bytes, file, error)) << error << " (numbers of " << width << " bytes)";
        EXPECT_TRUE(file.colorDependent);
        EXPECT_EQ(file.description, "Office standard");
        ASSERT_EQ(file.styles.size(), 255u);  // every ACI has a style, listed or not

        const PlotStyleTable table = tableOf(file);
        const PlotStyle& red = table.aci[1];
        EXPECT_FALSE(red.objectColor);
        EXPECT_EQ(red.r, 0);
        EXPECT_EQ(red.g, 0);
        EXPECT_EQ(red.b, 255);  // from mode_color 0xC20000FF, not from `color`
        EXPECT_EQ(red.screening, 50);
        EXPECT_DOUBLE_EQ(red.lineweightMm, 0.5);
        EXPECT_EQ(file.styles[0].linetype, 2);
        EXPECT_TRUE(table.aci[2].objectColor);
        EXPECT_TRUE(table.aci[2].grayscale);
        EXPECT_DOUBLE_EQ(table.aci[5].lineweightMm, 0.7);
        EXPECT_EQ(table.aci[3].lineweightMm, kObjectLineweight);
        // White plots black on paper; true colours keep theirs (the table is not one colour).
        EXPECT_FALSE(table.aci[7].objectColor);
        EXPECT_EQ(table.aci[7].r + table.aci[7].g + table.aci[7].b, 0);
        EXPECT_TRUE(table.trueColor.objectColor);
    }
}

TEST(PiaFile, WhatWeWriteIsTheLayoutAndReadsBack) {
    const std::string body = "description=\"平面图 styles\ngroup{\n 0{\n  name=\"A1\n  width=841.000\n }\n}\n";
    const std::string bytes = writePia(PiaKind::Pmp, body);
    ASSERT_GT(bytes.size(), 60u);
    EXPECT_EQ(bytes.substr(0, 48), std::string("PIAFILEVERSION_2.0,PMPVER1,compress\r\npmzlibcodec"));
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint32_t(uint8_t(bytes[at + 2])) << 16 |
               uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(u32(52), body.size() + 1);
    EXPECT_EQ(u32(56), bytes.size() - 60);
    EXPECT_EQ(u32(48), adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data() + 60), bytes.size() - 60));

    PiaKind kind;
    std::string back, error;
    ASSERT_TRUE(readPia(bytes, kind, back, error)) << error;
    EXPECT_EQ(kind, PiaKind::Pmp);
    EXPECT_EQ(back, body);
    PiaNode root;
    ASSERT_TRUE(parsePiaBody(back, root, error));
    ASSERT_NE(root.child("group"), nullptr);
    EXPECT_EQ(root.child("group")->child("0")->textOf("name"), "A1");
    EXPECT_DOUBLE_EQ(root.child("group")->child("0")->numberOf("width", 0), 841);
    EXPECT_EQ(root.textOf("description"), "平面图 styles");
}

TEST(PiaFile, DamageIsRefusedWithAReason) {
    const std::string good = handMade("CTBVER1", kOfficeCtb);
    PiaKind kind;
    std::string body, error;
    EXPECT_FALSE(readPia(good.substr(0, 40), kind, body, error));
    EXPECT_FALSE(readPia(good.substr(0, good.size() - 20), kind, body, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    std::string wrongKind = good;
    wrongKind.replace(19, 7, "XYZVER1");
    EXPECT_FALSE(readPia(wrongKind, kind, body, error));
    std::string garbage = good;
    for (size_t i = 70; i < garbage.size(); i += 7) garbage[i] = static_cast<char>(garbage[i] ^ 0x5A);
    EXPECT_FALSE(readPia(garbage, kind, body, error));
    // A media file is no plot style table.
    PlotStyleFile file;
    EXPECT_FALSE(readPlotStyleFile(handMade("PMPVER1", "description=\"x\n"), file, error));
    // A named table needs a style.
    EXPECT_FALSE(readPlotStyleFile(handMade("STBVER1", "description=\"empty\n"), file, error));
}

TEST(PiaFile, DamagedTablesNeverCrashTheReader) {
    // Bytes flipped, cut and repeated at random places of a good file: every reader either reads
    // or refuses with a reason (the sanitizers watch the rest).
    const std::string good = handMade("CTBVER1", kOfficeCtb);
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int read = 0, refused = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int k = 0; k < edits; ++k) {
            const size_t at = next() % bytes.size();
            switch (next() % 3) {
            case 0: bytes[at] = static_cast<char>(next()); break;
            case 1: bytes.resize(at + 1); break;
            default: bytes.insert(at, bytes.substr(at, next() % 64)); break;
            }
        }
        PlotStyleFile file;
        std::string error;
        if (readPlotStyleFile(bytes, file, error)) {
            ++read;
            EXPECT_EQ(file.styles.size(), 255u);
            tableOf(file);
        } else {
            ++refused;
            EXPECT_FALSE(error.empty());
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(read, 0);
}

TEST(PiaFile, BodiesForgiveBracesButRefuseDepthAndLineBreaks) {
    PiaNode root;
    std::string error;
    ASSERT_TRUE(parsePiaBody("a{\n b=1\n}\n}\nc=\"hand written\"\nd{\n e=2\n", root, error));
    EXPECT_EQ(root.child("a")->integerOf("b", 0), 1);
    EXPECT_EQ(root.textOf("c"), "hand written");
    EXPECT_EQ(root.child("d")->integerOf("e", 0), 2);  // closed at the end
    std::string deep;
    for (int i = 0; i < 70; ++i) deep += "g{\n";
    EXPECT_FALSE(parsePiaBody(deep, root, error));

    PiaNode bad;
    bad.group = true;
    bad.addText("description", "two\nlines");
    std::string body;
    EXPECT_FALSE(writePiaBody(bad, body, error));
}

TEST(PlotStyleFiles, OurTablesReadBackHereAndInEzdxf) {
    PlotStyleFile file = asDrawnStyleFile("round trip");
    file.styles[0].objectColor = false;
    file.styles[0].r = 10, file.styles[0].g = 20, file.styles[0].b = 30;
    file.styles[0].lineweight = 13;
    file.styles[0].screening = 40;
    file.styles[6].grayscale = true;
    std::string bytes, error;
    ASSERT_TRUE(writePlotStyleFile(file, bytes, error)) << error;
    PlotStyleFile back;
    ASSERT_TRUE(readPlotStyleFile(bytes, back, error)) << error;
    EXPECT_FALSE(back.styles[0].objectColor);
    EXPECT_EQ(back.styles[0].b, 30);
    EXPECT_EQ(back.styles[0].lineweight, 13);
    EXPECT_EQ(back.styles[0].screening, 40);
    EXPECT_TRUE(back.styles[6].grayscale);
    EXPECT_TRUE(back.styles[1].objectColor);

    test::TempFolder folder;
    const std::string path = folder.file("ours.ctb");
    { std::ofstream(path, std::ios::binary) << bytes; }
    const std::string script = "import ezdxf.addons.acadctb as c; t = c.load('" + path +
                               "'); s = t[1]; print(s.color, s.get_lineweight(), s.screen, t[2].has_object_color(), t[7].grayscale)";
    int status = 0;
    const std::string out = test::runCommand("/usr/bin/python3 -c \"" + script + "\"", &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out, "(10, 20, 30) 0.5 40 True True\n");
}

TEST(PlotStyleFiles, NamedTablesPlotWithTheirFirstStyle) {
    const std::string stb =
        "description=\"named\naci_table_available=FALSE\nplot_style{\n"
        " 0{\n  name=\"Normal\n  color=-1\n  lineweight=0\n }\n"
        " 1{\n  name=\"Thick red\n  color=-1040252928\n  lineweight=13\n }\n}\n";
    PlotStyleFile file;
    std::string error;
    ASSERT_TRUE(readPlotStyleFile(handMade("STBVER1", stb), file, error)) << error;
    EXPECT_FALSE(file.colorDependent);
    ASSERT_EQ(file.styles.size(), 2u);
    EXPECT_EQ(file.styles[1].name, "Thick red");
    EXPECT_EQ(file.styles[1].r, 255);
    const PlotStyleTable table = tableOf(file);
    EXPECT_TRUE(table.aci[1].objectColor);
    EXPECT_EQ(table.aci[1].lineweightMm, kObjectLineweight);
}

}  // namespace
}  // namespace vx::plot
