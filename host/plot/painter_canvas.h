// The QPainter canvas: what PDF, SVG and PNG output share. A subclass owns the paint device and
// begins the painter on it; this class sets up each page (paper millimetres, y up, the clip) and
// draws the batches.
#pragma once

#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

#include "plot/file_canvas.h"
#include "plot/qt_fonts.h"

namespace vx::plot {

class PainterCanvas : public FileCanvas {
public:
    void fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) override;
    void strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) override;
    void drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) override;
    void drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) override;

protected:
    // `raster`: the device is a pixel image (hairlines drawn as crisp single pixels).
    PainterCanvas(render::FontLibrary& fonts, bool raster);
    // Call after the painter has begun on the page's device: `devicePerMm` device units per
    // millimetre on a device `deviceHeight` units high; the paper's top left corner at `origin`
    // (rasters only: a view of the page scrolled on a screen; files put it at the corner).
    void setUpPage(const render::PageSpec& page, double devicePerMm, double deviceHeight, QPointF origin = {});

    QPainter m_painter;

private:
    QPen qtPen(const render::OutputPen& pen) const;
    // A paper point in the painter's coordinates: millimetres on a raster; on a vector device
    // whole device units, so the file holds short integers rather than long decimals.
    QPointF point(render::Vec2 p) const {
        if (m_raster) return {p.x, p.y};
        return {std::round(p.x * m_devicePerMm), std::round(m_deviceHeight - p.y * m_devicePerMm)};
    }
    // What the painter's coordinates are: paper millimetres (rasters) or device units (vectors).
    const QTransform& drawingTransform() const { return m_raster ? m_base : m_identity; }
    double penWidth(double mm) const { return m_raster ? mm : mm * m_devicePerMm; }

    QtFontCache m_fonts;
    bool m_raster;
    double m_devicePerMm = 1, m_deviceHeight = 0;
    QTransform m_base;         // paper millimetres -> device
    QTransform m_identity;
    QPolygonF m_points;        // reused for raster polylines
};

}  // namespace vx::plot
