// The scene on a large drawing: 400 frames (a title-block reference with six attributes each)
// holding about 2,500 entities apiece (lines, circles, arcs, bulged polylines, texts, MTEXT,
// hatches and references of a small symbol block), 1,000,000 entities in all. Measured:
// building the scene (every entity measured and indexed), drawing each frame's window into a
// counting sink, the same frame in a drawing of its own, and the memory the scene adds.
// Targets: scene build < 3 s, a frame < 50 ms (20 frames per second leave the rest of the
// 20 s budget of 400 PDF pages to the page writer), a frame inside the big drawing at most
// 1.5 times the frame alone, the scene's memory at most 0.3 times the drawing's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "acdb.h"
#include "render/block_geometry.h"
#include "render/scene.h"
#include "text/encoding.h"

namespace {

constexpr int kFrames = 400;
constexpr int kPerFrame = 2500;
constexpr double kFrameW = 84100, kFrameH = 59400, kPitchX = 90000, kPitchY = 65000;

std::string dir() { return std::filesystem::temp_directory_path().string() + "/vx-bench-render"; }
std::wstring w(const std::string& s) { return vx::text::fromUtf8(s); }

AcGePoint3d frameOrigin(int f) { return AcGePoint3d((f % 20) * kPitchX, (f / 20) * kPitchY, 0); }

AcDbObjectId addBlock(AcDbDatabase& db, const wchar_t* name) {
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForWrite);
    auto* b = new AcDbBlockTableRecord();
    b->setName(name);
    AcDbObjectId id;
    bt->add(id, b);
    b->close();
    bt->close();
    return id;
}

void append(AcDbObjectId block, AcDbEntity* e) {
    AcDbBlockTableRecord* b = nullptr;
    acdbOpenObject(b, block, AcDb::kForWrite);
    b->appendAcDbEntity(e);
    e->close();
    b->close();
}

// The frames (and the symbol block) through the database API.
void writeSkeleton(const std::string& path, int frames) {
    AcDbDatabase db;
    AcDbLayerTable* lt = nullptr;
    db.getLayerTable(lt, AcDb::kForWrite);
    for (const wchar_t* name : {L"C-TK", L"Walls", L"Doors", L"Text", L"Hatch"}) {
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(name);
        lt->add(layer);
        layer->close();
    }
    lt->close();
    const AcDbObjectId frame = addBlock(db, L"CODE-A1");
    const AcGePoint3d corners[4] = {{0, 0, 0}, {kFrameW, 0, 0}, {kFrameW, kFrameH, 0}, {0, kFrameH, 0}};
    for (int i = 0; i < 4; ++i) append(frame, new AcDbLine(corners[i], corners[(i + 1) % 4]));
    for (int i = 0; i < 12; ++i) append(frame, new AcDbLine(AcGePoint3d(60000, 800.0 * i, 0), AcGePoint3d(kFrameW, 800.0 * i, 0)));
    const wchar_t* tags[] = {L"图号", L"图名", L"设计", L"校对", L"审核", L"日期"};
    for (int i = 0; i < 6; ++i) {
        auto* d = new AcDbAttributeDefinition(AcGePoint3d(70000, 100 + 800 * i, 0), L"", tags[i], tags[i]);
        d->setHeight(300);
        append(frame, d);
    }
    const AcDbObjectId door = addBlock(db, L"DOOR");
    append(door, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(900, 0, 0)));
    append(door, new AcDbArc(AcGePoint3d(0, 0, 0), 900, 0, M_PI / 2));
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    bt->close();
    for (int f = 0; f < frames; ++f) {
        const AcGePoint3d o = frameOrigin(f);
        auto* ref = new AcDbBlockReference(o, frame);
        ref->setLayer(L"C-TK");
        ms->appendAcDbEntity(ref);
        for (int i = 0; i < 6; ++i) {
            auto* a = new AcDbAttribute(AcGePoint3d(o.x + 70000, o.y + 100 + 800 * i, 0),
                                        (std::wstring(tags[i]) + L"-" + std::to_wstring(f)).c_str(), tags[i]);
            a->setHeight(300);
            a->setLayer(L"C-TK");
            ref->appendAttribute(a);
            a->close();
        }
        ref->close();
    }
    ms->close();
    db.saveAs(w(path).c_str());
}

