// The page sink: world -> paper, pens -> output pens, culling and clipping, batching per pen.
#include "plot/page.h"

#include <algorithm>
#include <cmath>

#include "plot/clip.h"
#include "plot/file_canvas.h"

namespace vx::plot {

using render::Affine;
using render::Box2;
using render::Vec2;

namespace {

constexpr double kVectorToleranceMm = 0.05;
// Text boxes for culling come from the run's advance and generous ascent and descent: a text
// kept by mistake costs nothing (the canvas clips), one culled by mistake would be lost.
constexpr double kTextDescent = 0.5, kTextAscent = 1.5, kMinAdvancePerChar = 1.2;
// Geometry reaching past the clip is cut this far outside it, so line caps never show cut ends.
constexpr double kClipMarginMm = 1.0;

uint64_t penKey(const render::Pen& pen) {
    const auto& c = pen.color;
    return (uint64_t{c.r} << 40) | (uint64_t{c.g} << 32) | (uint64_t{c.b} << 24) | (uint64_t{c.aci} << 16) |
           static_cast<uint16_t>(pen.lineweight);
}

bool finite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

Box2 grown(const Box2& b, double by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

bool contains(const Box2& outer, const Box2& inner) {
    return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 && inner.y1 <= outer.y1;
}

// Maps points onto the paper; false when one of them is not a finite number.
bool mapPoints(const std::vector<Vec2>& in, const Affine& map, std::vector<Vec2>& out, Box2& box) {
    out.resize(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const Vec2 p = map.map(in[i]);
        if (!finite(p)) return false;
        out[i] = p;
        box.add(p);
    }
    return true;
}

}  // namespace

double worldTolerance(const PageLayout& layout, double rasterDpi) {
    const double mm = rasterDpi > 0 ? 0.5 * 25.4 / rasterDpi : kVectorToleranceMm;
    return layout.mmPerUnit > 0 ? mm / layout.mmPerUnit : mm;
}

PageSink::PageSink(const PageLayout& layout, const PlotStyleTable& table, double lineweightScale, render::Canvas& canvas)
    : m_layout(layout), m_table(table), m_lineweightScale(lineweightScale), m_canvas(canvas) {}

size_t PageSink::batchFor(const render::Pen& pen) {
    const uint64_t key = penKey(pen);
    auto found = m_penBatch.find(key);
    if (found != m_penBatch.end()) return found->second;
    const render::OutputPen out = resolvePen(m_table, pen, m_lineweightScale);
    // Different entity pens often become one output pen (a monochrome table): one batch for them.
    size_t index = 0;
    while (index < m_batches.size() && !(m_batches[index].pen == out)) ++index;
    if (index == m_batches.size()) m_batches.push_back(Batch{out, {}, {}, {}, {}});
    m_penBatch.emplace(key, index);
    return index;
}

Box2 PageSink::marginBox(const render::OutputPen& pen) const {
    return grown(m_layout.clipMm, kClipMarginMm + pen.widthMm);
}

void PageSink::add(const render::Pen& pen, const render::Geometry& geometry, const Affine& toWorld) {
    if (geometry.empty() || m_layout.clipMm.empty()) return;
    Batch& batch = m_batches[batchFor(pen)];
    const Affine toPaper = toWorld.then(m_layout.worldToPaper);
    addFills(batch, geometry.fills, toPaper);
    addLines(batch, geometry.lines, toPaper);
    addTexts(batch, geometry.texts, toPaper);
    addDots(batch, geometry.dots, toPaper);
}

void PageSink::addFills(Batch& batch, const std::vector<render::Polygon>& fills, const Affine& toPaper) {
    const Box2 margin = marginBox(batch.pen);
    for (const auto& polygon : fills) {
        render::Polygon mapped;
        mapped.rings.resize(polygon.rings.size());
        Box2 box;
        bool ok = true;
        for (size_t i = 0; i < polygon.rings.size() && ok; ++i) ok = mapPoints(polygon.rings[i], toPaper, mapped.rings[i], box);
        if (!ok) {
            ++m_stats.rejected;
            continue;
        }
        if (box.empty()) continue;
        if (!box.intersects(m_layout.clipMm)) {
            ++m_stats.culled;
            continue;
        }
        if (!contains(margin, box) && !clipPolygon(mapped, margin)) {
            ++m_stats.culled;
            continue;
        }
        batch.fills.push_back(std::move(mapped));
        ++m_stats.drawn;
    }
}

void PageSink::addLines(Batch& batch, const std::vector<render::Polyline>& lines, const Affine& toPaper) {
    const Box2 margin = marginBox(batch.pen);
    const Box2 visible = grown(m_layout.clipMm, batch.pen.widthMm / 2);
    for (const auto& line : lines) {
        if (line.points.empty()) continue;
        render::Polyline mapped;
        mapped.closed = line.closed;
        Box2 box;
        if (!mapPoints(line.points, toPaper, mapped.points, box)) {
            ++m_stats.rejected;
            continue;
        }
        if (!box.intersects(visible)) {
            ++m_stats.culled;
            continue;
        }
        ++m_stats.drawn;
        if (contains(margin, box)) {
            batch.lines.push_back(std::move(mapped));
            continue;
        }
        m_pieces.clear();
        clipPolyline(mapped, margin, m_pieces);
        for (auto& piece : m_pieces) batch.lines.push_back(std::move(piece));
    }
}

void PageSink::addTexts(Batch& batch, const std::vector<render::TextRun>& texts, const Affine& toPaper) {
    for (const auto& run : texts) {
        const Affine map = run.toLocal.then(toPaper);
        const double length = std::max(run.advance, kMinAdvancePerChar * static_cast<double>(run.text.size()));
        Box2 box;
        for (Vec2 corner : {Vec2{0, -kTextDescent}, Vec2{length, -kTextDescent}, Vec2{length, kTextAscent},
                            Vec2{0, kTextAscent}})
            box.add(map.map(corner));
        if (!finite({box.x0, box.y0}) || !finite({box.x1, box.y1}) || map.determinant() == 0) {
            ++m_stats.rejected;
            continue;
        }
        if (run.text.empty()) continue;
        if (!box.intersects(m_layout.clipMm)) {
            ++m_stats.culled;
            continue;
        }
        batch.texts.push_back({run.text, run.font, map, run.advance, run.underline, run.overline});
        ++m_stats.drawn;
    }
}

void PageSink::addDots(Batch& batch, const std::vector<Vec2>& dots, const Affine& toPaper) {
    const Box2 visible = grown(m_layout.clipMm, batch.pen.widthMm / 2);
    for (Vec2 dot : dots) {
        const Vec2 p = toPaper.map(dot);
        if (!finite(p)) {
            ++m_stats.rejected;
            continue;
        }
        Box2 box;
        box.add(p);
        if (!box.intersects(visible)) {
            ++m_stats.culled;
            continue;
        }
        batch.dots.push_back(p);
        ++m_stats.drawn;
    }
}

void PageSink::flush() {
    // Fills of every pen go first, so a hatch never hides the lines of another pen drawn before it.
    for (auto& b : m_batches)
        if (!b.fills.empty()) m_canvas.fillPolygons(b.pen, b.fills), b.fills.clear(), ++m_stats.canvasCalls;
    for (auto& b : m_batches)
        if (!b.lines.empty()) m_canvas.strokePolylines(b.pen, b.lines), b.lines.clear(), ++m_stats.canvasCalls;
    for (auto& b : m_batches)
        if (!b.texts.empty()) m_canvas.drawTexts(b.pen, b.texts), b.texts.clear(), ++m_stats.canvasCalls;
    for (auto& b : m_batches)
        if (!b.dots.empty()) m_canvas.drawDots(b.pen, b.dots), b.dots.clear(), ++m_stats.canvasCalls;
}

bool plotPage(const PageSetup& setup, const PrimitiveSource& source, render::Canvas& canvas, std::string& error,
              PageStats* stats, PageLayout* layoutOut) {
    PageLayout layout;
    if (!layoutPage(setup.placement, layout, error)) return false;
    if (layoutOut) *layoutOut = layout;
    render::PageSpec spec;
    spec.widthMm = setup.placement.paper.widthMm;
    spec.heightMm = setup.placement.paper.heightMm;
    spec.clipMm = layout.clipMm;
    spec.rasterDpi = setup.rasterDpi;
    spec.title = setup.title;
    if (!canvas.beginPage(spec)) {
        error = canvasError(canvas, "the output refused the page");
        return false;
    }
    static const PlotStyleTable kAsDrawn = asDrawnTable();
    PageSink sink(layout, setup.styleTable ? *setup.styleTable : kAsDrawn, setup.lineweightScale, canvas);
    if (source && !layout.clipMm.empty())
        source(sink, worldBoxOf(layout, layout.clipMm), worldTolerance(layout, setup.rasterDpi));
    sink.flush();
    if (stats) *stats = sink.stats();
    if (!canvas.endPage()) {
        error = canvasError(canvas, "the output could not finish the page");
        return false;
    }
    return true;
}

}  // namespace vx::plot
