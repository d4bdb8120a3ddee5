// A canvas that keeps every call it receives, for tests of what a page hands its output.
#pragma once

#include <vector>

#include "render/canvas.h"

namespace vx::plot {

class RecordingCanvas : public render::Canvas {
public:
    enum class Kind { BeginPage, Fill, Stroke, Text, Dots, EndPage };
    struct Call {
        Kind kind;
        render::OutputPen pen;
        std::vector<render::Polygon> fills;
        std::vector<render::Polyline> lines;
        std::vector<render::PlacedText> texts;
        std::vector<render::Vec2> dots;
        render::PageSpec page;  // BeginPage
    };

    bool beginPage(const render::PageSpec& page) override;
    void fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) override;
    void strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) override;
    void drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) override;
    void drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) override;
    bool endPage() override;
    bool finish(std::string& error) override;

    const std::vector<Call>& calls() const { return m_calls; }
    // The calls of one kind, in order.
    std::vector<const Call*> callsOf(Kind kind) const;
    bool finished() const { return m_finished; }

private:
    std::vector<Call> m_calls;
    bool m_finished = false;
};

}  // namespace vx::plot