// Frame f's contents, from a generator of its own so that a frame drawn alone holds the same.
void frameContents(int f, uint64_t& handle, const char* owner, std::string& body) {
    std::mt19937 rng(20261208u + static_cast<unsigned>(f));
    const AcGePoint3d o = frameOrigin(f);
    std::uniform_real_distribution<double> px(o.x + 500, o.x + kFrameW - 500), py(o.y + 500, o.y + kFrameH - 500),
        len(50, 3000);
    const char* layers[] = {"0", "Walls", "Doors", "Text"};
    char buf[1024];
    for (int i = 0; i < kPerFrame; ++i) {
        const double x = px(rng), y = py(rng), d = len(rng);
        const char* layer = layers[i % 4];
        const unsigned long long h = handle++;
        int n = 0;
        switch (i % 10) {
        case 0: case 1: case 2: case 3:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nLINE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n100\nAcDbLine\n 10\n%.3f\n 20\n%.3f\n"
                              " 30\n0.0\n 11\n%.3f\n 21\n%.3f\n 31\n0.0\n",
                              h, owner, layer, x, y, x + d, y + d * 0.3);
            break;
        case 4:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nCIRCLE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n100\nAcDbCircle\n 10\n%.3f\n"
                              " 20\n%.3f\n 30\n0.0\n 40\n%.3f\n",
                              h, owner, layer, x, y, d / 4);
            break;
        case 5:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nARC\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n100\nAcDbCircle\n 10\n%.3f\n"
                              " 20\n%.3f\n 30\n0.0\n 40\n%.3f\n100\nAcDbArc\n 50\n30.0\n 51\n200.0\n",
                              h, owner, layer, x, y, d / 3);
            break;
        case 6:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nLWPOLYLINE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n100\nAcDbPolyline\n 90\n4\n"
                              " 70\n1\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n 42\n0.414214\n 10\n%.3f\n 20\n%.3f\n"
                              " 10\n%.3f\n 20\n%.3f\n",
                              h, owner, layer, x, y, x + d, y, x + d, y + d, x, y + d);
            break;
        case 7:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nTEXT\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\nText\n100\nAcDbText\n 10\n%.3f\n"
                              " 20\n%.3f\n 30\n0.0\n 40\n250.0\n  1\n房间 %d\n100\nAcDbText\n",
                              h, owner, x, y, i);
            break;
        case 8:
            if (i % 20 == 8)
                n = std::snprintf(buf, sizeof buf,
                                  "  0\nMTEXT\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\nText\n100\nAcDbMText\n 10\n%.3f\n"
                                  " 20\n%.3f\n 30\n0.0\n 40\n200.0\n 41\n3000.0\n 71\n1\n  1\n说明 %d: 墙体采用 {\\C1;加气混凝土砌块}\\P"
                                  "厚度 200 mm, 详见 \\S1/2;\n",
                                  h, owner, x, y, i);
            else
                n = std::snprintf(buf, sizeof buf,
                                  "  0\nHATCH\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\nHatch\n100\nAcDbHatch\n 10\n0.0\n 20\n0.0\n"
                                  " 30\n0.0\n210\n0.0\n220\n0.0\n230\n1.0\n  2\nANSI31\n 70\n0\n 71\n0\n 91\n1\n 92\n3\n 72\n0\n"
                                  " 73\n1\n 93\n4\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n"
                                  " 20\n%.3f\n 97\n0\n 75\n1\n 76\n1\n 52\n0.0\n 41\n20.0\n 77\n0\n 78\n1\n 53\n45.0\n 43\n0.0\n"
                                  " 44\n0.0\n 45\n-44.9\n 46\n44.9\n 79\n0\n 98\n0\n",
                                  h, owner, x, y, x + d / 2, y, x + d / 2, y + d / 3, x, y + d / 3);
            break;
        default:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nINSERT\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\nDoors\n100\nAcDbBlockReference\n  2\nDOOR\n"
                              " 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 50\n%d.0\n",
                              h, owner, x, y, (i % 4) * 90);
            break;
        }
        body.append(buf, static_cast<size_t>(n));
    }
}

void writeDrawing(const std::string& path, int firstFrame, int frames) {
    std::filesystem::create_directories(dir());
    const std::string skel = path + ".skeleton.dxf";
    writeSkeleton(skel, frames);
    std::ifstream in(skel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    AcDbDatabase probe(false);
    probe.readDwgFile(w(skel).c_str());
    uint64_t handle = probe.handseed().value();
    char owner[20];
    std::snprintf(owner, sizeof owner, "%llX", static_cast<unsigned long long>(probe.modelSpaceId().handle().value()));
    std::string body;
    body.reserve(static_cast<size_t>(frames) * kPerFrame * 190);
    for (int f = firstFrame; f < firstFrame + frames; ++f) frameContents(f, handle, owner, body);
    const size_t at = text.find("  0\nENDSEC\n", text.find("ENTITIES"));
    text.insert(at, body);
    char seed[40];
    std::snprintf(seed, sizeof seed, "%llX", static_cast<unsigned long long>(handle));
    const size_t hs = text.find("$HANDSEED\n  5\n") + 14;
    text.replace(hs, text.find('\n', hs) - hs, seed);
    std::ofstream(path, std::ios::binary) << text;
}

// Named by the generator's version: a changed generator never reads an old file.
std::string bigFile() { return dir() + "/big-1.dxf"; }
std::string aloneFile() { return dir() + "/alone-1.dxf"; }

void ensureDrawings() {
    static bool done = false;
    if (done) return;
    done = true;
    // Generated in a child process, so that the generator's memory is not this process's peak.
    pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::filesystem::exists(bigFile())) writeDrawing(bigFile(), 0, kFrames);
        if (!std::filesystem::exists(aloneFile())) writeDrawing(aloneFile(), 0, 1);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
}

