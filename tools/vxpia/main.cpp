// vxpia SOURCE TARGET: the body text SOURCE (UTF-8 key=value lines and name{ } groups) packed
// into the container of plot configuration files, of the kind TARGET's extension names. A
// configuration or paper-size file is read back as the host reads it, and anything the host
// would skip (an unknown driver, a medium without size) fails the run, so that a mistake in a
// shipped file stops the build instead of a plot.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plot/device_config.h"
#include "plot/output_file.h"
#include "plot/pia_file.h"

namespace {

int fail(const std::string& what) {
    std::fprintf(stderr, "vxpia: %s\n", what.c_str());
    return 1;
}

bool checked(vx::plot::PiaKind kind, const std::string& bytes, std::string& error) {
    std::vector<std::string> warnings;
    bool read = true;
    if (kind == vx::plot::PiaKind::Pc3) {
        vx::plot::DeviceConfig config;
        read = vx::plot::readDeviceConfig(bytes, config, warnings, error);
    } else if (kind == vx::plot::PiaKind::Pmp) {
        vx::plot::MediaFile media;
        read = vx::plot::readMediaFile(bytes, media, warnings, error);
        if (read && media.media.empty()) warnings.push_back("no medium");
    }
    if (read && !warnings.empty()) error = warnings.front();
    return read && warnings.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: vxpia SOURCE TARGET.pc3|.pmp|.ctb|.stb");
    const std::string source = argv[1], target = argv[2];
    vx::plot::PiaKind kind;
    if (!vx::plot::piaKindFromPath(target, kind)) return fail(target + ": not a .pc3, .pmp, .ctb or .stb name");
    std::ifstream in(source, std::ios::binary);
    if (!in) return fail(source + ": cannot be read");
    std::ostringstream body;
    body << in.rdbuf();
    const std::string bytes = vx::plot::writePia(kind, body.str());
    std::string error;
    if (!checked(kind, bytes, error)) return fail(source + ": " + error);
    if (!vx::plot::writeOutputFile(target, bytes, error)) return fail(target + ": " + error);
    return 0;
}
