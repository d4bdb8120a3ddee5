// HPGL/2 output. Pages are gathered in memory: the pen table heads every page and must list
// every pen, which is known only when the drawing is done.
#include "plot/hpgl_canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/number_text.h"
#include "plot/output_file.h"
#include "plot/text_decoration.h"

namespace vx::plot {

namespace {

constexpr double kUnitsPerMm = 40;
// Plotters keep 255 pens at most (pen 0 is the paper); further pens share the nearest one.
constexpr size_t kMaxPens = 255;
// Coordinates per PD command: some plotters' parsers have small buffers.
constexpr size_t kPointsPerCommand = 250;
// HP-GL/2 integers stay within +-2^30.
constexpr double kMaxUnits = 1073741823.0;
// Text outlines are flattened to this on the paper.
constexpr double kTextToleranceMm = 0.05;

int64_t units(double mm) { return static_cast<int64_t>(std::lround(std::clamp(mm * kUnitsPerMm, -kMaxUnits, kMaxUnits))); }

struct PenPoint {
    int64_t x, y;
    bool operator==(const PenPoint& o) const { return x == o.x && y == o.y; }
};

PenPoint toUnits(render::Vec2 p) { return {units(p.x), units(p.y)}; }

class HpglCanvas : public FileCanvas {
public:
    HpglCanvas(std::string path, render::FontLibrary& fonts) : m_path(std::move(path)), m_fonts(fonts) {}

    bool beginPage(const render::PageSpec& page) override {
        if (m_inPage || m_finished) return fail("a page was begun out of order");
        if (!(page.widthMm > 0 && page.heightMm > 0) || !std::isfinite(page.widthMm) || !std::isfinite(page.heightMm))
            return fail("the paper has no size");
        m_pages.push_back({page, {}});
        m_inPage = true;
        m_currentPen = 0;
        return true;
    }

    void fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& polygons) override {
        if (!m_inPage) return;
        selectPen(pen);
        for (const auto& polygon : polygons) writePolygon(polygon);
    }

    void strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& lines) override {
        if (!m_inPage) return;
        selectPen(pen);
        for (const auto& line : lines) writePolyline(line.points, line.closed);
    }

    void drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& texts) override {
        if (!m_inPage) return;
        std::vector<render::Polygon> fills;
        std::vector<render::Polyline> strokes;
        for (const auto& text : texts) textGeometryOnPaper(m_fonts, text, kTextToleranceMm, fills, strokes);
        if (!fills.empty()) fillPolygons(pen, fills);
        if (!strokes.empty()) strokePolylines(pen, strokes);
    }

    void drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& dots) override {
        if (!m_inPage) return;
        selectPen(pen);
        std::string& out = body();
        for (const auto& d : dots) {
            // A pen put down where it stands leaves the smallest mark the plotter makes.
            const PenPoint p = toUnits(d);
            out += "PU";
            appendPoint(out, p);
            out += ";PD;";
        }
    }

    bool endPage() override {
        if (!m_inPage) return fail("a page was ended that was not begun");
        m_inPage = false;
        return true;
    }

    bool finish(std::string& error) override {
        if (m_finished) return (error = "the plot file was already finished"), false;
        m_finished = true;
        if (m_pages.empty() || m_inPage) {
            error = m_error.empty() ? "the plot file has no complete page" : m_error;
            return false;
        }
        std::string file = "BP;IN;";
        for (const auto& page : m_pages) {
            writePageHead(file, page.spec);
            file += page.body;
            file += "SP0;PG;";
        }
        return writeOutputFile(m_path, file, error);
    }

