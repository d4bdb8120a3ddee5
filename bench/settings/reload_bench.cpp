// How long the settings reads take that a user waits for: the reload at module load and after
// the system settings command (target: under 5 ms with the sample office's GBK description),
// and the title-block dialog reading one stored content per item (target: under 2 ms for 12).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "settings/settings.h"

namespace fs = std::filesystem;

namespace {

struct ModuleFolder {
    fs::path root;
    ModuleFolder() {
        std::string pattern = (fs::temp_directory_path() / "vx-bench-settings-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        vorlix::settings().reset();
        vorlix::settings().computeLocations((root / "VorlixDesign.arx").wstring());
        vorlix::SystemSettings system;
        system.departCode = L"CODE";
        system.sheetTempPath = (fs::path(VX_SOURCE_DIR) / "samples" / "templates" / "gbk").wstring();
        if (!vorlix::writeSystemSettings(system)) std::abort();
        for (const auto& item : reloadOnce()) vorlix::writeAttrValue(item.second, L"某某设计院 张三");
    }
    ~ModuleFolder() {
        vorlix::settings().reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    static vorlix::TitleBlockItems reloadOnce() {
        if (!vorlix::settings().reload()) std::abort();
        return vorlix::settings().titleBlockItems();
    }
};

void BM_SettingsReload(benchmark::State& state) {
    ModuleFolder folder;
    for (auto _ : state) benchmark::DoNotOptimize(vorlix::settings().reload());
    state.counters["items"] = static_cast<double>(vorlix::settings().titleBlockItems().size());
    state.counters["frames"] = static_cast<double>(vorlix::settings().frameSizes().size());
}
BENCHMARK(BM_SettingsReload)->Unit(benchmark::kMicrosecond);

void BM_ReadStoredContents(benchmark::State& state) {
    ModuleFolder folder;
    const vorlix::TitleBlockItems items = ModuleFolder::reloadOnce();
    for (auto _ : state)
        for (const auto& item : items) benchmark::DoNotOptimize(vorlix::readAttrValue(item.second));
    state.counters["tags"] = static_cast<double>(items.size());
}
BENCHMARK(BM_ReadStoredContents)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
