// Panning the drawing view: the back buffer moves by the pan and only the strips that came into
// view are drawn, each asking the scene's index for its own window, so a pan costs what the
// strips hold instead of what the whole view holds.
#include <QPainter>
#include <QRegion>
#include <cstdlib>

#include "qt/drawing_view.h"
#include "qt/pending_draw.h"

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
    if (!m_scene || m_space.isNull() || drawingChanged() || m_pending || m_showPending || m_slices.isActive() ||
        devicePixelRatio() != 1 || m_buffer.size() != size() || std::abs(shift.x()) >= width() ||
        std::abs(shift.y()) >= height())
        return false;
    QImage moved = blankImage();
    {
        QPainter copy(&moved);
        copy.drawImage(shift, m_buffer);
    }
    m_stale = false;
    m_highlighted = 0;  // the overlay belongs to the old image
    ++m_renders;
    const QRegion fresh = QRegion(rect()) - QRegion(rect().translated(shift));
    startPending(moved, std::vector<QRect>(fresh.begin(), fresh.end()));
    if (!large()) {
        stepPending(true);
        return true;
    }
    // The strips of a large drawing come in slices; until then the kept pictures fill them.
    m_buffer = moved;
    QPainter p(&m_buffer);
    p.setClipRegion(fresh);
    paintSheet(p);
    paintStandIn(p);
    m_slices.start();
    return true;
}

}  // namespace vx::qt
