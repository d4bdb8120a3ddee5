#include "qt/painter_sink.h"

#include <QPainterPath>
#include <algorithm>

#include "render/fonts.h"

namespace vx::qt {

QColor viewBackground() { return QColor(33, 40, 48); }

QColor highlightColor() { return QColor(255, 170, 0); }

QColor viewColor(const render::Color& c) {
    if (c.background) return viewBackground();
    if (c.aci == 7 || (c.aci == 0 && c.r == 0 && c.g == 0 && c.b == 0)) return QColor(255, 255, 255);
    return QColor(c.r, c.g, c.b);
}

namespace {

void addPath(QPainterPath& path, const std::vector<render::Vec2>& points, const render::Affine& m, bool closed) {
    if (points.empty()) return;
    const render::Vec2 first = m.map(points.front());
    path.moveTo(first.x, first.y);
    for (size_t i = 1; i < points.size(); ++i) {
        const render::Vec2 p = m.map(points[i]);
        path.lineTo(p.x, p.y);
    }
    if (closed) path.closeSubpath();
}

QPainterPath fillPath(const std::vector<render::Polygon>& polygons, const render::Affine& m, Qt::FillRule rule) {
    QPainterPath path;
    path.setFillRule(rule);
    for (const render::Polygon& poly : polygons)
        for (const auto& ring : poly.rings) addPath(path, ring, m, true);
    return path;
}

}  // namespace

std::vector<render::Vec2> textBox(const render::TextRun& t) {
    const double w = std::max(t.advance, 0.0);
    return {{0, 0}, {w, 0}, {w, 1}, {0, 1}};
}

PainterSink::PainterSink(QPainter& painter, const render::Affine& worldToPixels, Style style)
    : m_painter(painter), m_toPixels(worldToPixels), m_style(style) {}

void PainterSink::add(const render::Pen& pen, const render::Geometry& g, const render::Affine& toWorld) {
    const render::Affine m = toWorld.then(m_toPixels);
    const bool highlighted = m_style == Style::kHighlighted;
    const QColor colour = highlighted ? highlightColor() : viewColor(pen.color);
    auto box = [&](const std::vector<render::Vec2>& points) {
        render::Box2 b;
        for (const render::Vec2& p : points) b.add(m.map(p));
        return b;
    };
    auto tiny = [](const render::Box2& b) { return b.width() < kDetailPixels && b.height() < kDetailPixels; };
    QPen line(colour, highlighted ? 2 : 0, highlighted ? Qt::DashLine : Qt::SolidLine);
    line.setCosmetic(true);
    m_painter.setPen(line);
    if (!g.fills.empty()) {
        if (highlighted) m_painter.drawPath(fillPath(g.fills, m, Qt::OddEvenFill));
        else m_painter.fillPath(fillPath(g.fills, m, Qt::OddEvenFill), colour);
    }
    QPainterPath lines;
    std::vector<QPointF> dots;
    for (const render::Polyline& pl : g.lines) {
        if (pl.points.empty()) continue;
        const render::Box2 b = box(pl.points);
        if (tiny(b)) {
            dots.emplace_back(b.x0, b.y0);
            continue;
        }
        addPath(lines, pl.points, m, pl.closed);
    }
    m_painter.drawPath(lines);
    for (const render::Vec2& d : g.dots) {
        const render::Vec2 p = m.map(d);
        dots.emplace_back(p.x, p.y);
    }
    // Outline texts as the font library's glyphs, flattened to half a pixel; texts too low to
    // read as their box, which costs no glyph outlines.
    QPainterPath greeked;
    for (const render::TextRun& t : g.texts) {
        const render::Affine tm = t.toLocal.then(m);
        const double pixelsPerUnit = tm.scale();
        if (pixelsPerUnit * std::max(t.advance, 1.0) < kDetailPixels) continue;
        if (pixelsPerUnit < kGreekPixels) {
            addPath(greeked, textBox(t), tm, true);
            continue;
        }
        render::GlyphGeometry glyphs;
        render::fontLibrary().glyphs(t.font, t.text, 0.5 / pixelsPerUnit, glyphs);
        m_painter.fillPath(fillPath(glyphs.fills, tm, Qt::WindingFill), colour);
        QPainterPath strokes;
        for (const render::Polyline& pl : glyphs.strokes) addPath(strokes, pl.points, tm, false);
        m_painter.drawPath(strokes);
    }
    if (!greeked.isEmpty()) m_painter.drawPath(greeked);
    if (!dots.empty()) m_painter.drawPoints(dots.data(), int(dots.size()));
}

}  // namespace vx::qt
