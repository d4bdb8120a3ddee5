// The drawing view: the current space drawn by the renderer's scene into a cached back-buffer
// image, zoomed with the wheel about the cursor, panned with the middle button, zoomed to the
// extents (middle double-click) or to a window dragged after "Zoom Window". The mouse answers
// the editor's prompts as input events: a click gives a point (at "Select objects" a pick with
// the pick box), a drag a selection window (left to right, blue) or crossing (right to left,
// green), moves drive a jig, Enter or a right click finishes, Esc cancels. Above the cached image
// it draws what a waiting prompt shows: the entities a selection has chosen (highlighted, kept in
// an overlay that grows with each pick) and the entity a jig drags (at every cursor move).
//
// A large drawing is drawn in slices between the user's events. Until the new picture is complete
// the view answers a zoom or pan at once from the pictures it keeps (the last complete one and the
// one of the whole extents), scaled to the new view, as desktop CAD programs do; a zoom back to the
// extents shows the kept picture itself.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "dbid.h"
#include "render/geometry.h"

class AcDbDatabase;

namespace vx::render {
class Scene;
struct DrawOptions;
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
    AcDbObjectId shownSpace() const { return m_space; }
    void zoomExtents();
    void zoomWindow(const render::Box2& world);
    // Pans (or, for a box larger than the view or smaller than a drag, zooms) so that `world`
    // lies inside the view with at least `margin` pixels to spare.
    void bringIntoView(const render::Box2& world, int margin);
    // The next left drag is a zoom window instead of an answer (Esc gives up).
    void startZoomWindow();
    bool zoomingWindow() const { return m_zoomWindow; }
    // How often the drawing itself was drawn into the back buffer (overlays not counted).
    int renders() const { return m_renders; }
    // Whether the picture shown is complete (not a kept picture standing in while slices draw).
    bool drawingComplete() const { return !m_stale && !m_pending && !m_slices.isActive(); }
    // Draws what is left of the picture now (before a screenshot).
    void finishDrawing();
    // A space of more entities than `wholeEntities` is drawn in slices of about `sliceMs`, each
    // of at least one step of `stepEntities`.
    struct Slicing {
        size_t wholeEntities = 20000;
        size_t stepEntities = 2048;
        int sliceMs = 30;
    };
    void setSlicing(const Slicing& slicing) { m_slicing = slicing; }

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
    bool drawingChanged() const;
    void paintHighlight(QPainter& p, QPoint shift);
    void paintJig(QPainter& p);
    render::DrawOptions viewOptions() const;
    void paintSheet(QPainter& p);
    // A pan moves the back buffer and draws only the strips that came into view.
    void scrollBuffer(QPoint shift);
    bool renderScrolled();
    render::Box2 sheet() const;

    // A complete picture of the drawing, and what it shows.
    struct Picture {
        QImage image;
        double scale = 0;
        render::Vec2 center;
        uint64_t serial = 0, revision = 0;
        const void* without = nullptr;
        const AcDbDatabase* db = nullptr;
        AcDbObjectId space;
    };
    struct PendingDraw;
    Picture pictureOfView() const;
    // The same drawing, space and device pixels: a picture to stand in for a new one.
    bool standsIn(const Picture& p) const;
    // Exactly the view's picture: nothing changed in the drawing or the view since it was drawn.
    bool isCurrent(const Picture& p) const;
    // Starts drawing the whole view, or only the given strips over `base`.
    void startPending(const QImage& base, const std::vector<QRect>& strips = {});
    void startPart();
    void stepPending(bool all);
    void finishPending();
    void drawSlice();
    // The kept pictures, scaled to the view, where `p` may paint.
    bool paintStandIn(QPainter& p);
    bool composeStandIn();
    QImage blankImage() const;
    bool large() const;

    GuiInput& m_input;
    SceneMaker m_maker;
    std::unique_ptr<render::Scene> m_scene;
    AcDbDatabase* m_db = nullptr;
    AcDbObjectId m_space;
    QImage m_buffer;
    bool m_stale = true;
    std::unique_ptr<PendingDraw> m_pending;
    bool m_showPending = false;  // nothing kept stands in: the slices are shown as they are drawn
    Picture m_last, m_overview;  // the last complete picture; the one of the extents
    QTimer m_slices;
    Slicing m_slicing;
    QPoint m_scroll;  // a pan the back buffer has not followed yet
    int m_renders = 0;
    // What the back buffer shows: the drawing's store and revision, and the jig entity left out.
    uint64_t m_drawnSerial = 0, m_drawnRevision = 0;
    const void* m_drawnWithout = nullptr;
    // The highlight overlay: valid for one selection (generation) and one back buffer; it holds
    // the first `m_highlighted` entities of the selection.
    QImage m_highlight;
    uint64_t m_highlightGeneration = 0;
    size_t m_highlighted = 0;
    bool m_zoomWindow = false;
    double m_scale = 1;             // pixels per drawing unit
    render::Vec2 m_center;          // the drawing point in the middle of the view
    bool m_showsExtents = false;    // fitted to the extents and not zoomed or panned since
    bool m_fittedNothing = false;   // fitted while the space was empty, not zoomed or panned since
    QPoint m_pressAt, m_panFrom, m_cursor;
    render::Vec2 m_pressWorld;  // where the press was, to its fraction of a pixel
    bool m_selecting = false, m_panning = false, m_banding = false;
};

}  // namespace vx::qt
