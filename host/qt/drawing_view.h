// The drawing view: the current space drawn by the renderer's scene into a cached back-buffer
// image, zoomed with the wheel about the cursor, panned with the middle button, zoomed to the
// extents (middle double-click) or to a window. The mouse answers the editor's prompts as input
// events: a click gives a point (at "Select objects" a pick with the pick box), a drag a
// selection window (left to right, blue) or crossing (right to left, green), moves drive a jig,
// Enter or a right click finishes, Esc cancels.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "dbid.h"
#include "render/geometry.h"

class AcDbDatabase;

namespace vx::render {
class Scene;
}

namespace vx::qt {

class GuiInput;

class DrawingView : public QWidget {
public:
    using SceneMaker = std::function<std::unique_ptr<render::Scene>(AcDbDatabase&)>;

    DrawingView(GuiInput& input, QWidget* parent = nullptr);
    ~DrawingView() override;

    // Without a maker the view stays empty (a build without the renderer's scene).
    void setSceneMaker(SceneMaker maker) { m_maker = std::move(maker); }
    // Shows `space` of `db` (a new drawing, another layout); the first time zoomed to its extents.
    void show(AcDbDatabase* db, AcDbObjectId space);
    // The drawing changed: the back buffer is drawn again.
    void redraw();
    void zoomExtents();
    void zoomWindow(const render::Box2& world);

    render::Vec2 toWorld(QPointF pixel) const;
    QPointF toPixels(render::Vec2 world) const;
    double unitsPerPixel() const { return 1.0 / m_scale; }
    // The cursor's drawing coordinates, whenever it moves (the status bar shows them).
    std::function<void(render::Vec2)> cursorMoved;

    static constexpr int kPickBoxPixels = 3;     // half the side of the pick box
    static constexpr int kDragStartPixels = 4;   // a press that moves less is a click

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    render::Affine worldToPixels() const;
    void render();

    GuiInput& m_input;
    SceneMaker m_maker;
    std::unique_ptr<render::Scene> m_scene;
    AcDbDatabase* m_db = nullptr;
    AcDbObjectId m_space;
    QImage m_buffer;
    bool m_stale = true;
    double m_scale = 1;             // pixels per drawing unit
    render::Vec2 m_center;          // the drawing point in the middle of the view
    bool m_showsExtents = false;    // fitted to the extents and not zoomed or panned since
    QPoint m_pressAt, m_panFrom, m_cursor;
    bool m_selecting = false, m_panning = false;
};

}  // namespace vx::qt
