// Panning the drawing view: the back buffer moves by the pan and only the strips that came into
// view are drawn, each asking the scene's index for its own window, so a pan costs what the
// strips hold instead of what the whole view holds.
#include <QPainter>
#include <QRegion>
#include <cstdlib>

#include "editor/feedback.h"
#include "qt/drawing_view.h"
#include "qt/painter_sink.h"
#include "render/scene.h"

namespace vx::qt {

void DrawingView::scrollBuffer(QPoint shift) {
    // A buffer already waiting for a full redraw (a zoom not painted yet) stays waiting for it.
    if (m_stale && m_scroll.isNull()) return redraw();
    m_scroll += shift;
    m_stale = true;
    update();
}

bool DrawingView::renderScrolled() {
    const QPoint shift = m_scroll;
    m_scroll = {};
    // Fractional device pixels would resample the old image: those views draw everything, as do
    // views whose picture is still being drawn or stands in for one.
    if (!m_scene || m_space.isNull() || drawingChanged() || m_pending || m_showPending || m_slices.isActive() || devicePixelRatio() != 1 || m_buffer.size() != size() ||
        std::abs(shift.x()) >= width() || std::abs(shift.y()) >= height())
        return false;
    QImage moved(m_buffer.size(), m_buffer.format());
    moved.fill(viewBackground());
    {
        QPainter copy(&moved);
        copy.drawImage(shift, m_buffer);
    }
    m_buffer.swap(moved);
    m_stale = false;
    m_highlighted = 0;  // the overlay belongs to the old image
    ++m_renders;
    QPainter p(&m_buffer);
    p.setRenderHint(QPainter::Antialiasing, true);
    PainterSink sink(p, worldToPixels());
    render::DrawOptions options = viewOptions();
    options.leaveOut = editor::jigEntity();
    const QRegion fresh = QRegion(rect()) - QRegion(rect().translated(shift));
    for (const QRect& strip : fresh) {
        p.setClipRect(strip);
        p.fillRect(strip, viewBackground());
        paintSheet(p);
        // Antialiasing inks a pixel or two beside a line: entities that close to the strip count.
        render::Box2 window;
        window.add(toWorld(QPointF(strip.left() - 2, strip.top() - 2)));
        window.add(toWorld(QPointF(strip.right() + 3, strip.bottom() + 3)));
        render::DrawStats stats;
        m_scene->draw(m_space, window, options, sink, stats);
    }
    p.end();
    m_last = pictureOfView();
    m_last.image = m_buffer;
    return true;
}

}  // namespace vx::qt
