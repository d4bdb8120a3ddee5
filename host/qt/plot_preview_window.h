// The plot preview of the desktop host: the page as it will come out of the device, white paper
// with a shadow on a grey desk, drawn through the renderer's QPainter canvas at the window's
// zoom. Wheel zooms about the cursor, a left or middle drag pans, "缩放到图纸" (or a double
// click) shows the whole sheet again; Esc or "关闭" closes it and the command goes on.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointF>
#include <memory>
#include <string>

#include "plot/recording_canvas.h"

class QPushButton;

namespace vx::qt {

// The desk with the paper on it.
class PreviewPageView : public QWidget {
public:
    PreviewPageView(const plot::RecordingCanvas& page, QWidget* parent);

    void zoomExtents();
    // Pixels per millimetre of paper, and where the paper's top left corner is on the view.
    double scale() const { return m_scale; }
    QPointF origin() const { return m_origin; }
    // Where a point of the paper (millimetres, origin at the lower left, y up) is on the view.
    QPointF toView(double xMm, double yMm) const;
    QRectF paperRect() const;
    // Zooms by `factor` keeping the paper point under `at` where it is.
    void zoomAbout(QPointF at, double factor);
    void panBy(QPointF delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void renderPage();

    const plot::RecordingCanvas& m_page;
    double m_widthMm = 0, m_heightMm = 0;
    double m_scale = 1;
    QPointF m_origin;
    bool m_fitted = false;       // the user has not zoomed or panned: a resize fits again
    bool m_dragging = false;
    QPoint m_last;
    QImage m_ink;                // the page's drawing at the current zoom, transparent elsewhere
    bool m_inkStale = true;
};

class PlotPreviewWindow : public QDialog {
public:
    PlotPreviewWindow(const plot::RecordingCanvas& page, const QString& title, QWidget* parent);
    ~PlotPreviewWindow() override;

    // Shows previews in this window from now on (modal, over `parent`); uninstall() returns
    // them to the PNG file alone.
    static void install(QWidget* parent);
    static void uninstall();
    // The preview open now, if any (scripts close it, tests look at it).
    static PlotPreviewWindow* current();

    PreviewPageView* view() const { return m_view; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* extentsButton() const { return m_extents; }

private:
    PreviewPageView* m_view = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_extents = nullptr;
};

}  // namespace vx::qt
