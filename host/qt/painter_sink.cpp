#include "qt/painter_sink.h"

#include <QPainterPath>
#include <algorithm>

#include "render/fonts.h"

namespace vx::qt {

QColor viewColor(const render::Color& c) {
    if (c.aci == 7 || (c.aci == 0 && c.r == 0 && c.g == 0 && c.b == 0)) return QColor(255, 255, 255);
    return QColor(c.r, c.g, c.b);
}

PainterSink::PainterSink(QPainter& painter, const render::Affine& worldToPixels)
    : m_painter(painter), m_toPixels(worldToPixels) {}

void PainterSink::add(const render::Pen& pen, const render::Geometry& g, const render::Affine& toWorld) {
    const render::Affine m = toWorld.then(m_toPixels);
    const QColor colour = viewColor(pen.color);
    auto box = [&](const std::vector<render::Vec2>& points) {
        render::Box2 b;
        for (const render::Vec2& p : points) b.add(m.map(p));
        return b;
    };
    auto tiny = [](const render::Box2& b) { return b.width() < kDetailPixels && b.height() < kDetailPixels; };
    QPen line(colour, 0);
    line.setCosmetic(true);
    if (!g.fills.empty()) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const render::Polygon& poly : g.fills)
            for (const auto& ring : poly.rings) {
                if (ring.empty()) continue;
                const render::Vec2 first = m.map(ring.front());
                path.moveTo(first.x, first.y);
                for (size_t i = 1; i < ring.size(); ++i) {
                    const render::Vec2 p = m.map(ring[i]);
                    path.lineTo(p.x, p.y);
                }
                path.closeSubpath();
            }
        m_painter.fillPath(path, colour);
    }
    m_painter.setPen(line);
    QPainterPath lines;
    std::vector<QPointF> dots;
    for (const render::Polyline& pl : g.lines) {
        if (pl.points.empty()) continue;
        const render::Box2 b = box(pl.points);
        if (tiny(b)) {
            dots.emplace_back(b.x0, b.y0);
            continue;
        }
        const render::Vec2 first = m.map(pl.points.front());
        lines.moveTo(first.x, first.y);
        for (size_t i = 1; i < pl.points.size(); ++i) {
            const render::Vec2 p = m.map(pl.points[i]);
            lines.lineTo(p.x, p.y);
        }
        if (pl.closed) lines.closeSubpath();
    }
    m_painter.drawPath(lines);
    for (const render::Vec2& d : g.dots) {
        const render::Vec2 p = m.map(d);
        dots.emplace_back(p.x, p.y);
    }
    // Outline texts as the font library's glyphs, flattened to half a pixel.
    for (const render::TextRun& t : g.texts) {
        const render::Affine tm = t.toLocal.then(m);
        const double pixelsPerUnit = tm.scale();
        if (pixelsPerUnit * std::max(t.advance, 1.0) < kDetailPixels) continue;
        render::GlyphGeometry glyphs;
        render::fontLibrary().glyphs(t.font, t.text, 0.5 / pixelsPerUnit, glyphs);
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const render::Polygon& poly : glyphs.fills)
            for (const auto& ring : poly.rings) {
                if (ring.empty()) continue;
                const render::Vec2 first = tm.map(ring.front());
                path.moveTo(first.x, first.y);
                for (size_t i = 1; i < ring.size(); ++i) {
                    const render::Vec2 p = tm.map(ring[i]);
                    path.lineTo(p.x, p.y);
                }
                path.closeSubpath();
            }
        m_painter.fillPath(path, colour);
        QPainterPath strokes;
        for (const render::Polyline& pl : glyphs.strokes) {
            if (pl.points.empty()) continue;
            const render::Vec2 first = tm.map(pl.points.front());
            strokes.moveTo(first.x, first.y);
            for (size_t i = 1; i < pl.points.size(); ++i) {
                const render::Vec2 p = tm.map(pl.points[i]);
                strokes.lineTo(p.x, p.y);
            }
        }
        m_painter.drawPath(strokes);
    }
    if (!dots.empty()) m_painter.drawPoints(dots.data(), int(dots.size()));
}

}  // namespace vx::qt
