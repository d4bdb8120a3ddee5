// Drawing the batches with QPainter. Vector devices get one path per pen and kind (their cost is
// per painter call) in whole device units (half the bytes to format and compress); the raster
// device gets one call per polyline in millimetres (its cost is per pixel, one huge path would
// only make the stroker work harder, and antialiasing needs the fractions).
#include "plot/painter_canvas.h"

#include <QPainterPath>
#include <QString>
#include <algorithm>

#include "plot/text_decoration.h"

namespace vx::plot {

namespace {

// The smallest dot of a vector device: 0.1 mm across.
constexpr double kVectorDotMm = 0.1;

QColor qtColor(const render::OutputPen& pen) { return QColor(pen.r, pen.g, pen.b); }

QTransform qtTransform(const render::Affine& a) { return QTransform(a.m11, a.m12, a.m21, a.m22, a.dx, a.dy); }

template <class Map>
void addRing(QPainterPath& path, const std::vector<render::Vec2>& ring, bool close, const Map& map) {
    if (ring.empty()) return;
    path.moveTo(map(ring[0]));
    for (size_t i = 1; i < ring.size(); ++i) path.lineTo(map(ring[i]));
    if (close) path.closeSubpath();
}

}  // namespace

PainterCanvas::PainterCanvas(render::FontLibrary& fonts, bool raster) : m_fonts(fonts), m_raster(raster) {}

void PainterCanvas::setUpPage(const render::PageSpec& page, double devicePerMm, double deviceHeight, QPointF origin) {
    m_devicePerMm = devicePerMm;
    m_deviceHeight = deviceHeight;
    m_base = QTransform(devicePerMm, 0, 0, -devicePerMm, origin.x(), origin.y() + deviceHeight);
    m_painter.resetTransform();
    m_painter.setClipping(false);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The clip is given in millimetres and kept in device terms whatever transform follows.
    m_painter.setWorldTransform(m_base);
    if (!page.clipMm.empty())
        m_painter.setClipRect(QRectF(page.clipMm.x0, page.clipMm.y0, page.clipMm.width(), page.clipMm.height()));
    m_painter.setWorldTransform(drawingTransform());
}

QPen PainterCanvas::qtPen(const render::OutputPen& pen) const {
    QPen qt(qtColor(pen));
    qt.setCapStyle(Qt::RoundCap);
    qt.setJoinStyle(Qt::RoundJoin);
    if (pen.widthMm > 0) {
        qt.setWidthF(penWidth(pen.widthMm));
    } else {
        // The thinnest line the device makes: a PDF/SVG hairline, one pixel of a raster.
        qt.setWidthF(0);
        qt.setCosmetic(true);
    }
    return qt;
}

void PainterCanvas::fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    const auto map = [this](render::Vec2 p) { return point(p); };
    for (const auto& polygon : polygons)
        for (const auto& ring : polygon.rings) addRing(path, ring, true, map);
    m_painter.fillPath(path, QBrush(qtColor(pen)));
}

void PainterCanvas::strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) {
    m_painter.setPen(qtPen(pen));
    m_painter.setBrush(Qt::NoBrush);
    if (!m_raster) {
        QPainterPath path;
        const auto map = [this](render::Vec2 p) { return point(p); };
        for (const auto& line : lines) addRing(path, line.points, line.closed, map);
        m_painter.drawPath(path);
        return;
    }
    // A hairline is one full pixel: antialiasing would smear it into two faint ones.
    const bool hairline = pen.widthMm * m_devicePerMm <= 1.0;
    m_painter.setRenderHint(QPainter::Antialiasing, !hairline);
    if (hairline) m_painter.setPen(qtPen({pen.r, pen.g, pen.b, 0}));
    for (const auto& line : lines) {
        m_points.resize(static_cast<int>(line.points.size()));
        for (size_t i = 0; i < line.points.size(); ++i) m_points[static_cast<int>(i)] = {line.points[i].x, line.points[i].y};
        if (m_points.size() == 1) m_painter.drawPoint(m_points[0]);
        else if (line.closed) m_painter.drawPolygon(m_points);
        else m_painter.drawPolyline(m_points);
    }
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

void PainterCanvas::drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) {
    m_painter.setPen(QPen(qtColor(pen)));
    std::vector<render::Polyline> decorations;
    for (const auto& text : texts) {
        const QtFont& font = m_fonts.get(text.font);
        const double k = font.emPerHeight / kQtFontPixelSize;
        // Glyph space (y down, em = the pixel size) -> text space (y up, 1 = text height) -> paper.
        m_painter.setWorldTransform(QTransform(k, 0, 0, -k, 0, 0) * qtTransform(text.toPaper) * m_base);
        m_painter.setFont(font.font);
        m_painter.drawText(QPointF(0, 0), QString::fromStdWString(text.text));
        decorationLines(text, decorations);
    }
    m_painter.setWorldTransform(drawingTransform());
    if (!decorations.empty()) strokePolylines(pen, decorations);
}

void PainterCanvas::drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) {
    const double smallest = m_raster ? 1.0 / m_devicePerMm : kVectorDotMm;
    const double radius = std::max(pen.widthMm, smallest) / 2;
    if (m_raster && pen.widthMm * m_devicePerMm <= 1.0) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setPen(qtPen({pen.r, pen.g, pen.b, 0}));
        for (const auto& d : dots) m_painter.drawPoint(QPointF(d.x, d.y));
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        return;
    }
    if (m_raster) {
        QPainterPath path;
        for (const auto& d : dots) path.addEllipse(QPointF(d.x, d.y), radius, radius);
        m_painter.fillPath(path, QBrush(qtColor(pen)));
        return;
    }
    // Squares on vector devices: four corners where a circle needs thirteen Bezier points.
    QPainterPath path;
    const auto map = [this](render::Vec2 p) { return point(p); };
    for (const auto& d : dots)
        addRing(path, {{d.x - radius, d.y - radius}, {d.x + radius, d.y - radius}, {d.x + radius, d.y + radius},
                       {d.x - radius, d.y + radius}}, true, map);
    m_painter.fillPath(path, QBrush(qtColor(pen)));
}

}  // namespace vx::plot
