#include "qt/plot_preview_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "plot/painter_canvas.h"
#include "plot/preview_presenter.h"
#include "qt/wait_stack.h"
#include "render/fonts.h"

namespace vx::qt {
namespace {

const QColor kDesk(0x80, 0x80, 0x80);
const QColor kShadow(0x30, 0x30, 0x30);
constexpr int kMargin = 24;        // pixels around the whole sheet at zoom extents
constexpr int kShadowOffset = 5;
constexpr double kMinScale = 0.02, kMaxScale = 400;  // pixels per millimetre

PlotPreviewWindow* g_open = nullptr;

// The page's recorded calls painted on an image at the view's zoom.
class ViewCanvas : public plot::PainterCanvas {
public:
    ViewCanvas() : PainterCanvas(render::fontLibrary(), true) {}

    void paint(QImage& image, const plot::RecordingCanvas& page, double scale, QPointF origin) {
        using Kind = plot::RecordingCanvas::Kind;
        if (!m_painter.begin(&image)) return;
        for (const auto& call : page.calls()) {
            switch (call.kind) {
            case Kind::BeginPage: setUpPage(call.page, scale, call.page.heightMm * scale, origin); break;
            case Kind::Fill: fillPolygons(call.pen, call.fills); break;
            case Kind::Stroke: strokePolylines(call.pen, call.lines); break;
            case Kind::Text: drawTexts(call.pen, call.texts); break;
            case Kind::Dots: drawDots(call.pen, call.dots); break;
            case Kind::EndPage: break;
            }
        }
        m_painter.end();
    }

    bool beginPage(const render::PageSpec&) override { return true; }
    bool endPage() override { return true; }
    bool finish(std::string&) override { return true; }
};

}  // namespace

PreviewPageView::PreviewPageView(const plot::RecordingCanvas& page, QWidget* parent) : QWidget(parent), m_page(page) {
    setObjectName(QStringLiteral("previewPage"));
    for (const auto& call : page.calls())
        if (call.kind == plot::RecordingCanvas::Kind::BeginPage) {
            m_widthMm = call.page.widthMm;
            m_heightMm = call.page.heightMm;
            break;
        }
    setMinimumSize(320, 240);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

QPointF PreviewPageView::toView(double xMm, double yMm) const {
    return {m_origin.x() + xMm * m_scale, m_origin.y() + (m_heightMm - yMm) * m_scale};
}

QRectF PreviewPageView::paperRect() const { return QRectF(m_origin, QSizeF(m_widthMm * m_scale, m_heightMm * m_scale)); }

void PreviewPageView::zoomExtents() {
    m_fitted = true;
    if (m_widthMm <= 0 || m_heightMm <= 0) return;
    const double w = std::max(1, width() - 2 * kMargin), h = std::max(1, height() - 2 * kMargin);
    m_scale = std::clamp(std::min(w / m_widthMm, h / m_heightMm), kMinScale, kMaxScale);
    m_origin = QPointF((width() - m_widthMm * m_scale) / 2, (height() - m_heightMm * m_scale) / 2);
    m_inkStale = true;
    update();
}

void PreviewPageView::zoomAbout(QPointF at, double factor) {
    const double next = std::clamp(m_scale * factor, kMinScale, kMaxScale);
    if (next == m_scale) return;
    // The paper point under the cursor stays under it.
    m_origin = at - (at - m_origin) * (next / m_scale);
    m_scale = next;
    m_fitted = false;
    m_inkStale = true;
    update();
}

void PreviewPageView::panBy(QPointF delta) {
    m_origin += delta;
    m_fitted = false;
    m_inkStale = true;
    update();
}

void PreviewPageView::renderPage() {
    m_ink = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_ink.fill(Qt::transparent);
    ViewCanvas canvas;
    canvas.paint(m_ink, m_page, m_scale, m_origin);
    m_inkStale = false;
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    if (m_inkStale || m_ink.size() != size()) renderPage();
    QPainter p(this);
    p.fillRect(rect(), kDesk);
    const QRectF paper = paperRect();
    p.fillRect(paper.translated(kShadowOffset, kShadowOffset), kShadow);
    p.fillRect(paper, Qt::white);
    p.drawImage(0, 0, m_ink);
}

void PreviewPageView::resizeEvent(QResizeEvent*) {
    if (m_fitted || m_scale == 1) zoomExtents();
    m_inkStale = true;
}

void PreviewPageView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomAbout(event->position(), std::pow(1.25, steps));
    event->accept();
}

void PreviewPageView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_dragging = true;
        m_last = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
    }
}

void PreviewPageView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    const QPoint now = event->position().toPoint();
    panBy(now - m_last);
    m_last = now;
}

void PreviewPageView::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
    unsetCursor();
}

void PreviewPageView::mouseDoubleClickEvent(QMouseEvent*) { zoomExtents(); }

PlotPreviewWindow::PlotPreviewWindow(const plot::RecordingCanvas& page, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("plotPreview"));
    setWindowTitle(QStringLiteral("打印预览 - %1").arg(title));
    resize(parent ? parent->size() * 0.85 : QSize(1000, 720));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 6, 8, 6);
    m_extents = new QPushButton(QStringLiteral("缩放到图纸"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_extents->setAutoDefault(false);
    m_close->setAutoDefault(false);
    bar->addWidget(m_extents);
    bar->addStretch(1);
    bar->addWidget(m_close);
    layout->addLayout(bar);
    m_view = new PreviewPageView(page, this);
    layout->addWidget(m_view, 1);
    connect(m_extents, &QPushButton::clicked, m_view, [this] { m_view->zoomExtents(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    g_open = this;
}

PlotPreviewWindow::~PlotPreviewWindow() {
    if (g_open == this) g_open = nullptr;
}

PlotPreviewWindow* PlotPreviewWindow::current() { return g_open; }

void PlotPreviewWindow::install(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    plot::setPreviewPresenter([owner](const plot::RecordingCanvas& page, const std::string& png) {
        PlotPreviewWindow window(page, QFileInfo(QString::fromStdString(png)).completeBaseName(), owner.data());
        window.setModal(true);
        WaitStack::Scope wait(Wait::kPreview);
        window.exec();
    });
}

void PlotPreviewWindow::uninstall() { plot::setPreviewPresenter(nullptr); }

}  // namespace vx::qt
