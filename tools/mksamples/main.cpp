// mksamples [ROOT]: writes ROOT/templates/utf8/TK.dxf (AC1024), ROOT/templates/gbk/TK.dxf
// (R2000, GBK) and ROOT/drawings/project.dxf; ROOT defaults to the source tree's samples/.
#include <cstdio>
#include <filesystem>
#include <string>

#include "drawings.h"
#include "kit.h"
#include "text/encoding.h"

namespace {

bool save(AcDbDatabase& db, const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Acad::ErrorStatus es = db.saveAs(vx::text::fromUtf8(path).c_str());
    if (es != Acad::eOk) {
        std::fprintf(stderr, "mksamples: cannot write %s\n", path.c_str());
        return false;
    }
    // Shipped files come without the backup a save leaves beside them.
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".bak"), ec);
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string root = argc > 1 ? argv[1] : std::string(VX_SOURCE_DIR) + "/samples";
    AcDbDatabase utf8(true);
    AcDbDatabase gbk(false);
    if (!mksamples::makeR2000Gbk(gbk)) {
        std::fprintf(stderr, "mksamples: cannot make an R2000 drawing\n");
        return 1;
    }
    if (!mksamples::buildTemplate(utf8) || !mksamples::buildTemplate(gbk)) {
        std::fprintf(stderr, "mksamples: building the template failed\n");
        return 1;
    }
    AcDbDatabase project(true);
    if (!mksamples::buildProject(project, utf8)) {
        std::fprintf(stderr, "mksamples: building the project drawing failed\n");
        return 1;
    }
    bool ok = save(utf8, root + "/templates/utf8/TK.dxf") && save(gbk, root + "/templates/gbk/TK.dxf") &&
              save(project, root + "/drawings/project.dxf");
    return ok ? 0 : 1;
}
