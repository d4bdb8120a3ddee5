// Filling a dialog's list with 2,000 frames in reading order: opening each frame for its
// extents and sorting them into rows. Target: well under a second (250 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "acdb.h"
#include "commands/reading_order.h"
#include "dbapserv.h"
#include "dbents.h"

namespace {

constexpr int kFrames = 2000;
constexpr int kPerRow = 40;
constexpr double kTargetMs = 250;

// A drawing with 2,000 A3 frames laid out 40 to a row, each with a small vertical jitter, added
// in a shuffled order as a user's window pick would list them.
struct Drawing {
    AcDbDatabase db{true, true};
    vorlix::FrameList frames{0, 8};

    Drawing() {
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        AcDbBlockTable* table = nullptr;
        db.getSymbolTable(table, AcDb::kForWrite);
        auto* rec = new AcDbBlockTableRecord;
        rec->setName(L"CODE-A3");
        AcDbObjectId block;
        table->add(block, rec);
        auto* border = new AcDbPolyline(4);
        const double pts[4][2] = {{0, 0}, {420, 0}, {420, 297}, {0, 297}};
        for (unsigned k = 0; k < 4; ++k) border->addVertexAt(k, AcGePoint2d(pts[k][0], pts[k][1]));
        border->setClosed(true);
        rec->appendAcDbEntity(border);
        border->close();
        rec->close();
        table->close();

        std::vector<int> order(kFrames);
        for (int i = 0; i < kFrames; ++i) order[static_cast<size_t>(i)] = i;
        std::mt19937 rng(42);
        std::shuffle(order.begin(), order.end(), rng);
        std::uniform_real_distribution<double> jitter(-50, 50);
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        for (int i : order) {
            auto* ref = new AcDbBlockReference(AcGePoint3d(450.0 * (i % kPerRow), -400.0 * (i / kPerRow) + jitter(rng), 0),
                                               block);
            AcDbObjectId id;
            ms->appendAcDbEntity(id, ref);
            auto* att = new AcDbAttribute(AcGePoint3d(300, 10, 0), L"S-01", L"图号");
            ref->appendAttribute(att);
            att->close();
            ref->close();
            frames.append(id);
        }
    }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
};

void BM_ReadingOrder2000Frames(benchmark::State& state) {
    Drawing drawing;
    double total = 0;
    int runs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        vorlix::FrameList ordered = vorlix::inReadingOrder(drawing.frames);
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ++runs;
        benchmark::DoNotOptimize(ordered);
        if (ordered.length() != kFrames) state.SkipWithError("frames were lost");
    }
    const double ms = total / runs;
    state.counters["ms_per_fill"] = ms;
    std::printf("reading order of %d frames: %.2f ms (target %.0f ms): %s\n", kFrames, ms, kTargetMs,
                ms < kTargetMs ? "met" : "MISSED");
}
BENCHMARK(BM_ReadingOrder2000Frames)->Unit(benchmark::kMillisecond);

void BM_ReadingOrderPlacesOnly(benchmark::State& state) {
    std::vector<vorlix::FramePlace> places;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> jitter(-50, 50);
    for (int i = 0; i < kFrames; ++i)
        places.push_back({450.0 * (i % kPerRow) + 210, -400.0 * (i / kPerRow) + jitter(rng), 297});
    std::shuffle(places.begin(), places.end(), rng);
    for (auto _ : state) benchmark::DoNotOptimize(vorlix::readingOrder(places));
}
BENCHMARK(BM_ReadingOrderPlacesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
