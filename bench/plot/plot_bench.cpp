// Plot output cost: 400 A1 frames of about 2,500 primitives each (walls, hatches, texts, dots),
// each to a PDF file of its own through the page and the QPainter canvas. Target for the whole
// batch path (scene included): 400 frames in under 20 s on 2 cores, so the output part must stay
// well below that. PNG at 100 dpi is measured separately, per frame.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>

#include "plot/gui_application.h"
#include "plot/output_format.h"
#include "plot/page.h"
#include "stand_in_fonts.h"

namespace {

using namespace vx;

constexpr int kFrames = 400;
constexpr int kPngFrames = 10;
constexpr double kTargetSeconds = 20;
constexpr double kFrameW = 84100, kFrameH = 59400;  // A1 in the office's units (mm x 100)

struct Item {
    render::Pen pen;
    render::Geometry geometry;
};

// One frame's primitives, as the scene would hand them: grouped per entity, 2,500 in all.
std::vector<Item> makeFrame() {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> x(0, kFrameW), y(0, kFrameH), step(-1500, 1500);
    const uint8_t colours[][4] = {{255, 0, 0, 1}, {255, 255, 0, 2}, {0, 255, 0, 3}, {0, 255, 255, 4},
                                  {0, 0, 255, 5}, {255, 0, 255, 6}, {255, 255, 255, 7}, {128, 128, 128, 8}};
    const int16_t weights[] = {0, 25, 50};
    auto pen = [&](int i) {
        const auto* c = colours[i % 8];
        return render::Pen{{c[0], c[1], c[2], c[3]}, weights[(i / 8) % 3]};
    };
    std::vector<Item> items;
    for (int i = 0; i < 1800; ++i) {
        render::Geometry g;
        render::Polyline line;
        render::Vec2 p{x(rng), y(rng)};
        const int n = 2 + i % 5;
        for (int k = 0; k < n; ++k, p = p + render::Vec2{step(rng), step(rng)}) line.points.push_back(p);
        g.lines.push_back(std::move(line));
        items.push_back({pen(i), std::move(g)});
    }
    for (int i = 0; i < 200; ++i) {
        render::Geometry g;
        const render::Vec2 o{x(rng), y(rng)};
        g.fills.push_back({{{o, o + render::Vec2{600, 0}, o + render::Vec2{600, 600}, o + render::Vec2{0, 600}},
                            {o + render::Vec2{200, 200}, o + render::Vec2{400, 200}, o + render::Vec2{400, 400}}}});
        items.push_back({pen(i), std::move(g)});
    }
    const wchar_t* texts[] = {L"首层平面图", L"建施-01", L"卫生间", L"楼梯间", L"设计说明", L"C30混凝土", L"1:100"};
    for (int i = 0; i < 300; ++i) {
        render::Geometry g;
        const double height = 250 + 100 * (i % 4);
        g.texts.push_back({texts[i % 7], 1,
                           render::Affine::scaling(height, height).then(render::Affine::translation(x(rng), y(rng))),
                           4.0, false, false});
        items.push_back({pen(i), std::move(g)});
    }
    for (int i = 0; i < 200; ++i) {
        render::Geometry g;
        g.dots.push_back({x(rng), y(rng)});
        items.push_back({pen(i), std::move(g)});
    }
    return items;
}

vx::plot::PageSetup a1Page(double dpi) {
    vx::plot::PageSetup setup;
    setup.placement.window = {0, 0, kFrameW, kFrameH};
    setup.placement.paper = {841, 594, {5, 5, 836, 589}};
    setup.rasterDpi = dpi;
    setup.title = L"首层平面图";
    return setup;
}

// Plots `frames` frames, one file each; wall and processor seconds taken (the machine is shared:
// processor time is the figure to compare) and bytes written.
bool plotFrames(vx::plot::OutputFormat format, int frames, double dpi, double& seconds, double& cpuSeconds,
                uintmax_t& bytes, std::string& error) {
    static const std::vector<Item> frame = makeFrame();
    vx::plot::test::StandInFonts fonts;
    char pattern[] = "/tmp/vx_bench_plot_XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const auto source = [](render::PrimitiveSink& sink, const render::Box2&, double) {
        for (const auto& item : frame) sink.add(item.pen, item.geometry, {});
    };
    bytes = 0;
    bool ok = true;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < frames && ok; ++i) {
        const std::string path = folder + "/frame" + std::to_string(i) + vx::plot::formatExtension(format);
        auto canvas = vx::plot::makeFileCanvas(format, path, fonts, error);
        ok = canvas && vx::plot::plotPage(a1Page(dpi), source, *canvas, error) && canvas->finish(error);
        if (ok) bytes += std::filesystem::file_size(path);
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::filesystem::remove_all(folder);
    return ok;
}

void BM_Pdf400Frames(benchmark::State& state) {
    std::string error;
    if (!vx::plot::ensureGuiApplication(error)) return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        double seconds = 0, cpu = 0;
        uintmax_t bytes = 0;
        if (!plotFrames(vx::plot::OutputFormat::Pdf, kFrames, 0, seconds, cpu, bytes, error))
            return state.SkipWithError(error.c_str());
        state.counters["cpu_ms_per_frame"] = cpu * 1000 / kFrames;
        std::printf("PDF: %d A1 frames of 2,500 primitives in %.2f s processor time (%.2f s wall; %.1f ms per "
                    "frame, %.0f KB per file); the whole path's target is %.0f s, this output part takes %.0f %% "
                    "of it\n",
                    kFrames, cpu, seconds, cpu * 1000 / kFrames, bytes / 1024.0 / kFrames, kTargetSeconds,
                    100 * cpu / kTargetSeconds);
    }
}
BENCHMARK(BM_Pdf400Frames)->Iterations(1)->Unit(benchmark::kSecond);

void BM_Png100DpiFrames(benchmark::State& state) {
    std::string error;
    if (!vx::plot::ensureGuiApplication(error)) return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        double seconds = 0, cpu = 0;
        uintmax_t bytes = 0;
        if (!plotFrames(vx::plot::OutputFormat::Png, kPngFrames, 100, seconds, cpu, bytes, error))
            return state.SkipWithError(error.c_str());
        state.counters["cpu_ms_per_frame"] = cpu * 1000 / kPngFrames;
        std::printf("PNG 100 dpi (3311 x 2339): %d A1 frames, %.0f ms processor time per frame (%.0f ms wall), "
                    "%.0f KB per file\n",
                    kPngFrames, cpu * 1000 / kPngFrames, seconds * 1000 / kPngFrames, bytes / 1024.0 / kPngFrames);
    }
}
BENCHMARK(BM_Png100DpiFrames)->Iterations(1)->Unit(benchmark::kSecond);

void BM_OtherFormatsPerFrame(benchmark::State& state) {
    const auto format = static_cast<vx::plot::OutputFormat>(state.range(0));
    std::string error;
    for (auto _ : state) {
        double seconds = 0, cpu = 0;
        uintmax_t bytes = 0;
        if (!plotFrames(format, 20, 0, seconds, cpu, bytes, error)) return state.SkipWithError(error.c_str());
        state.counters["cpu_ms_per_frame"] = cpu * 1000 / 20;
        std::printf("%s: %.1f ms processor time per frame, %.0f KB per file\n", vx::plot::formatExtension(format),
                    cpu * 1000 / 20, bytes / 1024.0 / 20);
    }
}
BENCHMARK(BM_OtherFormatsPerFrame)
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Plt))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Dwfx))
    ->Arg(static_cast<int>(vx::plot::OutputFormat::Svg))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
