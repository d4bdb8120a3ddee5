// Plotting one page: primitives from a source (the scene, or anything else that feeds a
// PrimitiveSink) are mapped onto the paper, their pens resolved through the plot style table,
// culled and clipped to the window, gathered per output pen and handed to a canvas with one call
// per pen and kind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "plot/page_layout.h"
#include "plot/plot_style.h"
#include "render/canvas.h"
#include "render/primitives.h"

namespace vx::plot {

struct PageSetup {
    Placement placement;
    const PlotStyleTable* styleTable = nullptr;  // null: as drawn
    double lineweightScale = 1;
    double rasterDpi = 0;                        // raster outputs: their resolution; 0 for vectors
    std::wstring title;
};

struct PageStats {
    uint64_t drawn = 0;     // primitives handed to the canvas
    uint64_t culled = 0;    // primitives wholly outside the window
    uint64_t rejected = 0;  // primitives with coordinates that are not finite numbers
    uint64_t canvasCalls = 0;
};

// What the page asks its source for: every primitive that may show in `window` (world
// coordinates), curves flattened to `tolerance` world units.
using PrimitiveSource = std::function<void(render::PrimitiveSink& sink, const render::Box2& window, double tolerance)>;

// Chord tolerance in world units for a page: 0.05 mm on paper for vector output, half a pixel
// for rasters.
double worldTolerance(const PageLayout& layout, double rasterDpi);

// The sink a page's source draws into. Output happens in `flush` (also on `barrier`).
class PageSink : public render::PrimitiveSink {
public:
    PageSink(const PageLayout& layout, const PlotStyleTable& table, double lineweightScale, render::Canvas& canvas);
    void add(const render::Pen& pen, const render::Geometry& geometry, const render::Affine& toWorld) override;
    void barrier() override { flush(); }
    void flush();
    const PageStats& stats() const { return m_stats; }

private:
    struct Batch {
        render::OutputPen pen;
        std::vector<render::Polygon> fills;
        std::vector<render::Polyline> lines;
        std::vector<render::PlacedText> texts;
        std::vector<render::Vec2> dots;
    };
    size_t batchFor(const render::Pen& pen);
    void addFills(Batch& batch, const std::vector<render::Polygon>& fills, const render::Affine& toPaper);
    void addLines(Batch& batch, const std::vector<render::Polyline>& lines, const render::Affine& toPaper);
    void addTexts(Batch& batch, const std::vector<render::TextRun>& texts, const render::Affine& toPaper);
    void addDots(Batch& batch, const std::vector<render::Vec2>& dots, const render::Affine& toPaper);
    render::Box2 marginBox(const render::OutputPen& pen) const;

    PageLayout m_layout;
    const PlotStyleTable& m_table;
    double m_lineweightScale;
    render::Canvas& m_canvas;
    std::vector<Batch> m_batches;                      // in order of first use
    std::unordered_map<uint64_t, size_t> m_penBatch;   // entity pen -> batch
    std::vector<render::Polyline> m_pieces;
    PageStats m_stats;
};

// Lays out the page, begins it on the canvas, lets the source draw, flushes and ends the page.
// False with a reason when the placement is unusable or the canvas refuses the page.
bool plotPage(const PageSetup& setup, const PrimitiveSource& source, render::Canvas& canvas, std::string& error,
              PageStats* stats = nullptr, PageLayout* layoutOut = nullptr);

}  // namespace vx::plot
