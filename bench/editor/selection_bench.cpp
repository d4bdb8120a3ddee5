// What a user waits for when a dialog collects "all frames of this drawing": the whole-drawing
// selection with the frame-layer filter, then one attribute map per frame. The drawing has 200
// frames with 12 attributes each among 20,000 lines on other layers, a large project sheet set.
// Targets: the selection under 100 ms, selection plus every attribute map under 200 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "acdb.h"
#include "aced.h"
#include "dbapserv.h"
#include "frames/frame_attributes.h"
#include "frames/frame_select.h"

namespace {

AcDbDatabase* buildDrawing() {
    auto* db = new AcDbDatabase(true, true);
    acdbHostApplicationServices()->setWorkingDatabase(db);
    AcDbLayerTable* layers = nullptr;
    if (db->getSymbolTable(layers, AcDb::kForWrite) != Acad::eOk) std::abort();
    for (const wchar_t* name : {L"C-TK", L"WALL", L"AXIS"}) {
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        layers->add(rec);
        rec->close();
    }
    layers->close();
    AcDbObjectId block;
    AcDbBlockTable* blocks = nullptr;
    db->getSymbolTable(blocks, AcDb::kForWrite);
    auto* def = new AcDbBlockTableRecord;
    def->setName(L"CODE-A1");
    blocks->add(block, def);
    def->close();
    blocks->close();

    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < 20000; ++i) {
        auto* l = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 100, 0));
        l->setLayer(i % 2 ? L"WALL" : L"AXIS");
        ms->appendAcDbEntity(l);
        l->close();
        if (i % 100 != 0) continue;
        auto* ref = new AcDbBlockReference(AcGePoint3d(i, 0, 0), block);
        ref->setLayer(L"C-TK");
        AcDbObjectId id;
        ms->appendAcDbEntity(id, ref);
        for (int a = 0; a < 12; ++a) {
            auto* att = new AcDbAttribute(AcGePoint3d(i, a, 0), L"内容", (L"TAG" + std::to_wstring(a)).c_str());
            ref->appendAttribute(att);
            att->close();
        }
        ref->close();
    }
    return db;
}

struct Drawing {
    AcDbDatabase* db = buildDrawing();
    ~Drawing() {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    }
};

Drawing& drawing() {
    static Drawing d;
    return d;
}

void BM_AllFramesSelection(benchmark::State& state) {
    drawing();
    for (auto _ : state) {
        vorlix::FrameList frames = vorlix::allFrames();
        if (frames.length() != 200) state.SkipWithError("wrong frame count");
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_AllFramesSelection)->Unit(benchmark::kMillisecond);

void BM_AllFramesWithAttributeMaps(benchmark::State& state) {
    drawing();
    for (auto _ : state) {
        size_t tags = 0;
        const vorlix::FrameList frames = vorlix::allFrames();
        for (int i = 0; i < frames.length(); ++i) tags += vorlix::readAttributeMap(frames[i]).size();
        if (tags != 200 * 12) state.SkipWithError("wrong attribute count");
    }
}
BENCHMARK(BM_AllFramesWithAttributeMaps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
