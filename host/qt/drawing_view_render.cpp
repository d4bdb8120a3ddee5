// Drawing the view's picture. A small space is drawn whole at the paint that needs it. A large one
// (a million entities take seconds) is drawn in slices of a few tens of milliseconds between the
// user's events; meanwhile the view shows the pictures it keeps, scaled to the new view, or, with
// nothing kept, the slices as they come. A view of the extents keeps its complete picture: zooming
// back to the extents shows it again without drawing anything.
#include <QElapsedTimer>
#include <QPainter>
#include <limits>

#include "acdb.h"
#include "db/store.h"
#include "editor/feedback.h"
#include "qt/drawing_view.h"
#include "qt/pending_draw.h"

namespace vx::qt {

DrawingView::Picture DrawingView::pictureOfView() const {
    Picture p;
    p.scale = m_scale;
    p.center = m_center;
    p.space = m_space;
    p.db = m_db;
    p.without = editor::jigEntity();
    if (m_db) {
        p.serial = m_db->store().serial;
        p.revision = m_db->store().revision;
    }
    return p;
}

bool DrawingView::standsIn(const Picture& p) const {
    return !p.image.isNull() && m_db && p.db == m_db && p.serial == m_db->store().serial && p.space == m_space &&
           p.image.devicePixelRatio() == devicePixelRatio();
}

// While a jig drags, the entity it moves is the only change and pictures leave it out.
bool DrawingView::isCurrent(const Picture& p) const {
    const Picture now = pictureOfView();
    return standsIn(p) && p.without == now.without && (p.revision == now.revision || now.without) &&
           p.scale == m_scale && p.center.x == m_center.x && p.center.y == m_center.y &&
           p.image.size() == size() * devicePixelRatio();
}

bool DrawingView::large() const {
    const auto* block = AcDbBlockTableRecord::cast(m_space.object());
    return block && block->entities().size() > m_slicing.wholeEntities;
}

QImage DrawingView::blankImage() const {
    QImage image(size() * devicePixelRatio(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio());
    image.fill(viewBackground());
    return image;
}

void DrawingView::render() {
    if (!m_scroll.isNull() && renderScrolled()) return;
    m_scroll = {};
    m_slices.stop();
    m_pending.reset();
    m_showPending = false;
    m_stale = false;
    m_highlighted = 0;  // the overlay belongs to the old image
    ++m_renders;
    m_drawnWithout = editor::jigEntity();
    if (m_db) {
        m_drawnSerial = m_db->store().serial;
        m_drawnRevision = m_db->store().revision;
    }
    if (!m_scene || m_space.isNull()) {
        m_buffer = blankImage();
        return;
    }
    // Back at the extents with nothing changed: the picture kept of them is this view's.
    if (isCurrent(m_overview)) {
        m_buffer = m_overview.image;
        m_last = m_overview;
        return;
    }
    // A kept picture answers at once; the slices start after this paint.
    const bool inSlices = large();
    if (inSlices && composeStandIn()) {
        m_slices.start();
        return;
    }
    startPending(blankImage());
    stepPending(!inSlices);
}

// The extents' picture first, then the last one where it shows more detail. Neither may hold the
// drawing's latest edits; the complete picture follows.
bool DrawingView::paintStandIn(QPainter& q) {
    q.setRenderHint(QPainter::SmoothPixmapTransform, true);
    bool any = false;
    for (const Picture* p : {&m_overview, &m_last}) {
        if (!standsIn(*p)) continue;
        if (p == &m_last && any && (p->image.cacheKey() == m_overview.image.cacheKey() || p->scale <= m_overview.scale))
            continue;
        const double halfW = p->image.width() / p->image.devicePixelRatio() / 2 / p->scale;
        const double halfH = p->image.height() / p->image.devicePixelRatio() / 2 / p->scale;
        const QPointF topLeft = toPixels({p->center.x - halfW, p->center.y + halfH});
        const QPointF bottomRight = toPixels({p->center.x + halfW, p->center.y - halfH});
        q.drawImage(QRectF(topLeft, bottomRight), p->image);
        any = true;
    }
    return any;
}

bool DrawingView::composeStandIn() {
    QImage frame = blankImage();
    QPainter q(&frame);
    paintSheet(q);
    const bool any = paintStandIn(q);
    q.end();
    if (any) m_buffer = frame;
    m_showPending = !any;
    return any;
}

void DrawingView::startPending(const QImage& base, const std::vector<QRect>& strips) {
    m_pending = std::make_unique<PendingDraw>(base, worldToPixels());
    m_pending->picture = pictureOfView();
    m_pending->extents = m_showsExtents && strips.empty();
    if (strips.empty()) m_pending->parts.push_back({QRect(), viewOptions().view});
    for (const QRect& strip : strips) {
        // Antialiasing inks a pixel or two beside a line: entities that close to the strip count.
        render::Box2 window;
        window.add(toWorld(QPointF(strip.left() - 2, strip.top() - 2)));
        window.add(toWorld(QPointF(strip.right() + 3, strip.bottom() + 3)));
        m_pending->parts.push_back({strip, window});
    }
}

void DrawingView::startPart() {
    PendingDraw& d = *m_pending;
    const PendingDraw::Part& part = d.parts[d.next++];
    if (part.clip.isNull()) {
        d.painter.setClipping(false);
    } else {
        d.painter.setClipRect(part.clip);
        d.painter.fillRect(part.clip, viewBackground());
    }
    paintSheet(d.painter);
    render::DrawOptions options = viewOptions();
    options.leaveOut = editor::jigEntity();
    d.job = m_scene->startDraw(m_space, part.window, options, *d.sink, d.stats);
}

void DrawingView::stepPending(bool all) {
    QElapsedTimer clock;
    clock.start();
    PendingDraw& d = *m_pending;
    do {
        if (!d.job) {
            if (d.next == d.parts.size()) return finishPending();
            startPart();
        }
        if (!d.job->step(all ? std::numeric_limits<size_t>::max() : m_slicing.stepEntities)) d.job.reset();
    } while (all || clock.elapsed() < m_slicing.sliceMs);
    m_slices.start();
}

void DrawingView::finishPending() {
    m_pending->painter.end();
    Picture done = m_pending->picture;
    done.image = m_pending->image;
    const bool extents = m_pending->extents;
    m_pending.reset();
    m_buffer = done.image;
    m_last = done;
    if (extents) m_overview = done;
    m_showPending = false;
}

void DrawingView::drawSlice() {
    // Edited since the slices began (a command ran between them): start again.
    if (m_stale || drawingChanged()) return redraw();
    if (!m_scene) return;
    if (!m_pending) startPending(blankImage());
    stepPending(false);
    update();
}

void DrawingView::finishDrawing() {
    if (m_stale || drawingChanged()) render();
    if (!m_pending && m_slices.isActive() && m_scene) startPending(blankImage());
    m_slices.stop();
    if (m_pending) stepPending(true);
    update();
}

}  // namespace vx::qt
