// vxpia: the PIA files of plotting (.pc3 .pmp .ctb .stb) as text and back.
//
//   vxpia dump FILE          the body text (key=value lines, name{ ... } groups), UTF-8
//   vxpia build TEXT OUT     OUT made from the text; its kind comes from OUT's extension. The text
//                            must read as what that kind holds (the host's device and media keys,
//                            or a plot style table); anything it cannot use is an error.
//   vxpia media FILE         the media of a .pmp or .pc3: canonical name, display name, size,
//                            printable area
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "plot/device_config.h"
#include "plot/output_file.h"
#include "plot/pia_file.h"
#include "plot/pia_tree.h"
#include "plot/plot_style_file.h"
#include "text/encoding.h"
#include "win32/file_io.h"

using namespace vx::plot;

namespace {

constexpr const char* kUsage =
    "usage: vxpia dump FILE\n"
    "       vxpia build TEXT OUT.(pc3|pmp|ctb|stb)\n"
    "       vxpia media FILE.(pmp|pc3)\n";

int failWith(const std::string& message) {
    std::fprintf(stderr, "vxpia: %s\n", message.c_str());
    return 1;
}

bool readFile(const std::string& path, std::string& bytes) { return vx::win32::readWholeFile(path, bytes); }

// What a body must hold to be usable as `kind`; the reasons it is not.
std::vector<std::string> check(PiaKind kind, const std::string& bytes) {
    std::vector<std::string> problems;
    std::string error;
    switch (kind) {
    case PiaKind::Pc3: {
        DeviceConfig config;
        if (!readDeviceConfig(bytes, config, problems, error)) problems.push_back(error);
        break;
    }
    case PiaKind::Pmp: {
        MediaFile media;
        if (!readMediaFile(bytes, media, problems, error)) problems.push_back(error);
        else if (media.media.empty()) problems.push_back("the media file lists no medium");
        break;
    }
    case PiaKind::Ctb:
    case PiaKind::Stb: {
        PlotStyleFile file;
        if (!readPlotStyleFile(bytes, file, error)) problems.push_back(error);
        break;
    }
    }
    return problems;
}

int dump(const std::string& path) {
    std::string bytes, body, error;
    PiaKind kind;
    if (!readFile(path, bytes)) return failWith("cannot read " + path);
    if (!readPia(bytes, kind, body, error)) return failWith(path + ": " + error);
    if (!vx::text::isValidUtf8(body)) body = vx::text::toUtf8(vx::text::fromAnsi(body));
    std::fwrite(body.data(), 1, body.size(), stdout);
    if (!body.empty() && body.back() != '\n') std::fputc('\n', stdout);
    return 0;
}

int build(const std::string& textPath, const std::string& out) {
    PiaKind kind;
    if (!piaKindFromPath(out, kind)) return failWith(out + ": the name must end in .pc3, .pmp, .ctb or .stb");
    std::string text, error;
    if (!readFile(textPath, text)) return failWith("cannot read " + textPath);
    // The body is parsed and written again, so that what is stored is what the host reads.
    PiaNode root;
    std::string body;
    if (!parsePiaBody(text, root, error) || !writePiaBody(root, body, error)) return failWith(textPath + ": " + error);
    const std::string bytes = writePia(kind, body);
    const std::vector<std::string> problems = check(kind, bytes);
    for (const std::string& p : problems) std::fprintf(stderr, "vxpia: %s: %s\n", textPath.c_str(), p.c_str());
    if (!problems.empty()) return 1;
    if (!writeOutputFile(out, bytes, error)) return failWith(error);
    return 0;
}

int media(const std::string& path) {
    std::string bytes, error;
    PiaKind kind;
    if (!readFile(path, bytes)) return failWith("cannot read " + path);
    if (!piaKindFromPath(path, kind)) return failWith(path + ": not a .pmp or .pc3 file");
    std::vector<std::string> warnings;
    std::vector<Medium> list;
    if (kind == PiaKind::Pmp) {
        MediaFile file;
        if (!readMediaFile(bytes, file, warnings, error)) return failWith(path + ": " + error);
        list = file.media;
    } else if (kind == PiaKind::Pc3) {
        DeviceConfig config;
        if (!readDeviceConfig(bytes, config, warnings, error)) return failWith(path + ": " + error);
        std::printf("driver %s, extension %s, plot to file %d, %u dpi, media file \"%s\"\n", driverName(config.driver),
                    vx::text::toUtf8(config.extension).c_str(), config.plotToFile, config.resolution,
                    vx::text::toUtf8(config.mediaFile).c_str());
        list = config.media;
    } else {
        return failWith(path + ": not a .pmp or .pc3 file");
    }
    for (const std::string& w : warnings) std::fprintf(stderr, "vxpia: %s: %s\n", path.c_str(), w.c_str());
    for (const Medium& m : list) {
        std::printf("%s\t%s\t%.2f x %.2f mm\tprintable %.2f,%.2f - %.2f,%.2f\n", vx::text::toUtf8(m.canonical).c_str(),
                    vx::text::toUtf8(m.display).c_str(), m.widthMm, m.heightMm, m.printableMm.x0, m.printableMm.y0,
                    m.printableMm.x1, m.printableMm.y1);
    }
    return warnings.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) return dump(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "build") == 0) return build(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "media") == 0) return media(argv[2]);
    std::fputs(kUsage, stderr);
    return 2;
}
