// Primitives painted into the view's back buffer: each pen's geometry through the map from its
// local coordinates to the window's pixels. Colour 7 shows white on the dark view, as CAD
// programs show it; lineweights are left to plotting (the view draws hairlines).
#pragma once

#include <QPainter>

#include "render/primitives.h"

namespace vx::qt {

class PainterSink : public render::PrimitiveSink {
public:
    // Highlighted: every pen in the highlight colour, lines dashed and wider, fills as their
    // outlines (a chosen hatch must not hide what lies under it).
    enum class Style { kPlain, kHighlighted };

    // `worldToPixels`: the view's map from drawing units to pixels (y down).
    PainterSink(QPainter& painter, const render::Affine& worldToPixels, Style style = Style::kPlain);
    void add(const render::Pen& pen, const render::Geometry& geometry, const render::Affine& toWorld) override;

    // Anything smaller than this many pixels is drawn as a dot: tiny entities cost no paths.
    static constexpr double kDetailPixels = 0.75;
    // Texts lower than this many pixels are drawn as the outline of their box ("greeked").
    static constexpr double kGreekPixels = 2.0;

private:
    QPainter& m_painter;
    render::Affine m_toPixels;
    Style m_style;
};

// A text run's box in its text space: the baseline to one text height above, over its advance.
std::vector<render::Vec2> textBox(const render::TextRun& t);

// The view's dark background; wipeouts paint with it.
QColor viewBackground();
QColor viewColor(const render::Color& c);
// What chosen entities are drawn in while a selection is built.
QColor highlightColor();

}  // namespace vx::qt