double peakMB() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;
}

double currentMB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

class CountingSink final : public vx::render::PrimitiveSink {
public:
    void add(const vx::render::Pen&, const vx::render::Geometry& g, const vx::render::Affine&) override {
        ++calls;
        for (const auto& l : g.lines) points += l.points.size();
        for (const auto& f : g.fills)
            for (const auto& r : f.rings) points += r.size();
        texts += g.texts.size();
    }
    uint64_t calls = 0, points = 0, texts = 0;
};

struct Loaded {
    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<vx::render::Scene> scene;
};

Loaded& drawingOf(const std::string& path) {
    static std::map<std::string, Loaded> cache;
    Loaded& l = cache[path];
    if (l.db) return l;
    ensureDrawings();
    l.db = std::make_unique<AcDbDatabase>(false);
    l.db->readDwgFile(w(path).c_str());
    l.scene = vx::render::makeScene(*l.db);
    l.scene->extents(l.db->modelSpaceId());
    return l;
}

vx::render::Box2 frameWindow(int f) {
    const AcGePoint3d o = frameOrigin(f);
    return vx::render::Box2{o.x, o.y, o.x + kFrameW, o.y + kFrameH};
}

void drawFrame(vx::render::Scene& scene, AcDbDatabase& db, int f, CountingSink& sink) {
    vx::render::DrawOptions o;
    o.view = frameWindow(f);
    o.tolerance = kFrameW / 841 / 10;  // 0.1 mm on an A1 sheet
    vx::render::DrawStats stats;
    scene.draw(db.modelSpaceId(), o.view, o, sink, stats);
}

// Runs first, in a process that has loaded nothing yet: the memory figures are the drawing's
// and the scene's own.
void BM_BuildScene(benchmark::State& state) {
    ensureDrawings();
    const double before = currentMB();
    AcDbDatabase db(false);
    db.readDwgFile(w(bigFile()).c_str());
    const double loaded = currentMB();
    double built = 0;
    for (auto _ : state) {
        auto scene = vx::render::makeScene(db);
        benchmark::DoNotOptimize(scene->extents(db.modelSpaceId()));
        if (built == 0) built = currentMB();
    }
    state.counters["load_MB"] = loaded - before;
    state.counters["scene_MB"] = built - loaded;
    state.counters["scene_per_load"] = (built - loaded) / (loaded - before);
}

void BM_DrawAllFrames(benchmark::State& state) {
    Loaded& l = drawingOf(bigFile());
    CountingSink sink;
    for (auto _ : state)
        for (int f = 0; f < kFrames; ++f) drawFrame(*l.scene, *l.db, f, sink);
    state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(kFrames) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["calls_per_frame"] = static_cast<double>(sink.calls) / kFrames / static_cast<double>(state.iterations());
    state.counters["points_per_frame"] = static_cast<double>(sink.points) / kFrames / static_cast<double>(state.iterations());
}

void BM_FrameInBigDrawing(benchmark::State& state) {
    Loaded& l = drawingOf(bigFile());
    CountingSink sink;
    for (auto _ : state) drawFrame(*l.scene, *l.db, 0, sink);
}

void BM_FrameAlone(benchmark::State& state) {
    Loaded& l = drawingOf(aloneFile());
    CountingSink sink;
    for (auto _ : state) drawFrame(*l.scene, *l.db, 0, sink);
}

BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DrawAllFrames)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FrameInBigDrawing)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_FrameAlone)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("targets: scene build < 3000 ms, a frame < 50 ms, frame in big drawing <= 1.5 x frame alone, "
                "scene memory <= 0.3 x drawing memory\n");
    benchmark::RunSpecifiedBenchmarks();
    std::printf("peak memory (ru_maxrss): %.0f MB; block geometries made: %llu\n", peakMB(),
                static_cast<unsigned long long>(vx::render::BlockCache::builds()));
    benchmark::Shutdown();
    return 0;
}
