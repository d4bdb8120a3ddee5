#include "db/big_drawing.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "acdb.h"
#include "text/encoding.h"

namespace vx::bench {

namespace {

std::wstring w(const std::string& s) { return vx::text::fromUtf8(s); }

// The frames through the database API, saved as the skeleton of the big drawing.
void writeSkeleton(const std::string& path) {
    AcDbDatabase db;
    AcDbLayerTable* lt = nullptr;
    db.getLayerTable(lt, AcDb::kForWrite);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"C-TK");
    AcDbObjectId layerId;
    lt->add(layerId, layer);
    layer->close();
    lt->close();
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForWrite);
    auto* frame = new AcDbBlockTableRecord();
    frame->setName(L"CODE-A1");
    AcDbObjectId frameId;
    bt->add(frameId, frame);
    const AcGePoint3d corners[4] = {{0, 0, 0}, {84100, 0, 0}, {84100, 59400, 0}, {0, 59400, 0}};
    for (int i = 0; i < 4; ++i) {
        auto* l = new AcDbLine(corners[i], corners[(i + 1) % 4]);
        frame->appendAcDbEntity(l);
        l->close();
    }
    const wchar_t* tags[] = {L"图号", L"图名", L"设计", L"校对", L"审核", L"日期"};
    for (int i = 0; i < 6; ++i) {
        auto* d = new AcDbAttributeDefinition(AcGePoint3d(70000, 1000 + 800 * i, 0), L"", tags[i], tags[i]);
        d->setHeight(300);
        frame->appendAcDbEntity(d);
        d->close();
    }
    frame->close();
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    bt->close();
    for (int f = 0; f < kBigDrawingFrames; ++f) {
        auto* ref = new AcDbBlockReference(AcGePoint3d((f % 20) * 90000.0, (f / 20) * 65000.0, 0), frameId);
        ref->setLayer(layerId);
        ms->appendAcDbEntity(ref);
        for (int i = 0; i < 6; ++i) {
            auto* a = new AcDbAttribute(AcGePoint3d((f % 20) * 90000.0 + 70000, (f / 20) * 65000.0 + 1000 + 800 * i, 0),
                                        (std::wstring(tags[i]) + L"-" + std::to_wstring(f)).c_str(), tags[i]);
            a->setHeight(300);
            a->setLayer(layerId);
            ref->appendAttribute(a);
            a->close();
        }
        ref->close();
    }
    ms->close();
    db.saveAs(w(path).c_str());
}

// Splices the drawing content into the skeleton's ENTITIES, with handles above its seed.
void writeBigDrawing() {
    std::filesystem::create_directories(bigDrawingFolder());
    std::string skel = bigDrawingFolder() + "/skeleton.dxf";
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
    for (int i = 0; i < kBigDrawingEntities; ++i) {
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
    std::ofstream(bigDrawingPath(), std::ios::binary) << text;
}

}  // namespace

std::string bigDrawingFolder() { return std::filesystem::temp_directory_path().string() + "/vx-bench-db"; }
std::string bigDrawingPath() { return bigDrawingFolder() + "/big.dxf"; }

void ensureBigDrawing() {
    static bool done = false;
    if (done) return;
    done = true;
    // Generated in a child process, so that the generator's memory is not this process's peak.
    pid_t pid = ::fork();
    if (pid == 0) {
        writeBigDrawing();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
}


}  // namespace vx::bench
