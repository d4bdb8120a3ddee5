// A picture of the drawing view being drawn in slices: its image, the painter left open on it
// between slices, the parts still to draw (the whole view, or the strips a pan brought into
// view) and the scene's job drawing the current part.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "qt/drawing_view.h"
#include "qt/painter_sink.h"
#include "render/scene.h"

namespace vx::qt {

struct DrawingView::PendingDraw {
    struct Part {
        QRect clip;  // null: the whole image
        render::Box2 window;
    };
    // The image starts as a copy of `base` (the painter's begin detaches it).
    PendingDraw(const QImage& base, const render::Affine& worldToPixels) : image(base) {
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
    std::vector<Part> parts;
    size_t next = 0;
    std::unique_ptr<render::DrawJob> job;
};

}  // namespace vx::qt
