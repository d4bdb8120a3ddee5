#include "big_drawing.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "acdb.h"
#include "text/encoding.h"

namespace vxbench {
namespace {

std::wstring w(const std::string& s) { return vx::text::fromUtf8(s); }

template <class T>
void append(AcDbBlockTableRecord* block, T* entity, const wchar_t* layer) {
    entity->setLayer(layer);
    block->appendAcDbEntity(entity);
    entity->close();
}

void rectangle(AcDbBlockTableRecord* block, double x0, double y0, double x1, double y1, const wchar_t* layer) {
    auto* p = new AcDbPolyline(4);
    const double pts[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (unsigned k = 0; k < 4; ++k) p->addVertexAt(k, AcGePoint2d(pts[k][0], pts[k][1]));
    p->setClosed(true);
    append(block, p, layer);
}

const wchar_t* const kTags[] = {L"图号", L"图名", L"设计", L"校对", L"审核", L"日期"};
const wchar_t* const kLabels[] = {L"工程名称", L"设计", L"校对", L"审核", L"图号", L"图名", L"日期", L"比例"};

// A frame block as an office draws one, `s` times the A1 size: outer and inner border, a title
// block of 9 rows and 4 columns at the lower right, its labels and six attribute definitions.
void frameBlock(AcDbBlockTable* bt, const wchar_t* name, double s, AcDbObjectId& id) {
    auto* b = new AcDbBlockTableRecord();
    b->setName(name);
    bt->add(id, b);
    rectangle(b, 0, 0, 84100 * s, 59400 * s, L"TK-外框");
    rectangle(b, 2500 * s, 1000 * s, 83100 * s, 58400 * s, L"TK-内框");
    const double left = 65100 * s, right = 83100 * s, bottom = 1000 * s, row = 800 * s;
    for (int i = 1; i <= 9; ++i)
        append(b, new AcDbLine(AcGePoint3d(left, bottom + row * i, 0), AcGePoint3d(right, bottom + row * i, 0)), L"TK-内框");
    for (double x : {65100.0, 68100.0, 74100.0, 77100.0})
        append(b, new AcDbLine(AcGePoint3d(x * s, bottom, 0), AcGePoint3d(x * s, bottom + row * 9, 0)), L"TK-内框");
    for (int i = 0; i < 8; ++i)
        append(b, new AcDbText(AcGePoint3d(left + 200 * s, bottom + row * i + 250 * s, 0), kLabels[i], AcDbObjectId::kNull, 300 * s),
               L"TK-文字");
    for (int i = 0; i < 6; ++i) {
        auto* d = new AcDbAttributeDefinition(AcGePoint3d(68300 * s, bottom + row * i + 250 * s, 0), L"", kTags[i], kTags[i]);
        d->setHeight(300 * s);
        append(b, d, L"TK-文字");
    }
    b->close();
}

// The frames through the database API, saved as the skeleton of the big drawing.
void writeSkeleton(const std::string& path) {
    AcDbDatabase db;
    AcDbLayerTable* lt = nullptr;
    db.getLayerTable(lt, AcDb::kForWrite);
    AcDbObjectId frameLayer;
    for (const wchar_t* name : {L"C-TK", L"TK-外框", L"TK-内框", L"TK-文字"}) {
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(name);
        AcDbObjectId id;
        lt->add(id, layer);
        layer->close();
        if (frameLayer.isNull()) frameLayer = id;
    }
    lt->close();
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForWrite);
    AcDbObjectId blocks[3];
    frameBlock(bt, L"CODE-A1", 1.0, blocks[0]);
    frameBlock(bt, L"CODE-A2", 0.7, blocks[1]);
    frameBlock(bt, L"CODE-A3", 0.5, blocks[2]);
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    bt->close();
    for (int f = 0; f < kFrames; ++f) {
        const double x = (f % 20) * 90000.0, y = (f / 20) * 65000.0;
        const double s = f % 3 == 0 ? 1.0 : f % 3 == 1 ? 0.7 : 0.5;
        auto* ref = new AcDbBlockReference(AcGePoint3d(x, y, 0), blocks[f % 3]);
        ref->setLayer(frameLayer);
        ms->appendAcDbEntity(ref);
        for (int i = 0; i < 6; ++i) {
            auto* a = new AcDbAttribute(AcGePoint3d(x + 68300 * s, y + (1000 + 800 * i + 250) * s, 0),
                                        (std::wstring(kTags[i]) + L"-" + std::to_wstring(f)).c_str(), kTags[i]);
            a->setHeight(300 * s);
            a->setLayer(frameLayer);
            ref->appendAttribute(a);
            a->close();
        }
        ref->close();
    }
    ms->close();
    db.saveAs(w(path).c_str());
}

// Splices the drawing content into the skeleton's ENTITIES, with handles above its seed.
void writeBigDrawing(const std::string& target) {
    // Benchmarks of other builds may generate at the same time: a skeleton of this process's own.
    const std::string skel = bigDrawingDir() + "/skeleton-" + std::to_string(::getpid()) + ".dxf";
    writeSkeleton(skel);
    std::ifstream in(skel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    AcDbDatabase probe(false);
    probe.readDwgFile(w(skel).c_str());
    uint64_t handle = probe.handseed().value();
    char owner[20];
    std::snprintf(owner, sizeof owner, "%llX", static_cast<unsigned long long>(probe.modelSpaceId().handle().value()));
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> pos(0, 1800000), len(10, 5000);
    std::string body;
    body.reserve(190u << 20);
    char buf[512];
    const char* layers[] = {"0", "Walls", "Doors", "Text"};
    for (int i = 0; i < kEntities; ++i) {
        double x = pos(rng), y = pos(rng) * 0.7, d = len(rng);
        const char* layer = layers[i % 4];
        unsigned long long h = handle++;
        int n = 0;
        switch (i % 5) {
        case 0: case 1:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nLINE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n  6\nContinuous\n370\n-1\n100\nAcDbLine\n 10\n%.6f\n 20\n%.6f\n"
                              " 30\n0.0\n 11\n%.6f\n 21\n%.6f\n 31\n0.0\n",
                              h, owner, layer, x, y, x + d, y + d * 0.5);
            break;
        case 2:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nCIRCLE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n  6\nContinuous\n370\n-1\n100\nAcDbCircle\n 10\n%.6f\n"
                              " 20\n%.6f\n 30\n0.0\n 40\n%.6f\n",
                              h, owner, layer, x, y, d / 4);
            break;
        case 3:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nLWPOLYLINE\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n  6\nContinuous\n370\n-1\n100\nAcDbPolyline\n 90\n4\n"
                              " 70\n1\n 10\n%.6f\n 20\n%.6f\n 10\n%.6f\n 20\n%.6f\n 42\n0.414214\n 10\n%.6f\n 20\n%.6f\n"
                              " 10\n%.6f\n 20\n%.6f\n",
                              h, owner, layer, x, y, x + d, y, x + d, y + d, x, y + d);
            break;
        default:
            n = std::snprintf(buf, sizeof buf,
                              "  0\nTEXT\n  5\n%llX\n330\n%s\n100\nAcDbEntity\n  8\n%s\n  6\nContinuous\n370\n-1\n100\nAcDbText\n 10\n%.6f\n"
                              " 20\n%.6f\n 30\n0.0\n 40\n250.0\n  1\n房间 %d\n100\nAcDbText\n",
                              h, owner, layer, x, y, i);
            break;
        }
        body.append(buf, static_cast<size_t>(n));
    }
    size_t at = text.find("  0\nENDSEC\n", text.find("ENTITIES"));
    text.insert(at, body);
    char seed[40];
    std::snprintf(seed, sizeof seed, "%llX", static_cast<unsigned long long>(handle));
    size_t hs = text.find("$HANDSEED\n  5\n") + 14;
    text.replace(hs, text.find('\n', hs) - hs, seed);
    std::ofstream(target, std::ios::binary) << text;
    std::filesystem::remove(skel);
    std::filesystem::remove(skel.substr(0, skel.size() - 4) + ".bak");
}

}  // namespace

std::string bigDrawingDir() { return std::filesystem::temp_directory_path().string() + "/vx-bench-db"; }
// The name changes with the generator, so that a file of an older generator is never taken.
std::string bigDrawingPath() { return bigDrawingDir() + "/big-frames30.dxf"; }

void ensureBigDrawing() {
    static bool done = false;
    if (done) return;
    done = true;
    if (std::filesystem::exists(bigDrawingPath())) return;
    std::filesystem::create_directories(bigDrawingDir());
    // Written under another name and renamed, so that an interrupted run leaves no half file.
    const std::string partial = bigDrawingPath() + ".part-" + std::to_string(::getpid());
    pid_t pid = ::fork();
    if (pid == 0) {
        writeBigDrawing(partial);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) std::filesystem::rename(partial, bigDrawingPath());
}

double peakMB() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;
}

}  // namespace vxbench
