// vxplot: plots a window of a drawing, or every frame on a layer, to PDF/SVG/PNG/PLT/DWFX files.
// Status 0 when everything was plotted, 1 when a drawing or a file failed, 2 for bad arguments.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "acdb.h"
#include "options.h"
#include "plot/gui_application.h"
#include "plot_jobs.h"
#include "render/fonts.h"
#include "render/scene.h"
#include "text/encoding.h"

namespace {

namespace fs = std::filesystem;

// The drawing read, or a reason naming it. Checked before reading so that the message says
// what the user can mend (a missing file, a folder) rather than what the reader met.
std::unique_ptr<AcDbDatabase> readDrawing(const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        error = "cannot read " + path + ": no such file";
        return nullptr;
    }
    if (fs::is_directory(status)) {
        error = "cannot read " + path + ": it is a folder, not a drawing";
        return nullptr;
    }
    auto db = std::make_unique<AcDbDatabase>(false);
    if (db->readDwgFile(vx::text::fromUtf8(path).c_str()) != Acad::eOk) {
        const std::string reason = vx::text::toUtf8(db->lastReadMessage());
        error = "cannot read " + path + (reason.empty() ? std::string(": not a DXF drawing") : ": " + reason);
        return nullptr;
    }
    return db;
}

}  // namespace

int main(int argc, char** argv) {
    vxplot::Options options;
    std::string error;
    bool help = false;
    if (!vxplot::parseOptions(argc, argv, options, error, help)) {
        std::cerr << "vxplot: " << error << "\n" << vxplot::kUsage;
        return 2;
    }
    if (help) {
        std::cout << vxplot::kUsage;
        return 0;
    }
    if (!vx::plot::ensureGuiApplication(error)) {
        std::cerr << "vxplot: " << error << "\n";
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<AcDbDatabase> db = readDrawing(options.drawing, error);
    if (!db) {
        std::cerr << "vxplot: " << error << "\n";
        return 1;
    }
    // Repairs are worth knowing before trusting the plots; they do not stop them.
    for (const std::wstring& repair : db->readAudit())
        std::cerr << "vxplot: " << options.drawing << ": repaired: " << vx::text::toUtf8(repair) << "\n";
    const std::unique_ptr<vx::render::Scene> scene = vx::render::makeScene(*db);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s",
                  std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::cout << options.drawing << "  read in " << seconds << "\n";
    vxplot::Context run{*db, *scene, vx::render::fontLibrary(), std::cout, std::cerr};
    return options.mode == vxplot::Mode::Frames ? vxplot::plotFrames(options, run) : vxplot::plotWindow(options, run);
}
