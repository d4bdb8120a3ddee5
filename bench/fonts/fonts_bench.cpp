// Cost of the font layer on the paths the renderer takes per text: measuring a title-block
// line, drawing its glyphs (outline and shape fonts), looking up a resolved style, and the
// one-time cost of a library (fontconfig listing) with its first resolution.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../../tests/host/render/fonts/shx_writer.h"
#include "render/font_library.h"

namespace {

using namespace vx::render;
using vx::test::shapeBytes;

const std::wstring kLine = L"建施-01 首层平面图 工程名称 设计 校对 审核 日期 比例 1:100";

// A fonts folder with a shape font for ASCII letters and a big font for the line's hanzi.
const FontLibraryConfig& config() {
    static const FontLibraryConfig c = [] {
        std::string dir = "/tmp/vxbench-fonts-" + std::to_string(getpid());
        std::filesystem::create_directories(dir);
        std::vector<vx::test::ShxShape> latin;
        for (int c = 32; c < 127; ++c) latin.push_back({uint32_t(c), shapeBytes({0x64, 10, 3, 0x12, 2, 0x60, 0})});
        std::ofstream(dir + "/txt.shx", std::ios::binary) << vx::test::shapesFile(latin, 6, 2);
        std::vector<vx::test::ShxShape> hanzi;
        for (uint32_t lead = 0xB0; lead <= 0xF7; ++lead)
            for (uint32_t trail = 0xA1; trail <= 0xFE; ++trail)
                hanzi.push_back({lead << 8 | trail, shapeBytes({0xA0, 0xA4, 0xA8, 0xAC, 2, 0x44, 1, 0x80, 2, 0xC0, 0})});
        std::ofstream(dir + "/gbcbig.shx", std::ios::binary) << vx::test::bigFontFile(hanzi, 10, 0, {{0x81, 0xFE}});
        FontLibraryConfig cfg;
        cfg.tableFile = dir + "/fonts.ini";
        cfg.folders = {dir};
        return cfg;
    }();
    return c;
}

FontLibrary& library() {
    static auto lib = makeFontLibrary(config());
    return *lib;
}

void BM_AdvanceOutline(benchmark::State& state) {
    FontId id = library().resolve({L"", L"", L"黑体", false, false});
    for (auto _ : state) benchmark::DoNotOptimize(library().advance(id, kLine));
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_AdvanceOutline);

void BM_AdvanceShapeFont(benchmark::State& state) {
    FontId id = library().resolve({L"txt", L"gbcbig", L"", false, false});
    for (auto _ : state) benchmark::DoNotOptimize(library().advance(id, kLine));
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_AdvanceShapeFont);

void BM_GlyphsOutline(benchmark::State& state) {
    FontId id = library().resolve({L"", L"", L"黑体", false, false});
    for (auto _ : state) {
        GlyphGeometry g;
        library().glyphs(id, kLine, 0.01, g);
        benchmark::DoNotOptimize(g.fills.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_GlyphsOutline);

void BM_GlyphsShapeFont(benchmark::State& state) {
    FontId id = library().resolve({L"txt", L"gbcbig", L"", false, false});
    for (auto _ : state) {
        GlyphGeometry g;
        library().glyphs(id, kLine, 0.01, g);
        benchmark::DoNotOptimize(g.strokes.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_GlyphsShapeFont);

void BM_ResolveKnownStyle(benchmark::State& state) {
    library().resolve({L"simplex.shx", L"hztxt.shx", L"", false, false});
    for (auto _ : state) benchmark::DoNotOptimize(library().resolve({L"simplex.shx", L"hztxt.shx", L"", false, false}));
}
BENCHMARK(BM_ResolveKnownStyle);

void BM_NewLibraryFirstResolve(benchmark::State& state) {
    for (auto _ : state) {
        auto lib = makeFontLibrary(config());
        benchmark::DoNotOptimize(lib->advance(lib->resolve({L"", L"", L"宋体", false, false}), kLine));
    }
}
BENCHMARK(BM_NewLibraryFirstResolve)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
