#include "qt/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "acdb.h"
#include "db/layouts.h"
#include "db/store.h"
#include "dbdict.h"
#include "editor/db_bridge.h"
#include "editor/feedback.h"
#include "editor/input_event.h"
#include "qt/gui_input.h"
#include "qt/painter_sink.h"
#include "qt/pending_draw.h"
#include "render/scene.h"

namespace vx::qt {
namespace {

const QColor kBackground = viewBackground();
constexpr double kWheelStep = 1.2;  // zoom per wheel notch
const QColor kSheet(44, 52, 62);      // a layout's paper, a shade lighter than the background

editor::InputEvent eventAt(editor::EventKind kind, render::Vec2 p) {
    editor::InputEvent e;
    e.kind = kind;
    e.point[0] = p.x;
    e.point[1] = p.y;
    return e;
}

}  // namespace

DrawingView::DrawingView(GuiInput& input, QWidget* parent) : QWidget(parent), m_input(input) {
    setObjectName(QStringLiteral("drawingView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setCursor(Qt::CrossCursor);
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, [this] { drawSlice(); });
}

DrawingView::~DrawingView() = default;

void DrawingView::show(AcDbDatabase* db, AcDbObjectId space) {
    const bool fresh = db != m_db;
    const bool otherSpace = space != m_space;
    if (fresh) {
        m_slices.stop();
        m_pending.reset();
        m_scene.reset();
        m_last = m_overview = Picture();
    }
    m_db = db;
    m_space = space;
    if (db && !m_scene && m_maker) m_scene = m_maker(*db);
    // Another layout is another sheet: it opens showing all of itself.
    if (fresh || otherSpace) zoomExtents();
    else if (drawingChanged()) {
        // A space shown while it was still empty (a layout being made) fits what it got.
        if (m_fittedNothing) zoomExtents();
        else redraw();
    } else {
        update();
    }  // the overlays follow the selection and the jig
}

// The back buffer is drawn again only when the drawing changed since. While a jig drags, the
// entity it moves is the one thing that changes, and the buffer leaves it out: its moves are
// drawn above the buffer. A jig that starts or ends changes what the buffer must hold.
bool DrawingView::drawingChanged() const {
    if (!m_db) return true;
    const void* jig = editor::jigEntity();
    if (jig != m_drawnWithout) return true;
    const db::Store& st = m_db->store();
    if (st.serial != m_drawnSerial) return true;
    return st.revision != m_drawnRevision && !jig;
}

void DrawingView::redraw() {
    m_stale = true;
    m_scroll = {};
    update();
}

// A layout's sheet of paper in paper-space units: the page set-up's paper, turned as it plots,
// with the printable area's corner at the origin.
render::Box2 DrawingView::sheet() const {
    render::Box2 box;
    if (!m_db || m_space.isNull() || m_space == m_db->modelSpaceId()) return box;
    const auto* block = AcDbBlockTableRecord::cast(m_space.object());
    const AcDbLayout* layout = db::layoutOfBlock(m_db->store(), block);
    double w = 0, h = 0, left = 0, bottom = 0, right = 0, top = 0;
    if (!layout || layout->getPlotPaperSize(w, h) != Acad::eOk || !(w > 0 && h > 0)) return box;
    layout->getPlotPaperMargins(left, bottom, right, top);
    const double unit = layout->plotPaperUnits() == AcDbPlotSettings::kInches ? 1 / 25.4 : 1;
    const auto turn = layout->plotRotation();
    if (turn == AcDbPlotSettings::k90degrees || turn == AcDbPlotSettings::k270degrees) {
        std::swap(w, h);
        std::swap(left, bottom);
    }
    box.add(render::Vec2{-left * unit, -bottom * unit});
    box.add(render::Vec2{(w - left) * unit, (h - bottom) * unit});
    return box;
}

void DrawingView::zoomExtents() {
    if (m_scene && !m_space.isNull()) {
        render::Box2 box = m_scene->extents(m_space);
        // A layout shows its whole sheet, whatever lies on it.
        const render::Box2 paper = sheet();
        if (!paper.empty()) {
            box.add(render::Vec2{paper.x0, paper.y0});
            box.add(render::Vec2{paper.x1, paper.y1});
        }
        if (!box.empty()) {
            zoomWindow(box);
            m_showsExtents = true;
            return;
        }
    }
    m_center = {0, 0};
    m_scale = 1;
    m_fittedNothing = true;
    redraw();
}

void DrawingView::startZoomWindow() {
    m_zoomWindow = true;
    setFocus(Qt::OtherFocusReason);
}

void DrawingView::zoomWindow(const render::Box2& world) {
    if (world.empty()) return;
    const double w = std::max(world.width(), 1e-9), h = std::max(world.height(), 1e-9);
    // A margin of 5% on each side, as zoom extents leaves it.
    m_showsExtents = false;
    m_fittedNothing = false;
    m_scale = std::min(width() / w, height() / h) * 0.9;
    m_center = {(world.x0 + world.x1) / 2, (world.y0 + world.y1) / 2};
    redraw();
}

void DrawingView::bringIntoView(const render::Box2& world, int margin) {
    const QPointF a = toPixels({world.x0, world.y1}), b = toPixels({world.x1, world.y0});
    const QRectF inside = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    const bool small = world.width() > 0 && (b.x() - a.x()) + (b.y() - a.y()) < 2 * kDragStartPixels;
    if (inside.contains(a) && inside.contains(b) && !small) return;
    if (world.width() * m_scale < inside.width() && world.height() * m_scale < inside.height() && !small) {
        m_center = {(world.x0 + world.x1) / 2, (world.y0 + world.y1) / 2};
        m_showsExtents = m_fittedNothing = false;
        redraw();
        return;
    }
    zoomWindow(world);
}

render::Affine DrawingView::worldToPixels() const {
    return render::Affine{m_scale, 0, 0, -m_scale, width() / 2.0 - m_center.x * m_scale, height() / 2.0 + m_center.y * m_scale};
}

render::Vec2 DrawingView::toWorld(QPointF p) const {
    return {m_center.x + (p.x() - width() / 2.0) / m_scale, m_center.y - (p.y() - height() / 2.0) / m_scale};
}

QPointF DrawingView::toPixels(render::Vec2 w) const {
    const render::Vec2 p = worldToPixels().map(w);
    return {p.x, p.y};
}

render::DrawOptions DrawingView::viewOptions() const {
    render::DrawOptions options;
    options.plotting = false;
    options.tolerance = 0.5 / m_scale;
    options.pixel = 1 / m_scale;
    options.view.add(toWorld(QPointF(0, 0)));
    options.view.add(toWorld(QPointF(width(), height())));
    return options;
}

void DrawingView::paintSheet(QPainter& p) {
    const render::Box2 paper = sheet();
    if (paper.empty()) return;
    const QRectF r = QRectF(toPixels({paper.x0, paper.y1}), toPixels({paper.x1, paper.y0}));
    p.fillRect(r.translated(4, 4), QColor(12, 14, 18));  // its shadow
    p.fillRect(r, kSheet);
    p.setPen(QPen(QColor(150, 155, 165), 0));
    p.drawRect(r);
}

// Only the entities picked since the last paint are drawn into the overlay: a pick costs what
// it picked, not what the selection or the drawing holds.
void DrawingView::paintHighlight(QPainter& p, QPoint shift) {
    const std::vector<editor::EntityRef>* chosen = editor::pendingSelection();
    if (!chosen || chosen->empty() || !m_scene || !m_db) return;
    if (m_highlight.size() != m_buffer.size() || m_highlightGeneration != editor::selectionGeneration() ||
        chosen->size() < m_highlighted) {
        if (m_highlight.size() != m_buffer.size()) {
            m_highlight = QImage(m_buffer.size(), QImage::Format_ARGB32_Premultiplied);
            m_highlight.setDevicePixelRatio(devicePixelRatio());
        }
        m_highlightGeneration = editor::selectionGeneration();
        m_highlighted = 0;
    }
    if (m_highlighted == 0) m_highlight.fill(Qt::transparent);
    if (m_highlighted < chosen->size()) {
        std::vector<const AcDbEntity*> more;
        for (size_t i = m_highlighted; i < chosen->size(); ++i)
            if ((*chosen)[i].db == m_db)
                if (const AcDbEntity* e = editor::entityIn(m_db, m_space, (*chosen)[i].handle)) more.push_back(e);
        QPainter o(&m_highlight);
        o.setRenderHint(QPainter::Antialiasing, true);
        PainterSink sink(o, worldToPixels(), PainterSink::Style::kHighlighted);
        render::DrawStats stats;
        m_scene->drawEntities(more, viewOptions(), sink, stats);
        m_highlighted = chosen->size();
    }
    p.drawImage(shift, m_highlight);
}

void DrawingView::paintJig(QPainter& p) {
    const AcDbEntity* moving = editor::jigEntity();
    if (!moving || !m_scene || moving != m_drawnWithout || m_panning) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    PainterSink sink(p, worldToPixels());
    render::DrawStats stats;
    m_scene->drawEntities({moving}, viewOptions(), sink, stats);
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (m_stale) render();
    QPainter p(this);
    // While panning the cached image moves with the mouse; it is drawn again on release.
    const QPoint shift = m_panning ? m_cursor - m_panFrom : QPoint();
    if (!shift.isNull()) p.fillRect(rect(), kBackground);
    p.drawImage(shift, m_showPending && m_pending ? m_pending->image : m_buffer);
    paintHighlight(p, shift);
    paintJig(p);
    if (m_banding) {
        p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(m_pressAt, m_cursor).normalized());
    } else if (m_selecting) {
        const QRect band = QRect(m_pressAt, m_cursor).normalized();
        const bool window = m_cursor.x() >= m_pressAt.x();
        const QColor edge = window ? QColor(80, 140, 255) : QColor(90, 220, 110);
        QPen pen(edge, 1, window ? Qt::SolidLine : Qt::DashLine);
        p.setPen(pen);
        p.setBrush(QColor(edge.red(), edge.green(), edge.blue(), 50));
        p.drawRect(band);
    }
}

// The first show happens before the window's docks settle the view's size: a view the user has
// not moved yet keeps showing the extents.
void DrawingView::resizeEvent(QResizeEvent*) {
    if (m_showsExtents) zoomExtents();
    else redraw();
}

void DrawingView::wheelEvent(QWheelEvent* e) {
    const double notches = e->angleDelta().y() / 120.0;
    if (notches == 0) return;
    // The drawing point under the cursor stays under it.
    const QPointF at = e->position();
    const render::Vec2 before = toWorld(at);
    m_scale *= std::pow(kWheelStep, notches);
    const render::Vec2 after = toWorld(at);
    m_center = m_center + (before - after);
    m_showsExtents = m_fittedNothing = false;
    redraw();
}

void DrawingView::mousePressEvent(QMouseEvent* e) {
    m_cursor = e->pos();
    if (e->button() == Qt::MiddleButton) {
        m_panning = true;
        m_panFrom = e->pos();
        return;
    }
    editor::Expect expect;
    if (e->button() == Qt::RightButton) {
        if (editor::waitingFor(expect)) m_input.post(eventAt(editor::EventKind::kEnter, {}));
        return;
    }
    if (e->button() == Qt::LeftButton) {
        m_pressAt = e->pos();
        m_pressWorld = toWorld(e->position());
        m_banding = m_zoomWindow;
        m_selecting = !m_banding && editor::waitingFor(expect) && expect == editor::Expect::kSelection;
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
    m_cursor = e->pos();
    const render::Vec2 w = toWorld(e->position());
    if (cursorMoved) cursorMoved(w);
    editor::Expect expect;
    if (!m_panning && !m_selecting && !m_banding && editor::waitingFor(expect) && expect == editor::Expect::kDrag)
        m_input.post(eventAt(editor::EventKind::kDrag, w), false);
    if (m_panning || m_selecting || m_banding) update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* e) {
    m_cursor = e->pos();
    if (e->button() == Qt::MiddleButton && m_panning) {
        m_panning = false;
        const QPoint shift = e->pos() - m_panFrom;
        m_center = m_center - render::Vec2{shift.x() / m_scale, -shift.y() / m_scale};
        m_showsExtents = m_fittedNothing = false;
        scrollBuffer(shift);
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    if (m_banding) {
        m_banding = false;
        // A click without a drag leaves the zoom window waiting for its rectangle.
        if ((e->pos() - m_pressAt).manhattanLength() < kDragStartPixels) return update();
        m_zoomWindow = false;
        render::Box2 box;
        box.add(m_pressWorld);
        box.add(toWorld(e->position()));
        zoomWindow(box);
        return;
    }
    const bool wasSelecting = m_selecting;
    m_selecting = false;
    update();
    editor::Expect expect;
    if (!editor::waitingFor(expect)) return;
    const QPoint moved = e->pos() - m_pressAt;
    if (wasSelecting && moved.manhattanLength() >= kDragStartPixels) {
        // Left to right: a window; right to left: a crossing.
        editor::InputEvent box = eventAt(e->pos().x() >= m_pressAt.x() ? editor::EventKind::kWindow : editor::EventKind::kCrossing,
                                         m_pressWorld);
        const render::Vec2 corner = toWorld(e->position());
        box.corner[0] = corner.x;
        box.corner[1] = corner.y;
        m_input.post(box);
        return;
    }
    editor::InputEvent click = eventAt(editor::EventKind::kPoint, toWorld(e->position()));
    if (expect == editor::Expect::kSelection) click.aperture = kPickBoxPixels / m_scale;
    m_input.post(click);
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) zoomExtents();
}

void DrawingView::keyPressEvent(QKeyEvent* e) {
    editor::Expect expect;
    switch (e->key()) {
    case Qt::Key_Escape:
        // Esc first gives up a zoom window; the prompt under it keeps waiting.
        if (m_zoomWindow) {
            m_zoomWindow = m_banding = false;
            update();
            return;
        }
        m_input.cancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editor::waitingFor(expect)) m_input.post(eventAt(editor::EventKind::kEnter, {}));
        return;
    default: QWidget::keyPressEvent(e);
    }
}

}  // namespace vx::qt
