// The whole batch path of vxplot on a large drawing: 400 A1 frames on layer C-TK, each a title
// block reference with its attributes around about 2,500 entities (walls as lines and polylines,
// columns as circles, doors as arcs and references of a door block, filled solids, Chinese room
// names). Measured: the scene made, then `plotFrames` writing one PDF per frame exactly as the
// program does (frames found, sheets picked, files written safely). Target: 400 frames in under
// 20 s on 2 cores. Then the other formats per frame, through window plots of single frames.
// VX_BENCH_FRAMES sets the number of frames (for a quick look).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>

#include "acdb.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "plot/gui_application.h"
#include "plot_jobs.h"
#include "render/fonts.h"
#include "render/scene.h"

namespace {

constexpr double kFrameW = 84100, kFrameH = 59400, kPitchX = 94100, kPitchY = 69400;
constexpr int kPerFrame = 2500;
constexpr int kColumns = 20;
constexpr double kTargetSeconds = 20;

int frameCount() {
    const char* value = std::getenv("VX_BENCH_FRAMES");
    const int n = value ? std::atoi(value) : 400;
    return n > 0 ? n : 400;
}

AcGePoint3d origin(int frame) { return {(frame % kColumns) * kPitchX, -(frame / kColumns) * kPitchY, 0}; }

// Appends to an open block record and closes the entity.
void add(AcDbBlockTableRecord* block, AcDbEntity* entity, const wchar_t* layer, uint16_t colour = 256) {
    entity->setLayer(layer);
    if (colour != 256) entity->setColorIndex(colour);
    block->appendAcDbEntity(entity);
    entity->close();
}

AcDbBlockTableRecord* newBlock(AcDbDatabase& db, const wchar_t* name, AcDbObjectId& id) {
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    table->add(id, block);
    table->close();
    return block;
}

const wchar_t* const kTags[] = {L"图号", L"图名", L"比例", L"日期"};

void buildDrawing(AcDbDatabase& db, int frames) {
    {
        AcDbLayerTable* layers = nullptr;
        db.getLayerTable(layers, AcDb::kForWrite);
        const std::pair<const wchar_t*, uint16_t> kLayers[] = {
            {L"C-TK", 7}, {L"A-WALL", 2}, {L"A-COLS", 4}, {L"A-DOOR", 3}, {L"A-TEXT", 7}, {L"A-FILL", 8}};
        for (const auto& [name, colour] : kLayers) {
            auto* layer = new AcDbLayerTableRecord();
            layer->setName(name);
            AcCmColor c;
            c.setColorIndex(colour);
            layer->setColor(c);
            layers->add(layer);
            layer->close();
        }
        layers->close();
    }
    AcDbObjectId frameId, doorId;
    AcDbBlockTableRecord* frame = newBlock(db, L"CODE-A1", frameId);
    const AcGePoint3d corners[] = {{0, 0, 0}, {kFrameW, 0, 0}, {kFrameW, kFrameH, 0}, {0, kFrameH, 0}};
    for (int i = 0; i < 4; ++i) add(frame, new AcDbLine(corners[i], corners[(i + 1) % 4]), L"0");
    const AcGePoint3d inner[] = {{2500, 1000, 0}, {83100, 1000, 0}, {83100, 58400, 0}, {2500, 58400, 0}};
    for (int i = 0; i < 4; ++i) add(frame, new AcDbLine(inner[i], inner[(i + 1) % 4]), L"0");
    for (int i = 0; i < 4; ++i) {
        auto* def = new AcDbAttributeDefinition(AcGePoint3d(66000, 1600 + 1200.0 * i, 0), L"", kTags[i], kTags[i]);
        def->setHeight(450);
        add(frame, def, L"0");
        add(frame, new AcDbLine(AcGePoint3d(63000, 1000 + 1200.0 * (i + 1), 0), AcGePoint3d(83100, 1000 + 1200.0 * (i + 1), 0)), L"0");
    }
    frame->close();
    AcDbBlockTableRecord* door = newBlock(db, L"DOOR", doorId);
    add(door, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 900, 0)), L"0");
    add(door, new AcDbArc(AcGePoint3d(0, 0, 0), 900, 0, M_PI / 2), L"0");
    door->close();

    AcDbBlockTableRecord* model = nullptr;
    acdbOpenObject(model, db.modelSpaceId(), AcDb::kForWrite);
    const wchar_t* rooms[] = {L"客厅", L"餐厅", L"卧室", L"主卧", L"卫生间", L"厨房", L"楼梯间", L"走道"};
    for (int f = 0; f < frames; ++f) {
        const AcGePoint3d o = origin(f);
        auto* ref = new AcDbBlockReference(o, frameId);
        ref->setLayer(L"C-TK");
        model->appendAcDbEntity(ref);
        for (int i = 0; i < 4; ++i) {
            const std::wstring value = i == 0 ? L"建施-" + std::to_wstring(f + 1) : i == 2 ? L"1:100" : L"首层平面图";
            auto* attribute = new AcDbAttribute(AcGePoint3d(o.x + 66000, o.y + 1600 + 1200.0 * i, 0), value.c_str(), kTags[i]);
            attribute->setHeight(450);
            attribute->setLayer(L"C-TK");
            ref->appendAttribute(attribute);
            attribute->close();
        }
        ref->close();
        std::mt19937 rng(1000u + static_cast<unsigned>(f));
        std::uniform_real_distribution<double> x(o.x + 3000, o.x + 60000), y(o.y + 2000, o.y + 57000), len(300, 6000);
        for (int i = 0; i < kPerFrame; ++i) {
            const double px = x(rng), py = y(rng), d = len(rng);
            switch (i % 20) {
            case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
                add(model, new AcDbLine(AcGePoint3d(px, py, 0), AcGePoint3d(px + (i % 2 ? d : 0), py + (i % 2 ? 0 : d), 0)),
                    L"A-WALL");
                break;
            case 8: case 9: case 10: {
                auto* wall = new AcDbPolyline();
                wall->addVertexAt(0, AcGePoint2d(px, py));
                wall->addVertexAt(1, AcGePoint2d(px + d, py));
                wall->addVertexAt(2, AcGePoint2d(px + d, py + 200));
                wall->addVertexAt(3, AcGePoint2d(px, py + 200));
                wall->setClosed(true);
                add(model, wall, L"A-WALL");
                break;
            }
            case 11: case 12:
                add(model, new AcDbCircle(AcGePoint3d(px, py, 0), AcGeVector3d(0, 0, 1), 250), L"A-COLS");
                break;
            case 13:
                add(model, new AcDbArc(AcGePoint3d(px, py, 0), d / 6, 0, M_PI / 2), L"A-DOOR");
                break;
            case 14: case 15: {
                auto* ref2 = new AcDbBlockReference(AcGePoint3d(px, py, 0), doorId);
                ref2->setRotation((i % 4) * M_PI / 2);
                add(model, ref2, L"A-DOOR");
                break;
            }
            case 16:
                add(model, new AcDbSolid(AcGePoint3d(px, py, 0), AcGePoint3d(px + 500, py, 0), AcGePoint3d(px, py + 500, 0),
                                         AcGePoint3d(px + 500, py + 500, 0)),
                    L"A-FILL");
                break;
            default:
                add(model, new AcDbText(AcGePoint3d(px, py, 0), rooms[i % 8], AcDbObjectId::kNull, 350), L"A-TEXT",
                    static_cast<uint16_t>(i % 3 ? 256 : 1));
                break;
            }
        }
    }
    model->close();
}

