// The one drawing surface interface. A canvas receives a page in paper millimetres (origin at the
// lower left corner, y up) with primitives already batched by output pen: one call per pen and
// kind, never one per segment. Backends: QPainter (PDF, SVG, PNG, printers, the desktop view),
// HPGL/2, XPS, and a recording canvas for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/primitives.h"

namespace vx::render {

// A pen after the plot style table: the colour and width that reach the paper.
struct OutputPen {
    uint8_t r = 0, g = 0, b = 0;
    double widthMm = 0;  // 0: the thinnest line the device makes (a hairline), never invisible
    bool operator==(const OutputPen& o) const { return r == o.r && g == o.g && b == o.b && widthMm == o.widthMm; }
};

// A text run placed on the paper: `toPaper` maps its text space to paper millimetres.
struct PlacedText {
    std::wstring text;
    uint32_t font = 0;
    Affine toPaper;
    double advance = 0;
    bool underline = false, overline = false;
};

struct PageSpec {
    double widthMm = 0, heightMm = 0;
    Box2 clipMm;            // what may be drawn (the plot window on the paper, inside the printable area)
    double rasterDpi = 0;   // raster backends: resolution; vector backends ignore it
    std::wstring title;     // document title (PDF metadata, job name)
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual bool beginPage(const PageSpec& page) = 0;
    virtual void fillPolygons(const OutputPen& pen, const std::vector<Polygon>& polygons) = 0;
    virtual void strokePolylines(const OutputPen& pen, const std::vector<Polyline>& lines) = 0;
    virtual void drawTexts(const OutputPen& pen, const std::vector<PlacedText>& texts) = 0;
    virtual void drawDots(const OutputPen& pen, const std::vector<Vec2>& dots) = 0;
    virtual bool endPage() = 0;
    // Completes the output (a file is written through the host's safe file writer); false with a
    // reason the user can act on.
    virtual bool finish(std::string& error) = 0;
};

}  // namespace vx::render
