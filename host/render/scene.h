// A drawing turned into primitives: every entity of a space made into pen-grouped geometry once,
// block definitions made once and instanced, and a spatial index per space so that drawing a
// window costs what the window holds. Extents and hit tests come from the same geometry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dbid.h"
#include "render/primitives.h"

class AcDbDatabase;
class AcDbEntity;

namespace vx::render {

struct DrawOptions {
    double tolerance = 0.01;   // chord error allowed when curves are flattened, in world units
    bool plotting = true;      // leave out layers that are not plotted, and "Defpoints"
    Box2 view;                 // infinite lines (XLINE, RAY) are clipped to this box
    // The size in world units under which detail cannot be told apart (a device pixel): a block
    // reference, MINSERT cell or loose entity of the space (not a wipeout) whose box is smaller
    // on both axes is drawn as a dot in its own pen instead of its contents. 0 draws all in full.
    double pixel = 0;
    // An entity drawn elsewhere (the one a jig drags, which a view draws above its cached image).
    const AcDbEntity* leaveOut = nullptr;
};

// What drawing left out, for the transcript.
struct DrawStats {
    uint64_t entities = 0;     // entities drawn
    uint64_t unknown = 0;      // kinds that draw nothing
    uint64_t skipped = 0;      // entities refused as damaged (NaN coordinates, bad knots ...)
    uint64_t dotted = 0;       // entities, references and MINSERT cells under a pixel drawn as a dot
};

// A window drawn in steps, so that a view can draw a large window between the user's events. The
// entities the window meets are fixed when it starts; each step draws the next of them, in
// drawing order, into the sink given at the start. Whoever holds a job keeps its scene, sink and
// stats alive and drops it when the drawing changes (a step finds the scene started anew and
// stops).
class DrawJob {
public:
    virtual ~DrawJob() = default;
    // Draws at most `entities` more; false once there is nothing left to draw.
    virtual bool step(size_t entities) = 0;
    // How many entities the window met (what the steps go through).
    virtual size_t total() const = 0;
};

class Scene {
public:
    virtual ~Scene() = default;
    // Draws every entity of the space (a block record: model space or a layout's paper space)
    // whose extents meet `window` into the sink, in drawing order.
    virtual void draw(AcDbObjectId space, const Box2& window, const DrawOptions& options,
                      PrimitiveSink& sink, DrawStats& stats) = 0;
    // Extents of the space's entities, or of one entity, from the geometry drawing makes.
    // The same drawing in steps. A scene that cannot split its work draws it all at the first.
    virtual std::unique_ptr<DrawJob> startDraw(AcDbObjectId space, const Box2& window, const DrawOptions& options,
                                               PrimitiveSink& sink, DrawStats& stats);
    virtual Box2 extents(AcDbObjectId space) = 0;
    virtual Box2 entityExtents(AcDbObjectId entity) = 0;
    // Draws the given entities of this scene's drawing (a selection, a jig's entity) as drawing
    // the space would draw them, in the order given. A scene without entities of its own (a test
    // double) draws nothing.
    virtual void drawEntities(const std::vector<const AcDbEntity*>& entities, const DrawOptions& options,
                              PrimitiveSink& sink, DrawStats& stats) {
        (void)entities, (void)options, (void)sink, (void)stats;
    }
};

// A scene over a database; it follows edits of the database (changed entities are made again).
std::unique_ptr<Scene> makeScene(AcDbDatabase& db);

}  // namespace vx::render
