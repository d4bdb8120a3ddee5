// A sink that maps what it receives onto another coordinate system and cuts it to a box: model
// space seen through a paper-space viewport. Instanced geometry is mapped per instance here,
// since each cut is different.
#pragma once

#include "render/geometry.h"
#include "render/primitives.h"

namespace vx::render {

class ClipSink final : public PrimitiveSink {
public:
    ClipSink(PrimitiveSink& out, const Affine& toOut, const Box2& clip) : m_out(out), m_toOut(toOut), m_clip(clip) {}
    void add(const Pen& pen, const Geometry& geometry, const Affine& toWorld) override;
    void barrier() override { m_out.barrier(); }

private:
    PrimitiveSink& m_out;
    Affine m_toOut;
    Box2 m_clip;
};

// Cuts a polyline to the box; the pieces inside are appended.
void clipPolyline(const Polyline& line, const Box2& box, std::vector<Polyline>& out);
// Cuts a ring to the box (Sutherland-Hodgman: for a box, cutting each ring of an even-odd fill
// keeps the fill inside the box the same).
std::vector<Vec2> clipRing(const std::vector<Vec2>& ring, const Box2& box);

}  // namespace vx::render
