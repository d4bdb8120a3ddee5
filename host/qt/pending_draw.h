// A picture of the drawing view being drawn in slices: its image, the painter left open on it
// between slices, and the scene's job that knows which entities come next.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "qt/drawing_view.h"
#include "qt/painter_sink.h"
#include "render/scene.h"

namespace vx::qt {

struct DrawingView::PendingDraw {
    PendingDraw(QSize pixels, qreal deviceRatio, const render::Affine& worldToPixels) : image(pixels, QImage::Format_RGB32) {
        image.setDevicePixelRatio(deviceRatio);
        image.fill(viewBackground());
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        sink = std::make_unique<PainterSink>(painter, worldToPixels);
    }
    // Declared in the order they are made; the job, which draws into the sink, goes first.
    QImage image;
    QPainter painter;
    std::unique_ptr<PainterSink> sink;
    render::DrawStats stats;
    Picture picture;  // what the image shows once complete
    bool extents = false;
    std::unique_ptr<render::DrawJob> job;
};

}  // namespace vx::qt
