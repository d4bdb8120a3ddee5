// Window and frame plots: paper, placement, canvas, one line per file.
#include "plot_jobs.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "acdb.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "plot/page.h"
#include "plot/paper_sizes.h"
#include "text/encoding.h"

namespace vxplot {

namespace fs = std::filesystem;
using vx::render::Box2;

namespace {

// Frames stand in one row when their heights overlap by this share of the lower frame's height.
constexpr double kRowOverlap = 0.5;

bool besideEachOther(const Box2& a, const Box2& b) {
    const double overlap = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
    return overlap >= kRowOverlap * std::min(a.height(), b.height());
}

struct PageResult {
    bool ok = false;
    vx::plot::PageStats page;
    vx::render::DrawStats draw;
    std::string error;
};

PageResult plotOne(Context& run, const Options& options, const vx::plot::PageSetup& setup, const std::string& path) {
    PageResult result;
    auto canvas = vx::plot::makeFileCanvas(options.format, path, run.fonts, result.error);
    if (!canvas) return result;
    const AcDbObjectId space = run.db.modelSpaceId();
    const vx::plot::PrimitiveSource source = [&](vx::render::PrimitiveSink& sink, const Box2& window, double tolerance) {
        vx::render::DrawOptions draw;
        draw.tolerance = tolerance;
        draw.view = window;
        run.scene.draw(space, window, draw, sink, result.draw);
    };
    if (!vx::plot::plotPage(setup, source, *canvas, result.error, &result.page)) {
        std::string ignored;
        canvas->finish(ignored);
        return result;
    }
    result.ok = canvas->finish(result.error);
    return result;
}

std::string sheetText(const vx::plot::Paper& paper, const char* name) {
    return std::string(name) + (paper.widthMm > paper.heightMm ? " landscape" : " portrait");
}

std::string count(uint64_t n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// What was left out, for the transcript.
std::string leftOut(const PageResult& r) {
    std::string s;
    if (r.draw.skipped) s += ", " + std::to_string(r.draw.skipped) + (r.draw.skipped == 1 ? " damaged entity" : " damaged entities") + " skipped";
    if (r.draw.unknown) s += ", " + std::to_string(r.draw.unknown) + (r.draw.unknown == 1 ? " entity" : " entities") + " of unknown kinds";
    if (r.page.rejected) s += ", " + count(r.page.rejected, "primitive") + " with bad coordinates";
    return s;
}

vx::plot::PageSetup pageFor(const Options& options, const Box2& window, const vx::plot::Paper& paper,
                            const std::string& title) {
    static const vx::plot::PlotStyleTable kMonochrome = vx::plot::monochromeTable();
    vx::plot::PageSetup setup;
    setup.placement.window = window;
    setup.placement.paper = paper;
    setup.placement.rotation = options.rotation;
    setup.styleTable = options.monochrome ? &kMonochrome : nullptr;
    setup.rasterDpi = options.format == vx::plot::OutputFormat::Png ? options.dpi : 0;
    setup.title = vx::text::fromUtf8(title);
    return setup;
}

// The sheet for a box: the one named (landscape, as plotters hold their media) or the best fit
// turned like the box.
bool sheetFor(const std::string& named, const Box2& box, vx::plot::Paper& paper, const char*& name) {
    const vx::plot::IsoSheet* sheet = named.empty() ? vx::plot::bestIsoSheet(box.width(), box.height())
                                                    : vx::plot::isoSheet(named);
    if (!sheet) return false;
    paper = vx::plot::isoPaper(*sheet, named.empty() ? box.width() > box.height() : true);
    name = sheet->name;
    return true;
}

// The reason a file failed, naming the file once.
std::string failure(const std::string& path, const std::string& reason) {
    return reason.find(path) == std::string::npos ? path + ": " + reason : reason;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

bool framesOnLayer(AcDbDatabase& db, vx::render::Scene& scene, const std::string& layer, std::vector<Frame>& frames) {
    frames.clear();
    AcDbObjectId layerId;
    {
        AcDbLayerTable* table = nullptr;
        if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk) return false;
        const Acad::ErrorStatus found = table->getAt(vx::text::fromUtf8(layer).c_str(), layerId);
        table->close();
        if (found != Acad::eOk) return false;
    }
    AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
    if (space.openStatus() != Acad::eOk) return false;
    for (AcDbEntity* entity : space->entities()) {
        if (entity->isErased() || entity->layerId() != layerId || !AcDbBlockReference::cast(entity)) continue;
        const Box2 extents = scene.entityExtents(entity->objectId());
        if (!extents.empty() && extents.width() > 0 && extents.height() > 0) frames.push_back({entity->objectId(), extents});
    }
    // Reading order: by upper edge from the top; a row is the frames that stand beside the
    // row's first one (sheets of different sizes side by side share their lower edge, not the
    // upper); left to right within a row.
    std::stable_sort(frames.begin(), frames.end(), [](const Frame& a, const Frame& b) { return a.extents.y1 > b.extents.y1; });
    for (size_t start = 0; start < frames.size();) {
        size_t end = start + 1;
        while (end < frames.size() && besideEachOther(frames[start].extents, frames[end].extents)) ++end;
        std::stable_sort(frames.begin() + static_cast<long>(start), frames.begin() + static_cast<long>(end),
                         [](const Frame& a, const Frame& b) { return a.extents.x0 < b.extents.x0; });
        start = end;
    }
    return true;
}

int plotWindow(const Options& options, Context& run) {
    vx::plot::Paper paper;
    const char* sheet = nullptr;
    if (!sheetFor(options.paper, options.window, paper, sheet)) {
        run.err << "vxplot: the window fits no ISO sheet\n";
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const PageResult r =
        plotOne(run, options, pageFor(options, options.window, paper, fs::path(options.out).stem().string()), options.out);
    if (!r.ok) {
        run.err << "vxplot: " << failure(options.out, r.error) << "\n";
        return 1;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s", secondsSince(start));
    run.out << options.out << "  " << sheetText(paper, sheet) << "  " << count(r.page.drawn, "primitive") << leftOut(r)
            << "  " << seconds << "\n";
    return 0;
}

int plotFrames(const Options& options, Context& run) {
    // The frames first: a refused run makes no folder.
    std::vector<Frame> frames;
    if (!framesOnLayer(run.db, run.scene, options.layer, frames)) {
        run.err << "vxplot: the drawing has no layer \"" << options.layer << "\"\n";
        return 1;
    }
    if (frames.empty()) {
        run.out << "no block references on layer \"" << options.layer << "\": nothing plotted\n";
        return 0;
    }
    std::error_code ec;
    fs::create_directories(options.outDir, ec);
    if (ec || !fs::is_directory(options.outDir)) {
        run.err << "vxplot: cannot make the folder " << options.outDir << ": "
                << (ec ? ec.message() : "a file of that name is in the way") << "\n";
        return 1;
    }
    if (::access(options.outDir.c_str(), W_OK | X_OK) != 0) {
        run.err << "vxplot: cannot write into " << options.outDir << "\n";
        return 1;
    }
    const std::string stem = fs::path(options.drawing).stem().string();
    const int countWidth = static_cast<int>(std::to_string(frames.size()).size());
    const int digits = std::max(2, countWidth);  // file numbers sort by name
    const auto start = std::chrono::steady_clock::now();
    size_t failed = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, static_cast<size_t>(digits) - std::min(number.size(), static_cast<size_t>(digits)), '0');
        const std::string name = stem + "-" + number + vx::plot::formatExtension(options.format);
        char progress[40];
        std::snprintf(progress, sizeof progress, "[%*zu/%zu] ", countWidth, i + 1, frames.size());
        vx::plot::Paper paper;
        const char* sheet = nullptr;
        if (!sheetFor("", frames[i].extents, paper, sheet)) {
            ++failed;
            run.err << progress << name << ": the frame fits no ISO sheet\n";
            continue;
        }
        const std::string path = (fs::path(options.outDir) / name).string();
        const PageResult r = plotOne(run, options, pageFor(options, frames[i].extents, paper, stem + "-" + number), path);
        if (!r.ok) {
            ++failed;
            run.err << progress << failure(path, r.error) << "\n";
            continue;
        }
        run.out << progress << name << "  " << sheetText(paper, sheet) << "  " << count(r.page.drawn, "primitive")
                << leftOut(r) << "\n";
        run.out.flush();
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", secondsSince(start));
    run.out << (frames.size() - failed) << " of " << frames.size() << " frames plotted to " << options.outDir << " in "
            << seconds;
    if (failed) run.out << "; " << failed << " failed";
    run.out << "\n";
    return failed ? 1 : 0;
}

}  // namespace vxplot