private:
    struct Page {
        render::PageSpec spec;
        std::string body;
    };

    std::string& body() { return m_pages.back().body; }

    static void appendPoint(std::string& out, PenPoint p) {
        appendInteger(out, p.x);
        out.push_back(',');
        appendInteger(out, p.y);
    }

    size_t penNumber(const render::OutputPen& pen) {
        for (size_t i = 0; i < m_pens.size(); ++i)
            if (m_pens[i] == pen) return i + 1;
        if (m_pens.size() < kMaxPens) {
            m_pens.push_back(pen);
            return m_pens.size();
        }
        // The pen table is full: the nearest pen in colour, then width.
        size_t best = 0;
        double bestDistance = HUGE_VAL;
        for (size_t i = 0; i < m_pens.size(); ++i) {
            const auto& p = m_pens[i];
            const double dr = p.r - pen.r, dg = p.g - pen.g, db = p.b - pen.b, dw = (p.widthMm - pen.widthMm) * 100;
            const double d = dr * dr + dg * dg + db * db + dw * dw;
            if (d < bestDistance) bestDistance = d, best = i;
        }
        return best + 1;
    }

    void selectPen(const render::OutputPen& pen) {
        const size_t number = penNumber(pen);
        if (number == m_currentPen) return;
        m_currentPen = number;
        std::string& out = body();
        out += "SP";
        appendInteger(out, static_cast<int64_t>(number));
        out.push_back(';');
    }

    // Pen-down moves to `points` from the current position, a few hundred per command.
    static void appendMoves(std::string& out, const std::vector<PenPoint>& points, size_t from) {
        for (size_t i = from; i < points.size(); i += kPointsPerCommand) {
            out += "PD";
            const size_t end = std::min(points.size(), i + kPointsPerCommand);
            for (size_t k = i; k < end; ++k) {
                if (k > i) out.push_back(',');
                appendPoint(out, points[k]);
            }
            out.push_back(';');
        }
    }

    // Points in plotter units without repeats (rounding makes many on small curves).
    std::vector<PenPoint>& unitPoints(const std::vector<render::Vec2>& points) {
        m_units.clear();
        for (const auto& p : points) {
            const PenPoint u = toUnits(p);
            if (m_units.empty() || !(m_units.back() == u)) m_units.push_back(u);
        }
        return m_units;
    }

    void writePolyline(const std::vector<render::Vec2>& points, bool closed) {
        auto& pts = unitPoints(points);
        if (pts.empty()) return;
        if (closed && pts.size() > 2) pts.push_back(pts.front());
        std::string& out = body();
        out += "PU";
        appendPoint(out, pts[0]);
        out.push_back(';');
        if (pts.size() == 1) out += "PD;";
        else appendMoves(out, pts, 1);
    }

    void writePolygon(const render::Polygon& polygon) {
        std::string& out = body();
        bool first = true;
        for (const auto& ring : polygon.rings) {
            auto& pts = unitPoints(ring);
            if (pts.size() < 3) continue;
            // Rings are closed explicitly: PM1 and PM2 should close them, but readers such as
            // hp2xx lose the holes of rings left open. The pen's position when polygon mode
            // starts is the first vertex.
            if (!(pts.back() == pts.front())) pts.push_back(pts.front());
            if (!first) out += "PM1;";
            out += "PU";
            appendPoint(out, pts[0]);
            out += first ? ";PM0;" : ";";
            appendMoves(out, pts, 1);
            first = false;
        }
        if (!first) out += "PM2;FP0;";
    }

    void writePageHead(std::string& out, const render::PageSpec& page) const {
        out += "PS";
        appendPoint(out, {units(page.widthMm), units(page.heightMm)});
        // Pen 0 is the paper; the palette size is a power of two above the pens used.
        size_t palette = 2;
        while (palette < m_pens.size() + 1) palette *= 2;
        out += ";NP";
        appendInteger(out, static_cast<int64_t>(palette));
        out += ";WU0;FT1;";
        for (size_t i = 0; i < m_pens.size(); ++i) {
            const auto& pen = m_pens[i];
            const auto n = static_cast<int64_t>(i + 1);
            out += "PC";
            appendInteger(out, n);
            for (int c : {pen.r, pen.g, pen.b}) {
                out.push_back(',');
                appendInteger(out, c);
            }
            out += ";PW";
            appendDecimal(out, pen.widthMm, 3);
            out.push_back(',');
            appendInteger(out, n);
            out.push_back(';');
        }
        if (!page.clipMm.empty()) {
            out += "IW";
            appendPoint(out, {static_cast<int64_t>(std::floor(page.clipMm.x0 * kUnitsPerMm)),
                              static_cast<int64_t>(std::floor(page.clipMm.y0 * kUnitsPerMm))});
            out.push_back(',');
            appendPoint(out, {static_cast<int64_t>(std::ceil(page.clipMm.x1 * kUnitsPerMm)),
                              static_cast<int64_t>(std::ceil(page.clipMm.y1 * kUnitsPerMm))});
            out.push_back(';');
        }
    }

    std::string m_path;
    render::FontLibrary& m_fonts;
    std::vector<Page> m_pages;
    std::vector<render::OutputPen> m_pens;
    std::vector<PenPoint> m_units;
    size_t m_currentPen = 0;
    bool m_inPage = false, m_finished = false;
};

}  // namespace

std::unique_ptr<FileCanvas> makeHpglCanvas(const std::string& path, render::FontLibrary& fonts) {
    return std::make_unique<HpglCanvas>(path, fonts);
}

}  // namespace vx::plot
