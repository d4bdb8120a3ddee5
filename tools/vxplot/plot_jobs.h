// What vxplot does once its arguments are read: one window to one file, or every frame on a
// layer to a file of its own. Independent of where the scene and fonts come from, so tests can
// hand in their own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "dbid.h"
#include "options.h"
#include "render/fonts.h"
#include "render/scene.h"

class AcDbDatabase;

namespace vxplot {

struct Frame {
    AcDbObjectId id;
    vx::render::Box2 extents;
};

// The block references on `layer` (name compared without case) in model space with extents,
// in reading order: rows from the top, left to right within a row. False when the layer does
// not exist.
bool framesOnLayer(AcDbDatabase& db, vx::render::Scene& scene, const std::string& layer, std::vector<Frame>& frames);

struct Context {
    AcDbDatabase& db;
    vx::render::Scene& scene;
    vx::render::FontLibrary& fonts;
    std::ostream& out;   // one line per file and the summary
    std::ostream& err;   // what went wrong
};

// Exit statuses: 0 everything plotted, 1 something could not be (each said on `err`).
int plotWindow(const Options& options, Context& run);
int plotFrames(const Options& options, Context& run);

}  // namespace vxplot
