// Any bytes as a drawing, drawn whole: every space (model space and the layouts) into a sink
// that only checks and counts what it gets. Nothing may fault, hang or reach the sink as a
// non-finite coordinate; extents of every entity are taken as well.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "acdb.h"
#include "dxf/dxf.h"
#include "render/scene.h"
#include "render/space_query.h"

namespace {

class CheckingSink final : public vx::render::PrimitiveSink {
public:
    void add(const vx::render::Pen&, const vx::render::Geometry& g, const vx::render::Affine& m) override {
        for (double v : {m.m11, m.m12, m.m21, m.m22, m.dx, m.dy}) check(v);
        for (const auto& l : g.lines)
            for (const auto& p : l.points) check(p.x), check(p.y), ++points;
        for (const auto& f : g.fills)
            for (const auto& r : f.rings)
                for (const auto& p : r) check(p.x), check(p.y), ++points;
        for (const auto& p : g.dots) check(p.x), check(p.y), ++points;
        for (const auto& t : g.texts) check(t.toLocal.dx), check(t.toLocal.dy), check(t.advance);
    }
    uint64_t points = 0;

private:
    static void check(double v) {
        if (!std::isfinite(v)) abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    AcDbDatabase db(false, true);
    std::wstring message;
    if (vx::dxf::read(db.store(), std::string(reinterpret_cast<const char*>(data), size), message) != Acad::eOk) return 0;
    auto scene = vx::render::makeScene(db);
    AcDbBlockTable* bt = nullptr;
    if (db.getBlockTable(bt, AcDb::kForRead) != Acad::eOk) return 0;
    std::vector<const AcDbBlockTableRecord*> blocks;
    for (const AcDbSymbolTableRecord* r : bt->records()) blocks.push_back(static_cast<const AcDbBlockTableRecord*>(r));
    bt->close();
    CheckingSink sink;
    for (const AcDbBlockTableRecord* b : blocks) {
        for (const AcDbEntity* e : b->entities()) {
            AcDbExtents ext;
            e->getGeomExtents(ext);
            (void)scene->entityExtents(e->objectId());
        }
        if (!b->isLayout()) continue;
        vx::render::Box2 window = scene->extents(b->objectId());
        if (window.empty()) window = vx::render::Box2{-1e6, -1e6, 1e6, 1e6};
        vx::render::DrawOptions options;
        options.view = window;
        // A coarse tolerance keeps huge drawings quick; the code paths are the same.
        options.tolerance = std::max(window.width(), window.height()) / 1000;
        if (!(options.tolerance > 0) || !std::isfinite(options.tolerance)) options.tolerance = 0.01;
        // Half the inputs draw as a plot does, with references under the tolerance as dots.
        options.pixel = size % 2 ? options.tolerance : 0;
        vx::render::DrawStats stats;
        scene->draw(b->objectId(), window, options, sink, stats);
        // What selection asks of the index: positions in the space's entity list, ascending.
        const std::vector<uint32_t> near = vx::render::spaceCandidates(b->objectId(), window);
        for (size_t i = 0; i < near.size(); ++i)
            if (near[i] >= b->entities().size() || (i > 0 && near[i] <= near[i - 1])) abort();
    }
    return 0;
}