std::string tempFolder() {
    char pattern[] = "/tmp/vx_bench_frames_XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "";
}

double cpuSince(std::clock_t start) { return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC; }

struct Drawing {
    AcDbDatabase db;
    std::unique_ptr<vx::render::Scene> scene;
    double buildSeconds = 0, sceneCpuSeconds = 0;
    int frames = 0;
};

Drawing& drawing() {
    static const std::unique_ptr<Drawing> d = [] {
        auto made = std::make_unique<Drawing>();
        made->frames = frameCount();
        const auto start = std::chrono::steady_clock::now();
        buildDrawing(made->db, made->frames);
        made->buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::clock_t cpu = std::clock();
        made->scene = vx::render::makeScene(made->db);
        made->scene->extents(made->db.modelSpaceId());  // the scene made in full, as finding frames needs
        made->sceneCpuSeconds = cpuSince(cpu);
        return made;
    }();
    return *d;
}

void BM_FramesToPdf(benchmark::State& state) {
    std::string error;
    if (!vx::plot::ensureGuiApplication(error)) return state.SkipWithError(error.c_str());
    Drawing& d = drawing();
    for (auto _ : state) {
        const std::string folder = tempFolder();
        vxplot::Options options;
        options.drawing = "bench.dxf";
        options.mode = vxplot::Mode::Frames;
        options.outDir = folder;
        std::ostringstream out, err;
        vxplot::Context run{d.db, *d.scene, vx::render::fontLibrary(), out, err};
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        const int status = vxplot::plotFrames(options, run);
        const double cpuSeconds = cpuSince(cpu);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        uintmax_t bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) bytes += entry.file_size();
        std::filesystem::remove_all(folder);
        if (status != 0) return state.SkipWithError(err.str().c_str());
        const double all = cpuSeconds + d.sceneCpuSeconds;
        state.counters["cpu_ms_per_frame"] = cpuSeconds * 1000 / d.frames;
        std::printf("drawing of %d frames x %d entities built in %.1f s; scene made in %.2f s processor time\n",
                    d.frames, kPerFrame, d.buildSeconds, d.sceneCpuSeconds);
        std::printf("PDF, whole path: %d frames plotted in %.2f s processor time (%.2f s wall, machine shared), "
                    "%.1f ms per frame, %.0f KB per file; with the scene %.2f s for %d frames, %.2f s scaled to "
                    "400 (target %.0f s)\n",
                    d.frames, cpuSeconds, seconds, cpuSeconds * 1000 / d.frames, bytes / 1024.0 / d.frames, all,
                    d.frames, all * 400 / d.frames, kTargetSeconds);
    }
}
BENCHMARK(BM_FramesToPdf)->Iterations(1)->Unit(benchmark::kSecond);

