// What entity kinds describe themselves into: paths of lines, arcs and NURBS, filled rings,
// text runs, dots. One description serves both drawing and measuring: in Flatten mode curves
// become polylines within the tolerance and land in pen groups; in Measure mode the exact box
// of the curves is taken. So a plotted entity and its extents come from the same geometry.
#pragma once

#include <vector>

#include "acge.h"
#include "render/curves.h"
#include "render/dashes.h"
#include "render/fonts.h"
#include "render/pen_key.h"

namespace vx::render {

// One pen's share of an entity (or of a block definition).
struct Group {
    PenKey key;
    Geometry geometry;                  // ready to draw
    std::vector<PatternedPath> pending; // strokes whose linetype comes from the reference
};

class Shapes {
public:
    enum class Mode { Flatten, Measure };
    // `toOut` maps what is described to the output (null: identity); `tolerance` is the chord
    // error allowed in output units.
    Shapes(Mode mode, double tolerance, const AcGeMatrix3d* toOut = nullptr);

    bool measuring() const { return m_mode == Mode::Measure; }
    // Chord error allowed in the units things are described in.
    double tolerance() const { return m_localTol; }

    void setPen(const PenKey& key);
    const PenKey& pen() const { return m_pen; }

    // Paths. A path starts with moveTo; arcTo and curveTo continue from where it stands (a
    // curve that starts elsewhere is joined by a line).
    void moveTo(const AcGePoint3d& p);
    void lineTo(const AcGePoint3d& p);
    void arcTo(const EllipseArc& arc);
    void curveTo(const Nurbs& curve);
    // The linetype pattern starts anew at the current point.
    void restartPattern();
    // Ends the path as a line (`patterned`: it takes the entity's linetype).
    void stroke(bool closed, bool patterned = true);
    // Ends the path as one ring of the fill being built; fill() fills the rings together
    // (even-odd: rings inside rings are holes).
    void ring();
    void fill();

    // A run of text placed by its text space: origin, and the vectors one text unit along and
    // across the baseline. `ascent` and `descent` bound it across, for measuring.
    void text(const TextRun& run, const AcGePoint3d& origin, const AcGeVector3d& along, const AcGeVector3d& across,
              double ascent, double descent);
    // Glyphs of a stroke font in the same text space.
    void glyphs(const GlyphGeometry& g, const AcGePoint3d& origin, const AcGeVector3d& along,
                const AcGeVector3d& across);
    void dot(const AcGePoint3d& p);
    // Counts for the box only (an MTEXT's defined width).
    void extent(const AcGePoint3d& p);

    // Non-finite coordinates were given: the entity is damaged.
    bool damaged() const { return m_damaged; }
    const Box3& box() const { return m_box; }
    std::vector<Group>& groups() { return m_groups; }

private:
    bool map(const AcGePoint3d& in, AcGePoint3d& out);
    AcGeVector3d mapVector(const AcGeVector3d& v) const;
    void emit(const AcGePoint3d& p);  // a point of the path, already mapped
    Group& group();

    Mode m_mode;
    bool m_identity = true;
    AcGeMatrix3d m_m;
    double m_tol, m_localTol;
    PenKey m_pen;
    size_t m_group = static_cast<size_t>(-1);
    std::vector<Group> m_groups;
    Box3 m_box;
    bool m_damaged = false;

    bool m_open = false;  // a path has a current point
    AcGePoint3d m_last;   // in input units
    PatternedPath m_path;
    Polygon m_fill;
};

}  // namespace vx::render
