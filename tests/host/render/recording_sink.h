// Test support: a sink that records what the renderer hands on, mapped to world coordinates,
// and drawings made with ezdxf.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acdb.h"
#include "render/primitives.h"
#include "render/scene.h"

namespace vxtest {

using vx::render::Affine;
using vx::render::Box2;
using vx::render::Geometry;
using vx::render::Pen;
using vx::render::Polygon;
using vx::render::Polyline;
using vx::render::TextRun;
using vx::render::Vec2;

class RecordingSink : public vx::render::PrimitiveSink {
public:
    struct Call {
        Pen pen;
        Geometry geometry;  // as received (local coordinates)
        Affine toWorld;
    };
    void add(const Pen& pen, const Geometry& g, const Affine& toWorld) override { calls.push_back({pen, g, toWorld}); }
    void barrier() override { barriers.push_back(calls.size()); }

    // Everything in world coordinates.
    std::vector<Polyline> lines() const;
    std::vector<Polyline> linesOf(const Pen& pen) const;
    std::vector<Polyline> linesWithAci(int aci) const;
    std::vector<std::vector<Vec2>> rings() const;
    std::vector<TextRun> texts() const;  // toLocal mapped to world
    std::vector<Vec2> dots() const;
    std::vector<Pen> pens() const;       // distinct pens in first-seen order
    Box2 box() const;                    // of lines, rings, dots and text boxes (height 1)
    size_t segmentCount() const;

    std::vector<Call> calls;
    std::vector<size_t> barriers;  // number of calls made before each barrier
};

// A drawing written by an ezdxf script (its body uses `doc`, `msp`; ezdxf and math imported;
// `out(key, points)` prints a reference polyline) and read back; null (and a test failure)
// when either fails. What the script printed comes back through `printed`.
std::unique_ptr<AcDbDatabase> ezdxfDrawing(const std::string& name, const std::string& body,
                                           const std::string& version = "R2018", std::string* printed = nullptr);

// Draws the whole model space (window = its extents grown a little) into the sink.
vx::render::DrawStats drawModel(AcDbDatabase& db, RecordingSink& sink, double tolerance = 0.01,
                                bool plotting = true, double pixel = 0);

double pathLength(const Polyline& p);
// The largest distance from a point of `a` to the polylines `b`.
double farthestFrom(const std::vector<Polyline>& a, const std::vector<Polyline>& b);
// Polylines printed by a script, one per line: "<key> x,y x,y ...".
std::vector<std::pair<std::string, Polyline>> parsePolylines(const std::string& text);
double distance(Vec2 a, Vec2 b);

}  // namespace vxtest
