// What a user waits for in the dialog framework: the module's resource script is parsed once
// when the module attaches (target: under 20 ms for the whole script), and every command builds
// its dialog's windows from a template and tears them down again (target: under 1 ms for the
// largest template).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "ui/dialog_template.h"
#include "ui/resource_registry.h"
#include "vxresource.h"

namespace {

void BM_RegisterModuleScript(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        if (!vx::ui::registerEmbeddedTable(vxThisModuleHandle(), vx_embedded_resources, error)) std::abort();
        vx::ui::unregisterResources(vxThisModuleHandle());
    }
    size_t bytes = 0;
    for (const VxEmbeddedFile* f = vx_embedded_resources; f->name; ++f) bytes += f->size;
    state.counters["script_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RegisterModuleScript)->Unit(benchmark::kMillisecond);

void BM_BuildAndDestroyLargestDialog(benchmark::State& state) {
    std::string error;
    if (!vx::ui::registerEmbeddedTable(vxThisModuleHandle(), vx_embedded_resources, error)) std::abort();
    const vx::ui::rc::Script* s = vx::ui::resourcesOf(vxThisModuleHandle());
    const vx::ui::rc::Dialog* largest = nullptr;
    for (const auto& d : s->dialogs)
        if (!largest || d.controls.size() > largest->controls.size()) largest = &d;
    if (!largest) {
        state.SkipWithError("the module has no dialog templates");
        return;
    }
    for (auto _ : state) vx::ui::destroyWindow(vx::ui::instantiateDialog(*largest, nullptr));
    state.counters["controls"] = static_cast<double>(largest->controls.size());
    vx::ui::unregisterResources(vxThisModuleHandle());
}
BENCHMARK(BM_BuildAndDestroyLargestDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