// One frame per file through window plots of single frames, for each other format.
void BM_FrameToFormat(benchmark::State& state) {
    const auto format = static_cast<vx::plot::OutputFormat>(state.range(0));
    std::string error;
    if (!vx::plot::ensureGuiApplication(error)) return state.SkipWithError(error.c_str());
    Drawing& d = drawing();
    const int frames = std::min(d.frames, format == vx::plot::OutputFormat::Png ? 5 : 20);
    for (auto _ : state) {
        const std::string folder = tempFolder();
        std::ostringstream out, err;
        vxplot::Context run{d.db, *d.scene, vx::render::fontLibrary(), out, err};
        double cpuSeconds = 0;
        uintmax_t bytes = 0;
        for (int f = 0; f < frames; ++f) {
            vxplot::Options options;
            const AcGePoint3d o = origin(f);
            options.window = {o.x, o.y, o.x + kFrameW, o.y + kFrameH};
            options.paper = "A1";
            options.format = format;
            options.out = folder + "/frame" + std::to_string(f) + vx::plot::formatExtension(format);
            const std::clock_t cpu = std::clock();
            const int status = vxplot::plotWindow(options, run);
            cpuSeconds += cpuSince(cpu);
            if (status != 0) {
                std::filesystem::remove_all(folder);
                return state.SkipWithError(err.str().c_str());
            }
            bytes += std::filesystem::file_size(options.out);
        }
        std::filesystem::remove_all(folder);
        state.counters["cpu_ms_per_frame"] = cpuSeconds * 1000 / frames;
        std::printf("%s, whole path: %.1f ms processor time per frame (%d frames), %.0f KB per file\n",
                    vx::plot::formatExtension(format), cpuSeconds * 1000 / frames, frames, bytes / 1024.0 / frames);
    }
}
BENCHMARK(BM_FrameToFormat)
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Pdf))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Svg))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Png))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Plt))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Dwfx))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
