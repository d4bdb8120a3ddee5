// Recording canvas.
#include "plot/recording_canvas.h"

namespace vx::plot {

bool RecordingCanvas::beginPage(const render::PageSpec& page) {
    Call call{Kind::BeginPage, {}, {}, {}, {}, {}, page};
    m_calls.push_back(std::move(call));
    return true;
}

void RecordingCanvas::fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) {
    m_calls.push_back({Kind::Fill, pen, polygons, {}, {}, {}, {}});
}

void RecordingCanvas::strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) {
    m_calls.push_back({Kind::Stroke, pen, {}, lines, {}, {}, {}});
}

void RecordingCanvas::drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) {
    m_calls.push_back({Kind::Text, pen, {}, {}, texts, {}, {}});
}

void RecordingCanvas::drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) {
    m_calls.push_back({Kind::Dots, pen, {}, {}, {}, dots, {}});
}

bool RecordingCanvas::endPage() {
    m_calls.push_back({Kind::EndPage, {}, {}, {}, {}, {}, {}});
    return true;
}

bool RecordingCanvas::finish(std::string&) {
    m_finished = true;
    return true;
}

std::vector<const RecordingCanvas::Call*> RecordingCanvas::callsOf(Kind kind) const {
    std::vector<const Call*> out;
    for (const auto& c : m_calls)
        if (c.kind == kind) out.push_back(&c);
    return out;
}

}  // namespace vx::plot
