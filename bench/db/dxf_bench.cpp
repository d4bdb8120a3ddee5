// Load, save, memory and layer collection on the generated ~180 MB drawing (big_drawing.h):
// 400 frames on "C-TK" and 1,000,000 lines, circles, polylines and texts.
// Targets: load < 2 s, save < 2 s, peak memory < 600 MB, collect by layer < 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "acdb.h"
#include "big_drawing.h"
#include "text/encoding.h"

namespace {

using vxbench::bigDrawingDir;
using vxbench::bigDrawingPath;
using vxbench::ensureBigDrawing;
using vxbench::peakMB;

std::wstring w(const std::string& s) { return vx::text::fromUtf8(s); }

AcDbDatabase* loaded() {
    static std::unique_ptr<AcDbDatabase> db;
    if (!db) {
        ensureBigDrawing();
        db = std::make_unique<AcDbDatabase>(false);
        db->readDwgFile(w(bigDrawingPath()).c_str());
    }
    return db.get();
}

void BM_Load(benchmark::State& state) {
    ensureBigDrawing();
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(bigDrawingPath())) / (1 << 20);
    for (auto _ : state) {
        AcDbDatabase db(false);
        Acad::ErrorStatus es = db.readDwgFile(w(bigDrawingPath()).c_str());
        if (es != Acad::eOk) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(db.modelSpaceId());
    }
    state.counters["peak_MB"] = peakMB();
}

void BM_Save(benchmark::State& state) {
    AcDbDatabase* db = loaded();
    for (auto _ : state)
        if (db->saveAs(w(bigDrawingDir() + "/saved.dxf").c_str()) != Acad::eOk) state.SkipWithError("save failed");
    state.counters["peak_MB"] = peakMB();
}

// What a whole-drawing selection filtered on "C-TK" does in the host: match the layer record
// once (case-insensitive), then compare every entity's resolved layer.
void BM_CollectByLayer(benchmark::State& state) {
    AcDbDatabase* db = loaded();
    AcDbObjectId layer;
    AcDbLayerTable* lt = nullptr;
    db->getLayerTable(lt, AcDb::kForRead);
    lt->getAt(L"c-tk", layer);
    lt->close();
    size_t found = 0;
    for (auto _ : state) {
        AcDbObjectIdArray ids;
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead);
        for (AcDbEntity* e : ms->entities())
            if (!e->isErased() && e->layerId() == layer) ids.append(e->objectId());
        ms->close();
        found = static_cast<size_t>(ids.length());
    }
    state.counters["found"] = static_cast<double>(found);
    state.counters["peak_MB"] = peakMB();
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CollectByLayer)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("targets: load < 2000 ms, save < 2000 ms, peak < 600 MB, collect by layer < 50 ms\n");
    benchmark::RunSpecifiedBenchmarks();
    std::printf("peak memory (ru_maxrss): %.0f MB\n", peakMB());
    benchmark::Shutdown();
    return 0;
}
