// What an entity becomes for drawing: polylines, filled polygons, text runs and dots, grouped by
// pen. Properties are already resolved (colour, lineweight, linetype dashes, visibility) except
// what depends on the block reference an entity is drawn through (ByBlock, and layer "0" inside
// blocks), which the scene resolves per reference before a sink sees the pen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/geometry.h"

namespace vx::render {

// A colour as the entity resolved it. `aci` is the ACI number (1-255) the colour came from, so a
// plot style table indexed by ACI can map it; 0 when the entity has a true colour.
// `background`: paint in the page's (or view's) background colour, whatever r, g, b say (a
// wipeout masking what lies below); plot style tables leave it alone.
struct Color {
    uint8_t r = 0, g = 0, b = 0;
    uint8_t aci = 7;
    bool background = false;
    bool operator==(const Color& o) const {
        return r == o.r && g == o.g && b == o.b && aci == o.aci && background == o.background;
    }
    static Color backgroundColor() { return {255, 255, 255, 0, true}; }
};

// Lineweights in hundredths of a millimetre as DXF stores them (0, 5, 9, 13 ... 211).
// kLineweightThinnest is what 0 and "default" plot as: the thinnest line the device makes.
constexpr int16_t kLineweightThinnest = 0;

struct Pen {
    Color color;
    int16_t lineweight = kLineweightThinnest;  // resolved; never ByLayer/ByBlock/Default here
    bool operator==(const Pen& o) const { return color == o.color && lineweight == o.lineweight; }
};

struct Polyline {
    std::vector<Vec2> points;
    bool closed = false;
};

// Rings filled together by the even-odd rule (holes are rings inside rings).
struct Polygon {
    std::vector<std::vector<Vec2>> rings;
};

// One line of text in an outline (TrueType) font. `toLocal` maps text space to the coordinates of
// the geometry it belongs to: in text space the baseline runs along +x from the origin and one
// unit is the text height (width factor, oblique angle, rotation, mirroring and position are in
// the map). Texts in stroke (SHX) fonts never become runs: they arrive as polylines.
struct TextRun {
    std::wstring text;     // one line, %%-codes and MTEXT formatting already resolved
    uint32_t font = 0;     // a FontLibrary id
    Affine toLocal;
    double advance = 0;    // length of the line in text space (for underline/overline and boxes)
    bool underline = false, overline = false;
};

// Everything of one pen, in one coordinate system. Draw order inside a group is fills, then
// polylines, then texts, then dots.
struct Geometry {
    std::vector<Polygon> fills;
    std::vector<Polyline> lines;
    std::vector<TextRun> texts;
    std::vector<Vec2> dots;  // points drawn as the smallest mark the device makes

    bool empty() const { return fills.empty() && lines.empty() && texts.empty() && dots.empty(); }
};

// Where primitives go. The scene calls `add` with geometry in local coordinates and the map from
// them to world coordinates, so a block definition's geometry is made once and handed on for
// every reference (instancing). A sink that batches by pen (the plot page, the view) keeps one
// path per pen; `barrier` says that what follows must cover what came before (a wipeout), so the
// batches gathered so far are drawn first.
class PrimitiveSink {
public:
    virtual ~PrimitiveSink() = default;
    virtual void add(const Pen& pen, const Geometry& geometry, const Affine& toWorld) = 0;
    virtual void barrier() {}
};

}  // namespace vx::render
