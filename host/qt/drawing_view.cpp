#include "qt/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "editor/input_event.h"
#include "qt/gui_input.h"
#include "qt/painter_sink.h"
#include "render/scene.h"

namespace vx::qt {
namespace {

const QColor kBackground = viewBackground();
constexpr double kWheelStep = 1.2;  // zoom per wheel notch

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
}

DrawingView::~DrawingView() = default;

void DrawingView::show(AcDbDatabase* db, AcDbObjectId space) {
    const bool fresh = db != m_db;
    if (fresh) m_scene.reset();
    m_db = db;
    m_space = space;
    if (db && !m_scene && m_maker) m_scene = m_maker(*db);
    if (fresh) zoomExtents();
    else redraw();
}

void DrawingView::redraw() {
    m_stale = true;
    update();
}

void DrawingView::zoomExtents() {
    if (m_scene && !m_space.isNull()) {
        const render::Box2 box = m_scene->extents(m_space);
        if (!box.empty()) {
            zoomWindow(box);
            m_showsExtents = true;
            return;
        }
    }
    m_center = {0, 0};
    m_scale = 1;
    redraw();
}

void DrawingView::zoomWindow(const render::Box2& world) {
    if (world.empty()) return;
    const double w = std::max(world.width(), 1e-9), h = std::max(world.height(), 1e-9);
    // A margin of 5% on each side, as zoom extents leaves it.
    m_showsExtents = false;
    m_scale = std::min(width() / w, height() / h) * 0.9;
    m_center = {(world.x0 + world.x1) / 2, (world.y0 + world.y1) / 2};
    redraw();
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

void DrawingView::render() {
    if (m_buffer.size() != size() * devicePixelRatio()) {
        m_buffer = QImage(size() * devicePixelRatio(), QImage::Format_RGB32);
        m_buffer.setDevicePixelRatio(devicePixelRatio());
    }
    m_buffer.fill(kBackground);
    m_stale = false;
    if (!m_scene || m_space.isNull()) return;
    QPainter p(&m_buffer);
    p.setRenderHint(QPainter::Antialiasing, true);
    PainterSink sink(p, worldToPixels());
    render::DrawOptions options;
    options.plotting = false;
    options.tolerance = 0.5 / m_scale;
    options.pixel = 1 / m_scale;
    options.view.add(toWorld(QPointF(0, 0)));
    options.view.add(toWorld(QPointF(width(), height())));
    render::DrawStats stats;
    m_scene->draw(m_space, options.view, options, sink, stats);
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (m_stale) render();
    QPainter p(this);
    // While panning the cached image moves with the mouse; it is drawn again on release.
    const QPoint shift = m_panning ? m_cursor - m_panFrom : QPoint();
    if (!shift.isNull()) p.fillRect(rect(), kBackground);
    p.drawImage(shift, m_buffer);
    if (m_selecting) {
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
    m_showsExtents = false;
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
        m_selecting = editor::waitingFor(expect) && expect == editor::Expect::kSelection;
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
    m_cursor = e->pos();
    const render::Vec2 w = toWorld(e->position());
    if (cursorMoved) cursorMoved(w);
    editor::Expect expect;
    if (!m_panning && !m_selecting && editor::waitingFor(expect) && expect == editor::Expect::kDrag)
        m_input.post(eventAt(editor::EventKind::kDrag, w), false);
    if (m_panning || m_selecting) update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* e) {
    m_cursor = e->pos();
    if (e->button() == Qt::MiddleButton && m_panning) {
        m_panning = false;
        const QPoint shift = e->pos() - m_panFrom;
        m_center = m_center - render::Vec2{shift.x() / m_scale, -shift.y() / m_scale};
        m_showsExtents = false;
        redraw();
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    const bool wasSelecting = m_selecting;
    m_selecting = false;
    update();
    editor::Expect expect;
    if (!editor::waitingFor(expect)) return;
    const QPoint moved = e->pos() - m_pressAt;
    if (wasSelecting && moved.manhattanLength() >= kDragStartPixels) {
        // Left to right: a window; right to left: a crossing.
        editor::InputEvent box = eventAt(e->pos().x() >= m_pressAt.x() ? editor::EventKind::kWindow : editor::EventKind::kCrossing,
                                         toWorld(m_pressAt));
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
    case Qt::Key_Escape: m_input.cancel(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editor::waitingFor(expect)) m_input.post(eventAt(editor::EventKind::kEnter, {}));
        return;
    default: QWidget::keyPressEvent(e);
    }
}

}  // namespace vx::qt
